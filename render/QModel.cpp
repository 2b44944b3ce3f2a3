#include "render/QModel.h"

#include <windows.h>
#include <GL/gl.h>

#include <algorithm>
#include <cstdio>
#include <cstring>

#include "render/Md3Reader.h"
#include "render/ViewVolume.h"

namespace {

bool readWholeFile(FILE* file, std::vector<uint8_t>& bytes) {
  if (std::fseek(file, 0, SEEK_END) != 0) return false;
  const long size = std::ftell(file);
  if (size < 0 || std::fseek(file, 0, SEEK_SET) != 0) return false;
  bytes.resize(static_cast<size_t>(size));
  return bytes.empty() || std::fread(bytes.data(), 1, bytes.size(), file) == bytes.size();
}

}  // namespace

bool QModel::loadMD3(const char* path) {
  FILE* file = std::fopen(path, "rb");
  if (!file) {
    std::printf("QModel::loadMD3 fopen %s failed\n", path);
    return false;
  }
  std::vector<uint8_t> bytes;
  const bool read = readWholeFile(file, bytes);
  std::fclose(file);
  if (!read) {
    release();
    return false;
  }
  return loadMD3(bytes.data(), bytes.size());
}

bool QModel::loadMD3(const uint8_t* data, size_t size) {
  release();
  Md3Mesh mesh;
  if (!parseMd3(data, size, mesh)) return false;
  frameCount_ = mesh.frameCount;
  vertexCount_ = mesh.vertexCount;
  triangleCount_ = mesh.triangleCount;
  positions_ = std::move(mesh.positions);
  texCoords_ = std::move(mesh.texCoords);
  indices_ = std::move(mesh.indices);
  blended_.resize(static_cast<size_t>(vertexCount_));
  blendValid_ = false;
  radius_ = 0.0f;
  for (const Vector3& p : positions_) radius_ = std::max(radius_, length3(p));
  return true;
}

void QModel::release() {
  frameCount_ = vertexCount_ = triangleCount_ = 0;
  positions_ = {};
  texCoords_ = {};
  indices_ = {};
  blended_ = {};
  blendValid_ = false;
  radius_ = 0.0f;
  animation_.clear();
}

Vector3 QModel::vertex(int frame, int v) const {
  if (frame < 0 || frame >= frameCount_ || v < 0 || v >= vertexCount_) return {};
  return positions_[static_cast<size_t>(frame) * vertexCount_ + v];
}

void QModel::draw(const SceneObject& object) const {
  if (frameCount_ == 0) {
    if (!animation_.hasRanges()) std::printf("frame >= NumFrames\n");
    return;
  }
  if (indices_.empty()) return;
  const bool ranges = animation_.hasRanges();
  const int current = ranges ? animation_.shownFrame() : 0;
  const int next = ranges ? animation_.nextFrame() : 0;
  const float fraction = animation_.fraction();
  const bool blend = ranges && (object.flags() & Interpolate);
  const Vector3* from = positions_.data() + static_cast<size_t>(current) * vertexCount_;
  const Vector3* to = positions_.data() + static_cast<size_t>(next) * vertexCount_;

  if (blend && !(blendValid_ && blendedFrom_ == current && blendedTo_ == next && blendedFraction_ == fraction)) {
    for (int k = 0; k < vertexCount_; ++k) blended_[k] = from[k] + (to[k] - from[k]) * fraction;
    blendValid_ = true;
    blendedFrom_ = current;
    blendedTo_ = next;
    blendedFraction_ = fraction;
  }
  glNormal3f(0.0f, 0.0f, 0.0f);
  object.drawElements(GL_TRIANGLES, &(blend ? blended_.data() : from)->x, sizeof(Vector3), texCoords_.data(),
                      2 * sizeof(float), static_cast<int>(indices_.size()), indices_.data());
}

void ModelObject::begin() {
  glPushMatrix();
  SceneObject::begin();
}

void ModelObject::draw() {
  if (!model_) return;
  if (model_->frameCount() > 0) {
    ViewVolume view;
    view.capture();
    if (view.sphereOutside(Vector3{}, model_->radius())) return;
  }
  model_->draw(*this);
}

void ModelObject::end() {
  glPopMatrix();
  SceneObject::end();
}

void ModelObject::releaseGeometry() {
  if (model_) model_->release();
  SceneObject::releaseGeometry();
}
