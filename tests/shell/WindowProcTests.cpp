// Quit rules and the shutdown, checked on the framework itself inside the test process.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "shell/GLSaver.h"

namespace {

class RecordingSaver : public GLSaver {
 public:
  explicit RecordingSaver(SaverBuild build) : GLSaver(build) {}
  ~RecordingSaver() override {
    if (mainWindow()) DestroyWindow(mainWindow());
    // The shutdown posts a quit message to this thread; later tests must not see it.
    MSG msg;
    while (PeekMessageA(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) {
    }
  }
  bool buildScene() override { return true; }
  bool setupGL() override { return true; }
  void updateFrame() override { ++frames; }
  void renderFrame() override {}
  bool releaseGL() override { return true; }
  void releaseScene() override { ++releases; }

  LRESULT send(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) {
    return windowProc(mainWindow(), message, wParam, lParam);
  }

  int frames = 0;
  int releases = 0;
};

TEST(WindowProc, SecondDestroyDoesNotShutDownAgain) {
  RecordingSaver saver(SaverBuild::Basic);
  ASSERT_TRUE(saver.init(GetModuleHandleA(nullptr), "saver.scr /t"));
  saver.send(WM_DESTROY);
  saver.send(WM_DESTROY);
  EXPECT_TRUE(saver.isShutDown());
  EXPECT_EQ(saver.releases, 1);
}

TEST(WindowProc, WindowedBasicEndsOnTheSixthNewPosition) {
  RecordingSaver saver(SaverBuild::Basic);
  ASSERT_TRUE(saver.init(GetModuleHandleA(nullptr), "saver.scr /t"));
  saver.send(WM_LBUTTONDOWN);
  saver.send(WM_ACTIVATEAPP, FALSE);
  for (int i = 0; i < 5; ++i) saver.send(WM_MOUSEMOVE, 0, MAKELPARAM(500 + i, 31));
  saver.send(WM_MOUSEMOVE, 0, MAKELPARAM(504, 31));
  EXPECT_FALSE(saver.isShutDown());
  saver.send(WM_MOUSEMOVE, 0, MAKELPARAM(-3, -4));  // signed halves: off-screen moves count too
  EXPECT_TRUE(saver.isShutDown());
}

TEST(WindowProc, InteractiveWindowedRunIsFullScreenAndKeepsInputForItself) {
  RecordingSaver saver(SaverBuild::Interactive);
  ASSERT_TRUE(saver.init(GetModuleHandleA(nullptr), "saver.scr /t"));
  EXPECT_EQ(saver.mode(), FullScreen);
  saver.send(WM_KEYDOWN, VK_ESCAPE);
  saver.send(WM_MBUTTONDOWN);
  for (int i = 0; i < 8; ++i) saver.send(WM_MOUSEMOVE, 0, MAKELPARAM(600 + i, 9));
  EXPECT_FALSE(saver.isShutDown());
  saver.send(WM_POWERBROADCAST, PBT_APMSUSPEND);
  EXPECT_TRUE(saver.isShutDown());
}

TEST(WindowProc, FullScreenHidesTheCursorAndSwallowsSystemCommands) {
  RecordingSaver saver(SaverBuild::Basic);
  ASSERT_TRUE(saver.init(GetModuleHandleA(nullptr), "saver.scr /s"));
  EXPECT_EQ(saver.send(WM_SETCURSOR), TRUE);
  EXPECT_EQ(saver.send(WM_SYSCOMMAND, SC_CLOSE), 0);
  EXPECT_TRUE(IsWindow(saver.mainWindow()));
  EXPECT_FALSE(saver.isShutDown());
}

TEST(WindowProc, WindowedCloseBoxIsNotSwallowed) {
  RecordingSaver saver(SaverBuild::Basic);
  ASSERT_TRUE(saver.init(GetModuleHandleA(nullptr), "saver.scr /t"));
  saver.send(WM_SYSCOMMAND, SC_CLOSE);
  EXPECT_TRUE(saver.isShutDown());
}

TEST(WindowProc, PreviewDrawsNothingBeforeItsHalfSecondTimer) {
  HWND host = CreateWindowExA(0, "STATIC", "host", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 50, 50, 200, 150, nullptr,
                              nullptr, GetModuleHandleA(nullptr), nullptr);
  ASSERT_NE(host, nullptr);
  RecordingSaver saver(SaverBuild::Basic);
  const std::string line = "saver.scr /p " + std::to_string(reinterpret_cast<LONG_PTR>(host));
  const DWORD start = GetTickCount();
  ASSERT_TRUE(saver.init(GetModuleHandleA(nullptr), line.c_str()));
  // init returns only once the settling timer fired; no frame can have run before.
  EXPECT_GE(GetTickCount() - start, 450u);
  EXPECT_EQ(saver.frames, 0);
  EXPECT_EQ(saver.mode(), Preview);
  EXPECT_EQ(GetParent(saver.mainWindow()), host);
  saver.send(WM_KEYDOWN, 'K');
  saver.send(WM_LBUTTONDOWN);
  EXPECT_FALSE(saver.isShutDown());
  DestroyWindow(host);
  EXPECT_TRUE(saver.isShutDown());
}

TEST(WindowProc, ConfigureRunCreatesNoWindowAndReleasesTheScene) {
  RecordingSaver saver(SaverBuild::Basic);
  ASSERT_TRUE(saver.init(GetModuleHandleA(nullptr), "saver.scr /c:77"));
  EXPECT_EQ(saver.mode(), Configure);
  EXPECT_EQ(saver.windowNumber(), 77);
  EXPECT_EQ(saver.mainWindow(), nullptr);
  EXPECT_TRUE(saver.run());
  EXPECT_EQ(saver.releases, 1);
}

}  // namespace
