// The rows the sky is spared: every pixel in them must be painted by the floor, with the scene's
// own floor, projection and camera poses.
#include <windows.h>
#include <gtest/gtest.h>

#include <GL/gl.h>
#include <GL/glu.h>

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
  const double aspects[] = {400.0 / 300.0, 400.0 / 300.0, 400.0 / 300.0, 1.35};
  int covered[4] = {};
  for (int i = 0; i < 4; ++i) {
    window.resetFrame();
    glMatrixMode(GL_PROJECTION);
    gluPerspective(45.0, aspects[i], 0.1, 1000.0);
    glMatrixMode(GL_MODELVIEW);
    LookAtCamera camera;
    camera.init(0.0f, 2.0f, -7.0f, 0.0f, 0.0f, 1.0f, 0.0f, 1.0f, 0.0f);
    camera.tilt(tilts[i]);
    camera.apply();
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
