#include <gtest/gtest.h>

#include <GL/gl.h>
#include <GL/glext.h>

#include "render/Quad.h"
#include "render/SceneObject.h"
#include "render/Texture.h"
#include "tests/render/RenderTestSupport.h"

using namespace rendertest;

namespace {

// Draws one point at a given spot of its own space, so feedback shows where begin put it.
class PointObject : public SceneObject {
 public:
  Vector3 local{0, 0, 0};
  void begin() override {
    glPushMatrix();
    SceneObject::begin();
  }
  void draw() override {
    glBegin(GL_POINTS);
    texCoord(0.5f, 0.5f);
    glVertex3f(local.x, local.y, local.z);
    glEnd();
  }
  void end() override {
    glPopMatrix();
    SceneObject::end();
  }
};

Vector3 drawnAt(PointObject& object) {
  const std::vector<FeedbackVertex> v = feedbackVertices(captureFeedback([&] { object.render(); }));
  EXPECT_EQ(v.size(), 1u);
  return v.empty() ? Vector3{} : Vector3{v[0].x, v[0].y, v[0].z};
}

Vector3 drawnByGl(const Vector3& local, const std::function<void()>& transform) {
  const std::vector<FeedbackVertex> v = feedbackVertices(captureFeedback([&] {
    glPushMatrix();
    transform();
    glBegin(GL_POINTS);
    glVertex3f(local.x, local.y, local.z);
    glEnd();
    glPopMatrix();
  }));
  return v.empty() ? Vector3{} : Vector3{v[0].x, v[0].y, v[0].z};
}

void expectNear(const Vector3& a, const Vector3& b, float tolerance = 2e-3f) {
  EXPECT_NEAR(a.x, b.x, tolerance);
  EXPECT_NEAR(a.y, b.y, tolerance);
  EXPECT_NEAR(a.z, b.z, tolerance);
}

class SceneObjectDraw : public ::testing::Test {
 protected:
  void SetUp() override {
    gl();
    objectSpaceView();
    overrideMultitexture(true, 8);
    while (glGetError() != GL_NO_ERROR) {
    }
  }
  void TearDown() override { overrideMultitexture(true, 8); }
};

// A 1 x 1 texture of one colour, loaded through a BMP file.
void loadPlain(Texture& texture, const char* name, uint32_t colour) {
  const std::string path = writeScratch(name, bmpFile(1, 1, 24, {colour}));
  ASSERT_TRUE(texture.loadBMP(path.c_str(), TexLinear));
}

GLint envMode() {
  GLint mode = 0;
  glGetTexEnviv(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, &mode);
  return mode;
}

GLint integer(GLenum name) {
  GLint value = 0;
  glGetIntegerv(name, &value);
  return value;
}

}  // namespace

TEST(SceneObjectPlacement, KeepsZNegatedInsideAndReducesAngles) {
  PointObject object;
  object.setPosition(1, 2, 3);
  expectNear(object.position(), {1, 2, 3});
  object.setAngleY(370);
  EXPECT_FLOAT_EQ(object.angleY(), 10.0f);
  object.turnY(-20);
  EXPECT_FLOAT_EQ(object.angleY(), -10.0f);
  object.setAngleY(-370);
  EXPECT_FLOAT_EQ(object.angleY(), -10.0f);
  object.setAngleX(725.5f);
  EXPECT_FLOAT_EQ(object.angleX(), 5.5f);

  // Euler mode: the target stays where it was.
  object.setPosition(5, 0, 0);
  expectNear(object.target(), {0, 0, 1});

  PointObject creature;
  creature.clearFlags(EulerTransform);
  creature.setPosition(5, 0, 0);
  expectNear(creature.target(), {5, 0, 1});
  creature.setUp(0, 0, 1);
  expectNear(creature.up(), {0, 0, 1});

  // A creature's pose is taken whole.
  Pose pose;
  pose.setPosition(2, 3, 4);
  pose.setTarget(2, 3, 9);
  creature.setPose(pose);
  expectNear(creature.position(), {2, 3, 4});
  expectNear(creature.target(), {2, 3, 9});
}

TEST_F(SceneObjectDraw, EulerModeTranslatesByNegatedZAndTurnsXThenYThenZ) {
  PointObject object;
  object.setPosition(1, 2, 3);
  expectNear(drawnAt(object), {1, 2, -3});

  object.local = {0, 1, 2};
  object.setAngleX(30);
  object.setAngleY(50);
  object.setAngleZ(70);
  object.setScale(2, 3, 4);
  const Vector3 expected = drawnByGl(object.local, [] {
    glTranslatef(1, 2, -3);
    glRotatef(70, 0, 0, 1);
    glRotatef(50, 0, 1, 0);
    glRotatef(30, 1, 0, 0);
    glScalef(2, 3, 4);
  });
  expectNear(drawnAt(object), expected);
}

