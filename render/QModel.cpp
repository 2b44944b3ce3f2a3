#include "render/QModel.h"

#include <windows.h>
#include <GL/gl.h>

#include <cmath>
#include <cstdio>
#include <cstring>

#include "render/Md3Reader.h"
#include "world/Clock.h"

namespace {

bool readWholeFile(FILE* file, std::vector<uint8_t>& bytes) {
  if (std::fseek(file, 0, SEEK_END) != 0) return false;
  const long size = std::ftell(file);
  if (size < 0 || std::fseek(file, 0, SEEK_SET) != 0) return false;
  bytes.resize(static_cast<size_t>(size));
  return bytes.empty() || std::fread(bytes.data(), 1, bytes.size(), file) == bytes.size();
}

}  // namespace

QModel::QModel() : lastTick_(clockNow()) {}

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
  return true;
}

void QModel::release() {
  frameCount_ = vertexCount_ = triangleCount_ = 0;
  positions_ = {};
  texCoords_ = {};
  indices_ = {};
  blended_ = {};
  animations_ = {};
  current_ = 0;
  currentFrame_ = nextFrame_ = 0;
  fraction_ = 0.0f;
}

void QModel::addAnimation(int first, int last, const char* name) {
  const int top = frameCount_ > 0 ? frameCount_ - 1 : 0;
  Animation animation;
  animation.first = first < 0 ? 0 : (first > top ? top : first);
  animation.last = last < 0 ? 0 : (last > top ? top : last);
  // A reversed range would make the loop in advance run forever.
  if (animation.last < animation.first) animation.last = animation.first;
  animation.position = static_cast<float>(animation.first);
  animation.name = name ? name : "";
  animations_.push_back(std::move(animation));
}

void QModel::playAnimation(const char* name) {
  if (!name) return;
  for (size_t i = 0; i < animations_.size(); ++i) {
    if (animations_[i].name == name) {
      current_ = i;
      animations_[i].position = static_cast<float>(animations_[i].first);
      return;
    }
  }
}

void QModel::setFrameRate(float framesPerSecond) {
  framesPerSecond_ = framesPerSecond;
  msPerFrame_ = 1000.0f / framesPerSecond;
}

int QModel::currentFrame() const {
  return animations_.empty() ? 0 : static_cast<int>(animations_[current_].position);
}

int QModel::currentLastFrame() const { return animations_.empty() ? 0 : animations_[current_].last; }

float QModel::animationPosition() const { return animations_.empty() ? 0.0f : animations_[current_].position; }

const char* QModel::currentAnimation() const { return animations_.empty() ? "" : animations_[current_].name.c_str(); }

Vector3 QModel::vertex(int frame, int v) const {
  if (frame < 0 || frame >= frameCount_ || v < 0 || v >= vertexCount_) return {};
  return positions_[static_cast<size_t>(frame) * vertexCount_ + v];
}

void QModel::advance() {
  if (animations_.empty()) return;
  const uint32_t now = clockNow();
  const uint32_t elapsed = now - lastTick_;
  lastTick_ = now;

  Animation& range = animations_[current_];
  range.position += static_cast<float>(elapsed) / msPerFrame_;
  const float first = static_cast<float>(range.first);
  const float end = static_cast<float>(range.last + 1);
  if (!(range.position >= first && range.position < end)) {
    // The range loops. fmod instead of repeated subtraction: after a long pause the position
    // can be so large that subtracting one span no longer changes it.
    const float span = end - first;
    if (!std::isfinite(range.position)) {
      range.position = first;
    } else {
      float offset = std::fmod(range.position - first, span);
      if (offset < 0.0f) offset += span;
      range.position = first + offset;
      if (!(range.position < end)) range.position = first;
    }
  }
  currentFrame_ = static_cast<int>(range.position);
  fraction_ = range.position - static_cast<float>(currentFrame_);
  nextFrame_ = currentFrame_ + 1 > range.last ? range.first : currentFrame_ + 1;
}

void QModel::draw(const SceneObject& object) const {
  if (frameCount_ == 0) {
    if (animations_.empty()) std::printf("frame >= NumFrames\n");
    return;
  }
  if (indices_.empty()) return;
  const bool ranges = !animations_.empty();
  const int current = ranges ? currentFrame_ : 0;
  const int next = ranges ? nextFrame_ : 0;
  const bool blend = ranges && (object.flags() & Interpolate);
  const Vector3* from = positions_.data() + static_cast<size_t>(current) * vertexCount_;
  const Vector3* to = positions_.data() + static_cast<size_t>(next) * vertexCount_;

  if (blend) {
    for (int k = 0; k < vertexCount_; ++k) blended_[k] = from[k] + (to[k] - from[k]) * fraction_;
  }
  glNormal3f(0.0f, 0.0f, 0.0f);
  object.drawElements(GL_TRIANGLES, &(blend ? blended_.data() : from)->x, sizeof(Vector3), texCoords_.data(),
                      2 * sizeof(float), static_cast<int>(indices_.size()), indices_.data());
}

void ModelObject::begin() {
  glPushMatrix();
  if (model_) model_->advance();
  SceneObject::begin();
}

void ModelObject::draw() {
  if (model_) model_->draw(*this);
}

void ModelObject::end() {
  glPopMatrix();
  SceneObject::end();
}

void ModelObject::releaseGeometry() {
  if (model_) model_->release();
  SceneObject::releaseGeometry();
}
