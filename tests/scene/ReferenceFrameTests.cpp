// The picture stays the same: both builds' scenes, driven through the same clock and random
// seed, are compared at fixed times with frames kept in tests/scene/reference/ (800 x 600, every
// pixel: a line one pixel wide must show), and the basic build once more as a driver without
// multitexture draws it ("single-texture"); the interactive build's expanded help in German and
// French once ("help-DE", "help-FR"). Speed work must pass this; a change that fails it
// changed the picture.
//
// REEF_WRITE_REFERENCE=1 in the environment writes the frames instead of comparing (only after a
// change that is meant to alter the picture).
#include <windows.h>
#include <gtest/gtest.h>

#include <GL/gl.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <iterator>
#include <string>
#include <vector>

#include "render/Texture.h"
#include "tests/scene/SceneTestSupport.h"
#include "tests/support/TestEnvironment.h"

using scenetest::DrivenScene;

namespace {

constexpr int Width = 800;
constexpr int Height = 600;
constexpr int FrameStep = 50;  // ms of the driven clock per frame
// Milliseconds after the scene is built: the help line, the automatic tilt on its way up, the
// view at its top rest, and later frames with the school and the patrol far along.
constexpr int Times[] = {1000, 6000, 13000, 24000, 40000};

using Picture = std::vector<unsigned char>;  // Width x Height RGB, top row first

bool writing() {
  const char* value = std::getenv("REEF_WRITE_REFERENCE");
  return value && *value && std::string(value) != "0";
}

std::string referencePath(const char* build, int time) {
  char name[64];
  std::snprintf(name, sizeof(name), "%s-%05d.ppm", build, time);
  return testenv::sourceFolder() + "tests\\scene\\reference\\" + name;
}

std::string ppmHeader() { return "P6\n" + std::to_string(Width) + " " + std::to_string(Height) + "\n255\n"; }

// Only files of exactly our header and size are taken.
bool readPicture(const std::string& path, Picture& picture) {
  const std::string bytes = testenv::readFile(path);
  const std::string header = ppmHeader();
  const size_t size = static_cast<size_t>(Width) * Height * 3;
  if (bytes.size() != header.size() + size || bytes.compare(0, header.size(), header) != 0) return false;
  picture.assign(bytes.begin() + static_cast<std::ptrdiff_t>(header.size()), bytes.end());
  return true;
}

bool writePicture(const std::string& path, const Picture& picture) {
  return testenv::writeFile(path, ppmHeader() + std::string(picture.begin(), picture.end()));
}

// The back buffer of the frame just drawn.
Picture grabFrame() {
  std::vector<unsigned char> rgba(static_cast<size_t>(Width) * Height * 4);
  glReadBuffer(GL_BACK);
  glPixelStorei(GL_PACK_ALIGNMENT, 1);
  glReadPixels(0, 0, Width, Height, GL_RGBA, GL_UNSIGNED_BYTE, rgba.data());
  Picture picture(static_cast<size_t>(Width) * Height * 3);
  for (int y = 0; y < Height; ++y) {
    const int row = Height - 1 - y;  // GL rows run bottom up
    for (int x = 0; x < Width; ++x) {
      for (int c = 0; c < 3; ++c)
        picture[(static_cast<size_t>(y) * Width + x) * 3 + c] = rgba[(static_cast<size_t>(row) * Width + x) * 4 + c];
    }
  }
  return picture;
}

constexpr int Strong = 24;      // a difference of a channel that shows
constexpr int LineSpan = 32;    // pixels of a row or column looked at together
constexpr int LinePixels = 12;  // strongly different pixels among them that make a line

struct Difference {
  double meanPerChannel[3] = {};
  int percentile99 = 0;
  int line = 0;  // the most strongly different pixels in LineSpan of one row or column
};

// The most pixels marked in any LineSpan consecutive ones along a row (step 1) or a column (step
// Width) of `marked`.
int densestRun(const std::vector<unsigned char>& marked, int first, int step, int count) {
  int inWindow = 0, most = 0;
  for (int i = 0; i < count; ++i) {
    inWindow += marked[static_cast<size_t>(first + i * step)];
    if (i >= LineSpan) inWindow -= marked[static_cast<size_t>(first + (i - LineSpan) * step)];
    most = std::max(most, inWindow);
  }
  return most;
}

Difference compare(const Picture& a, const Picture& b) {
  Difference result;
  std::vector<int> all(a.size());
  std::vector<unsigned char> strong(a.size() / 3);
  double sums[3] = {};
  for (size_t i = 0; i < a.size(); ++i) {
    all[i] = std::abs(static_cast<int>(a[i]) - static_cast<int>(b[i]));
    sums[i % 3] += all[i];
    if (all[i] > Strong) strong[i / 3] = 1;
  }
  const double pixels = static_cast<double>(a.size() / 3);
  for (int c = 0; c < 3; ++c) result.meanPerChannel[c] = sums[c] / pixels;
  for (int y = 0; y < Height; ++y) result.line = std::max(result.line, densestRun(strong, y * Width, 1, Width));
  for (int x = 0; x < Width; ++x) result.line = std::max(result.line, densestRun(strong, x, Width, Height));
  const size_t at = all.size() * 99 / 100;
  std::nth_element(all.begin(), all.begin() + static_cast<std::ptrdiff_t>(at), all.end());
  result.percentile99 = all[at];
  return result;
}

bool alike(const Difference& d) {
  return d.meanPerChannel[0] <= 2.0 && d.meanPerChannel[1] <= 2.0 && d.meanPerChannel[2] <= 2.0 &&
         d.percentile99 <= Strong && d.line < LinePixels;
}

const std::vector<int> AllTimes(std::begin(Times), std::end(Times));

// Runs the scene frame by frame and calls atTime with each of the times while the back buffer
// holds that time's frame.
void atEachTime(DrivenScene& scene, const std::vector<int>& times, const std::function<void(int)>& atTime) {
  ASSERT_TRUE(scene.ready());
  ASSERT_EQ(scene.app().width(), Width);
  ASSERT_EQ(scene.app().height(), Height);
  int elapsed = 0;
  for (const int time : times) {
    // The last frame before the picture is drawn again, so the back buffer holds it.
    while (elapsed + FrameStep < time) {
      scene.frame(FrameStep);
      elapsed += FrameStep;
    }
    scene.clock().advance(static_cast<uint32_t>(time - elapsed));
    elapsed = time;
    scene.app().updateFrame();
    scene.app().renderFrame(0);
    glFinish();
    atTime(time);
    SwapBuffers(GetDC(scene.app().mainWindow()));
    scene.app().afterFrame();
  }
}

// Checks (or writes) the frame at each of the times.
void checkScene(DrivenScene& scene, const char* build, const std::vector<int>& times = AllTimes) {
  atEachTime(scene, times, [&](int time) {
    const Picture frame = grabFrame();
    const std::string path = referencePath(build, time);
    if (writing()) {
      ASSERT_TRUE(writePicture(path, frame)) << path;
      return;
    }
    Picture reference;
    ASSERT_TRUE(readPicture(path, reference)) << "no reference frame " << path;
    const Difference d = compare(frame, reference);
    const bool same = alike(d);
    EXPECT_TRUE(same) << build << " at " << time << " ms: mean difference per channel " << d.meanPerChannel[0] << ", "
                      << d.meanPerChannel[1] << ", " << d.meanPerChannel[2] << "; 99th percentile " << d.percentile99
                      << "; " << d.line << " of " << LineSpan << " pixels along a row or column";
    if (!same) {
      char name[64];
      std::snprintf(name, sizeof(name), "%s-%05d-now.ppm", build, time);
      writePicture(testenv::artifactFolder("reference-frames") + name, frame);
    }
  });
}

// Every pixel of the back buffer at each of the fixed times.
std::vector<std::vector<unsigned char>> fullFrames(DrivenScene& scene) {
  std::vector<std::vector<unsigned char>> frames;
  atEachTime(scene, AllTimes, [&](int) {
    std::vector<unsigned char> rgba(static_cast<size_t>(Width) * Height * 4);
    glReadBuffer(GL_BACK);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(0, 0, Width, Height, GL_RGBA, GL_UNSIGNED_BYTE, rgba.data());
    frames.push_back(std::move(rgba));
  });
  return frames;
}

// What the stored frames are for: a line one pixel wide, dashed like the one a repeated picture
// once drew over the rock's peak, fails the comparison; the same frame unchanged passes.
TEST(ReferenceFrames, AOnePixelDashedLineFails) {
  if (writing()) GTEST_SKIP() << "the frames are being written";
  Picture reference;
  ASSERT_TRUE(readPicture(referencePath("basic", Times[1]), reference));
  EXPECT_TRUE(alike(compare(reference, reference)));
  Picture lined = reference;
  for (int x = 100; x < 140; ++x) {
    if (x % 6 >= 3) continue;
    for (int c = 0; c < 3; ++c) lined[(static_cast<size_t>(120) * Width + x) * 3 + c] = 128;
  }
  const Difference d = compare(lined, reference);
  EXPECT_FALSE(alike(d)) << d.line;
  EXPECT_EQ(d.percentile99, 0) << "the line is too small to move the other measures";
}

// Sound stays off: whether a sound device opens must not change the random draws of the picture.
void quiet(SeaSceneApp& app) { app.settings().SoundOn = false; }

TEST(ReferenceFrames, BasicBuildInAPreviewOfTheScreensSize) {
  HWND host = scenetest::previewHost(Width, Height);
  ASSERT_NE(host, nullptr);
  {
    DrivenScene scene(SaverBuild::Basic, "reef.scr /p " + std::to_string(reinterpret_cast<LONG_PTR>(host)), quiet);
    checkScene(scene, "basic");
  }
  DestroyWindow(host);
}

TEST(ReferenceFrames, InteractiveBuildFullScreen) {
  DrivenScene scene(SaverBuild::Interactive, "reef.exe", quiet);
  checkScene(scene, "interactive");
}

// The expanded help of the interactive build in the languages whose letters go beyond ASCII (ü, é,
// è, à, É): every letter is drawn from the font, none skipped, over the scene of the first second.
TEST(ReferenceFrames, HelpLinesInGermanAndFrench) {
  for (const textkeys::Language language : {textkeys::Language::German, textkeys::Language::French}) {
    DrivenScene scene(SaverBuild::Interactive, "reef.exe", quiet, 1000000, language);
    ASSERT_TRUE(scene.ready());
    // Handled in the first frame: the help is expanded from then on.
    scene.key(WM_KEYDOWN, VK_F1);
    const std::string name = std::string("help-") + textkeys::sectionName(language);
    checkScene(scene, name.c_str(), {Times[0]});
    const TextObject& help = scene.app().overlay().helpLine();
    ASSERT_GT(help.lineCount(), 5);
    bool beyondAscii = false;
    for (int i = 0; i < help.lineCount(); ++i) {
      for (const unsigned char c : help.line(i)) beyondAscii |= c >= 0x80;
    }
    EXPECT_TRUE(beyondAscii) << name;
  }
}

// Most drivers of graphics cards answer our pixel format with a 24-bit depth buffer although it
// asks for none: the picture must be the one drawn without, within the rasteriser's rounding
// (llvmpipe's pipeline with a depth buffer moves some pixels by a step or two and a handful of
// edge pixels by more; a depth test at work hides thousands).
void expectNoPixelChangedByADepthBuffer(SaverBuild build, const std::string& commandLine) {
  std::vector<std::vector<unsigned char>> without, with;
  {
    DrivenScene scene(build, commandLine, quiet);
    without = fullFrames(scene);
  }
  {
    DrivenScene scene(build, commandLine, [](SeaSceneApp& app) {
      quiet(app);
      app.setDepthBits(24);
    });
    GLint depthBits = 0;
    glGetIntegerv(GL_DEPTH_BITS, &depthBits);
    ASSERT_GE(depthBits, 24) << "the driver gave no depth buffer";
    with = fullFrames(scene);
  }
  ASSERT_EQ(with.size(), without.size());
  for (size_t k = 0; k < with.size(); ++k) {
    size_t differing = 0;
    for (size_t i = 0; i < with[k].size(); i += 4) {
      for (int c = 0; c < 3; ++c) {
        if (std::abs(with[k][i + c] - without[k][i + c]) > 2) {
          ++differing;
          break;
        }
      }
    }
    EXPECT_LT(differing, static_cast<size_t>(Width * Height / 10000))
        << commandLine << ": pixels that differ at " << Times[k] << " ms";
  }
}

TEST(ReferenceFrames, ADepthBufferChangesNoPixel) {
  HWND host = scenetest::previewHost(Width, Height);
  ASSERT_NE(host, nullptr);
  expectNoPixelChangedByADepthBuffer(SaverBuild::Basic,
                                     "reef.scr /p " + std::to_string(reinterpret_cast<LONG_PTR>(host)));
  DestroyWindow(host);
  expectNoPixelChangedByADepthBuffer(SaverBuild::Interactive, "reef.exe");
}

// Microsoft's software OpenGL 1.1, all that Remote Desktop sessions and many virtual machines
// have, offers no multitexture: the floor then goes without its second texture, the rest as ever.
TEST(ReferenceFrames, WithoutMultitextureTheSceneStillDraws) {
  const bool hadMultitexture = multitextureAvailable();
  const int units = maxTextureUnits();
  overrideMultitexture(false, 1);
  HWND host = scenetest::previewHost(Width, Height);
  ASSERT_NE(host, nullptr);
  {
    DrivenScene scene(SaverBuild::Basic, "reef.scr /p " + std::to_string(reinterpret_cast<LONG_PTR>(host)), quiet);
    ASSERT_TRUE(scene.ready()) << "no error box, no black screen";
    EXPECT_FALSE(scene.sea().floor().multitextured());
    checkScene(scene, "single-texture");
  }
  DestroyWindow(host);
  overrideMultitexture(hadMultitexture, units);
}

}  // namespace
