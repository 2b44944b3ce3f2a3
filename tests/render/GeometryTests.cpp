#include <gtest/gtest.h>

#include <GL/gl.h>

#include <cmath>
#include <cstdint>
#include <vector>

#include "render/Quad.h"
#include "render/SkyDome.h"
#include "render/Terrain.h"
#include "render/Texture.h"
#include "render/WaterGrid.h"
#include "tests/render/RenderTestSupport.h"
#include "world/MathConstants.h"

using namespace rendertest;

namespace {

class Geometry : public ::testing::Test {
 protected:
  void SetUp() override {
    gl();
    objectSpaceView();
  }
};

// A width x height 8-bit map whose pixel (x, y) holds heightAt(x, y).
std::string heightMap(int width, int height, uint32_t (*heightAt)(int, int)) {
  std::vector<uint32_t> pixels;
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) pixels.push_back(heightAt(x, y));
  }
  return bmpFile(width, height, 8, pixels);
}

}  // namespace

TEST_F(Geometry, TerrainGridFromAHeightMap) {
  const std::string path = writeScratch("map256.nlt", heightMap(256, 256, [](int x, int y) -> uint32_t {
                                          return x == 0 && y == 0 ? 255 : (x + y) & 0xFF;
                                        }));
  RippleTerrain terrain;
  ASSERT_TRUE(terrain.loadHeightMap(path.c_str()));
  terrain.setSize(60, 50);
  terrain.setHeightScale(0.015f);
  terrain.setGridResolution(50);
  EXPECT_EQ(terrain.mapWidth(), 256);
  EXPECT_FLOAT_EQ(terrain.stepX(), 5.1f);
  EXPECT_FLOAT_EQ(terrain.stepZ(), 5.1f);
  terrain.build();
  ASSERT_EQ(terrain.vertexCount(), 5000);
  // Strip 0 runs up the rows in pairs (x1, x0): vertex 1 is map (0, 0).
  const Terrain::Vertex& corner = terrain.vertices()[1];
  EXPECT_FLOAT_EQ(corner.x, -30.0f);
  EXPECT_FLOAT_EQ(corner.y, 3.825f);
  EXPECT_FLOAT_EQ(corner.z, -50.0f);
  EXPECT_FLOAT_EQ(corner.s, 0.0f);
  const Terrain::Vertex& first = terrain.vertices()[0];  // map (5.1, 0): height of pixel (5, 0)
  EXPECT_FLOAT_EQ(first.y, 5 * 0.015f);
  EXPECT_FLOAT_EQ(first.s, 5.1f / 256);
  // Strip 1 runs down from the last sampled row with pairs (x0, x1).
  const Terrain::Vertex& down = terrain.vertices()[100];
  EXPECT_NEAR(down.x, 5.1f * 60 / 256 - 30, 1e-4);
  EXPECT_NEAR(down.z, 49 * 5.1f * 50 / 256 - 50, 1e-4);
}

TEST_F(Geometry, TerrainRebuildsOnGridOrHeightChangesButNotOnSize) {
  const std::string path = writeScratch("map16.nlt", heightMap(16, 16, [](int, int) -> uint32_t { return 100; }));
  Terrain terrain;
  ASSERT_TRUE(terrain.loadHeightMap(path.c_str()));
  terrain.setGridResolution(4);
  terrain.render();
  EXPECT_TRUE(terrain.built());
  EXPECT_EQ(terrain.vertexCount(), 32);
  EXPECT_FLOAT_EQ(terrain.vertices()[0].y, 0.1f);

  terrain.setSize(100, 100);
  terrain.render();
  EXPECT_FLOAT_EQ(terrain.vertices()[1].x, -2.5f);  // still the old size

  terrain.setHeightScale(0.01f);
  EXPECT_FALSE(terrain.built());
  terrain.render();
  EXPECT_FLOAT_EQ(terrain.vertices()[0].y, 1.0f);
  EXPECT_FLOAT_EQ(terrain.vertices()[1].x, -50.0f);
  terrain.setGridResolution(3);
  terrain.render();
  EXPECT_EQ(terrain.vertexCount(), 18);
}

