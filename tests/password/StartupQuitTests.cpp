// A quit attempt that arrives while the scene is still being built (drivers may handle sent
// messages while they start) must not release the scene under the builder.
#include <windows.h>
#include <gtest/gtest.h>

#include "shell/GLSaver.h"

namespace {

class QuitDuringBuild : public GLSaver {
 public:
  explicit QuitDuringBuild(SaverBuild build) : GLSaver(build, textkeys::Language::Dutch) {}
  ~QuitDuringBuild() override {
    if (mainWindow()) DestroyWindow(mainWindow());
    MSG msg;
    while (PeekMessageA(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) {
    }
  }
  bool buildScene() override {
    windowProc(mainWindow(), quitMessage, quitWParam, 0);
    releasedWhileBuilding = releases > 0;
    return true;
  }
  bool setupGL() override { return true; }
  void updateFrame() override { ++frames; }
  void renderFrame(int) override {}
  bool releaseGL() override { return true; }
  void releaseScene() override { ++releases; }
  void runToTheEnd() { runGL(); }

  UINT quitMessage = WM_KEYDOWN;
  WPARAM quitWParam = 'A';
  bool releasedWhileBuilding = false;
  int frames = 0;
  int releases = 0;
};

TEST(QuitDuringBuild, ShutdownWaitsUntilTheSceneIsBuiltAndNoFrameIsDrawn) {
  const struct {
    SaverBuild build;
    const char* commandLine;
    UINT message;
    WPARAM wParam;
  } cases[] = {{SaverBuild::Basic, "saver.scr /s", WM_KEYDOWN, 'A'},
               {SaverBuild::Basic, "saver.scr /t", WM_DESTROY, 0},
               {SaverBuild::Interactive, "saver.exe", WM_ACTIVATEAPP, FALSE}};
  for (const auto& c : cases) {
    QuitDuringBuild saver(c.build);
    saver.quitMessage = c.message;
    saver.quitWParam = c.wParam;
    ASSERT_TRUE(saver.init(GetModuleHandleA(nullptr), c.commandLine)) << c.commandLine;
    saver.runToTheEnd();
    EXPECT_FALSE(saver.releasedWhileBuilding) << c.commandLine;
    EXPECT_TRUE(saver.isShutDown()) << c.commandLine;
    EXPECT_EQ(saver.releases, 1) << c.commandLine;
    EXPECT_EQ(saver.frames, 0) << c.commandLine;
  }
}

}  // namespace
