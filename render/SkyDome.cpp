#include "render/SkyDome.h"
#include "render/Transforms.h"

#include <windows.h>
#include <GL/gl.h>

#include <cmath>

void SkyDome::setShape(int shape) {
  if (shape == shape_) return;
  shape_ = shape;
  vertices_ = {};
  indices_ = {};
  if (shape == Paraboloid) buildParaboloid();
}

void SkyDome::buildParaboloid() {
  // 16-bit indices reach every vertex only up to 255 divisions.
  const int n = divisions_ < 1 ? 1 : (divisions_ > 255 ? 255 : divisions_);
  lift_ = innerRadius_;
  const float extent = 2.0f * std::sqrt(outerRadius_ * outerRadius_ - innerRadius_ * innerRadius_);
  const float cell = extent / n;
  vertices_.resize(static_cast<size_t>(n + 1) * (n + 1));
  for (int i = 0; i <= n; ++i) {
    for (int j = 0; j <= n; ++j) {
      Vertex& v = vertices_[static_cast<size_t>(i) * (n + 1) + j];
      v.x = -extent / 2.0f + cell * j;
      v.z = -extent / 2.0f + cell * i;
      v.y = -(v.x * v.x / outerRadius_ + v.z * v.z / outerRadius_);
      v.s = (static_cast<float>(j) / n) * repeatS_;
      v.t = repeatT_ * (1.0f - static_cast<float>(i) / n);
    }
  }
  indices_.reserve(6 * static_cast<size_t>(n) * n);
  for (int row = 0; row < n; ++row) {
    for (int column = 0; column < n; ++column) {
      const int b = row * (n + 1) + column;
      const int corners[6] = {b, b + 1, b + n + 1, b + 1, b + n + 2, b + n + 1};
      for (const int c : corners) indices_.push_back(static_cast<uint16_t>(c));
    }
  }
}

void SkyDome::turn(int frameTime) { turnY(static_cast<float>(frameTime) * turnSpeed_ * 0.001f); }

void SkyDome::begin() {
  transforms::push();
  glDisable(GL_LIGHTING);
  SceneObject::begin();
  transforms::translate(0.0f, lift_, 0.0f);
}

void SkyDome::draw() {
  if (indices_.empty()) return;
  drawElements(GL_TRIANGLES, &vertices_[0].x, sizeof(Vertex), &vertices_[0].s, sizeof(Vertex),
               static_cast<int>(indices_.size()), indices_.data());
}

void SkyDome::end() {
  transforms::pop();
  SceneObject::end();
}

void SkyDome::releaseGeometry() {
  shape_ = -1;  // a later setShape builds afresh
  vertices_ = {};
  indices_ = {};
  SceneObject::releaseGeometry();
}