TEST_F(Geometry, TerrainDrawSendsPositionPlusDisplacementAsOneStrip) {
  const std::string path = writeScratch("map8.nlt", heightMap(8, 8, [](int x, int) -> uint32_t { return x * 10; }));
  RippleTerrain terrain;
  ASSERT_TRUE(terrain.loadHeightMap(path.c_str()));
  terrain.setGridResolution(2);
  terrain.setPosition(0, -8, 0);
  terrain.ripple(700);
  const std::vector<FeedbackPrimitive> primitives = captureFeedback([&] { terrain.render(); });
  ASSERT_EQ(terrain.vertexCount(), 8);
  const std::vector<FeedbackVertex> drawn = feedbackVertices(primitives);
  ASSERT_FALSE(drawn.empty());
  // Every vertex drawn is a terrain vertex moved by its displacement and the object's position.
  for (const FeedbackVertex& d : drawn) {
    bool found = false;
    for (int k = 0; k < terrain.vertexCount(); ++k) {
      const Terrain::Vertex& v = terrain.vertices()[k];
      found |= std::fabs(d.x - (v.x + v.dx)) < 1e-3f && std::fabs(d.y - (v.y + v.dy - 8)) < 1e-3f &&
               std::fabs(d.z - (v.z + v.dz)) < 1e-3f;
    }
    EXPECT_TRUE(found) << d.x << " " << d.y << " " << d.z;
  }
  bool displaced = false;
  for (int k = 0; k < terrain.vertexCount(); ++k) displaced |= terrain.vertices()[k].dy != 0.0f;
  EXPECT_TRUE(displaced);
}

// Without a depth buffer the triangle drawn last wins: in every column the far cells come first,
// so a slope facing away never paints over the slope in front of it.
TEST_F(Geometry, TerrainDrawsEveryColumnFromItsFarEnd) {
  const std::string path = writeScratch("hill32.nlt", heightMap(32, 32, [](int x, int y) -> uint32_t {
                                          return 255 - 7 * std::abs(x - 16) - 7 * std::abs(y - 16);
                                        }));
  RippleTerrain terrain;
  ASSERT_TRUE(terrain.loadHeightMap(path.c_str()));
  terrain.setSize(60, 50);
  terrain.setHeightScale(0.015f);
  terrain.setGridResolution(8);
  const std::vector<FeedbackPrimitive> primitives = captureFeedback([&] { terrain.render(); });
  terrain.build();
  const float columnWidth = terrain.stepX() * terrain.unitX();
  std::vector<float> lastDepth(8, -1e9f);
  std::vector<int> cells(8, 0);
  for (const FeedbackPrimitive& p : primitives) {
    ASSERT_EQ(p.vertices.size(), 3u);
    const float x = (p.vertices[0].x + p.vertices[1].x + p.vertices[2].x) / 3.0f;
    const float z = (p.vertices[0].z + p.vertices[1].z + p.vertices[2].z) / 3.0f;
    const int column = static_cast<int>(std::floor((x + 30.0f) / columnWidth));
    ASSERT_TRUE(column >= 0 && column < 8) << x;
    // OpenGL's z grows toward the viewer.
    EXPECT_GE(z, lastDepth[column] - 1e-3f) << "column " << column;
    lastDepth[column] = z;
    ++cells[column];
  }
  for (int column = 0; column < 8; ++column) EXPECT_EQ(cells[column], 2 * 7) << "column " << column;
}

TEST_F(Geometry, RippleStaysSmallAndTouchesOnlyTheDisplacement) {
  const std::string path =
      writeScratch("map64.nlt", heightMap(64, 64, [](int x, int y) -> uint32_t { return (x * y) & 0xFF; }));
  RippleTerrain terrain;
  ASSERT_TRUE(terrain.loadHeightMap(path.c_str()));
  terrain.setSize(60, 50);
  terrain.setGridResolution(20);
  terrain.build();
  const std::vector<Terrain::Vertex> before(terrain.vertices(), terrain.vertices() + terrain.vertexCount());
  for (int frame = 0; frame < 200; ++frame) {
    terrain.ripple(37);
    for (int k = 0; k < terrain.vertexCount(); ++k) {
      const Terrain::Vertex& v = terrain.vertices()[k];
      ASSERT_LE(std::fabs(v.dy), 0.03f + 1e-6f);
      ASSERT_EQ(v.dx, 0.0f);
      ASSERT_EQ(v.dz, 0.0f);
      ASSERT_EQ(v.y, before[k].y);
    }
  }
  // Shared corners of neighbouring strips move together (same column, same row).
  // Vertex 0 (strip 0, x1) and vertex 78 (strip 1's last pair, x0) are both column 1, row 0.
  EXPECT_EQ(terrain.vertices()[0].dy, terrain.vertices()[78].dy);
  EXPECT_NE(terrain.vertices()[0].dy, terrain.vertices()[79].dy);
}

