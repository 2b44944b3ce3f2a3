// The water and the sunlight card over it in one pass. Drawn apart, the water blends over what
// is there (D1 = W aW + D (1 - aW)) and the card over that (H aH + D1 (1 - aH), with H and aH the
// glints times the blend map). One pass with the blend (ONE, ONE_MINUS_SRC_ALPHA) gives the same
// from a fragment of colour H aH + W aW (1 - aH) and alpha aH + aW (1 - aH): the units make H
// and aH from the glints and the blend map, and interpolate from there to the water's picture,
// premultiplied by its alpha, by 1 - aH.
#include <windows.h>
#include <GL/gl.h>
#include <GL/glext.h>

#include "render/Texture.h"
#include "render/Transforms.h"
#include "render/WaterGrid.h"

namespace {

enum Unit { GlintUnit = 0, BlendMapUnit = 1, WaterUnit = 2 };

PFNGLACTIVETEXTUREARBPROC activeTexture() {
  static const auto entry =
      reinterpret_cast<PFNGLACTIVETEXTUREARBPROC>(reinterpret_cast<void*>(wglGetProcAddress("glActiveTextureARB")));
  return entry;
}

// rgb and alpha of the unit from the given sources (and their operands), by mode.
void combine(GLenum mode, const GLenum (&rgb)[3][2], const GLenum (&alpha)[3][2]) {
  glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_COMBINE_ARB);
  glTexEnvi(GL_TEXTURE_ENV, GL_COMBINE_RGB_ARB, static_cast<GLint>(mode));
  glTexEnvi(GL_TEXTURE_ENV, GL_COMBINE_ALPHA_ARB, static_cast<GLint>(mode));
  for (int k = 0; k < 3; ++k) {
    glTexEnvi(GL_TEXTURE_ENV, GL_SOURCE0_RGB_ARB + k, static_cast<GLint>(rgb[k][0]));
    glTexEnvi(GL_TEXTURE_ENV, GL_OPERAND0_RGB_ARB + k, static_cast<GLint>(rgb[k][1]));
    glTexEnvi(GL_TEXTURE_ENV, GL_SOURCE0_ALPHA_ARB + k, static_cast<GLint>(alpha[k][0]));
    glTexEnvi(GL_TEXTURE_ENV, GL_OPERAND0_ALPHA_ARB + k, static_cast<GLint>(alpha[k][1]));
  }
}

}  // namespace

bool WaterGrid::canFoldSunlight() { return textureCombineAvailable() && maxTextureUnits() > WaterUnit; }

void WaterGrid::findCardCoords(const Sunlight& light, const Matrix4x4& placed) {
  const float* c = light.card.m;
  const Vector3 origin{c[12], c[13], c[14]}, across{c[0], c[1], c[2]}, up{c[4], c[5], c[6]};
  const Vector3 normal = cross(across, up);
  const float acrossSquared = dot(across, across), upSquared = dot(up, up);
  const float towardCard = dot(origin - light.eye, normal);
  cardCoords_.resize(2 * vertices_.size());
  float* out = cardCoords_.data();
  for (const Vertex& v : vertices_) {
    const float* m = placed.m;
    const Vector3 world{m[0] * v.x + m[4] * v.y + m[8] * v.z + m[12], m[1] * v.x + m[5] * v.y + m[9] * v.z + m[13],
                        m[2] * v.x + m[6] * v.y + m[10] * v.z + m[14]};
    const Vector3 seen = world - light.eye;
    const float along = dot(seen, normal);
    // A ray that never meets the card's plane sees no light: far outside the picture.
    const float t = along != 0.0f ? towardCard / along : -1.0e6f;
    const Vector3 onCard = light.eye + seen * t - origin;
    *out++ = (dot(onCard, across) / acrossSquared + 0.5f * light.cardWidth) / light.cardWidth;
    *out++ = (0.5f * light.cardHeight - dot(onCard, up) / upSquared) / light.cardHeight;
  }
}

