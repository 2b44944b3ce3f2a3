#include <gtest/gtest.h>

#include <GL/gl.h>

#include "formats/Md3Format.h"
#include "render/Md3Reader.h"
#include "render/QModel.h"
#include "render/Transforms.h"
#include "tests/render/RenderTestSupport.h"

using namespace rendertest;

namespace {

// Two triangles over four vertices in two frames; frame 1 is frame 0 moved by 64 file units
// (one scene unit) along file x.
Md3Builder squareModel(int frames = 2, int tags = 0) {
  Md3Builder model;
  model.frames = frames;
  model.tags = tags;
  model.texCoords = {0, 0, 1, 0, 1, 1, 0, 1};
  model.indices = {0, 1, 2, 0, 2, 3};
  for (int f = 0; f < frames; ++f) {
    const int16_t dx = static_cast<int16_t>(64 * f);
    const int16_t corners[] = {0, 0, 0, 64, 0, 0, 64, 0, 64, 0, 0, 64};
    for (int i = 0; i < 12; ++i) model.vertices.push_back(static_cast<int16_t>(corners[i] + (i % 3 == 0 ? dx : 0)));
  }
  return model;
}

bool parse(const std::string& bytes, Md3Mesh& mesh) {
  GuardedBytes guarded(bytes);
  return parseMd3(guarded.data(), guarded.size(), mesh);
}

// A model whose file holds only the given vertex (for the axis conversion).
Md3Builder oneVertexModel(int16_t x, int16_t y, int16_t z) {
  Md3Builder model;
  model.texCoords = {0.25f, 0.75f};
  model.indices = {0, 0, 0};
  model.vertices = {x, y, z};
  return model;
}

class ModelDraw : public ::testing::Test {
 protected:
  void SetUp() override {
    gl();
    objectSpaceView();
    while (glGetError() != GL_NO_ERROR) {
    }
  }
};

}  // namespace

TEST(Md3Reader, ConvertsAxesAndKeepsIndicesInFileOrder) {
  Md3Mesh mesh;
  ASSERT_TRUE(parse(oneVertexModel(64, 128, -192).bytes(), mesh));
  EXPECT_EQ(mesh.frameCount, 1);
  EXPECT_EQ(mesh.vertexCount, 1);
  const Vector3 p = mesh.positions[0];
  EXPECT_FLOAT_EQ(p.x, 1.0f);
  EXPECT_FLOAT_EQ(p.y, -3.0f);
  EXPECT_FLOAT_EQ(p.z, -2.0f);
  EXPECT_FLOAT_EQ(mesh.texCoords[0], 0.25f);
  EXPECT_FLOAT_EQ(mesh.texCoords[1], 0.75f);

  ASSERT_TRUE(parse(squareModel().bytes(), mesh));
  EXPECT_EQ(mesh.triangleCount, 2);
  EXPECT_EQ(mesh.indices, (std::vector<uint16_t>{0, 1, 2, 0, 2, 3}));
  EXPECT_FLOAT_EQ(mesh.positions[4].x, 1.0f);  // frame 1, vertex 0
}

TEST(Md3Reader, FindsTheSurfaceBehindFramesAndTagsNotThroughTheHeaderOffset) {
  Md3Builder model = squareModel(3, 2);
  model.headerSurfaceOffset = 12345678;
  Md3Mesh mesh;
  ASSERT_TRUE(parse(model.bytes(), mesh));
  EXPECT_EQ(mesh.frameCount, 3);
  EXPECT_FLOAT_EQ(mesh.positions[2 * 4].x, 2.0f);
}

TEST(Md3Reader, RejectsEveryTruncationWithoutReadingPastTheEnd) {
  const std::string bytes = squareModel(2, 1).bytes();
  Md3Mesh mesh;
  for (size_t length = 0; length < bytes.size(); ++length) {
    EXPECT_FALSE(parse(bytes.substr(0, length), mesh)) << "length " << length;
    EXPECT_EQ(mesh.frameCount, 0);
  }
  EXPECT_TRUE(parse(bytes, mesh));
}