TEST_F(Geometry, TerrainLeftPartlyOutOfViewShowsWhatTheWholeStripWouldShow) {
  const std::string path =
      writeScratch("map32.nlt", heightMap(32, 32, [](int x, int y) -> uint32_t { return (x * 7 + y * 3) & 0xFF; }));
  RippleTerrain terrain;
  ASSERT_TRUE(terrain.loadHeightMap(path.c_str()));
  terrain.setSize(60, 50);
  terrain.setHeightScale(0.015f);
  terrain.setGridResolution(16);
  // The view ends at x = 1000 and z = -1000 (object-space view): part of the floor lies beyond
  // both edges, some of it wholly.
  for (const Vector3& at : {Vector3{995, 0, 0}, Vector3{-990, 0, 980}, Vector3{0, 0, 0}}) {
    terrain.setPosition(at.x, at.y, at.z);
    const std::vector<FeedbackVertex> shown = feedbackVertices(captureFeedback([&] { terrain.render(); }));
    const std::vector<FeedbackVertex> whole = feedbackVertices(captureFeedback([&] {
      glPushMatrix();
      glTranslatef(at.x, at.y, -at.z);
      glBegin(GL_TRIANGLE_STRIP);
      for (int k = 0; k < terrain.vertexCount(); ++k) {
        const Terrain::Vertex& v = terrain.vertices()[k];
        glVertex3f(v.x + v.dx, v.y + v.dy, v.z + v.dz);
      }
      glEnd();
      glPopMatrix();
    }));
    ASSERT_FALSE(shown.empty());
    // Every corner shown is one the whole strip shows, and the other way round (the whole strip
    // adds only its zero-area turns, whose corners are corners of the cells).
    auto contains = [](const std::vector<FeedbackVertex>& list, const FeedbackVertex& p) {
      for (const FeedbackVertex& q : list) {
        if (std::fabs(p.x - q.x) < 1e-2f && std::fabs(p.y - q.y) < 1e-2f && std::fabs(p.z - q.z) < 1e-2f) return true;
      }
      return false;
    };
    for (const FeedbackVertex& p : shown) ASSERT_TRUE(contains(whole, p)) << p.x << " " << p.y << " " << p.z;
    for (const FeedbackVertex& p : whole) ASSERT_TRUE(contains(shown, p)) << p.x << " " << p.y << " " << p.z;
  }
}

TEST_F(Geometry, HeightMapFailuresReportTheirMessages) {
  Terrain terrain;
  const std::string missing = scratch() + "no_map.nlt";
  EXPECT_EQ(captureStdout([&] { EXPECT_FALSE(terrain.loadHeightMap(missing.c_str())); }),
            "Could not load height map: " + missing + "\n");
  const std::string rgb = writeScratch("rgbmap.nlt", bmpFile(4, 4, 24, std::vector<uint32_t>(16, 0x808080)));
  EXPECT_EQ(captureStdout([&] { EXPECT_FALSE(terrain.loadHeightMap(rgb.c_str())); }),
            "sdlsurf->format->BytesPerPixel != 1\n");
  EXPECT_EQ(terrain.mapWidth(), 0);
  EXPECT_TRUE(captureFeedback([&] { terrain.render(); }).empty());
}