void WaterGrid::renderSunlit(const Sunlight& light, const Matrix4x4* copy) {
  if (vertices_.empty()) return;
  transforms::push();
  if (copy) transforms::multiply(*copy);
  const Matrix4x4 placed = placement();
  transforms::multiply(placed);
  if (outOfView()) {
    transforms::pop();
    return;
  }
  if (copy) {
    Sunlight copied = light;
    copied.card = Matrix4x4::multiply(*copy, light.card);
    findCardCoords(copied, Matrix4x4::multiply(*copy, placed));
  } else {
    findCardCoords(light, placed);
  }

  light.glints->setScale(light.glintScale);
  light.glints->bind(true, GlintUnit);
  combine(GL_REPLACE, {{GL_TEXTURE, GL_SRC_COLOR}, {GL_TEXTURE, GL_SRC_COLOR}, {GL_TEXTURE, GL_SRC_COLOR}},
          {{GL_TEXTURE, GL_SRC_ALPHA}, {GL_TEXTURE, GL_SRC_ALPHA}, {GL_TEXTURE, GL_SRC_ALPHA}});
  light.blendMap->bind(true, BlendMapUnit);
  combine(GL_MODULATE, {{GL_PREVIOUS_ARB, GL_SRC_COLOR}, {GL_TEXTURE, GL_SRC_COLOR}, {GL_TEXTURE, GL_SRC_COLOR}},
          {{GL_PREVIOUS_ARB, GL_SRC_ALPHA}, {GL_TEXTURE, GL_SRC_ALPHA}, {GL_TEXTURE, GL_SRC_ALPHA}});
  light.premultipliedWater->bind(true, WaterUnit);
  combine(GL_INTERPOLATE_ARB,
          {{GL_PREVIOUS_ARB, GL_SRC_COLOR}, {GL_TEXTURE, GL_SRC_COLOR}, {GL_PREVIOUS_ARB, GL_SRC_ALPHA}},
          {{GL_CONSTANT_ARB, GL_SRC_ALPHA}, {GL_TEXTURE, GL_SRC_ALPHA}, {GL_PREVIOUS_ARB, GL_SRC_ALPHA}});
  const GLfloat opaque[4] = {1.0f, 1.0f, 1.0f, 1.0f};
  glTexEnvfv(GL_TEXTURE_ENV, GL_TEXTURE_ENV_COLOR, opaque);
  glColor4fv(opaque);
  glBlendFunc(GL_ONE, GL_ONE_MINUS_SRC_ALPHA);
  glEnable(GL_BLEND);

  glEnableClientState(GL_VERTEX_ARRAY);
  glVertexPointer(3, GL_FLOAT, sizeof(Vertex), &vertices_[0].x);
  light.glints->beginCoordArray(cardCoords_.data(), 2 * sizeof(float), true, GlintUnit);
  light.blendMap->beginCoordArray(cardCoords_.data(), 2 * sizeof(float), true, BlendMapUnit);
  light.premultipliedWater->beginCoordArray(&vertices_[0].s, sizeof(Vertex), true, WaterUnit);
  const std::vector<uint32_t>& corners = cellCorners();
  glDrawElements(GL_QUADS, static_cast<GLsizei>(corners.size()), GL_UNSIGNED_INT, corners.data());
  light.premultipliedWater->endCoordArray(true, WaterUnit);
  light.blendMap->endCoordArray(true, BlendMapUnit);
  light.glints->endCoordArray(true, GlintUnit);
  glDisableClientState(GL_VERTEX_ARRAY);

  glDisable(GL_BLEND);
  glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
  for (const int unit : {WaterUnit, BlendMapUnit, GlintUnit}) {
    activeTexture()(GL_TEXTURE0_ARB + unit);
    glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_MODULATE);
    glDisable(GL_TEXTURE_2D);
  }
  transforms::pop();
}
