#include "render/Quad.h"
#include "render/Transforms.h"

#include <windows.h>
#include <GL/gl.h>

#include "render/Texture.h"

void Quad::setSize(float width, float height) {
  width_ = width;
  height_ = height;
  halfWidth_ = width / 2.0f;
  halfHeight_ = height / 2.0f;
}

void Quad::begin() {
  transforms::push();
  SceneObject::begin();
}

bool Quad::trimmed() const {
  if (!blended() || !textured() || sMax_ != 1.0f || tMax_ != 1.0f) return false;
  const Texture* picture = texture(0);
  // Cutting away less than a quarter costs more in extra edges than it saves.
  return picture && picture->coveredCells() * 4 < 3 * Texture::CoverCells * Texture::CoverCells &&
         picture->scaleS() == 1.0f && picture->scaleT() == 1.0f && picture->offsetS() == 0.0f &&
         picture->offsetT() == 0.0f;
}

void Quad::build() {
  positions_.clear();
  coords_.clear();
  const auto corner = [this](float x, float y, float s, float t) {
    positions_.insert(positions_.end(), {x, y, 0.0f});
    coords_.insert(coords_.end(), {s, t});
  };
  const Texture* picture = texture(0);
  builtFor_ = {picture, width_, height_, sMax_, tMax_, trimmed()};
  if (!builtFor_.trimmed) {
    corner(halfWidth_, halfHeight_, sMax_, 0.0f);
    corner(-halfWidth_, halfHeight_, 0.0f, 0.0f);
    corner(-halfWidth_, -halfHeight_, 0.0f, tMax_);
    corner(halfWidth_, -halfHeight_, sMax_, tMax_);
    return;
  }
  // Each run of showing cells in a row as one quad, corners in the same order as the whole
  // rectangle's. Fewer, larger quads: every edge costs the rasteriser blocks shaded twice.
  constexpr int Cells = Texture::CoverCells;
  for (int row = 0; row < Cells; ++row) {
    const float t0 = static_cast<float>(row) / Cells;
    const float t1 = static_cast<float>(row + 1) / Cells;
    const float top = halfHeight_ - t0 * height_;
    const float bottom = halfHeight_ - t1 * height_;
    for (int column = 0; column < Cells; ++column) {
      if (!picture->cellCovered(column, row)) continue;
      const int first = column;
      while (column + 1 < Cells && picture->cellCovered(column + 1, row)) ++column;
      const float s0 = static_cast<float>(first) / Cells;
      const float s1 = static_cast<float>(column + 1) / Cells;
      const float left = s0 * width_ - halfWidth_;
      const float right = s1 * width_ - halfWidth_;
      corner(right, top, s1, t0);
      corner(left, top, s0, t0);
      corner(left, bottom, s0, t1);
      corner(right, bottom, s1, t1);
    }
  }
}

void Quad::draw() {
  const Shape now{texture(0), width_, height_, sMax_, tMax_, trimmed()};
  if (positions_.empty() || !(now == builtFor_)) build();
  drawArrays(GL_QUADS, positions_.data(), 3 * sizeof(float), coords_.data(), 2 * sizeof(float),
             static_cast<int>(positions_.size() / 3));
}

void Quad::end() {
  transforms::pop();
  SceneObject::end();
}