TEST_F(Geometry, HeightMapWidthNeedNotBeAMultipleOfFour) {
  // Decoded rows of a 6-pixel-wide map carry 2 padding bytes; heights must not slide.
  const std::string path =
      writeScratch("map6.nlt", heightMap(6, 3, [](int x, int y) -> uint32_t { return y * 10 + x; }));
  Terrain terrain;
  ASSERT_TRUE(terrain.loadHeightMap(path.c_str()));
  terrain.setHeightScale(1);
  terrain.setGridResolution(1);  // samples x 0 and 5 on row 0 only
  terrain.build();
  ASSERT_EQ(terrain.vertexCount(), 2);
  EXPECT_FLOAT_EQ(terrain.vertices()[0].y, 5.0f);
  terrain.setGridResolution(2);  // z samples 0 and 1
  terrain.build();
  EXPECT_FLOAT_EQ(terrain.vertices()[2].y, 12.0f);  // map (2.5, 1)
}

TEST_F(Geometry, WaterGridLayoutAndWaves) {
  WaterGrid water;
  water.build(50, 50, 50, 50);
  EXPECT_FLOAT_EQ(water.vertex(0, 0).x, -25.0f);
  EXPECT_FLOAT_EQ(water.vertex(0, 0).y, -25.0f);
  EXPECT_FLOAT_EQ(water.vertex(0, 0).s, 0.0f);
  EXPECT_FLOAT_EQ(water.vertex(0, 0).t, 1.0f);
  EXPECT_FLOAT_EQ(water.vertex(50, 50).x, 25.0f);
  EXPECT_FLOAT_EQ(water.vertex(50, 50).y, 25.0f);
  EXPECT_FLOAT_EQ(water.vertex(50, 50).s, 1.0f);
  EXPECT_FLOAT_EQ(water.vertex(50, 50).t, 0.0f);

  // Waves cross the grid both ways, move with time, never rise above 0.07 either way, and come
  // back to the same surface after their period (2 pi / 0.005 rad per ms), so the loop is seamless.
  const auto heights = [&] {
    std::vector<float> z;
    for (int i = 0; i <= 50; ++i) {
      for (int j = 0; j <= 50; ++j) z.push_back(water.vertex(i, j).z);
    }
    return z;
  };
  water.animate(0);
  const std::vector<float> start = heights();
  EXPECT_NE(water.vertex(1, 0).z, water.vertex(0, 0).z);  // along a row
  EXPECT_NE(water.vertex(0, 1).z, water.vertex(0, 0).z);  // along a column
  water.animate(100);
  EXPECT_NE(heights(), start);
  for (int step = 0; step < 300; ++step) {
    water.animate(53);
    for (const float z : heights()) ASSERT_LE(std::fabs(z), 0.07f + 1e-6f);
  }
  const uint32_t period = static_cast<uint32_t>(std::lround(2 * Pi / 0.005f));
  water.animate(period - (100 + 300 * 53) % period);  // back at a whole number of periods
  const std::vector<float> again = heights();
  for (size_t k = 0; k < start.size(); ++k) ASSERT_NEAR(again[k], start[k], 3e-3) << k;

  water.build(4, 4, 0, 3);  // no cells: nothing to draw
  EXPECT_TRUE(captureFeedback([&] { water.render(); }).empty());
}

TEST_F(Geometry, WaterGridDrawsCellCornersInOrder) {
  WaterGrid water;
  water.build(2, 2, 1, 1);
  water.setPosition(0, 0, 20);
  const std::vector<FeedbackVertex> v = feedbackVertices(captureFeedback([&] { water.render(); }));
  ASSERT_GE(v.size(), 3u);
  // The first corner is (i, j + 1) = (-1, 1), with t = 0.
  EXPECT_NEAR(v[0].x, -1.0f, 1e-3);
  EXPECT_NEAR(v[0].y, 1.0f, 1e-3);
  EXPECT_NEAR(v[0].z, -20.0f, 1e-2);
}

// A copy of the water wholly out of view sends nothing; one reaching into it by a little, all of
// its cells. The view here ends at x = 1000.
TEST_F(Geometry, WaterGridOutOfViewSendsNothing) {
  WaterGrid water;
  water.build(50, 50, 10, 10);
  water.setPosition(1020, 0, 20);  // x from 995 to 1045
  EXPECT_EQ(verticesSent([&] { water.render(); }), 4u * 10 * 10);
  water.setPosition(1030, 0, 20);
  EXPECT_EQ(verticesSent([&] { water.render(); }), 0u);
}

