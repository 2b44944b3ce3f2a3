// The rows the sky is spared: every pixel in them must be painted by the floor, with the scene's
// own floor, projection and camera poses.
#include <windows.h>
#include <gtest/gtest.h>

#include <GL/gl.h>

#include "formats/DataCatalog.h"
#include "render/Texture.h"
#include "render/Transforms.h"
#include "scene/GroundCover.h"
#include "scene/ScenePlacements.h"
#include "tests/support/GLTestContext.h"
#include "world/LookAtCamera.h"

namespace {

constexpr uint32_t Magenta = 0xFF00FF;

// The scene's camera in the start pose, the lowest view, the highest view and on a wide screen.
constexpr int ViewCount = 4;
void setView(const GLTestContext& window, int view) {
  const float tilts[ViewCount] = {0.0f, 4.5f, -25.0f, 0.0f};
  const float aspects[ViewCount] = {400.0f / 300.0f, 400.0f / 300.0f, 400.0f / 300.0f, 1.35f};
  transforms::setViewport(0, 0, window.width(), window.height());
  transforms::setProjection(Matrix4x4::perspective(45.0f, aspects[view], 0.1f, 1000.0f));
  LookAtCamera camera;
  camera.init(0.0f, 2.0f, -7.0f, 0.0f, 0.0f, 1.0f, 0.0f, 1.0f, 0.0f);
  camera.tilt(tilts[view]);
  transforms::loadModelview(Matrix4x4::lookAt(camera.eye(), camera.lookAt(), camera.up()));
}

// The scene's floor, where the scene lays it.
bool placeFloor(RippleTerrain& floor) {
  if (!floor.loadHeightMap("Reefglass/terrain_map.nlt")) return false;
  floor.setSize(60.0f, 50.0f);
  floor.setHeightScale(0.015f);
  floor.setGridResolution(50);
  floor.setPosition(0.0f, -8.0f, 0.0f);
  return true;
}

TEST(GroundCover, EveryPixelOfTheCoveredRowsIsPaintedByTheFloor) {
  GLTestContext window(400, 300);
  ASSERT_TRUE(window.ok());
  RippleTerrain floor;
  ASSERT_TRUE(placeFloor(floor));

  int covered[ViewCount] = {};
  for (int i = 0; i < ViewCount; ++i) {
    setView(window, i);
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

// Rows the floor is told are painted over later: it leaves out cells that land wholly within them
// and draws every other pixel as before.
TEST(GroundCover, TheFloorLeavesOutOnlyWhatLandsInTheRowsItHides) {
  GLTestContext window(400, 300);
  ASSERT_TRUE(window.ok());
  RippleTerrain floor;
  ASSERT_TRUE(placeFloor(floor));
  glDisable(GL_DEPTH_TEST);
  glClearColor(1.0f, 0.0f, 1.0f, 1.0f);
  for (int i = 0; i < ViewCount; ++i) {
    setView(window, i);
    floor.render();  // builds the mesh on its first draw
    std::vector<uint32_t> drawn[2];
    // A band just under the horizon, where the far floor lies.
    const int low = rowsCoveredByGround(floor, Vector3{0.0f, -8.0f, 0.0f}) + 4, high = low + 30;
    for (int k = 0; k < 2; ++k) {
      floor.hideRows(k == 0 ? 0 : low, k == 0 ? 0 : high);
      glClear(GL_COLOR_BUFFER_BIT);
      floor.render();
      drawn[k] = window.readPixels();  // top row first
    }
    int left = 0;
    for (int row = 0; row < window.height(); ++row) {
      const size_t first = static_cast<size_t>(window.height() - 1 - row) * window.width();
      for (int x = 0; x < window.width(); ++x) {
        const uint32_t before = drawn[0][first + x] & 0xFFFFFF, after = drawn[1][first + x] & 0xFFFFFF;
        if (row >= low && row < high) {
          left += before != Magenta && after == Magenta;
        } else {
          ASSERT_EQ(before, after) << "view " << i << ": pixel (" << x << ", " << row << " from the bottom)";
        }
      }
    }
    EXPECT_GT(left, window.width()) << "view " << i << ": the far floor in the band was still drawn ";
  }
  floor.hideRows(0, 0);
  glEnable(GL_DEPTH_TEST);
}

// The rows the horizon fader's opaque band covers from side to side: drawn over two different
// backgrounds, every pixel in them comes out the same, the band's own colour.
TEST(GroundCover, TheFadersOpaqueBandHidesWhatLiesBehindItsRows) {
  GLTestContext window(400, 300);
  ASSERT_TRUE(window.ok());
  Texture picture;
  ASSERT_TRUE(picture.loadBMP("Reefglass/gwfader.nlt", catalog::HorizonFader.loadFlags));
  Quad fader;
  fader.setSize(FaderCard.width, FaderCard.height);
  fader.addTexture(&picture);
  fader.setPosition(FaderCard.position);
  fader.setAngleX(FaderCard.angles.x);
  fader.setBlended(true);
  glDisable(GL_DEPTH_TEST);
  for (int i = 0; i < ViewCount; ++i) {
    setView(window, i);
    int low = 0, high = 0;
    ASSERT_TRUE(rowsCoveredByCard(fader, low, high)) << "view " << i;
    EXPECT_GT(high - low, 4) << "view " << i;
    std::vector<uint32_t> over[2];
    for (int k = 0; k < 2; ++k) {
      glClearColor(k == 0 ? 1.0f : 0.0f, 1.0f - k, 1.0f, 1.0f);
      glClear(GL_COLOR_BUFFER_BIT);
      fader.render();
      over[k] = window.readPixels();  // top row first
    }
    for (int row = low; row < high; ++row) {
      const int y = window.height() - 1 - row;
      for (int x = 0; x < window.width(); ++x) {
        const size_t at = static_cast<size_t>(y) * window.width() + x;
        ASSERT_EQ(over[0][at] & 0xFFFFFF, over[1][at] & 0xFFFFFF)
            << "view " << i << ": pixel (" << x << ", " << row << " from the bottom) shows what lies behind";
      }
    }
    // The rows just outside do show it: the band is not claimed smaller than it is by much.
    const int y = window.height() - 1 - (high + 4);
    EXPECT_NE(over[0][static_cast<size_t>(y) * window.width()] & 0xFFFFFF,
              over[1][static_cast<size_t>(y) * window.width()] & 0xFFFFFF)
        << "view " << i;
  }
  glEnable(GL_DEPTH_TEST);
}

}  // namespace