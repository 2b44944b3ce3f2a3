// Both deliverables with the generated data folder, run for real under Wine.
#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <string>

#include "tests/support/ChildProcess.h"
#include "tests/support/ScreenCapture.h"
#include "tests/support/TestEnvironment.h"

namespace {

const char* const LoaderDiagnostics[] = {"Texture::loadBMP SDL_LoadBMP", "QModel::loadMD3 fopen",
                                         "Could not load height map", "BytesPerPixel != 1", "frame >= NumFrames"};

struct Mean {
  double r = 0, g = 0, b = 0;
  double brightness() const { return (r + g + b) / 3.0; }
};

Mean meanColour(const Capture& shot, int top, int bottom) {
  Mean m;
  long n = 0;
  for (int y = top; y < bottom; ++y) {
    for (int x = 0; x < shot.width; ++x) {
      const uint32_t p = shot.at(x, y);
      m.r += red(p);
      m.g += green(p);
      m.b += blue(p);
      ++n;
    }
  }
  if (n) m.r /= n, m.g /= n, m.b /= n;
  return m;
}

// Upper part: sky or water, blue-dominant and light; lower part: the lit floor through the water.
void expectSeaScene(const Capture& shot, const std::string& name) {
  shot.saveBmp(testenv::artifactFolder("scene") + name + ".bmp");
  const Mean upper = meanColour(shot, 0, shot.height / 4);
  const Mean lower = meanColour(shot, shot.height * 3 / 5, shot.height);
  EXPECT_GT(upper.b, upper.r) << name;
  EXPECT_GT(upper.brightness(), 90.0) << name;
  EXPECT_GT(lower.brightness(), 70.0) << name;
  EXPECT_GT(lower.g, lower.r * 0.9) << name;  // seen through the turquoise water
}

void expectNoLoaderDiagnostic(const std::string& output) {
  for (const char* diagnostic : LoaderDiagnostics) {
    EXPECT_EQ(output.find(diagnostic), std::string::npos) << diagnostic << "\n" << output;
  }
}

TEST(SceneRun, BasicTestWindowShowsTheSea) {
  const std::string output = testenv::scratchFolder("scene-run-basic") + "stdout.txt";
  ChildProcess saver;
  ASSERT_TRUE(saver.start("\"" + testenv::buildFolder() + "reefsaver-basic.scr\" /t", testenv::buildFolder(), output));
  const auto windows = saver.topWindows("GLSaverWndClass", 20000);
  ASSERT_FALSE(windows.empty());
  pumpMessagesFor(4000);
  expectSeaScene(captureWindowClient(windows.front()), "reefsaver-basic-t");
  PostMessageA(windows.front(), WM_KEYDOWN, VK_SPACE, 0);
  DWORD code = 0;
  EXPECT_TRUE(saver.waitForExit(15000, &code));
  EXPECT_EQ(code, 1u);
  expectNoLoaderDiagnostic(testenv::readFile(output));
}

TEST(SceneRun, InteractiveBuildShowsTheSeaFullScreenAndEndsOnEscape) {
  const std::string output = testenv::scratchFolder("scene-run-interactive") + "stdout.txt";
  ChildProcess saver;
  ASSERT_TRUE(saver.start("\"" + testenv::buildFolder() + "reefsaver.exe\"", testenv::buildFolder(), output));
  const auto windows = saver.topWindows("GLSaverWndClass", 20000);
  ASSERT_FALSE(windows.empty());
  pumpMessagesFor(4000);
  expectSeaScene(captureWindowClient(windows.front()), "reefsaver");
  PostMessageA(windows.front(), WM_KEYDOWN, VK_ESCAPE, 0);
  DWORD code = 0;
  EXPECT_TRUE(saver.waitForExit(15000, &code));
  EXPECT_EQ(code, 1u);
  expectNoLoaderDiagnostic(testenv::readFile(output));
}

}  // namespace
