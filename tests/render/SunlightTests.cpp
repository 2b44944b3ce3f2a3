// The sunlight laid on the water in the water's own pass gives the picture of the two passes it
// replaces: the water blended over what is there, then the highlight card blended over that.
#include <gtest/gtest.h>

#include <GL/gl.h>
#include <GL/glext.h>

#include <algorithm>
#include <cstdlib>
#include <functional>
#include <vector>

#include "render/Quad.h"
#include "render/Texture.h"
#include "render/Transforms.h"
#include "render/WaterGrid.h"
#include "tests/render/RenderTestSupport.h"

using namespace rendertest;

namespace {

GLint integer(GLenum name) {
  GLint value = 0;
  glGetIntegerv(name, &value);
  return value;
}

class SunlightGl : public ::testing::Test {
 protected:
  void SetUp() override {
    gl();
    overrideMultitexture(true, 8);
    glDisable(GL_DEPTH_TEST);
    ASSERT_TRUE(WaterGrid::canFoldSunlight()) << "llvmpipe has eight units that combine";
    // The water: streaks of colour, a third to nearly half opaque.
    std::vector<uint32_t> water(16 * 16), map(16 * 16), glints(8 * 8, 0x00FFFFFF);
    for (int y = 0; y < 16; ++y) {
      for (int x = 0; x < 16; ++x) {
        const uint32_t alpha = 80u + static_cast<uint32_t>((x * 7 + y * 3) % 40);
        water[static_cast<size_t>(y * 16 + x)] = alpha << 24 | (40u + x * 9) << 16 | (120u + y * 7) << 8 | 200u;
        // The blend map: clear at its edges, up to three quarters inside.
        const int edge = std::min(std::min(x, 15 - x), std::min(y, 15 - y));
        map[static_cast<size_t>(y * 16 + x)] = static_cast<uint32_t>(std::min(edge * 40, 191)) << 24 | 0xFFFFF0;
      }
    }
    for (const int at : {3, 12, 29, 40, 46, 61}) glints[static_cast<size_t>(at)] = 0xFFFFFFE0;
    const std::string waterFile = writeScratch("water.nlt", bmpFile(16, 16, 32, water));
    ASSERT_TRUE(water_.loadBMP(waterFile.c_str(), TexLinear));
    ASSERT_TRUE(premultiplied_.loadBMP(waterFile.c_str(), TexLinear | TexPremultiply));
    ASSERT_TRUE(blendMap_.loadBMP(writeScratch("blendmap.nlt", bmpFile(16, 16, 32, map)).c_str(),
                                  TexLinear | TexClampS | TexClampT));
    ASSERT_TRUE(glints_.loadBMP(writeScratch("glints.nlt", bmpFile(8, 8, 32, glints)).c_str(), TexNearest));

    // Laid out as the scene lays them, smaller: the water flat at 0, the card 0.2 above it.
    surface_.build(12.0f, 12.0f, 12, 12);
    surface_.addTexture(&water_);
    surface_.setPosition(0.0f, 0.0f, 5.0f);
    surface_.setAngleX(-90.0f);
    surface_.setBlended(true);
    surface_.animate(700);  // waves
    card_.setSize(10.0f, 8.0f);
    card_.addTexture(&blendMap_);
    card_.addTexture(&glints_);
    card_.setTextureScale(1, 3.0f);
    card_.setPosition(0.0f, 0.2f, 4.0f);
    card_.setAngleX(-90.0f);
    card_.setBlended(true);
    water_.setOffset(-0.3f, 0.0f);
    premultiplied_.setOffset(-0.3f, 0.0f);
  }
  void TearDown() override { objectSpaceView(); }

  // The scene's eye, 2 above the water looking down into it, over a floor of one colour.
  std::vector<uint32_t> draw(const std::function<void()>& water) {
    transforms::setViewport(0, 0, 256, 256);
    transforms::setProjection(Matrix4x4::perspective(45.0f, 1.0f, 0.1f, 1000.0f));
    transforms::loadModelview(Matrix4x4::lookAt({0.0f, 2.0f, 7.0f}, {0.0f, -1.0f, 0.0f}, {0.0f, 1.0f, 0.0f}));
    glClearColor(0.1f, 0.5f, 0.3f, 1.0f);
    glClear(GL_COLOR_BUFFER_BIT);
    water();
    glFinish();
    return gl().readPixels();
  }

  WaterGrid::Sunlight sunlight() {
    return {&glints_,          3.0f,          &blendMap_,     &premultiplied_,
            card_.placement(), card_.width(), card_.height(), Vector3{0.0f, 2.0f, 7.0f}};
  }

  void expectOnePassLikeTwo(const Matrix4x4* copy);