TEST_F(Geometry, QuadSpansItsSizeWithThePictureTopAtPlusY) {
  Quad quad;
  quad.setSize(140, 100);
  const std::vector<FeedbackVertex> v = feedbackVertices(captureFeedback([&] { quad.render(); }));
  ASSERT_GE(v.size(), 4u);
  float minX = 1e9f, maxX = -1e9f, minY = 1e9f, maxY = -1e9f;
  for (const FeedbackVertex& p : v) {
    minX = std::fmin(minX, p.x);
    maxX = std::fmax(maxX, p.x);
    minY = std::fmin(minY, p.y);
    maxY = std::fmax(maxY, p.y);
  }
  EXPECT_NEAR(minX, -70.0f, 1e-3);
  EXPECT_NEAR(maxX, 70.0f, 1e-3);
  EXPECT_NEAR(minY, -50.0f, 1e-3);
  EXPECT_NEAR(maxY, 50.0f, 1e-3);
}

TEST_F(Geometry, QuadTextureCoordinatesPutTZeroAtTheTop) {
  Quad quad;
  quad.setSize(2, 2);
  // Texture coordinates reach feedback only through a texture in use.
  const std::string path = writeScratch("white.nlt", bmpFile(1, 1, 24, {0xFFFFFF}));
  Texture white;
  ASSERT_TRUE(white.loadBMP(path.c_str(), TexLinear));
  quad.addTexture(&white);
  const std::vector<FeedbackVertex> v = feedbackVertices(captureFeedback([&] { quad.render(); }));
  ASSERT_GE(v.size(), 4u);
  for (const FeedbackVertex& p : v) {
    EXPECT_NEAR(p.t, p.y > 0 ? 0.0f : 1.0f, 1e-5);
    EXPECT_NEAR(p.s, p.x > 0 ? 1.0f : 0.0f, 1e-5);
  }
}

TEST_F(Geometry, ABlendedQuadDrawsOnlyWhereItsPictureHasAlpha) {
  // 32 x 32 texels, 2 x 2 to a cell: an opaque block in the top-left 8 x 8 and one texel at the
  // top-right corner; alpha 0 elsewhere.
  std::vector<uint32_t> pixels(32 * 32, 0x00FFFFFF);
  for (int y = 0; y < 8; ++y) {
    for (int x = 0; x < 8; ++x) pixels[y * 32 + x] = 0xFF00FF00;
  }
  pixels[31] = 0xFF0000FF;
  const std::string path = writeScratch("cover.nlt", bmpFile(32, 32, 32, pixels));
  Texture picture;
  ASSERT_TRUE(picture.loadBMP(path.c_str(), TexLinear));
  EXPECT_FALSE(picture.fullyCovered());
  EXPECT_TRUE(picture.cellCovered(0, 0));
  EXPECT_TRUE(picture.cellCovered(4, 4)) << "linear filtering reaches one texel past the block";
  EXPECT_FALSE(picture.cellCovered(5, 5));
  EXPECT_FALSE(picture.cellCovered(8, 8));
  EXPECT_TRUE(picture.cellCovered(15, 0));
  EXPECT_TRUE(picture.cellCovered(15, 15)) << "and wraps around the edges as GL_REPEAT does";
  EXPECT_FALSE(picture.cellCovered(14, 8));

  Quad quad;
  quad.setSize(32, 32);  // one unit a texel, the top-left corner at (-16, 16)
  quad.addTexture(&picture);
  const std::vector<FeedbackVertex> whole = feedbackVertices(captureFeedback([&] { quad.render(); }));
  float minX = 1e9f, maxY = -1e9f;
  for (const FeedbackVertex& v : whole) {
    minX = std::fmin(minX, v.x);
    maxY = std::fmax(maxY, v.y);
  }
  EXPECT_NEAR(minX, -16.0f, 1e-3);  // not blended: the whole rectangle
  EXPECT_NEAR(maxY, 16.0f, 1e-3);

  quad.setBlended(true);
  const std::vector<FeedbackVertex> trimmed = feedbackVertices(captureFeedback([&] { quad.render(); }));
  ASSERT_FALSE(trimmed.empty());
  EXPECT_LT(trimmed.size(), whole.size() * 64);
  for (const FeedbackVertex& v : trimmed) {
    // Every corner is a corner of a covered cell, at the texture coordinate of that spot.
    const int column = static_cast<int>(std::lround((v.x + 16.0f) / 2.0f));
    const int row = static_cast<int>(std::lround((16.0f - v.y) / 2.0f));
    bool nextToCovered = false;
    for (int r = row - 1; r <= row; ++r) {
      for (int c = column - 1; c <= column; ++c) {
        nextToCovered |= r >= 0 && c >= 0 && r < 16 && c < 16 && picture.cellCovered(c, r);
      }
    }
    EXPECT_TRUE(nextToCovered) << v.x << " " << v.y;
    EXPECT_NEAR(v.s, (v.x + 16.0f) / 32.0f, 1e-4);
    EXPECT_NEAR(v.t, (16.0f - v.y) / 32.0f, 1e-4);
  }
}

