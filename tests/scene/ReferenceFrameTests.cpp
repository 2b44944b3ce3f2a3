// The picture stays the same: both builds' scenes, driven through the same clock and random
// seed, are compared at fixed times with frames kept in tests/scene/reference/ (800 x 600 drawn,
// stored as 200 x 150 averages). Speed work must pass this; a change that fails it changed the
// picture.
//
// REEF_WRITE_REFERENCE=1 in the environment writes the frames instead of comparing (only after a
// change that is meant to alter the picture).
#include <windows.h>
#include <gtest/gtest.h>

#include <GL/gl.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "tests/scene/SceneTestSupport.h"
#include "tests/support/TestEnvironment.h"

using scenetest::DrivenScene;

namespace {

constexpr int Width = 800;
constexpr int Height = 600;
constexpr int Shrink = 4;
constexpr int StoredWidth = Width / Shrink;
constexpr int StoredHeight = Height / Shrink;
constexpr int FrameStep = 50;  // ms of the driven clock per frame
// Milliseconds after the scene is built: the help line, the automatic tilt on its way up, the
// view at its top rest, and later frames with the school and the patrol far along.
constexpr int Times[] = {1000, 6000, 13000, 24000, 40000};

using Picture = std::vector<unsigned char>;  // StoredWidth x StoredHeight RGB, top row first

bool writing() {
  const char* value = std::getenv("REEF_WRITE_REFERENCE");
  return value && *value && std::string(value) != "0";
}

std::string referencePath(const char* build, int time) {
  char name[64];
  std::snprintf(name, sizeof(name), "%s-%05d.ppm", build, time);
  return testenv::sourceFolder() + "tests\\scene\\reference\\" + name;
}

std::string ppmHeader() {
  return "P6\n" + std::to_string(StoredWidth) + " " + std::to_string(StoredHeight) + "\n255\n";
}

// Only files of exactly our header and size are taken.
bool readPicture(const std::string& path, Picture& picture) {
  const std::string bytes = testenv::readFile(path);
  const std::string header = ppmHeader();
  const size_t size = static_cast<size_t>(StoredWidth) * StoredHeight * 3;
  if (bytes.size() != header.size() + size || bytes.compare(0, header.size(), header) != 0) return false;
  picture.assign(bytes.begin() + static_cast<std::ptrdiff_t>(header.size()), bytes.end());
  return true;
}

bool writePicture(const std::string& path, const Picture& picture) {
  return testenv::writeFile(path, ppmHeader() + std::string(picture.begin(), picture.end()));
}

// The back buffer of the frame just drawn, averaged over Shrink x Shrink blocks.
Picture grabFrame() {
  std::vector<unsigned char> rgba(static_cast<size_t>(Width) * Height * 4);
  glReadBuffer(GL_BACK);
  glPixelStorei(GL_PACK_ALIGNMENT, 1);
  glReadPixels(0, 0, Width, Height, GL_RGBA, GL_UNSIGNED_BYTE, rgba.data());
  Picture picture(static_cast<size_t>(StoredWidth) * StoredHeight * 3);
  for (int y = 0; y < StoredHeight; ++y) {
    for (int x = 0; x < StoredWidth; ++x) {
      for (int c = 0; c < 3; ++c) {
        int sum = 0;
        for (int dy = 0; dy < Shrink; ++dy) {
          const int row = Height - 1 - (y * Shrink + dy);  // GL rows run bottom up
          for (int dx = 0; dx < Shrink; ++dx) sum += rgba[(static_cast<size_t>(row) * Width + x * Shrink + dx) * 4 + c];
        }
        picture[(static_cast<size_t>(y) * StoredWidth + x) * 3 + c] =
            static_cast<unsigned char>((sum + Shrink * Shrink / 2) / (Shrink * Shrink));
      }
    }
  }
  return picture;
}

struct Difference {
  double meanPerChannel[3] = {};
  int percentile99 = 0;
};

Difference compare(const Picture& a, const Picture& b) {
  Difference result;
  std::vector<int> all(a.size());
  double sums[3] = {};
  for (size_t i = 0; i < a.size(); ++i) {
    all[i] = std::abs(static_cast<int>(a[i]) - static_cast<int>(b[i]));
    sums[i % 3] += all[i];
  }
  const double pixels = static_cast<double>(a.size() / 3);
  for (int c = 0; c < 3; ++c) result.meanPerChannel[c] = sums[c] / pixels;
  const size_t at = all.size() * 99 / 100;
  std::nth_element(all.begin(), all.begin() + static_cast<std::ptrdiff_t>(at), all.end());
  result.percentile99 = all[at];
  return result;
}

// Runs the scene frame by frame and checks (or writes) the frame at each of the fixed times.
void checkScene(DrivenScene& scene, const char* build) {
  ASSERT_TRUE(scene.ready());
  ASSERT_EQ(scene.app().width(), Width);
  ASSERT_EQ(scene.app().height(), Height);
  int elapsed = 0;
  for (const int time : Times) {
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
    const Picture frame = grabFrame();
    SwapBuffers(GetDC(scene.app().mainWindow()));
    scene.app().afterFrame();

    const std::string path = referencePath(build, time);
    if (writing()) {
      ASSERT_TRUE(writePicture(path, frame)) << path;
      continue;
    }
    Picture reference;
    ASSERT_TRUE(readPicture(path, reference)) << "no reference frame " << path;
    const Difference d = compare(frame, reference);
    const bool same =
        d.meanPerChannel[0] <= 2.0 && d.meanPerChannel[1] <= 2.0 && d.meanPerChannel[2] <= 2.0 && d.percentile99 <= 24;
    EXPECT_TRUE(same) << build << " at " << time << " ms: mean difference per channel " << d.meanPerChannel[0] << ", "
                      << d.meanPerChannel[1] << ", " << d.meanPerChannel[2] << "; 99th percentile " << d.percentile99;
    if (!same) {
      char name[64];
      std::snprintf(name, sizeof(name), "%s-%05d-now.ppm", build, time);
      writePicture(testenv::artifactFolder("reference-frames") + name, frame);
    }
  }
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

}  // namespace
