// Secondary monitors, on an X server with two screens joined by Xinerama (its own Wine prefix):
// only the basic build covers the second screen, and only when ShadeScecondary asks for it.
#include <windows.h>
#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "tests/password/SaverFixture.h"
#include "tests/support/TestEnvironment.h"

namespace {

using namespace savertest;

const char* const SettingsKey = "Software\\Reefsaver\\Reefglass";

int attachedAdapters() {
  int count = 0;
  for (DWORD i = 0;; ++i) {
    DISPLAY_DEVICEA device = {};
    device.cb = sizeof(device);
    if (!EnumDisplayDevicesA(nullptr, i, &device, 0)) break;
    if (device.StateFlags & DISPLAY_DEVICE_ATTACHED_TO_DESKTOP) ++count;
  }
  return count;
}

// Runs a saver full screen until its frame pump answers, then returns its top-level saver windows.
// The main window is the first one, made long before the covering windows.
std::vector<HWND> windowsOfRunningSaver(ChildProcess& saver, const std::string& commandLine, HWND* mainWindow) {
  HWND window = startSaver(saver, commandLine);
  *mainWindow = window;
  if (!window) return {};
  // The pump only answers once the covering windows would have been made and the scene is built.
  send(window, WM_NULL);
  return saverWindows(saver, 1, 0);
}

class TwoScreens : public ::testing::Test {
 protected:
  TwoScreens() : shade_(SettingsKey, "ShadeScecondary") {}
  void SetUp() override { ASSERT_EQ(attachedAdapters(), 2) << "the X server does not show two screens to Wine"; }

  ScopedValue shade_;
};

TEST_F(TwoScreens, BasicBuildCoversTheSecondScreenWithABlackTopmostWindow) {
  shade_.setDword(1);
  ChildProcess saver;
  HWND main = nullptr;
  const auto windows = windowsOfRunningSaver(saver, basic("/s"), &main);
  ASSERT_EQ(windows.size(), 2u);
  int covering = 0;
  for (HWND window : windows) {
    if (window == main) continue;
    ++covering;
    RECT rect;
    GetWindowRect(window, &rect);
    std::printf("covering window at %ld,%ld %ldx%ld\n", rect.left, rect.top, rect.right - rect.left,
                rect.bottom - rect.top);
    EXPECT_TRUE(GetWindowLongA(window, GWL_EXSTYLE) & WS_EX_TOPMOST);
    EXPECT_TRUE(GetWindowLongA(window, GWL_STYLE) & WS_POPUP);
    EXPECT_TRUE(IsWindowVisible(window));
    EXPECT_EQ(GetParent(window), nullptr);
    // Wine on this X server gives the second screen no mode of its own (an empty rectangle); its
    // covering window must then stay off the screen the scene is drawn on.
    RECT mainRect, overlap;
    GetWindowRect(main, &mainRect);
    EXPECT_FALSE(IntersectRect(&overlap, &rect, &mainRect));
  }
  const POINT centre = {GetSystemMetrics(SM_CXSCREEN) / 2, GetSystemMetrics(SM_CYSCREEN) / 2};
  EXPECT_EQ(WindowFromPoint(centre), main);
  EXPECT_EQ(covering, 1);
  send(main, WM_KEYDOWN, 'A');
  EXPECT_TRUE(endsWithCode(saver, 1));
}

TEST_F(TwoScreens, NoCoveringWithoutTheSettingOrInTheInteractiveBuild) {
  shade_.setDword(0);
  {
    ChildProcess saver;
    HWND main = nullptr;
    const auto windows = windowsOfRunningSaver(saver, basic("/s"), &main);
    EXPECT_EQ(windows.size(), 1u);
    send(main, WM_KEYDOWN, 'A');
    EXPECT_TRUE(endsWithCode(saver, 1));
  }
  shade_.setDword(1);
  ChildProcess saver;
  HWND main = nullptr;
  const auto windows = windowsOfRunningSaver(saver, interactive(""), &main);
  EXPECT_EQ(windows.size(), 1u);
  send(main, WM_ACTIVATEAPP, FALSE);
  EXPECT_TRUE(endsWithCode(saver, 1));
  // The interactive build only switched the setting off for its own run.
  HKEY key = nullptr;
  DWORD value = 0, size = sizeof(value);
  ASSERT_EQ(RegOpenKeyExA(HKEY_CURRENT_USER, SettingsKey, 0, KEY_READ, &key), ERROR_SUCCESS);
  RegQueryValueExA(key, "ShadeScecondary", nullptr, nullptr, reinterpret_cast<BYTE*>(&value), &size);
  RegCloseKey(key);
  EXPECT_EQ(value, 1u);
}

}  // namespace