TEST_F(SceneObjectDraw, LookAtModeFacesTheTarget) {
  PointObject object;
  object.clearFlags(EulerTransform);
  object.setPosition(10, 0, 0);
  object.setTarget(10, 0, 5);  // facing +z outside, -z inside: the model's forward axis
  object.local = {0, 0, -1};
  expectNear(drawnAt(object), {10, 0, -1});
  object.local = {1, 2, 0};
  expectNear(drawnAt(object), {11, 2, 0});
}

TEST_F(SceneObjectDraw, DepthTestFlagBlendingAndColourAreUndoneByEnd) {
  PointObject object;
  glEnable(GL_DEPTH_TEST);
  object.clearFlags(DepthTest);
  object.setBlended(true);
  object.setColour({0.25f, 0.5f, 0.75f});
  object.setAlpha(0.5f);
  object.begin();
  EXPECT_FALSE(glIsEnabled(GL_DEPTH_TEST));
  EXPECT_TRUE(glIsEnabled(GL_BLEND));
  EXPECT_EQ(integer(GL_BLEND_SRC), GL_SRC_ALPHA);
  EXPECT_EQ(integer(GL_BLEND_DST), GL_ONE_MINUS_SRC_ALPHA);
  GLfloat colour[4];
  glGetFloatv(GL_CURRENT_COLOR, colour);
  EXPECT_FLOAT_EQ(colour[2], 0.75f);
  EXPECT_FLOAT_EQ(colour[3], 0.5f);
  EXPECT_FALSE(glIsEnabled(GL_TEXTURE_2D));  // untextured
  object.end();
  EXPECT_TRUE(glIsEnabled(GL_DEPTH_TEST));
  EXPECT_FALSE(glIsEnabled(GL_BLEND));
}

TEST_F(SceneObjectDraw, TwoTexturesUseTwoUnitsAndEndSwitchesThemOff) {
  ASSERT_TRUE(initMultitexture());
  Texture sand, light;
  loadPlain(sand, "sand.nlt", 0xC0A060);
  loadPlain(light, "light.nlt", 0x2040FF);
  light.setEnvFlags(TexDecal);
  PointObject floor;
  floor.addTexture(&sand);
  floor.addTexture(&light);
  floor.setTextureScale(1, 5);
  floor.setTextureScale(7, 9);  // beyond the list: ignored
  EXPECT_TRUE(floor.multitextured());
  EXPECT_EQ(floor.textureScale(1), 5.0f);

  floor.begin();
  EXPECT_EQ(integer(GL_ACTIVE_TEXTURE_ARB), GL_TEXTURE1_ARB);  // left at the last unit
  EXPECT_EQ(static_cast<GLuint>(integer(GL_TEXTURE_BINDING_2D)), light.id());
  EXPECT_EQ(envMode(), GL_DECAL);
  EXPECT_TRUE(glIsEnabled(GL_TEXTURE_2D));
  EXPECT_FLOAT_EQ(light.scaleS(), 5.0f);
  floor.draw();
  floor.end();
  EXPECT_EQ(integer(GL_ACTIVE_TEXTURE_ARB), GL_TEXTURE0_ARB);
  EXPECT_EQ(envMode(), GL_MODULATE);
  EXPECT_FALSE(glIsEnabled(GL_TEXTURE_2D));

  // Both units received the coordinate, each through its texture's scale.
  PFNGLACTIVETEXTUREARBPROC activeTexture =
      reinterpret_cast<PFNGLACTIVETEXTUREARBPROC>(reinterpret_cast<void*>(wglGetProcAddress("glActiveTextureARB")));
  GLfloat st[4];
  activeTexture(GL_TEXTURE1_ARB);
  glGetFloatv(GL_CURRENT_TEXTURE_COORDS, st);
  EXPECT_FLOAT_EQ(st[0], 2.5f);
  activeTexture(GL_TEXTURE0_ARB);
  glGetFloatv(GL_CURRENT_TEXTURE_COORDS, st);
  EXPECT_FLOAT_EQ(st[0], 0.5f);

  // Swapping layer 1 keeps the lists and their scales.
  Texture other;
  floor.setTexture(&other, 1);
  floor.setTexture(&other, 2);  // no such layer
  EXPECT_EQ(floor.texture(1), &other);
  EXPECT_EQ(floor.textureCount(), 2);
}

