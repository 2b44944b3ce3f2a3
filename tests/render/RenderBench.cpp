// Prints the cost per frame of the terrain, the water grid and one 20-frame model, each drawn
// alone many times in a 160 x 120 window, where the rasteriser's share is small: the time until
// the frames are finished, and the CPU time of this thread alone (update and GL submission).
#include <windows.h>
#include <GL/gl.h>

#include <cstdio>
#include <functional>
#include <vector>

#include "render/QModel.h"
#include "render/Terrain.h"
#include "render/Transforms.h"
#include "render/WaterGrid.h"
#include "tests/render/RenderTestSupport.h"

using namespace rendertest;

namespace {

struct Cost {
  double wallMs, threadMs;  // per frame
};

double threadSeconds() {
  FILETIME created, ended, kernel, user;
  GetThreadTimes(GetCurrentThread(), &created, &ended, &kernel, &user);
  const auto seconds = [](const FILETIME& t) {
    return static_cast<double>((static_cast<uint64_t>(t.dwHighDateTime) << 32) | t.dwLowDateTime) * 1e-7;
  };
  return seconds(kernel) + seconds(user);
}

Cost costPerFrame(int frames, const std::function<void()>& frame) {
  LARGE_INTEGER frequency, start, stop;
  QueryPerformanceFrequency(&frequency);
  glFinish();
  const double threadStart = threadSeconds();
  QueryPerformanceCounter(&start);
  for (int i = 0; i < frames; ++i) {
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    frame();
  }
  glFinish();
  QueryPerformanceCounter(&stop);
  const double wall = static_cast<double>(stop.QuadPart - start.QuadPart) / static_cast<double>(frequency.QuadPart);
  return {1000.0 * wall / frames, 1000.0 * (threadSeconds() - threadStart) / frames};
}

}  // namespace

int main() {
  GLTestContext window(160, 120);
  if (!window.ok()) {
    std::printf("no GL context\n");
    return 1;
  }
  transforms::setViewport(0, 0, 160, 120);
  transforms::setProjection(Matrix4x4::perspective(45.0f, 160.0f / 120.0f, 0.1f, 1000.0f));
  transforms::loadModelview(Matrix4x4::lookAt({0, 2, 7}, {0, 0, -1}, {0, 1, 0}));
  glEnable(GL_DEPTH_TEST);
  const int frames = 3000;

  std::vector<uint8_t> heights(256 * 256);
  for (size_t i = 0; i < heights.size(); ++i) heights[i] = static_cast<uint8_t>((i * 7) ^ (i >> 8));
  RippleTerrain terrain;
  terrain.setHeightMap(heights.data(), 256, 256);
  terrain.setSize(60, 50);
  terrain.setHeightScale(0.015f);
  terrain.setGridResolution(50);
  terrain.setPosition(0, -8, 0);
  terrain.render();
  const Cost terrainCost = costPerFrame(frames, [&] {
    terrain.ripple(16);
    terrain.render();
  });

  WaterGrid water;
  water.build(50, 50, 50, 50);
  water.setAngleX(-90);
  water.setPosition(0, 0, 20);
  const Cost waterCost = costPerFrame(frames, [&] {
    water.animate(16);
    water.render();
  });

  const std::string bytes = sheetModel(16, 20).bytes();  // 450 triangles, 20 frames
  QModel model;
  if (!model.loadMD3(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size())) {
    std::printf("bench model failed to load\n");
    return 1;
  }
  model.addAnimation(0, 19, "swim");
  ModelObject fish;
  fish.setModel(&model);
  fish.setScale(0.05f);
  fish.setPosition(0, 0, 5);
  const Cost modelCost = costPerFrame(frames, [&] {
    model.advance(16);
    fish.render();
  });

  const auto print = [](const char* what, const Cost& cost) {
    std::printf("%s: %.3f ms per frame, this thread %.3f ms\n", what, cost.wallMs, cost.threadMs);
  };
  print("terrain 50x50 (5000 vertices, ripple + strip)", terrainCost);
  print("water grid 50x50 (2601 heights + 2500 quads)", waterCost);
  std::printf("model, 20 frames, %d triangles (advance + blend)", model.triangleCount());
  print("", modelCost);
  return 0;
}
