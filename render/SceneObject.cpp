#include "render/SceneObject.h"
#include "render/Transforms.h"

#include <windows.h>
#include <GL/gl.h>

#include "render/CompiledArrays.h"
#include "render/Texture.h"

namespace {

// Lists are reserved once for this many textures so a per-frame texture swap never allocates.
constexpr size_t TextureListReserve = 4;

const float* flatColour = nullptr;

}  // namespace

void SceneObject::begin() {
  if (flags_ & EulerTransform) {
    const Vector3& p = pose_.glPosition();
    transforms::translate(p.x, p.y, p.z);
    // Rz * Ry * Rx: a vertex turns about X first, then Y, then Z.
    const bool anyAngle = angleX_ != 0.0f || angleY_ != 0.0f || angleZ_ != 0.0f;
    if (anyAngle) {
      Matrix4x4 rotation;
      if (angleZ_ != 0.0f) rotation = rotationZ_;
      if (angleY_ != 0.0f) rotation = Matrix4x4::multiply(rotation, rotationY_);
      if (angleX_ != 0.0f) rotation = Matrix4x4::multiply(rotation, rotationX_);
      transforms::multiply(rotation);
    }
  } else {
    transforms::multiply(Matrix4x4::objectFrame(pose_.glPosition(), pose_.glTarget(), pose_.glUp()));
  }

  if (scaleX_ != 1.0f || scaleY_ != 1.0f || scaleZ_ != 1.0f) transforms::scale(scaleX_, scaleY_, scaleZ_);
  if (flatColour) {
    beginFlat(flatColour);
    return;
  }

  // After releaseGeometry the list is empty while textured stays set: draw untextured then.
  if (textured_ && !textures_.empty()) {
    const size_t used = multitextured_ ? textures_.size() : 1;
    for (size_t i = 0; i < used; ++i) {
      if (!textures_[i]) continue;
      // A scale of exactly 1 leaves whatever scale another user of the texture set last.
      if (textureScales_[i] != 1.0f) textures_[i]->setScale(textureScales_[i]);
      textures_[i]->bind(multitextured_, static_cast<int>(i));
    }
  } else {
    glDisable(GL_TEXTURE_2D);
  }

  if (blended_) {
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    glEnable(GL_BLEND);
  }
  if (!(flags_ & DepthTest)) glDisable(GL_DEPTH_TEST);
  glColor4f(colour_[0], colour_[1], colour_[2], colour_[3]);
}

void SceneObject::setFlatColour(const float* rgb) { flatColour = rgb; }

// The texture environment GL_BLEND mixes the fragment's colour with the environment's colour by
// the texel: both are the flat colour, so only the texel's alpha is left of the picture.
void SceneObject::beginFlat(const float* rgb) {
  const GLfloat colour[4] = {rgb[0], rgb[1], rgb[2], 1.0f};
  Texture* picture = textured_ && !textures_.empty() ? textures_[0] : nullptr;
  if (picture) {
    if (textureScales_[0] != 1.0f) picture->setScale(textureScales_[0]);
    picture->bind(false, 0);
    glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_BLEND);
    glTexEnvfv(GL_TEXTURE_ENV, GL_TEXTURE_ENV_COLOR, colour);
    glAlphaFunc(GL_GREATER, 0.5f);
    glEnable(GL_ALPHA_TEST);
  } else {
    glDisable(GL_TEXTURE_2D);
  }
  glDisable(GL_BLEND);
  glDisable(GL_FOG);
  glColor4fv(colour);
}

void SceneObject::end() {
  if (flatColour) {
    glDisable(GL_ALPHA_TEST);
    glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_MODULATE);
  }
  if (blended_) glDisable(GL_BLEND);
  if (multitextured_) {
    for (size_t i = 0; i < textures_.size(); ++i) {
      if (textures_[i]) textures_[i]->unbind(static_cast<int>(i));
    }
    glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_MODULATE);
  }
  if (!(flags_ & DepthTest)) glEnable(GL_DEPTH_TEST);
}

void SceneObject::releaseGeometry() {
  textures_.clear();
  textureScales_.clear();
}

void SceneObject::setPosition(float x, float y, float z) {
  if (flags_ & EulerTransform) {
    pose_.placeAt(x, y, z);
  } else {
    pose_.setPosition(x, y, z);
  }
}

void SceneObject::setAngleX(float degrees) {
  angleX_ = wrapDegrees(degrees, 360);
  rotationX_ = Matrix4x4::rotationX(angleX_);
}

void SceneObject::setAngleY(float degrees) {
  angleY_ = wrapDegrees(degrees, 360);
  rotationY_ = Matrix4x4::rotationY(angleY_);
}

void SceneObject::setAngleZ(float degrees) {
  angleZ_ = wrapDegrees(degrees, 360);
  rotationZ_ = Matrix4x4::rotationZ(angleZ_);
}

void SceneObject::turnY(float deltaDegrees) { setAngleY(angleY_ + deltaDegrees); }

void SceneObject::setScale(float x, float y, float z) {
  scaleX_ = x;
  scaleY_ = y;
  scaleZ_ = z;
}

