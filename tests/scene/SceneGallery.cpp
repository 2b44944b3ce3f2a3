// Twelve moments of the real scene with the full-screen saver's default settings, on the screen it
// runs on, at fixed times of driven scene time (the same pictures every run): the start pose,
// the automatic camera on its way up, the sky at its top rest, and back down. Each is written as
// a PPM picture "moment-<seconds>s.ppm" into the folder given; `tools/gallery.sh` puts them on
// one sheet.
//   scene_gallery.exe <folder>
#include <windows.h>

#include <GL/gl.h>

#include <cstdio>
#include <string>
#include <vector>

#include "tests/scene/SceneTestSupport.h"

namespace {

constexpr int FrameStep = 50;  // ms of scene time per frame
constexpr int Moments[] = {2, 6, 9, 13, 22, 38, 49, 54, 60, 66, 72, 80};

bool writeFrame(const std::string& path, int width, int height) {
  std::vector<unsigned char> rgb(static_cast<size_t>(width) * height * 3);
  glReadBuffer(GL_BACK);
  glPixelStorei(GL_PACK_ALIGNMENT, 1);
  glReadPixels(0, 0, width, height, GL_RGB, GL_UNSIGNED_BYTE, rgb.data());
  std::string ppm = "P6\n" + std::to_string(width) + " " + std::to_string(height) + "\n255\n";
  const size_t row = static_cast<size_t>(width) * 3;
  for (int y = height - 1; y >= 0; --y) {  // GL rows run bottom up
    ppm.append(reinterpret_cast<const char*>(&rgb[static_cast<size_t>(y) * row]), row);
  }
  std::FILE* file = std::fopen(path.c_str(), "wb");
  if (!file) return false;
  const bool written = std::fwrite(ppm.data(), 1, ppm.size(), file) == ppm.size();
  return std::fclose(file) == 0 && written;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) {
    std::printf("gallery: name the folder for the pictures\n");
    return 2;
  }
  const std::string folder = std::string(argv[1]) + "\\";
  scenetest::DrivenScene scene(SaverBuild::Basic, "reef.scr /s", [](SeaSceneApp& app) {
    app.settings() = SaverSettings{};
    app.settings().SoundOn = false;  // the sound changes nothing that is seen
  });
  if (!scene.ready()) {
    std::printf("gallery: the scene could not start\n");
    return 1;
  }
  SeaSceneApp& app = scene.app();
  int elapsed = 0;
  for (const int moment : Moments) {
    while (elapsed + FrameStep < moment * 1000) {
      scene.clock().advance(FrameStep);
      app.updateFrame();
      elapsed += FrameStep;
    }
    scene.clock().advance(static_cast<uint32_t>(moment * 1000 - elapsed));
    elapsed = moment * 1000;
    app.updateFrame();
    app.renderFrame(0);
    glFinish();
    char name[32];
    std::snprintf(name, sizeof name, "moment-%03ds.ppm", moment);
    if (!writeFrame(folder + name, app.width(), app.height())) {
      std::printf("gallery: could not write %s%s\n", folder.c_str(), name);
      return 1;
    }
    std::printf("gallery: %s\n", name);
    std::fflush(stdout);
  }
  return 0;
}
