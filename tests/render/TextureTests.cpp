#include <gtest/gtest.h>

#include <GL/gl.h>
#include <GL/glext.h>

#include <algorithm>
#include <vector>

#include "render/Texture.h"
#include "tests/render/RenderTestSupport.h"

using namespace rendertest;

namespace {

GLint textureParameter(GLenum name) {
  GLint value = 0;
  glGetTexParameteriv(GL_TEXTURE_2D, name, &value);
  return value;
}

GLint levelParameter(GLint level, GLenum name) {
  GLint value = 0;
  glGetTexLevelParameteriv(GL_TEXTURE_2D, level, name, &value);
  return value;
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

class TextureGl : public ::testing::Test {
 protected:
  void SetUp() override {
    gl();
    overrideMultitexture(true, 8);
    while (glGetError() != GL_NO_ERROR) {
    }
  }
  void TearDown() override { overrideMultitexture(true, 8); }

  // 4 x 2 picture: top row red, green, blue, white; bottom row black, grey, yellow, cyan.
  std::string picture(int bits) {
    return writeScratch(
        bits == 24 ? "picture24.nlt" : "picture32.nlt",
        bmpFile(4, 2, bits,
                {0x10FF0000, 0x2000FF00, 0x300000FF, 0x40FFFFFF, 0x50000000, 0x60808080, 0x70FFFF00, 0x8000FFFF}));
  }
};

}  // namespace

TEST_F(TextureGl, UploadsTopRowFirstKeepingAlpha) {
  Texture rgb;
  ASSERT_TRUE(rgb.loadBMP(picture(24).c_str(), TexLinear));
  EXPECT_TRUE(rgb.loaded());
  glBindTexture(GL_TEXTURE_2D, rgb.id());
  EXPECT_EQ(levelParameter(0, GL_TEXTURE_WIDTH), 4);
  EXPECT_EQ(levelParameter(0, GL_TEXTURE_HEIGHT), 2);
  EXPECT_EQ(levelParameter(0, GL_TEXTURE_INTERNAL_FORMAT), GL_RGB);
  unsigned char texels[4 * 2 * 4];
  glPixelStorei(GL_PACK_ALIGNMENT, 1);
  glGetTexImage(GL_TEXTURE_2D, 0, GL_RGBA, GL_UNSIGNED_BYTE, texels);
  const unsigned char firstRow[] = {255, 0, 0, 255, 0, 255, 0, 255, 0, 0, 255, 255, 255, 255, 255, 255};
  EXPECT_EQ(0, memcmp(texels, firstRow, sizeof firstRow));
  EXPECT_EQ(texels[16 + 8], 255);  // yellow: red
  EXPECT_EQ(texels[16 + 10], 0);   // yellow: blue

  Texture rgba;
  ASSERT_TRUE(rgba.loadBMP(picture(32).c_str(), TexLinear));
  glBindTexture(GL_TEXTURE_2D, rgba.id());
  EXPECT_EQ(levelParameter(0, GL_TEXTURE_INTERNAL_FORMAT), GL_RGBA);
  glGetTexImage(GL_TEXTURE_2D, 0, GL_RGBA, GL_UNSIGNED_BYTE, texels);
  EXPECT_EQ(texels[3], 0x10);
  EXPECT_EQ(texels[4 + 1], 255);
  EXPECT_EQ(texels[7], 0x20);
  EXPECT_EQ(texels[16 + 3], 0x50);
  EXPECT_EQ(texels[28 + 3], 0x80);
}

TEST_F(TextureGl, FlagsChooseFiltersWrapAndMipmaps) {
  const std::string path = picture(24);
  struct Case {
    unsigned flags;
    GLint min, mag, wrapS, wrapT;
    bool mipmaps;
  };
  const Case cases[] = {
      {8, GL_NEAREST, GL_NEAREST, GL_REPEAT, GL_REPEAT, false},
      {66, GL_LINEAR, GL_LINEAR, GL_REPEAT, GL_REPEAT, false},
      {1, GL_LINEAR_MIPMAP_NEAREST, GL_LINEAR, GL_REPEAT, GL_REPEAT, true},
      {4 | 2, GL_NEAREST, GL_LINEAR, GL_REPEAT, GL_REPEAT, false},
      {1 | 2, GL_LINEAR, GL_LINEAR, GL_REPEAT, GL_REPEAT, true},
      {16, GL_LINEAR, GL_LINEAR, GL_CLAMP, GL_REPEAT, false},
      {32 | 2, GL_LINEAR, GL_LINEAR, GL_REPEAT, GL_CLAMP, false},
      {0, GL_LINEAR, GL_LINEAR, GL_REPEAT, GL_REPEAT, false},
  };
  for (const Case& c : cases) {
    Texture texture;
    ASSERT_TRUE(texture.loadBMP(path.c_str(), c.flags));
    glBindTexture(GL_TEXTURE_2D, texture.id());
    EXPECT_EQ(textureParameter(GL_TEXTURE_MIN_FILTER), c.min) << "flags " << c.flags;
    EXPECT_EQ(textureParameter(GL_TEXTURE_MAG_FILTER), c.mag) << "flags " << c.flags;
    EXPECT_EQ(textureParameter(GL_TEXTURE_WRAP_S), c.wrapS) << "flags " << c.flags;
    EXPECT_EQ(textureParameter(GL_TEXTURE_WRAP_T), c.wrapT) << "flags " << c.flags;
    EXPECT_EQ(levelParameter(1, GL_TEXTURE_WIDTH), c.mipmaps ? 2 : 0) << "flags " << c.flags;
  }
}

// A card standing on its bottom edge (the rock): its bottom row opaque, the rows above clear.
// Repeated in T, linear filtering blends that bottom row into the top edge: a grey line over the
// card. Clamped, the top edge shows nothing.
TEST_F(TextureGl, ACardClampedInTShowsNoLineAlongItsTopEdge) {
  std::vector<uint32_t> texels(16, 0x00808080);
  for (int x = 0; x < 4; ++x) texels[12 + x] = 0xFF808080;
  const std::string path = writeScratch("card.nlt", bmpFile(4, 4, 32, texels));
  GLint viewport[4];
  glGetIntegerv(GL_VIEWPORT, viewport);
  const auto topRowRed = [&](unsigned flags) {
    Texture card;
    EXPECT_TRUE(card.loadBMP(path.c_str(), TexLinear | flags));
    glViewport(0, 0, 64, 64);
    glMatrixMode(GL_PROJECTION);
    glPushMatrix();
    glLoadIdentity();
    glOrtho(0, 1, 0, 1, -1, 1);
    glMatrixMode(GL_MODELVIEW);
    glPushMatrix();
    glLoadIdentity();
    glClearColor(0, 0, 0, 1);
    glClear(GL_COLOR_BUFFER_BIT);
    glEnable(GL_TEXTURE_2D);
    glBindTexture(GL_TEXTURE_2D, card.id());
    glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_MODULATE);
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    glColor4f(1, 1, 1, 1);
    glBegin(GL_QUADS);  // t = 0 (the picture's top row) at the top
    glTexCoord2f(0, 1);
    glVertex2f(0, 0);
    glTexCoord2f(1, 1);
    glVertex2f(1, 0);
    glTexCoord2f(1, 0);
    glVertex2f(1, 1);
    glTexCoord2f(0, 0);
    glVertex2f(0, 1);
    glEnd();
    glDisable(GL_BLEND);
    glDisable(GL_TEXTURE_2D);
    glPopMatrix();
    glMatrixMode(GL_PROJECTION);
    glPopMatrix();
    glMatrixMode(GL_MODELVIEW);
    unsigned char row[64 * 4] = {};
    glReadPixels(0, 63, 64, 1, GL_RGBA, GL_UNSIGNED_BYTE, row);
    glViewport(viewport[0], viewport[1], viewport[2], viewport[3]);
    int brightest = 0;
    for (int x = 0; x < 64; ++x) brightest = std::max(brightest, static_cast<int>(row[4 * x]));
    return brightest;
  };
  EXPECT_GT(topRowRed(0), 30) << "repeated, the foot shows over the top";
  EXPECT_LT(topRowRed(TexClampT), 4);
}