void SceneObject::setColour(const Vector3& rgb) {
  colour_[0] = rgb.x;
  colour_[1] = rgb.y;
  colour_[2] = rgb.z;
}

void SceneObject::addTexture(Texture* texture) {
  if (textures_.capacity() < TextureListReserve) {
    textures_.reserve(TextureListReserve);
    textureScales_.reserve(TextureListReserve);
  }
  textures_.push_back(texture);
  textureScales_.push_back(1.0f);
  textured_ = true;
  updateMultitextured();
}

void SceneObject::setTexture(Texture* texture, int index) {
  if (index < 0 || index >= textureCount()) return;
  textures_[index] = texture;
  textured_ = true;
  updateMultitextured();
}

void SceneObject::setTextureScale(int index, float scale) {
  if (index < 0 || index >= textureCount()) return;
  textureScales_[index] = scale;
}

Texture* SceneObject::texture(int index) const {
  return index >= 0 && index < textureCount() ? textures_[index] : nullptr;
}

float SceneObject::textureScale(int index) const {
  return index >= 0 && index < textureCount() ? textureScales_[index] : 1.0f;
}

void SceneObject::updateMultitextured() {
  if (textures_.size() >= 2) multitextured_ = initMultitexture();
}

void SceneObject::texCoord(float u, float v) const {
  if (!textured_ || textures_.empty()) return;
  const size_t used = multitextured_ ? textures_.size() : 1;
  for (size_t i = 0; i < used; ++i) {
    if (textures_[i]) textures_[i]->texCoord(u, v, multitextured_, static_cast<int>(i));
  }
}

void SceneObject::drawArrays(unsigned mode, const float* positions, int positionStride, const float* coords,
                             int coordStride, int count) const {
  drawClientArrays(mode, positions, positionStride, coords, coordStride, count, 0, nullptr);
}

void SceneObject::drawElements(unsigned mode, const float* positions, int positionStride, const float* coords,
                               int coordStride, int count, const uint16_t* indices) const {
  drawClientArrays(mode, positions, positionStride, coords, coordStride, count, GL_UNSIGNED_SHORT, indices);
}

void SceneObject::drawElements(unsigned mode, const float* positions, int positionStride, const float* coords,
                               int coordStride, int count, const uint32_t* indices) const {
  drawClientArrays(mode, positions, positionStride, coords, coordStride, count, GL_UNSIGNED_INT, indices);
}

void SceneObject::drawArrayRuns(unsigned mode, const float* positions, int positionStride, const float* coords,
                                int coordStride, const int* firsts, const int* counts, int runs,
                                int vertexCount) const {
  if (runs <= 0) return;
  enableClientArrays(positions, positionStride, coords, coordStride);
  const bool locked = lockArrays(vertexCount);
  for (int i = 0; i < runs; ++i) {
    if (counts[i] > 0) glDrawArrays(mode, firsts[i], counts[i]);
  }
  if (locked) unlockArrays();
  disableClientArrays();
}

void SceneObject::drawElementRuns(unsigned mode, const float* positions, int positionStride, const float* coords,
                                  int coordStride, const uint32_t* indices, const int* firsts, const int* counts,
                                  int runs, int vertexCount) const {
  if (runs <= 0) return;
  enableClientArrays(positions, positionStride, coords, coordStride);
  const bool locked = lockArrays(vertexCount);
  for (int i = 0; i < runs; ++i) {
    if (counts[i] > 0) glDrawElements(mode, counts[i], GL_UNSIGNED_INT, indices + firsts[i]);
  }
  if (locked) unlockArrays();
  disableClientArrays();
}

void SceneObject::drawClientArrays(unsigned mode, const float* positions, int positionStride, const float* coords,
                                   int coordStride, int count, unsigned indexType, const void* indices) const {
  if (count <= 0) return;
  enableClientArrays(positions, positionStride, coords, coordStride);
  if (indexType == 0) {
    glDrawArrays(mode, 0, count);
  } else {
    glDrawElements(mode, count, indexType, indices);
  }
  disableClientArrays();
}

size_t SceneObject::texturesInUse() const {
  return textured_ && !textures_.empty() ? (multitextured_ ? textures_.size() : 1) : 0;
}

void SceneObject::enableClientArrays(const float* positions, int positionStride, const float* coords,
                                     int coordStride) const {
  glEnableClientState(GL_VERTEX_ARRAY);
  glVertexPointer(3, GL_FLOAT, positionStride, positions);
  const size_t used = texturesInUse();
  for (size_t i = 0; i < used; ++i) {
    if (textures_[i]) textures_[i]->beginCoordArray(coords, coordStride, multitextured_, static_cast<int>(i));
  }
}

void SceneObject::disableClientArrays() const {
  const size_t used = texturesInUse();
  for (size_t i = 0; i < used; ++i) {
    if (textures_[i]) textures_[i]->endCoordArray(multitextured_, static_cast<int>(i));
  }
  glDisableClientState(GL_VERTEX_ARRAY);
}
