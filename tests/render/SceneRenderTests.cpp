#include <gtest/gtest.h>

#include <GL/gl.h>
#include <GL/glu.h>

#include <algorithm>

#include "render/QModel.h"
#include "render/Quad.h"
#include "render/Terrain.h"
#include "render/TextObject.h"
#include "render/Texture.h"
#include "render/Transforms.h"
#include "render/WaterGrid.h"
#include "tests/render/RenderTestSupport.h"
#include "tests/support/ScreenCapture.h"
#include "tests/support/TestEnvironment.h"

using namespace rendertest;

namespace {

std::string plainPicture(const char* name, uint32_t colour) {
  return writeScratch(name, bmpFile(2, 2, 24, std::vector<uint32_t>(4, colour)));
}

// Where a point in OpenGL coordinates lands in the window, (x, y) from the top-left corner.
POINT project(double x, double y, double z, int height) {
  GLdouble modelview[16], projection[16], wx, wy, wz;
  GLint viewport[4];
  glGetDoublev(GL_MODELVIEW_MATRIX, modelview);
  glGetDoublev(GL_PROJECTION_MATRIX, projection);
  glGetIntegerv(GL_VIEWPORT, viewport);
  gluProject(x, y, z, modelview, projection, viewport, &wx, &wy, &wz);
  return {static_cast<LONG>(wx), static_cast<LONG>(height - 1 - wy)};
}

// The mean colour of the 7 x 7 pixels around a point.
struct Colour {
  int r, g, b;
};
Colour around(const std::vector<uint32_t>& pixels, int width, POINT p) {
  int r = 0, g = 0, b = 0;
  for (int dy = -3; dy <= 3; ++dy) {
    for (int dx = -3; dx <= 3; ++dx) {
      const uint32_t c = pixels[static_cast<size_t>(p.y + dy) * width + p.x + dx];
      r += red(c);
      g += green(c);
      b += blue(c);
    }
  }
  return {r / 49, g / 49, b / 49};
}

}  // namespace

// One of each kind of object, all from files written here, drawn in an 800 x 600 window the
// way the scene does: each must show where it stands, in its own colour.
TEST(SceneRender, EveryKindOfObjectShowsWhereItStands) {
  GLTestContext window(800, 600);
  ASSERT_TRUE(window.ok());
  Texture sand, water, red, green;
  ASSERT_TRUE(sand.loadBMP(plainPicture("sand.nlt", 0xE0C040).c_str(), TexLinear));
  ASSERT_TRUE(water.loadBMP(plainPicture("water.nlt", 0x2040FF).c_str(), TexLinear));
  ASSERT_TRUE(red.loadBMP(plainPicture("red.nlt", 0xFF2020).c_str(), TexLinear));
  ASSERT_TRUE(green.loadBMP(plainPicture("green.nlt", 0x20FF20).c_str(), TexLinear));

  RippleTerrain floor;
  ASSERT_TRUE(
      floor.loadHeightMap(writeScratch("scene_map.nlt", bmpFile(16, 16, 8, std::vector<uint32_t>(256, 128))).c_str()));
  floor.setSize(10, 10);
  floor.setHeightScale(0.01f);
  floor.setGridResolution(8);
  floor.setPosition(0, -3, 5);
  floor.addTexture(&sand);

  WaterGrid surface;
  surface.build(10, 10, 10, 10);
  surface.setAngleX(-90);
  surface.setPosition(0, 3.5f, 10);
  surface.addTexture(&water);
  surface.setBlended(true);

  Quad island;
  island.setSize(2, 2);
  island.setPosition(-4, 1, 5);
  island.addTexture(&red);

  Md3Builder square;
  square.texCoords = {0, 0, 1, 0, 1, 1, 0, 1};
  square.indices = {0, 1, 2, 0, 2, 3};
  square.vertices = {0, 0, 0, 64, 0, 0, 64, 0, 64, 0, 0, 64};
  QModel model;
  ASSERT_TRUE(model.loadMD3(writeScratch("square.nlm", square.bytes()).c_str()));
  model.addAnimation(0, 0, "swim");
  ModelObject fish;
  fish.setModel(&model);
  fish.setScale(1.5f);
  fish.setPosition(3, 1, 3);
  fish.addTexture(&green);

  std::string font = fontFile(2, 2, 0, {{'R', 10, 16, 0, 1, 0, 1}, {'F', 10, 16, 0, 1, 0, 1}}, std::string(8, '\xFF'));
  TextObject text;
  ASSERT_TRUE(text.loadFont(writeScratch("font.nlf", font).c_str()));
  text.setScreenSize(800, 600);
  text.setPosition(20, 40, 0);
  text.setLine("RRFF");

  window.resetFrame();
  transforms::setProjection(Matrix4x4::perspective(45.0f, 800.0f / 600.0f, 0.1f, 1000.0f));
  glEnable(GL_DEPTH_TEST);
  glDepthFunc(GL_LEQUAL);
  // The scene's eye (0, 2, -7) looking toward +z.
  transforms::loadModelview(Matrix4x4::lookAt({0, 2, 7}, {0, 2, -1}, {0, 1, 0}));

  floor.render();
  island.render();
  fish.render();
  surface.render();
  text.render();
  EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));

  const POINT floorAt = project(0, -3 + 1.28, -10, 600);
  const POINT waterAt = project(0, 3.5, -10, 600);
  const POINT islandAt = project(-4, 1, -5, 600);
  const POINT fishAt = project(3 + 0.75, 1 + 0.75, -3, 600);
  const POINT textAt = {40, 48};
  const std::vector<uint32_t> pixels = window.readPixels();

  Capture shot;
  shot.width = 800;
  shot.height = 600;
  shot.pixels = pixels;
  shot.saveBmp(testenv::artifactFolder("render") + "scene.bmp");

  const Colour f = around(pixels, 800, floorAt);
  EXPECT_GT(f.r, 150) << "floor at " << floorAt.x << "," << floorAt.y;
  EXPECT_GT(f.g, 120);
  EXPECT_LT(f.b, 110);
  const Colour w = around(pixels, 800, waterAt);
  EXPECT_GT(w.b, 150) << "water at " << waterAt.x << "," << waterAt.y;
  EXPECT_LT(w.r, 80);
  const Colour i = around(pixels, 800, islandAt);
  EXPECT_GT(i.r, 150) << "quad at " << islandAt.x << "," << islandAt.y;
  EXPECT_LT(i.g, 80);
  const Colour m = around(pixels, 800, fishAt);
  EXPECT_GT(m.g, 150) << "model at " << fishAt.x << "," << fishAt.y;
  EXPECT_LT(m.r, 80);
  // The font's 2 x 2 texture is clamped and filtered linearly, so its edges fade a little.
  const Colour t = around(pixels, 800, textAt);
  EXPECT_GT(std::min({t.r, t.g, t.b}), 120);
  // Between the objects the window stays black.
  const Colour gap = around(pixels, 800, {600, 120});
  EXPECT_LT(std::max({gap.r, gap.g, gap.b}), 10);
  gl();
}