TEST_F(TextureGl, ReloadDeletesTheFirstNameAndFailureLeavesItEmpty) {
  Texture texture;
  ASSERT_TRUE(texture.loadBMP(picture(24).c_str(), TexLinear));
  const GLuint first = texture.id();
  ASSERT_TRUE(texture.loadBMP(picture(24).c_str(), TexLinear));
  EXPECT_FALSE(glIsTexture(first) && first != texture.id());
  const GLuint second = texture.id();
  texture.release();
  EXPECT_FALSE(glIsTexture(second));

  const std::string missing = scratch() + "nothing.nlt";
  const std::string out = captureStdout([&] { EXPECT_FALSE(texture.loadBMP(missing.c_str(), TexLinear)); });
  EXPECT_EQ(out, "Texture::loadBMP SDL_LoadBMP " + missing + " failed\n");
  EXPECT_FALSE(texture.loaded());
  EXPECT_EQ(texture.id(), 0u);

  const std::string garbage = writeScratch("garbage.nlt", "BM this is no bitmap");
  EXPECT_EQ(captureStdout([&] { EXPECT_FALSE(texture.loadBMP(garbage.c_str(), TexLinear)); }),
            "Texture::loadBMP SDL_LoadBMP " + garbage + " failed\n");
}

TEST_F(TextureGl, PaletteBitmapCreatesTheNameButUploadsNothing) {
  const std::string path = writeScratch("palette.nlt", bmpFile(4, 4, 8, std::vector<uint32_t>(16, 7)));
  Texture texture;
  EXPECT_TRUE(texture.loadBMP(path.c_str(), 8));
  EXPECT_TRUE(texture.loaded());
  glBindTexture(GL_TEXTURE_2D, texture.id());
  EXPECT_EQ(levelParameter(0, GL_TEXTURE_WIDTH), 0);
  EXPECT_EQ(textureParameter(GL_TEXTURE_MIN_FILTER), GL_NEAREST);
}