TEST_F(Geometry, SkyParaboloidAndItsTurn) {
  SkyDome sky;
  EXPECT_TRUE(captureFeedback([&] { sky.render(); }).empty());
  sky.setShape(SkyDome::Paraboloid);
  // Whole triangles over vertices that exist; a surface that bends down from its middle, wide
  // enough to reach past the horizon; the picture spread over it once.
  ASSERT_FALSE(sky.indices().empty());
  EXPECT_EQ(sky.indices().size() % 3, 0u);
  for (const uint16_t index : sky.indices()) ASSERT_LT(index, sky.vertices().size());
  float highest = -1e9f, lowest = 1e9f, minS = 1e9f, maxS = -1e9f, minT = 1e9f, maxT = -1e9f;
  for (const SkyDome::Vertex& v : sky.vertices()) {
    highest = std::fmax(highest, v.y);
    lowest = std::fmin(lowest, v.y);
    minS = std::fmin(minS, v.s), maxS = std::fmax(maxS, v.s), minT = std::fmin(minT, v.t), maxT = std::fmax(maxT, v.t);
  }
  EXPECT_FLOAT_EQ(highest, 0.0f);
  EXPECT_LT(lowest + sky.lift(), -500.0f);
  EXPECT_FLOAT_EQ(minS, 0.0f);
  EXPECT_FLOAT_EQ(maxS, 1.0f);
  EXPECT_FLOAT_EQ(minT, 0.0f);
  EXPECT_FLOAT_EQ(maxT, 1.0f);
  const SkyDome::Vertex* data = sky.vertices().data();
  sky.setShape(SkyDome::Paraboloid);
  EXPECT_EQ(sky.vertices().data(), data);  // not rebuilt

  sky.setTurnSpeed(-0.75f);
  // The sky is drawn unlit. Nothing in the scene draws lit, and reading the state back to restore
  // it would make the driver finish its queue: lighting stays off.
  glEnable(GL_LIGHTING);
  sky.turn(2000);
  sky.begin();
  EXPECT_FALSE(glIsEnabled(GL_LIGHTING));
  sky.end();
  EXPECT_FALSE(glIsEnabled(GL_LIGHTING));
  EXPECT_FLOAT_EQ(sky.angleY(), -1.5f);

  // The centre vertex is drawn lifted by the inner radius above the object.
  sky.setPosition(0, -300, 0);
  sky.setAngleY(0);
  const std::vector<FeedbackVertex> v = feedbackVertices(captureFeedback([&] { sky.render(); }));
  EXPECT_GE(v.size(), 3u);
  float top = -1e9f;
  for (const FeedbackVertex& p : v) top = std::fmax(top, p.y);
  EXPECT_NEAR(top, 200.0f, 1e-2);

  sky.setShape(0);
  EXPECT_TRUE(sky.indices().empty());
}

