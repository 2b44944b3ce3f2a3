// What the build switch decides, seen from outside: the preview and the text on the screen.
#include <windows.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "tests/password/SaverFixture.h"
#include "tests/support/ScreenCapture.h"
#include "tests/support/TestEnvironment.h"

namespace {

using namespace savertest;

// Pixels of the white overlay text: every channel near full.
int whitePixels(const Capture& shot, const RECT& area) {
  int count = 0;
  for (int y = std::max(0, static_cast<int>(area.top)); y < std::min(shot.height, static_cast<int>(area.bottom)); ++y) {
    for (int x = std::max(0, static_cast<int>(area.left)); x < std::min(shot.width, static_cast<int>(area.right));
         ++x) {
      const uint32_t p = shot.at(x, y);
      if (red(p) >= 235 && green(p) >= 235 && blue(p) >= 235) ++count;
    }
  }
  return count;
}

// The corner where the frame-rate line (20, 20) and the help line (20, 40) are drawn.
const RECT TextCorner = {10, 10, 420, 64};

// The basic build's preview fills its host: BasicSaverRun.PreviewFillsTheGivenWindow.
TEST(BuildDifference, TheInteractiveBuildIgnoresThePreviewWindowAndGoesFullScreen) {
  HWND parent = previewHost();
  ASSERT_NE(parent, nullptr);
  ChildProcess saver;
  HWND window = startSaver(saver, interactive(previewSwitch(parent)));
  ASSERT_NE(window, nullptr);
  EXPECT_EQ(FindWindowExA(parent, nullptr, SaverWindowClass, nullptr), nullptr);
  EXPECT_EQ(GetParent(window), nullptr);
  RECT rect;
  GetWindowRect(window, &rect);
  EXPECT_EQ(rect.right - rect.left, GetSystemMetrics(SM_CXSCREEN));
  send(window, WM_ACTIVATEAPP, FALSE);
  EXPECT_TRUE(endsWithCode(saver, 1));
  DestroyWindow(parent);
}

TEST(BuildDifference, OnlyTheInteractiveBuildShowsText) {
  // A clear sky: the cumulus of the cloudy one is as white as the text.
  ScopedValue sky(SettingsKey, "SkyType");
  sky.setDword(1);
  {
    ChildProcess saver;
    HWND window = startSaver(saver, basic("/t"));
    ASSERT_NE(window, nullptr);
    // Past the first second, when the frame-rate text has been formatted.
    EXPECT_TRUE(picturesMoveFor(window, 1500));
    const Capture shot = captureWindowClient(window);
    shot.saveBmp(testenv::artifactFolder("password") + "basic-text-corner.bmp");
    EXPECT_GT(shot.brightFraction(RECT{0, 0, shot.width, shot.height}, 40), 0.3);  // the scene is there
    EXPECT_EQ(whitePixels(shot, TextCorner), 0);
    send(window, WM_KEYDOWN, 'A');
    EXPECT_TRUE(endsWithCode(saver, 1));
  }
  ChildProcess saver;
  HWND window = startSaver(saver, interactive(""));
  ASSERT_NE(window, nullptr);
  // The short help at (20, 40); the frame-rate line stays off until F is pressed.
  EXPECT_TRUE(waitUntil(
      [&] {
        return whitePixels(captureWindowClient(window), RECT{10, 36, 420, 64}) > 40;
      },
      StartTimeout));
  EXPECT_TRUE(picturesMoveFor(window, 1500));
  const Capture shot = captureWindowClient(window);
  shot.saveBmp(testenv::artifactFolder("password") + "interactive-text-corner.bmp");
  EXPECT_GT(whitePixels(shot, RECT{10, 36, 420, 64}), 40);
  EXPECT_EQ(whitePixels(shot, RECT{10, 10, 420, 34}), 0);
  send(window, WM_ACTIVATEAPP, FALSE);
  EXPECT_TRUE(endsWithCode(saver, 1));
}

}  // namespace