TEST(Md3Reader, RejectsCountsAndOffsetsOutsideTheFile) {
  const Md3Builder model = squareModel(2, 1);
  const std::string good = model.bytes();
  const size_t surface = model.surfaceStart();
  struct Corruption {
    size_t offset;
    int32_t value;
  };
  const size_t headerFrames = offsetof(formats::Md3Header, numFrames);
  const size_t headerTags = offsetof(formats::Md3Header, numTags);
  const Corruption cases[] = {
      {headerFrames, -1},            // header frames negative
      {headerFrames, 0x7FFFFFFF},    // header frames huge
      {headerTags, 0x7FFFFFFF},      // tags huge
      {headerTags, -5},              // tags negative
      {surface + SurfaceFrames, 0},  // no frames
      {surface + SurfaceFrames, 3},  // more frames than stored
      {surface + SurfaceFrames, 0x7FFFFFFF},
      {surface + SurfaceFrames, -2},
      {surface + SurfaceVertices, 0x7FFFFFFF},
      {surface + SurfaceVertices, -1},
      {surface + SurfaceVertices, 0},  // indices then name no vertex
      {surface + SurfaceVertices, 3},  // index 3 beyond the vertices
      {surface + SurfaceTriangles, 0x7FFFFFFF},
      {surface + SurfaceTriangles, -1},
      {surface + SurfaceTriangleOffset, -12},
      {surface + SurfaceTriangleOffset, 0x7FFFFFF0},
      {surface + SurfaceTexCoordOffset, -8},
      {surface + SurfaceTexCoordOffset, static_cast<int32_t>(good.size())},
      {surface + SurfaceVertexOffset, -100},
      {surface + SurfaceVertexOffset, static_cast<int32_t>(good.size() - surface - 8)},
  };
  for (const Corruption& c : cases) {
    std::string bytes = good;
    putInt32(bytes, c.offset, c.value);
    Md3Mesh mesh;
    EXPECT_FALSE(parse(bytes, mesh)) << "offset " << c.offset << " value " << c.value;
  }

  for (const int32_t index : {-1, 4, 65536, 0x7FFFFFFF}) {
    Md3Builder bad = squareModel();
    bad.indices[4] = index;
    Md3Mesh mesh;
    EXPECT_FALSE(parse(bad.bytes(), mesh)) << "index " << index;
  }
}

TEST(Md3Reader, AcceptsAModelWithoutTriangles) {
  Md3Builder model = squareModel();
  model.indices.clear();
  Md3Mesh mesh;
  EXPECT_TRUE(parse(model.bytes(), mesh));
  EXPECT_EQ(mesh.triangleCount, 0);
}

TEST(Md3Reader, RefusesASurfaceOfMoreVerticesThanSixteenBitIndicesReach) {
  for (const int32_t vertices : {Md3IndexedVertices, Md3IndexedVertices + 1}) {
    Md3Builder model;
    model.frames = 1;
    model.texCoords.assign(2 * static_cast<size_t>(vertices), 0.5f);
    model.vertices.assign(3 * static_cast<size_t>(vertices), 64);
    model.indices = {0, 1, vertices - 1};
    Md3Mesh mesh;
    if (vertices > Md3IndexedVertices) {
      EXPECT_FALSE(parse(model.bytes(), mesh));
    } else {
      ASSERT_TRUE(parse(model.bytes(), mesh));
      EXPECT_EQ(mesh.indices[2], vertices - 1);
    }
  }
}

TEST(QModelFile, MissingFileReportsAndStaysEmpty) {
  QModel model;
  const std::string path = scratch() + "missing.nlm";
  const std::string out = captureStdout([&] { EXPECT_FALSE(model.loadMD3(path.c_str())); });
  EXPECT_EQ(out, "QModel::loadMD3 fopen " + path + " failed\n");
  EXPECT_EQ(model.frameCount(), 0);
}

TEST(QModelFile, LoadsFromDiskAndAReloadStartsAfresh) {
  const std::string path = writeScratch("square.nlm", squareModel(5).bytes());
  QModel model;
  ASSERT_TRUE(model.loadMD3(path.c_str()));
  EXPECT_EQ(model.frameCount(), 5);
  EXPECT_EQ(model.vertexCount(), 4);
  EXPECT_EQ(model.triangleCount(), 2);
  model.addAnimation(0, 4, "swim");

  const std::string broken = writeScratch("broken.nlm", squareModel().bytes().substr(0, 200));
  EXPECT_FALSE(model.loadMD3(broken.c_str()));
  EXPECT_EQ(model.frameCount(), 0);
  EXPECT_EQ(model.currentLastFrame(), 0);
}

TEST(QModelAnimation, ClampsRangesAndPlaysByExactName) {
  QModel model;
  const std::string bytes = squareModel(40).bytes();
  ASSERT_TRUE(model.loadMD3(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size()));
  model.addAnimation(23, 42, "fly");
  EXPECT_EQ(model.currentFrame(), 23);
  EXPECT_EQ(model.currentLastFrame(), 39);
  model.addAnimation(-5, 9, "glide");
  model.playAnimation("glide");
  EXPECT_EQ(model.currentFrame(), 0);
  EXPECT_EQ(model.currentLastFrame(), 9);
  model.playAnimation("Fly");  // case matters: nothing changes
  EXPECT_EQ(model.currentLastFrame(), 9);
  model.playAnimation("fly");
  EXPECT_EQ(model.currentLastFrame(), 39);
}