TEST_F(TextureGl, TexCoordPassesThroughScaleAndOffset) {
  Texture texture;
  texture.setScale(12);
  texture.setOffset(0.25f, 0);
  texture.texCoord(0.5f, 0.5f, false, 0);
  GLfloat st[4];
  glGetFloatv(GL_CURRENT_TEXTURE_COORDS, st);
  EXPECT_FLOAT_EQ(st[0], 6.25f);
  EXPECT_FLOAT_EQ(st[1], 6.0f);
}

TEST_F(TextureGl, UnitsAtOrAboveTheLimitAreIgnored) {
  ASSERT_TRUE(initMultitexture());
  EXPECT_GE(maxTextureUnits(), 2);
  PFNGLACTIVETEXTUREARBPROC activeTexture =
      reinterpret_cast<PFNGLACTIVETEXTUREARBPROC>(reinterpret_cast<void*>(wglGetProcAddress("glActiveTextureARB")));
  PFNGLMULTITEXCOORD2FARBPROC multiTexCoord =
      reinterpret_cast<PFNGLMULTITEXCOORD2FARBPROC>(reinterpret_cast<void*>(wglGetProcAddress("glMultiTexCoord2fARB")));
  multiTexCoord(GL_TEXTURE2_ARB, 0, 0);
  activeTexture(GL_TEXTURE2_ARB);
  glDisable(GL_TEXTURE_2D);
  glBindTexture(GL_TEXTURE_2D, 0);
  activeTexture(GL_TEXTURE0_ARB);

  overrideMultitexture(true, 2);
  Texture texture;
  ASSERT_TRUE(texture.loadBMP(picture(24).c_str(), TexLinear));
  texture.bind(true, 2);
  texture.texCoord(0.5f, 0.5f, true, 2);
  EXPECT_EQ(integer(GL_ACTIVE_TEXTURE_ARB), GL_TEXTURE0_ARB);
  activeTexture(GL_TEXTURE2_ARB);
  EXPECT_FALSE(glIsEnabled(GL_TEXTURE_2D));
  EXPECT_EQ(integer(GL_TEXTURE_BINDING_2D), 0);
  GLfloat st[4];
  glGetFloatv(GL_CURRENT_TEXTURE_COORDS, st);
  EXPECT_FLOAT_EQ(st[0], 0.0f);
  activeTexture(GL_TEXTURE0_ARB);

  // Unit 1 works and unbind switches it off again, back on unit 0.
  texture.bind(true, 1);
  EXPECT_EQ(integer(GL_ACTIVE_TEXTURE_ARB), GL_TEXTURE1_ARB);
  EXPECT_TRUE(glIsEnabled(GL_TEXTURE_2D));
  texture.unbind(1);
  EXPECT_EQ(integer(GL_ACTIVE_TEXTURE_ARB), GL_TEXTURE0_ARB);
  activeTexture(GL_TEXTURE1_ARB);
  EXPECT_FALSE(glIsEnabled(GL_TEXTURE_2D));
  activeTexture(GL_TEXTURE0_ARB);
}