TEST_F(SceneObjectDraw, ArraysGiveTheCoordinatesOfSingleVerticesAndLeaveNoStateBehind) {
  ASSERT_TRUE(initMultitexture());
  Texture sand, light;
  loadPlain(sand, "sand.nlt", 0xC0A060);
  loadPlain(light, "light.nlt", 0x2040FF);
  sand.setOffset(0.25f, -0.5f);
  PointObject floor;
  floor.addTexture(&sand);
  floor.addTexture(&light);
  floor.setTextureScale(0, 3);
  floor.setTextureScale(1, 5);

  const float positions[] = {0, 0, 0, 1, 0, 0, 0, 1, 0, 1, 1, 0};
  const float coords[] = {0.5f, 0.25f, 1, 0, 0, 1, 1, 1};
  const uint16_t order[] = {3, 1, 0};
  std::vector<FeedbackVertex> drawn;
  std::vector<FeedbackVertex> listed;
  floor.begin();
  drawn = feedbackVertices(captureFeedback(
      [&] { floor.drawArrays(GL_TRIANGLE_STRIP, positions, 3 * sizeof(float), coords, 2 * sizeof(float), 4); }));
  listed = feedbackVertices(captureFeedback(
      [&] { floor.drawElements(GL_TRIANGLES, positions, 3 * sizeof(float), coords, 2 * sizeof(float), 3, order); }));
  floor.end();

  // Feedback reports unit 0: u * 3 + 0.25, v * 3 - 0.5, as texCoord computes them.
  ASSERT_EQ(drawn.size(), 6u);  // the strip's two triangles
  EXPECT_FLOAT_EQ(drawn[0].s, 1.75f);
  EXPECT_FLOAT_EQ(drawn[0].t, 0.25f);
  ASSERT_EQ(listed.size(), 3u);
  EXPECT_FLOAT_EQ(listed[0].x, 1.0f);
  EXPECT_FLOAT_EQ(listed[0].y, 1.0f);
  EXPECT_FLOAT_EQ(listed[0].s, 3.25f);
  EXPECT_FLOAT_EQ(listed[0].t, 2.5f);

  PFNGLACTIVETEXTUREARBPROC activeTexture =
      reinterpret_cast<PFNGLACTIVETEXTUREARBPROC>(reinterpret_cast<void*>(wglGetProcAddress("glActiveTextureARB")));
  PFNGLCLIENTACTIVETEXTUREARBPROC clientActiveTexture = reinterpret_cast<PFNGLCLIENTACTIVETEXTUREARBPROC>(
      reinterpret_cast<void*>(wglGetProcAddress("glClientActiveTextureARB")));
  EXPECT_EQ(integer(GL_MATRIX_MODE), GL_MODELVIEW);
  EXPECT_EQ(integer(GL_CLIENT_ACTIVE_TEXTURE_ARB), GL_TEXTURE0_ARB);
  EXPECT_FALSE(glIsEnabled(GL_VERTEX_ARRAY));
  for (const GLenum unit : {GL_TEXTURE0_ARB, GL_TEXTURE1_ARB}) {
    activeTexture(unit);
    clientActiveTexture(unit);
    EXPECT_FALSE(glIsEnabled(GL_TEXTURE_COORD_ARRAY)) << unit;
    GLfloat matrix[16];
    glGetFloatv(GL_TEXTURE_MATRIX, matrix);
    for (int i = 0; i < 16; ++i) EXPECT_EQ(matrix[i], i % 5 == 0 ? 1.0f : 0.0f) << unit;
  }
  activeTexture(GL_TEXTURE0_ARB);
  clientActiveTexture(GL_TEXTURE0_ARB);
  EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}

TEST_F(SceneObjectDraw, WithoutTheExtensionOnlyTheFirstTextureIsBound) {
  overrideMultitexture(false, 0);
  Texture sand, light;
  loadPlain(sand, "sand.nlt", 0xC0A060);
  loadPlain(light, "light.nlt", 0x2040FF);
  PointObject floor;
  floor.addTexture(&sand);
  floor.addTexture(&light);
  floor.setTextureScale(0, 2);
  EXPECT_FALSE(floor.multitextured());
  floor.begin();
  EXPECT_EQ(static_cast<GLuint>(integer(GL_TEXTURE_BINDING_2D)), sand.id());
  EXPECT_EQ(integer(GL_ACTIVE_TEXTURE_ARB), GL_TEXTURE0_ARB);
  floor.draw();
  floor.end();
  GLfloat st[4];
  glGetFloatv(GL_CURRENT_TEXTURE_COORDS, st);
  EXPECT_FLOAT_EQ(st[0], 1.0f);  // 0.5 through the first texture's scale 2
}

