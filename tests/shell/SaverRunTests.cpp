// End-to-end runs of the real deliverables under Wine, driven from outside with window messages.
#include <windows.h>
#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "tests/support/SaverDriver.h"
#include "tests/support/ScreenCapture.h"
#include "tests/support/TestEnvironment.h"

namespace {

using namespace savertest;

bool isFullScreenPopup(HWND window) {
  RECT rect;
  GetWindowRect(window, &rect);
  const LONG style = GetWindowLongA(window, GWL_STYLE);
  const LONG exStyle = GetWindowLongA(window, GWL_EXSTYLE);
  return (style & WS_POPUP) && (exStyle & WS_EX_TOPMOST) && rect.left == 0 && rect.top == 0 &&
         rect.right == GetSystemMetrics(SM_CXSCREEN) && rect.bottom == GetSystemMetrics(SM_CYSCREEN);
}

TEST(BasicSaverRun, NoArgumentsOpensTheSettingsDialogWithoutSaverWindow) {
  for (const char* switches : {"", "/c", "/c:1234"}) {
    ChildProcess saver;
    ASSERT_TRUE(saver.start(basic(switches), testenv::buildFolder()));
    const auto dialogs = saver.topWindows("#32770", StartTimeout);
    ASSERT_FALSE(dialogs.empty()) << switches;
    EXPECT_TRUE(saver.topWindows(SaverWindowClass, 0).empty()) << switches;
    PostMessageA(dialogs.front(), WM_COMMAND, IDCANCEL, 0);
    EXPECT_TRUE(endsWithCode(saver, 1)) << switches;
  }
}

// Centre of a window rectangle.
POINT centreOf(HWND window) {
  RECT rect;
  GetWindowRect(window, &rect);
  return {(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2};
}

TEST(BasicSaverRun, SettingsDialogOpensOverTheWindowThatAskedForIt) {
  HWND panel = CreateWindowExA(0, "STATIC", "display panel", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 420, 260, 500, 400,
                               nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
  ASSERT_NE(panel, nullptr);
  RECT work;
  SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
  const POINT workCentre = {(work.left + work.right) / 2, (work.top + work.bottom) / 2};
  const std::string number = std::to_string(reinterpret_cast<LONG_PTR>(panel));
  for (const std::string& switches : {"/c:" + number, std::string("/c")}) {
    ChildProcess saver;
    ASSERT_TRUE(saver.start(basic(switches), testenv::buildFolder()));
    // The saver sends messages to its owner while the dialog opens: this thread answers them.
    std::vector<HWND> dialogs;
    EXPECT_TRUE(waitUntil(
        [&] {
          pumpMessagesFor(20);
          dialogs = saver.topWindows("#32770", 0);
          return !dialogs.empty() && IsWindowVisible(dialogs.front());
        },
        StartTimeout));
    ASSERT_FALSE(dialogs.empty()) << switches;
    const bool owned = switches != "/c";
    EXPECT_EQ(GetWindow(dialogs.front(), GW_OWNER), owned ? panel : nullptr) << switches;
    const POINT centre = centreOf(dialogs.front());
    const POINT expected = owned ? centreOf(panel) : workCentre;
    EXPECT_NEAR(centre.x, expected.x, 2) << switches;
    EXPECT_NEAR(centre.y, expected.y, 2) << switches;
    PostMessageA(dialogs.front(), WM_COMMAND, IDCANCEL, 0);
    EXPECT_TRUE(waitUntil(
        [&] {
          pumpMessagesFor(20);
          return !saver.running();
        },
        EndTimeout))
        << switches;
  }
  DestroyWindow(panel);
}

TEST(BasicSaverRun, FailedStartEndsWithCodeZero) {
  // A preview for a window that does not exist cannot create its child window.
  ChildProcess saver;
  ASSERT_TRUE(saver.start(basic("/p 48879"), testenv::buildFolder()));
  EXPECT_TRUE(endsWithCode(saver, 0));
}

// Fraction of pixels in the area that show the white backdrop unchanged.
double backdropFraction(const Capture& shot, const RECT& area) {
  int white = 0;
  for (int y = area.top; y < area.bottom; ++y)
    for (int x = area.left; x < area.right; ++x) white += shot.at(x, y) == 0xFFFFFF;
  return static_cast<double>(white) / ((area.right - area.left) * (area.bottom - area.top));
}

TEST(BasicSaverRun, TestWindowShowsTheScene800x600NearTopLeft) {
  // A white window behind the saver proves the captured scene comes from the saver.
  HWND backdrop = CreateWindowExA(0, "STATIC", "", WS_POPUP | WS_VISIBLE | SS_WHITERECT, 0, 0, 1000, 800, nullptr,
                                  nullptr, GetModuleHandleA(nullptr), nullptr);
  ASSERT_NE(backdrop, nullptr);
  EXPECT_TRUE(waitUntil(
      [&] {
        pumpMessagesFor(20);
        return backdropFraction(captureScreen(RECT{0, 0, 1000, 800}), RECT{0, 0, 1000, 800}) > 0.99;
      },
      StartTimeout))
      << "the backdrop is painted";

  ChildProcess saver;
  HWND window = startSaver(saver, basic("/t"));
  ASSERT_NE(window, nullptr);
  RECT client;
  GetClientRect(window, &client);
  EXPECT_EQ(client.right, 800);
  EXPECT_EQ(client.bottom, 600);
  POINT origin = {0, 0};
  ClientToScreen(window, &origin);
  EXPECT_NEAR(origin.x, 20, 8);
  EXPECT_NEAR(origin.y, 20, 40);

  EXPECT_TRUE(picturesMove(window, StartTimeout)) << "the scene is drawn";
  const Capture shot = captureScreen(RECT{0, 0, 1000, 800});
  shot.saveBmp(testenv::artifactFolder("shell") + "test-window.bmp");
  const RECT saverArea = {origin.x + 2, origin.y + 2, origin.x + 798, origin.y + 598};
  EXPECT_LT(backdropFraction(shot, saverArea), 0.01);
  EXPECT_GT(shot.brightFraction(saverArea, 48), 0.9);
  EXPECT_GT(backdropFraction(shot, RECT{900, 700, 1000, 800}), 0.99);

  send(window, WM_KEYDOWN, VK_SPACE);
  EXPECT_TRUE(endsWithCode(saver, 1));
  DestroyWindow(backdrop);
}

TEST(BasicSaverRun, TestWindowIgnoresButtonsAndDeactivationButNotKeys) {
  ChildProcess saver;
  HWND window = startSaver(saver, basic("/t"));
  ASSERT_NE(window, nullptr);
  send(window, WM_LBUTTONDOWN);
  send(window, WM_RBUTTONDOWN);
  send(window, WM_MBUTTONDOWN);
  send(window, WM_ACTIVATEAPP, FALSE);
  EXPECT_TRUE(stillRunning(saver, window));
  send(window, WM_KEYDOWN, 'A');
  EXPECT_TRUE(endsWithCode(saver, 1));
}

TEST(BasicSaverRun, FullScreenIsTopmostPopupOfScreenSize) {
  ChildProcess saver;
  HWND window = startSaver(saver, basic("/s"));
  ASSERT_NE(window, nullptr);
  EXPECT_TRUE(isFullScreenPopup(window));
  send(window, WM_LBUTTONDOWN);
  EXPECT_TRUE(endsWithCode(saver, 1));
}

TEST(BasicSaverRun, FullScreenToleratesFiveMovesAndEndsOnTheSixth) {
  ChildProcess saver;
  HWND window = startSaver(saver, basic("/s"));
  ASSERT_NE(window, nullptr);
  POINT pointer;
  GetCursorPos(&pointer);
  movePointer(window, pointer.x, pointer.y);  // move 1, whether or not Wine reported it already
  for (int i = 0; i < 4; ++i) movePointer(window, 100 + 10 * i, 200);
  movePointer(window, 130, 200);  // the same place again does not count
  EXPECT_TRUE(stillRunning(saver, window));
  movePointer(window, 300, 200);
  EXPECT_TRUE(endsWithCode(saver, 1));
}

TEST(BasicSaverRun, FullScreenEndsOnKeyButtonOrDeactivation) {
  const struct {
    UINT message;
    WPARAM wParam;
  } endings[] = {{WM_KEYDOWN, VK_SHIFT}, {WM_RBUTTONDOWN, 0}, {WM_MBUTTONDOWN, 0}, {WM_ACTIVATEAPP, FALSE}};
  for (const auto& ending : endings) {
    ChildProcess saver;
    HWND window = startSaver(saver, basic("/s"));
    ASSERT_NE(window, nullptr);
    send(window, ending.message, ending.wParam);
    EXPECT_TRUE(endsWithCode(saver, 1)) << "message " << ending.message;
  }
}

TEST(BasicSaverRun, FullScreenSwallowsWindowSwitchingAndClose) {
  ChildProcess saver;
  HWND window = startSaver(saver, basic("/s"));
  ASSERT_NE(window, nullptr);
  for (WPARAM command : {SC_NEXTWINDOW, SC_PREVWINDOW, SC_CLOSE, SC_SCREENSAVE}) send(window, WM_SYSCOMMAND, command);
  EXPECT_TRUE(stillRunning(saver, window));
  EXPECT_TRUE(IsWindow(window));
  send(window, WM_KEYDOWN, VK_ESCAPE);
  EXPECT_TRUE(endsWithCode(saver, 1));
}

// The Display control panel hosts a preview in a child window of its dialog, 152 x 112, and
// destroys it when the dialog closes or another saver is chosen.
TEST(BasicSaverRun, PreviewFillsTheGivenWindowAndEndsSoonAfterItGoes) {
  HWND dialog = previewHost();
  ASSERT_NE(dialog, nullptr);
  HWND parent = CreateWindowExA(0, "STATIC", "", WS_CHILD | WS_VISIBLE, 16, 16, 152, 112, dialog, nullptr,
                                GetModuleHandleA(nullptr), nullptr);
  ASSERT_NE(parent, nullptr);
  ChildProcess saver;
  ASSERT_TRUE(saver.start(basic(previewSwitch(parent)), testenv::buildFolder()));
  HWND child = previewWindowIn(parent);
  ASSERT_NE(child, nullptr);
  // What it draws there cannot be captured: Wine shows no OpenGL picture in a window of another
  // process. The child window filling the host is what the build decides.
  RECT parentClient, childRect;
  GetClientRect(parent, &parentClient);
  GetClientRect(child, &childRect);
  EXPECT_EQ(childRect.right, parentClient.right);
  EXPECT_EQ(childRect.bottom, parentClient.bottom);
  // It ends when its window goes (that no input ends it, the window procedure tests show), once it
  // runs: a host that goes while the preview still settles (idle, half a second) ends it quietly,
  // with code 0. It runs once it works again: it loads its scene after the settling.
  const double settling = saver.cpuSeconds();
  EXPECT_TRUE(waitUntil(
      [&] {
        pumpMessagesFor(20);  // the preview's window sends its host messages as it starts
        return saver.cpuSeconds() > settling + 0.2;
      },
      StartTimeout));
  // Within a second of its host (a top-level host under Wine without a window manager takes two
  // seconds to hide before its children go, which is the host's time, not the saver's).
  const DWORD gone = GetTickCount();
  DestroyWindow(parent);
  EXPECT_TRUE(saver.waitForExit(1000)) << "still running a second after its host went";
  std::printf("the preview ended %lu ms after its host went\n", GetTickCount() - gone);
  EXPECT_TRUE(endsWithCode(saver, 1));
  DestroyWindow(dialog);
}

TEST(InteractiveSaverRun, EveryCommandLineGoesFullScreen) {
  for (const char* switches : {"", "/c", "/t", "/p 1234"}) {
    ChildProcess saver;
    HWND window = startSaver(saver, interactive(switches));
    ASSERT_NE(window, nullptr) << switches;
    EXPECT_TRUE(isFullScreenPopup(window)) << switches;
    send(window, WM_ACTIVATEAPP, FALSE);
    EXPECT_TRUE(endsWithCode(saver, 1)) << switches;
  }
}

TEST(InteractiveSaverRun, AQuickTapOfEscapeEndsIt) {
  ChildProcess saver;
  HWND window = startSaver(saver, interactive("/s"));
  ASSERT_NE(window, nullptr);
  // Both arrive before the next frame looks at the keys, as a tap between two frames does.
  PostMessageA(window, WM_KEYDOWN, VK_ESCAPE, 0);
  PostMessageA(window, WM_KEYUP, VK_ESCAPE, 0xC0000001);
  EXPECT_TRUE(endsWithCode(saver, 1));
}

TEST(InteractiveSaverRun, PointerNearAnEdgeGoesBackToTheMiddleOfTheScreen) {
  ChildProcess saver;
  HWND window = startSaver(saver, interactive("/s"));
  ASSERT_NE(window, nullptr);
  const POINT middle = {GetSystemMetrics(SM_CXSCREEN) / 2, GetSystemMetrics(SM_CYSCREEN) / 2};
  SetCursorPos(4, 4);
  POINT at = {};
  EXPECT_TRUE(waitUntil([&] { return GetCursorPos(&at) && at.x == middle.x && at.y == middle.y; }, StartTimeout))
      << "pointer at " << at.x << ", " << at.y;
  send(window, WM_ACTIVATEAPP, FALSE);
  EXPECT_TRUE(endsWithCode(saver, 1));
}

TEST(InteractiveSaverRun, IgnoresKeysButtonsAndMoves) {
  ChildProcess saver;
  HWND window = startSaver(saver, interactive("/s"));
  ASSERT_NE(window, nullptr);
  send(window, WM_KEYDOWN, 'A');
  send(window, WM_LBUTTONDOWN);
  send(window, WM_RBUTTONDOWN);
  for (int i = 0; i < 10; ++i) send(window, WM_MOUSEMOVE, 0, MAKELPARAM(300 + i, 7));
  EXPECT_TRUE(stillRunning(saver, window));
  send(window, WM_ACTIVATEAPP, FALSE);
  EXPECT_TRUE(endsWithCode(saver, 1));
}

}  // namespace
