// The rows the sky is spared: every pixel in them must be painted by the floor, with the scene's
// own floor, projection and camera poses.
#include <windows.h>
#include <gtest/gtest.h>

#include <GL/gl.h>

#include "render/Transforms.h"
#include "scene/GroundCover.h"
#include "tests/support/GLTestContext.h"
#include "world/LookAtCamera.h"

namespace {

constexpr uint32_t Magenta = 0xFF00FF;

TEST(GroundCover, EveryPixelOfTheCoveredRowsIsPaintedByTheFloor) {
  GLTestContext window(400, 300);
  ASSERT_TRUE(window.ok());
  RippleTerrain floor;
  ASSERT_TRUE(floor.loadHeightMap("Reefglass/terrain_map.nlt"));
  floor.setSize(60.0f, 50.0f);
  floor.setHeightScale(0.015f);
  floor.setGridResolution(50);
  floor.setPosition(0.0f, -8.0f, 0.0f);

  // Start pose, the lowest view, the highest view and a wide screen.
  const float tilts[] = {0.0f, 4.5f, -25.0f, 0.0f};
  const float aspects[] = {400.0f / 300.0f, 400.0f / 300.0f, 400.0f / 300.0f, 1.35f};
  int covered[4] = {};
  for (int i = 0; i < 4; ++i) {
    transforms::setViewport(0, 0, window.width(), window.height());
    transforms::setProjection(Matrix4x4::perspective(45.0f, aspects[i], 0.1f, 1000.0f));
    LookAtCamera camera;
    camera.init(0.0f, 2.0f, -7.0f, 0.0f, 0.0f, 1.0f, 0.0f, 1.0f, 0.0f);
    camera.tilt(tilts[i]);
    transforms::loadModelview(Matrix4x4::lookAt(camera.eye(), camera.lookAt(), camera.up()));
    glDisable(GL_DEPTH_TEST);  // as in the saver's context, which has no depth buffer
    glClearColor(1.0f, 0.0f, 1.0f, 1.0f);
    glClear(GL_COLOR_BUFFER_BIT);
    floor.render();  // builds the mesh on its first draw
    const int rows = rowsCoveredByGround(floor, Vector3{0.0f, -8.0f, 0.0f});
    floor.render();
    const std::vector<uint32_t> pixels = window.readPixels();  // top row first
    for (int row = 0; row < rows; ++row) {
      const int y = window.height() - 1 - row;
      for (int x = 0; x < window.width(); ++x) {
        ASSERT_NE(pixels[static_cast<size_t>(y) * window.width() + x] & 0xFFFFFF, Magenta)
            << "view " << i << ": pixel (" << x << ", " << row << " from the bottom) left open";
      }
    }
    covered[i] = rows;
  }
  EXPECT_GT(covered[0], window.height() / 3);
  EXPECT_GT(covered[1], covered[0]) << "looking down, more of the window is floor";
  EXPECT_LT(covered[2], covered[0]) << "looking up, less";
  glEnable(GL_DEPTH_TEST);
}

}  // namespace