TEST(QModelAnimation, AdvancesByTheFrameTimeAndLoops) {
  const std::string bytes = squareModel(40).bytes();
  QModel model;
  ASSERT_TRUE(model.loadMD3(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size()));
  model.addAnimation(0, 19, "swim");
  model.addAnimation(20, 39, "turn");
  model.playAnimation("swim");

  model.advance(200);  // 15 frames per second: 3 frames
  EXPECT_FLOAT_EQ(model.animationPosition(), 3.0f);

  // 500 frames per second: 0.5 frame per millisecond.
  model.setFrameRate(500);
  model.advance(33);  // to 19.5
  EXPECT_FLOAT_EQ(model.animationPosition(), 19.5f);
  EXPECT_EQ(model.currentFrame(), 19);
  EXPECT_EQ(model.nextFrame(), 0);
  model.advance(2);  // one frame on: loops to 0.5
  EXPECT_FLOAT_EQ(model.animationPosition(), 0.5f);
  EXPECT_EQ(model.currentFrame(), 0);
  EXPECT_EQ(model.nextFrame(), 1);
  EXPECT_FLOAT_EQ(model.fraction(), 0.5f);

  model.playAnimation("turn");
  model.setFrameRate(1000);
  model.advance(19);
  model.setFrameRate(200);  // 0.2 frame per millisecond
  model.advance(1);
  EXPECT_NEAR(model.animationPosition(), 39.2f, 1e-4);
  EXPECT_EQ(model.currentFrame(), 39);
  EXPECT_EQ(model.nextFrame(), 20);

  model.playAnimation("nothing");
  EXPECT_NEAR(model.animationPosition(), 39.2f, 1e-4);
}

TEST(QModelAnimation, HugeStepsAndOddRangesNeverHang) {
  const std::string bytes = squareModel(40).bytes();
  QModel model;
  ASSERT_TRUE(model.loadMD3(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size()));
  model.addAnimation(30, 10, "backwards");
  EXPECT_EQ(model.currentLastFrame(), 30);
  model.setFrameRate(1000);
  model.advance(4000000000u);  // 4 million frames in one step
  EXPECT_EQ(model.currentFrame(), 30);

  model.addAnimation(5, 9, "swim");
  model.playAnimation("swim");
  model.advance(3999999999u);
  EXPECT_GE(model.animationPosition(), 5.0f);
  EXPECT_LT(model.animationPosition(), 10.0f);

  model.setFrameRate(-30);  // running backwards still stays in the range
  model.advance(1234);
  EXPECT_GE(model.currentFrame(), 5);
  EXPECT_LE(model.currentFrame(), 9);

  QModel empty;
  empty.addAnimation(3, 7, "swim");
  EXPECT_EQ(empty.currentFrame(), 0);
  EXPECT_EQ(empty.currentLastFrame(), 0);
  empty.advance(100000);
  EXPECT_EQ(empty.currentFrame(), 0);
}

TEST_F(ModelDraw, BlendsTowardTheNextFrameOnlyWithInterpolate) {
  const std::string bytes = squareModel(2).bytes();
  QModel model;
  ASSERT_TRUE(model.loadMD3(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size()));
  model.addAnimation(0, 1, "swim");
  model.setFrameRate(1000);
  ModelObject object;
  object.setModel(&model);
  object.setPosition(0, 0, 0);
  model.advance(0);

  // Half a frame on: positions halfway between frame 0 and frame 1 (x + 0.5).
  model.setFrameRate(500);
  model.advance(1);
  std::vector<FeedbackVertex> vertices = feedbackVertices(captureFeedback([&] { object.render(); }));
  ASSERT_EQ(vertices.size(), 6u);
  EXPECT_NEAR(vertices[0].x, 0.5f, 1e-3);
  EXPECT_NEAR(vertices[1].x, 1.5f, 1e-3);
  EXPECT_NEAR(vertices[2].y, 1.0f, 1e-3);  // file z is scene y

  // A second object of the model shares the blend; a later fraction blends afresh for both.
  ModelObject other;
  other.setModel(&model);
  std::vector<FeedbackVertex> shared = feedbackVertices(captureFeedback([&] { other.render(); }));
  ASSERT_EQ(shared.size(), 6u);
  EXPECT_NEAR(shared[0].x, 0.5f, 1e-3);
  model.setFrameRate(250);  // a quarter frame per ms: 0.75 one ms later
  model.advance(1);
  vertices = feedbackVertices(captureFeedback([&] { object.render(); }));
  shared = feedbackVertices(captureFeedback([&] { other.render(); }));
  ASSERT_EQ(vertices.size(), 6u);
  ASSERT_EQ(shared.size(), 6u);
  EXPECT_NEAR(vertices[0].x, 0.75f, 1e-3);
  EXPECT_NEAR(shared[0].x, 0.75f, 1e-3);

  object.clearFlags(Interpolate);
  vertices = feedbackVertices(captureFeedback([&] { object.render(); }));
  ASSERT_EQ(vertices.size(), 6u);
  EXPECT_NEAR(vertices[0].x, 0.0f, 1e-3);
  EXPECT_NEAR(vertices[1].x, 1.0f, 1e-3);
}

