// The saver on a display of 144 DPI (Wine's LogPixels): the scene at the screen's real resolution,
// the dialogs' pictures grown with their text; the CD menu grown as a whole.
#include <windows.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "launcher/resource.h"
#include "tests/support/SaverDriver.h"
#include "tests/support/ScreenCapture.h"
#include "tests/support/TestEnvironment.h"

namespace {

using namespace savertest;

TEST(HighDpi, TheDisplayReallyHas144Dpi) {
  HDC screen = GetDC(nullptr);
  EXPECT_EQ(GetDeviceCaps(screen, LOGPIXELSX), 144);
  ReleaseDC(nullptr, screen);
}

// The manifest Windows reads before the program runs (Wine applies none of it).
std::string manifestOf(const std::string& program) {
  HMODULE module = LoadLibraryExA(program.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
  if (!module) return {};
  std::string text;
  if (HRSRC found = FindResourceA(module, MAKEINTRESOURCEA(1), MAKEINTRESOURCEA(24))) {
    const char* bytes = static_cast<const char*>(LockResource(LoadResource(module, found)));
    if (bytes) text.assign(bytes, SizeofResource(module, found));
  }
  FreeLibrary(module);
  return text;
}

TEST(HighDpi, TheSaverDeclaresItselfAwareOfEachMonitorsDpi) {
  const std::string manifest = manifestOf(testenv::buildFolder() + "reefsaver-basic.scr");
  // The list form: builds before 1703 skip the v2 they do not know and take per-monitor v1.
  EXPECT_NE(manifest.find(">PerMonitorV2, PerMonitor</dpiAwareness>"), std::string::npos) << manifest;
  EXPECT_NE(manifest.find(">true</dpiAware>"), std::string::npos) << "system-aware before Windows 10";
}

TEST(HighDpi, FullScreenSceneCoversEveryDevicePixel) {
  ChildProcess saver;
  ASSERT_TRUE(saver.start(basic("/s"), testenv::buildFolder()));
  const auto windows = saver.topWindows(SaverWindowClass, StartTimeout);
  ASSERT_FALSE(windows.empty());
  HWND window = windows.front();
  RECT rect;
  GetWindowRect(window, &rect);
  const int width = GetSystemMetrics(SM_CXSCREEN);
  const int height = GetSystemMetrics(SM_CYSCREEN);
  EXPECT_EQ(rect.left, 0);
  EXPECT_EQ(rect.top, 0);
  EXPECT_EQ(rect.right, width);
  EXPECT_EQ(rect.bottom, height);
  // The drawing fills the window to its far corner: the viewport is the whole client area.
  const RECT corner = {width * 3 / 4, height * 3 / 4, width, height};
  EXPECT_TRUE(waitUntil(
      [&] {
        return captureScreen(corner).brightFraction(RECT{0, 0, width / 4, height / 4}, 48) > 0.9;
      },
      StartTimeout));
  captureScreen(RECT{0, 0, width, height}).saveBmp(testenv::artifactFolder("high-dpi") + "full-screen.bmp");
  PostMessageA(window, WM_KEYDOWN, VK_SPACE, 0);
  DWORD code = 0;
  EXPECT_TRUE(saver.waitForExit(15000, &code));
  EXPECT_EQ(code, 1u);
}

BOOL CALLBACK collectPictures(HWND window, LPARAM param) {
  char className[16] = {};
  GetClassNameA(window, className, sizeof(className));
  if (lstrcmpiA(className, "Static") == 0 && (GetWindowLongA(window, GWL_STYLE) & SS_TYPEMASK) == SS_BITMAP) {
    reinterpret_cast<std::vector<HWND>*>(param)->push_back(window);
  }
  return TRUE;
}

TEST(HighDpi, SettingsPicturesGrowWithTheirText) {
  ChildProcess saver;
  ASSERT_TRUE(saver.start(basic("/c"), testenv::buildFolder()));
  const auto dialogs = saver.topWindows("#32770", StartTimeout);
  ASSERT_FALSE(dialogs.empty());
  HWND dialog = dialogs.front();
  // The dialog shows itself once every page is set up.
  EXPECT_TRUE(waitUntil([&] { return IsWindowVisible(dialog) != FALSE; }, StartTimeout));
  std::vector<HWND> pictures;
  EnumChildWindows(dialog, collectPictures, reinterpret_cast<LPARAM>(&pictures));
  // The eleven kind pictures are 64 x 32 pixels at 96 DPI; the intro picture is larger. A picture
  // control takes the size of its bitmap.
  int kindPictures = 0;
  for (HWND picture : pictures) {
    RECT rect;
    GetWindowRect(picture, &rect);
    if (rect.right - rect.left < 150) {
      ++kindPictures;
      EXPECT_EQ(rect.right - rect.left, 96);
      EXPECT_EQ(rect.bottom - rect.top, 48);
    }
  }
  EXPECT_EQ(kindPictures, 11);
  captureWindowClient(dialog).saveBmp(testenv::artifactFolder("high-dpi") + "settings.bmp");
  PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
  DWORD code = 0;
  EXPECT_TRUE(saver.waitForExit(15000, &code));
}

}  // namespace

// The CD menu, system-aware, lays its 640 x 480 picture, buttons and bar out grown with the DPI.
TEST(HighDpi, TheMenuGrowsItsLayoutWithTheDpi) {
  const std::string cd = testenv::buildFolder() + "release\\cd\\";
  const std::string manifest = manifestOf(cd + "KvSetupX.exe");
  EXPECT_NE(manifest.find(">true</dpiAware>"), std::string::npos) << manifest;
  EXPECT_NE(manifest.find("Microsoft.Windows.Common-Controls"), std::string::npos) << manifest;

  ChildProcess menu;
  ASSERT_TRUE(menu.start("\"" + cd + "KvSetupX.exe\"", cd));
  HWND window = nullptr;
  EXPECT_TRUE(waitUntil(
      [&] {
        for (HWND found : menu.topWindows("#32770", 0)) {
          char title[32] = {};
          GetWindowTextA(found, title, sizeof title);
          if (std::string(title) == "Orvane Setup" && IsWindowVisible(found)) window = found;
        }
        return window != nullptr;
      },
      StartTimeout));
  ASSERT_NE(window, nullptr);
  RECT client;
  GetClientRect(window, &client);
  EXPECT_EQ(client.right, 960);
  EXPECT_EQ(client.bottom, 720);
  HWND exit = GetDlgItem(window, IDC_EXIT);
  RECT exitRect;
  GetWindowRect(exit, &exitRect);
  MapWindowPoints(nullptr, window, reinterpret_cast<POINT*>(&exitRect), 2);
  EXPECT_EQ(exitRect.left, 861);
  EXPECT_EQ(exitRect.top, 9);
  EXPECT_EQ(exitRect.right - exitRect.left, 84);
  // The picture, loaded once the window shows, fills the grown client area.
  RECT picture{};
  EXPECT_TRUE(waitUntil(
      [&] { return GetWindowRect(GetDlgItem(window, IDC_BACKGROUND), &picture) && picture.right > picture.left; },
      StartTimeout));
  EXPECT_EQ(picture.right - picture.left, 960);
  EXPECT_EQ(picture.bottom - picture.top, 720);
  PostMessageA(window, WM_COMMAND, MAKEWPARAM(IDC_EXIT, BN_CLICKED), reinterpret_cast<LPARAM>(exit));
  EXPECT_TRUE(menu.waitForExit(20000));
}