// Small views draw every second or fourth grid line: the same vertices over the same area, in
// fewer, larger cells.
TEST_F(Geometry, CoarseFloorAndWaterCoverTheSameAreaWithTheSameVertices) {
  const std::string path =
      writeScratch("map33.nlt", heightMap(33, 33, [](int x, int y) -> uint32_t { return (x * 5 + y * 11) & 0xFF; }));
  Terrain terrain;
  ASSERT_TRUE(terrain.loadHeightMap(path.c_str()));
  terrain.setSize(60, 50);
  terrain.setHeightScale(0.05f);
  terrain.setGridResolution(15);  // the coarse grids end with a narrower line of cells
  terrain.setPosition(0, 0, 200);
  WaterGrid water;
  water.build(50, 40, 15, 13);
  water.setPosition(0, 0, 20);

  struct Extent {
    float minX = 1e9f, maxX = -1e9f, minY = 1e9f, maxY = -1e9f, minZ = 1e9f, maxZ = -1e9f;
    void add(const FeedbackVertex& p) {
      minX = std::fmin(minX, p.x);
      maxX = std::fmax(maxX, p.x);
      minY = std::fmin(minY, p.y);
      maxY = std::fmax(maxY, p.y);
      minZ = std::fmin(minZ, p.z);
      maxZ = std::fmax(maxZ, p.z);
    }
  };
  const auto covers = [](const std::vector<FeedbackVertex>& all, const FeedbackVertex& p) {
    for (const FeedbackVertex& q : all) {
      if (std::fabs(p.x - q.x) < 1e-2f && std::fabs(p.y - q.y) < 1e-2f && std::fabs(p.z - q.z) < 1e-2f) return true;
    }
    return false;
  };
  // The grid's area: x and, for the floor, depth (its heights lose peaks between coarse lines);
  // x and y for the water, whose waves move it in depth.
  const auto check = [&](const char* what, bool floor, const std::function<void(int)>& setDetail,
                         const std::function<void()>& draw) {
    setDetail(1);
    const std::vector<FeedbackPrimitive> fine = captureFeedback(draw);
    const std::vector<FeedbackVertex> fineVertices = feedbackVertices(fine);
    ASSERT_FALSE(fine.empty()) << what;
    Extent whole;
    for (const FeedbackVertex& p : fineVertices) whole.add(p);
    size_t previous = fine.size();
    for (const int step : {2, 4}) {
      setDetail(step);
      const std::vector<FeedbackPrimitive> coarse = captureFeedback(draw);
      ASSERT_FALSE(coarse.empty()) << what << " step " << step;
      EXPECT_LT(coarse.size() * 2, previous) << what << " step " << step;
      previous = coarse.size();
      Extent shown;
      for (const FeedbackVertex& p : feedbackVertices(coarse)) {
        shown.add(p);
        ASSERT_TRUE(covers(fineVertices, p)) << what << " step " << step << " at " << p.x << ", " << p.y;
      }
      EXPECT_NEAR(shown.minX, whole.minX, 1e-2) << what << " step " << step;
      EXPECT_NEAR(shown.maxX, whole.maxX, 1e-2) << what << " step " << step;
      EXPECT_NEAR(floor ? shown.minZ : shown.minY, floor ? whole.minZ : whole.minY, 1e-2) << what << " step " << step;
      EXPECT_NEAR(floor ? shown.maxZ : shown.maxY, floor ? whole.maxZ : whole.maxY, 1e-2) << what << " step " << step;
    }
  };
  check(
      "floor", true, [&](int step) { terrain.setDetail(step); }, [&] { terrain.render(); });
  check(
      "water", false, [&](int step) { water.setDetail(step); }, [&] { water.render(); });
}

TEST_F(Geometry, AQuadFollowsANewSizeAfterItWasDrawn) {
  Quad quad;
  quad.setSize(2, 2);
  ASSERT_FALSE(captureFeedback([&] { quad.render(); }).empty());
  quad.setSize(300, 40);
  float maxX = 0.0f, maxY = 0.0f;
  for (const FeedbackVertex& p : feedbackVertices(captureFeedback([&] { quad.render(); }))) {
    maxX = std::fmax(maxX, p.x);
    maxY = std::fmax(maxY, p.y);
  }
  EXPECT_NEAR(maxX, 150.0f, 1e-3);
  EXPECT_NEAR(maxY, 20.0f, 1e-3);
}