TEST_F(SceneObjectDraw, ScaleOneLeavesTheScaleAnotherObjectSet) {
  Texture shared;
  loadPlain(shared, "shared.nlt", 0xFFFFFF);
  PointObject tiled, plain;
  tiled.addTexture(&shared);
  tiled.setTextureScale(0, 3);
  plain.addTexture(&shared);
  tiled.render();
  EXPECT_FLOAT_EQ(shared.scaleS(), 3.0f);
  const std::vector<FeedbackVertex> v = feedbackVertices(captureFeedback([&] { plain.render(); }));
  ASSERT_EQ(v.size(), 1u);
  EXPECT_FLOAT_EQ(v[0].s, 1.5f);
}

TEST_F(SceneObjectDraw, ReleaseGeometryEmptiesTheListsAndLaterDrawsAreUntextured) {
  Texture shared;
  loadPlain(shared, "shared.nlt", 0xFFFFFF);
  PointObject object;
  object.addTexture(&shared);
  object.releaseGeometry();
  EXPECT_EQ(object.textureCount(), 0);
  object.render();
  EXPECT_FALSE(glIsEnabled(GL_TEXTURE_2D));
  EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}

// The census's pictures: one flat colour, exactly, wherever the first picture's alpha is over one
// half, whatever the object's textures, blending and the fog would do; the real picture after.
TEST_F(SceneObjectDraw, AFlatColourKeepsOnlyTheFirstPicturesCutOut) {
  ASSERT_TRUE(initMultitexture());
  Texture card, light;
  // Left column clear, right column opaque, in two colours.
  const std::string path = writeScratch("cutout.nlt", bmpFile(2, 1, 32, {0x00FF0000, 0xFF00FF00}));
  ASSERT_TRUE(card.loadBMP(path.c_str(), TexNearest));
  loadPlain(light, "light.nlt", 0x2040FF);
  Quad quad;
  quad.setSize(2.0f, 2.0f);
  quad.addTexture(&card);
  quad.addTexture(&light);
  quad.setBlended(true);
  quad.setColour({0.5f, 0.5f, 0.5f});
  quad.setPosition(0.0f, 0.0f, 0.25f);  // half into the fog

  GLint viewport[4];
  glGetIntegerv(GL_VIEWPORT, viewport);
  glViewport(0, 0, 8, 8);
  glMatrixMode(GL_PROJECTION);
  glPushMatrix();
  glLoadIdentity();
  glMatrixMode(GL_MODELVIEW);
  glPushMatrix();
  glLoadIdentity();
  const GLfloat fogColour[4] = {1.0f, 0.0f, 1.0f, 1.0f};
  glFogfv(GL_FOG_COLOR, fogColour);
  glFogi(GL_FOG_MODE, GL_LINEAR);
  glFogf(GL_FOG_START, 0.0f);
  glFogf(GL_FOG_END, 0.5f);
  const auto drawn = [&] {
    glClearColor(0, 0, 0, 1);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glEnable(GL_FOG);
    quad.render();
    glDisable(GL_FOG);
    std::vector<unsigned char> pixels(8 * 8 * 4);
    glReadPixels(0, 0, 8, 8, GL_RGBA, GL_UNSIGNED_BYTE, pixels.data());
    return pixels;
  };
  const float flat[3] = {32.0f / 255.0f, 1.0f / 255.0f, 254.0f / 255.0f};
  SceneObject::setFlatColour(flat);
  const std::vector<unsigned char> census = drawn();
  SceneObject::setFlatColour(nullptr);
  const std::vector<unsigned char> real = drawn();
  glPopMatrix();
  glMatrixMode(GL_PROJECTION);
  glPopMatrix();
  glMatrixMode(GL_MODELVIEW);
  glViewport(viewport[0], viewport[1], viewport[2], viewport[3]);

  for (int y = 0; y < 8; ++y) {
    for (int x = 0; x < 8; ++x) {
      const unsigned char* p = &census[static_cast<size_t>(y * 8 + x) * 4];
      const int expected[3] = {x < 4 ? 0 : 32, x < 4 ? 0 : 1, x < 4 ? 0 : 254};
      EXPECT_EQ(p[0], expected[0]) << x << ", " << y;
      EXPECT_EQ(p[1], expected[1]) << x << ", " << y;
      EXPECT_EQ(p[2], expected[2]) << x << ", " << y;
    }
  }
  EXPECT_FALSE(glIsEnabled(GL_ALPHA_TEST));
  EXPECT_EQ(envMode(), GL_MODULATE);
  // Drawn for real, the opaque half is half fog and the clear half stays black.
  EXPECT_NEAR(real[(4 * 8 + 6) * 4 + 0], 128, 8);
  EXPECT_EQ(real[(4 * 8 + 1) * 4 + 1], 0);
}
