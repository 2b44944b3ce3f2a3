// A stored display mode that the display offers: the saver switches to it for its run.
#include <windows.h>
#include <gtest/gtest.h>

#include "tests/support/SaverDriver.h"
#include "tests/support/ScreenCapture.h"

namespace {

using namespace savertest;

// Windows gives the display its own mode back when the program that changed it ends; Wine keeps the
// change, so the test puts the mode back itself, before (a run killed earlier) and after.
struct DesktopMode {
  DesktopMode() { ChangeDisplaySettingsA(nullptr, 0); }
  ~DesktopMode() { ChangeDisplaySettingsA(nullptr, 0); }
};

TEST(DisplayMode, AChangeThatSucceedsGivesAWindowOfExactlyTheStoredSize) {
  const DesktopMode desktop;
  ASSERT_EQ(GetSystemMetrics(SM_CXSCREEN), 1280) << "the display starts in its own mode";
  ScopedValue leave(SettingsKey, "LeaveRes"), width(SettingsKey, "Width"), height(SettingsKey, "Height"),
      depth(SettingsKey, "Bpp");
  leave.setDword(0);
  width.setDword(1024);
  height.setDword(768);
  depth.setDword(32);

  ChildProcess saver;
  HWND window = startSaver(saver, basic("/s"));
  ASSERT_NE(window, nullptr);
  RECT rect;
  GetWindowRect(window, &rect);
  EXPECT_EQ(rect.left, 0);
  EXPECT_EQ(rect.top, 0);
  EXPECT_EQ(rect.right, 1024);
  EXPECT_EQ(rect.bottom, 768);  // not the screen's 1280 x 1024 of a change that failed
  EXPECT_TRUE(saver.topWindows("#32770", 0).empty()) << "no error box";
  EXPECT_TRUE(picturesMove(window, StartTimeout)) << "the scene is drawn";
  send(window, WM_KEYDOWN, VK_SPACE);
  EXPECT_TRUE(endsWithCode(saver, 1));
}

}  // namespace