  Texture water_, premultiplied_, blendMap_, glints_;
  WaterGrid surface_;
  Quad card_;
};

int channelDifference(uint32_t a, uint32_t b) {
  int most = 0;
  for (int shift : {0, 8, 16})
    most = std::max(most, std::abs(static_cast<int>((a >> shift) & 0xFF) - static_cast<int>((b >> shift) & 0xFF)));
  return most;
}

}  // namespace

// One pass gives the picture of the two, the water and the card drawn where `copy` puts them
// (nullptr: where they stand).
void SunlightGl::expectOnePassLikeTwo(const Matrix4x4* copy) {
  const auto placed = [&](const std::function<void()>& drawn) {
    return draw([&] {
      transforms::push();
      if (copy) transforms::multiply(*copy);
      drawn();
      transforms::pop();
    });
  };
  const std::vector<uint32_t> waterAlone = placed([&] { surface_.render(); });
  const std::vector<uint32_t> twoPasses = placed([&] {
    surface_.render();
    card_.render();
  });
  const std::vector<uint32_t> onePass = draw([&] { surface_.renderSunlit(sunlight(), copy); });
  ASSERT_EQ(onePass.size(), twoPasses.size());
  int lit = 0, apart = 0, most = 0;
  for (size_t i = 0; i < onePass.size(); ++i) {
    if (channelDifference(twoPasses[i], waterAlone[i]) > 16) ++lit;
    const int d = channelDifference(onePass[i], twoPasses[i]);
    most = std::max(most, d);
    if (d > 2) ++apart;
  }
  EXPECT_GT(lit, 200) << "the glints show";
  // Rounding once instead of twice moves a channel by a step or two; the card's own edge, where
  // its last half texel fades to its clear border instead of ending, by more on a handful.
  EXPECT_LT(apart, static_cast<int>(onePass.size() / 200)) << "largest difference " << most;
}

TEST_F(SunlightGl, OnePassGivesThePictureOfTheWaterAndThenTheCard) {
  expectOnePassLikeTwo(nullptr);

  // What the pass leaves: the blend, the units and their environments as every object expects.
  EXPECT_FALSE(glIsEnabled(GL_BLEND));
  EXPECT_EQ(integer(GL_BLEND_SRC), GL_SRC_ALPHA);
  EXPECT_EQ(integer(GL_BLEND_DST), GL_ONE_MINUS_SRC_ALPHA);
  EXPECT_EQ(integer(GL_ACTIVE_TEXTURE_ARB), GL_TEXTURE0_ARB);
  const auto activeTexture =
      reinterpret_cast<PFNGLACTIVETEXTUREARBPROC>(reinterpret_cast<void*>(wglGetProcAddress("glActiveTextureARB")));
  for (int unit = 0; unit < 3; ++unit) {
    activeTexture(GL_TEXTURE0_ARB + unit);
    GLint mode = 0;
    glGetTexEnviv(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, &mode);
    EXPECT_EQ(mode, GL_MODULATE) << unit;
    EXPECT_FALSE(glIsEnabled(GL_TEXTURE_2D)) << unit;
  }
  activeTexture(GL_TEXTURE0_ARB);
  EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}

// A view turned to the side sees copies of the water past its edges, mirrored or moved on: each
// under the same copy of the card.
TEST_F(SunlightGl, ACopyOfTheWaterIsLitAsTheSameCopyOfTheCard) {
  const Matrix4x4 mirroredAside =
      Matrix4x4::multiply(Matrix4x4::translation(4.0f, 0.0f, 0.0f), Matrix4x4::scaling(-1.0f, 1.0f, 1.0f));
  const Matrix4x4 movedOn = Matrix4x4::translation(-3.0f, 0.0f, 0.0f);
  const Matrix4x4 mirroredNear = Matrix4x4::multiply(
      Matrix4x4::multiply(Matrix4x4::translation(0.0f, 0.0f, -10.0f), Matrix4x4::scaling(1.0f, 1.0f, -1.0f)),
      mirroredAside);
  for (const Matrix4x4* copy : {&mirroredAside, &movedOn, &mirroredNear}) {
    SCOPED_TRACE(copy == &mirroredAside ? "mirrored aside" : copy == &movedOn ? "moved on" : "mirrored near");
    expectOnePassLikeTwo(copy);
  }
}

// Three units are needed; with two, or none that combine, the scene keeps its two passes.
TEST_F(SunlightGl, DriversWithFewerUnitsKeepTwoPasses) {
  overrideMultitexture(true, 2);
  EXPECT_FALSE(WaterGrid::canFoldSunlight());
  overrideMultitexture(false, 8);
  EXPECT_FALSE(WaterGrid::canFoldSunlight());
  overrideMultitexture(true, 3);
  EXPECT_TRUE(WaterGrid::canFoldSunlight());
  overrideMultitexture(true, 8);
}