TEST_F(TextureGl, SingleTextureBindChoosesModulateOrDecal) {
  Texture texture;
  ASSERT_TRUE(texture.loadBMP(picture(24).c_str(), TexLinear));
  glDisable(GL_TEXTURE_2D);
  texture.bind(false, 0);
  EXPECT_TRUE(glIsEnabled(GL_TEXTURE_2D));
  EXPECT_EQ(static_cast<GLuint>(integer(GL_TEXTURE_BINDING_2D)), texture.id());
  EXPECT_EQ(envMode(), GL_MODULATE);
  texture.setEnvFlags(TexDecal);
  texture.bind(false, 0);
  EXPECT_EQ(envMode(), GL_DECAL);
  glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_MODULATE);
}

// What a card hides for sure: the longest run of rows opaque from edge to edge, narrowed by half
// a row at either end so that linear filtering never mixes in a row that is not.
TEST_F(TextureGl, OpaqueRowsAreTheLongestRunOfRowsOpaqueFromEdgeToEdge) {
  std::vector<uint32_t> texels(4 * 8, 0x80FFFFFF);
  for (int y : {0, 2, 3, 4, 5}) {
    for (int x = 0; x < 4; ++x) texels[static_cast<size_t>(y * 4 + x)] = 0xFF102030;
  }
  texels[6 * 4 + 1] = 0xFF102030;  // one opaque texel does not make row 6 opaque
  Texture card;
  ASSERT_TRUE(card.loadBMP(writeScratch("band.nlt", bmpFile(4, 8, 32, texels)).c_str(), TexLinear));
  float top = 0.0f, bottom = 0.0f;
  ASSERT_TRUE(card.opaqueRows(top, bottom));
  EXPECT_FLOAT_EQ(top, 2.5f / 8.0f);
  EXPECT_FLOAT_EQ(bottom, 5.5f / 8.0f);

  Texture seeThrough;
  ASSERT_TRUE(seeThrough.loadBMP(
      writeScratch("clear.nlt", bmpFile(4, 8, 32, std::vector<uint32_t>(32, 0xFE000000))).c_str(), TexLinear));
  EXPECT_FALSE(seeThrough.opaqueRows(top, bottom));

  Texture solid;  // no alpha: every row
  ASSERT_TRUE(solid.loadBMP(picture(24).c_str(), TexLinear));
  ASSERT_TRUE(solid.opaqueRows(top, bottom));
  EXPECT_FLOAT_EQ(top, 0.25f);
  EXPECT_FLOAT_EQ(bottom, 0.75f);
}

// For blending with (ONE, ONE_MINUS_SRC_ALPHA): each colour times its alpha, the alpha kept.
TEST_F(TextureGl, APremultipliedPictureHoldsItsColoursTimesAlpha) {
  Texture plain, premultiplied;
  ASSERT_TRUE(plain.loadBMP(picture(32).c_str(), TexLinear));
  ASSERT_TRUE(premultiplied.loadBMP(picture(32).c_str(), TexLinear | TexPremultiply));
  unsigned char a[4 * 2 * 4], p[4 * 2 * 4];
  glPixelStorei(GL_PACK_ALIGNMENT, 1);
  glBindTexture(GL_TEXTURE_2D, plain.id());
  glGetTexImage(GL_TEXTURE_2D, 0, GL_RGBA, GL_UNSIGNED_BYTE, a);
  glBindTexture(GL_TEXTURE_2D, premultiplied.id());
  glGetTexImage(GL_TEXTURE_2D, 0, GL_RGBA, GL_UNSIGNED_BYTE, p);
  for (int i = 0; i < 8; ++i) {
    EXPECT_EQ(p[4 * i + 3], a[4 * i + 3]) << i;
    for (int c = 0; c < 3; ++c) EXPECT_EQ(p[4 * i + c], (a[4 * i + c] * a[4 * i + 3] + 127) / 255) << i << " " << c;
  }
}