TEST_F(ModelDraw, WithoutRangesDrawsFrameZeroAndAnEmptyModelDrawsNothing) {
  const std::string bytes = squareModel(2).bytes();
  QModel model;
  ASSERT_TRUE(model.loadMD3(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size()));
  ModelObject object;
  object.setModel(&model);
  std::vector<FeedbackVertex> vertices = feedbackVertices(captureFeedback([&] { object.render(); }));
  ASSERT_EQ(vertices.size(), 6u);
  EXPECT_NEAR(vertices[1].x, 1.0f, 1e-3);

  QModel empty;
  object.setModel(&empty);
  std::string out = captureStdout([&] { EXPECT_TRUE(captureFeedback([&] { object.render(); }).empty()); });
  EXPECT_EQ(out, "frame >= NumFrames\n");

  empty.addAnimation(0, 10, "swim");
  out = captureStdout([&] { EXPECT_TRUE(captureFeedback([&] { object.render(); }).empty()); });
  EXPECT_EQ(out, "");
  EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}

TEST_F(ModelDraw, ReleaseGeometryEmptiesTheSharedModel) {
  const std::string bytes = squareModel(2).bytes();
  QModel model;
  ASSERT_TRUE(model.loadMD3(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size()));
  model.addAnimation(0, 1, "swim");
  ModelObject first, second;
  first.setModel(&model);
  second.setModel(&model);
  first.releaseGeometry();
  first.releaseGeometry();
  EXPECT_EQ(model.frameCount(), 0);
  EXPECT_EQ(captureStdout([&] { EXPECT_TRUE(captureFeedback([&] { second.render(); }).empty()); }),
            "frame >= NumFrames\n");
}

// A model is sent when any of it may show: not when its box lies outside the view, even where
// the sphere about its origin reaches in. The view here ends at x = -1000.
TEST_F(ModelDraw, AModelWhoseBoxLiesOutsideTheViewIsNotSent) {
  const std::string bytes = squareModel(1).bytes();
  QModel model;
  ASSERT_TRUE(model.loadMD3(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size()));
  ModelObject object;
  object.setModel(&model);
  object.setScale(100.0f);
  const float farRight = 100.0f * model.boundsHigh().x;
  object.setPosition(-1020.0f - farRight, 0.0f, 0.0f);  // its box ends 20 units short of the view
  ASSERT_GT(100.0f * model.radius(), farRight + 20.0f) << "the sphere reaches into the view";
  EXPECT_EQ(verticesSent([&] { object.render(); }), 0u);
  object.setPosition(-980.0f - farRight, 0.0f, 0.0f);
  EXPECT_EQ(verticesSent([&] { object.render(); }), 6u);
}

// A 16 x 16 vertex sheet drawn in a viewport of decreasing height: all its triangles while it
// spans more than QModel::FullDetailPixels, fewer and fewer below, never none.
TEST_F(ModelDraw, AModelFewPixelsAcrossDrawsFewerTriangles) {
  const std::string bytes = sheetModel(16, 1).bytes();
  QModel model;
  ASSERT_TRUE(model.loadMD3(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size()));
  ModelObject object;
  object.setModel(&model);
  object.setScale(100.0f);  // 375 units a side, inside the +-1000 view

  size_t previous = 0;
  for (const int height : {2000, 20, 8}) {
    transforms::setViewport(0, 0, height, height);
    const size_t drawn = captureFeedback([&] { object.render(); }).size();
    // 2 r pixels of an r-unit radius: the viewport's height spans 2000 units.
    const float pixelsAcross = 2.0f * model.radius() * 100.0f * static_cast<float>(height) / 2000.0f;
    EXPECT_EQ(static_cast<int>(drawn), model.trianglesAt(pixelsAcross)) << height;
    if (pixelsAcross > QModel::FullDetailPixels) {
      EXPECT_EQ(static_cast<int>(drawn), model.triangleCount()) << height;
    } else if (previous > 0) {
      EXPECT_LT(drawn, previous) << height;
    }
    EXPECT_GT(drawn, 0u) << height;
    previous = drawn;
  }
  objectSpaceView();
}
