#include "render/WaterGrid.h"

#include <windows.h>
#include <GL/gl.h>

#include <cmath>

#include "world/MathConstants.h"

void WaterGrid::build(float width, float depth, int columns, int rows) {
  vertices_ = {};
  quadCorners_ = {};
  columnWave_ = {};
  rowWave_ = {};
  columns_ = rows_ = 0;
  if (columns < 1 || rows < 1) return;
  columns_ = columns;
  rows_ = rows;
  vertices_.resize(static_cast<size_t>(columns + 1) * (rows + 1));
  columnWave_.resize(static_cast<size_t>(columns) + 1);
  rowWave_.resize(static_cast<size_t>(rows) + 1);
  for (int i = 0; i <= columns; ++i) {
    for (int j = 0; j <= rows; ++j) {
      Vertex& v = vertices_[static_cast<size_t>(i) * (rows + 1) + j];
      v.x = (width / columns) * i - width / 2.0f;
      v.y = (depth / rows) * j - depth / 2.0f;
      v.z = 0.0f;
      v.s = (textureRepeat_ / columns) * i;
      v.t = (textureRepeat_ / rows) * (rows - j);
    }
  }
  const auto index = [rows](int i, int j) { return static_cast<uint32_t>(i * (rows + 1) + j); };
  quadCorners_.reserve(4 * static_cast<size_t>(columns) * rows);
  for (int i = 0; i < columns; ++i) {
    for (int j = 0; j < rows; ++j) {
      for (const uint32_t corner : {index(i, j + 1), index(i, j), index(i + 1, j), index(i + 1, j + 1)}) {
        quadCorners_.push_back(corner);
      }
    }
  }
}

void WaterGrid::animate(int frameTime) {
  constexpr float TwoPi = 2.0f * Pi;
  phase1_ += static_cast<float>(frameTime) * 0.005f;
  phase2_ += static_cast<float>(frameTime) * 0.005f;
  if (phase1_ >= TwoPi) phase1_ -= TwoPi;
  if (phase2_ >= TwoPi) phase2_ -= TwoPi;
  if (vertices_.empty()) return;

  // z = 0.035 sin(i 0.18 pi + phase1) + 0.035 sin(j 0.15 pi + phase2): the first term depends
  // only on the column and the second only on the row, so each is evaluated once per line.
  for (int i = 0; i <= columns_; ++i) columnWave_[i] = 0.035f * std::sin(i * 0.18f * Pi + phase1_);
  for (int j = 0; j <= rows_; ++j) rowWave_[j] = 0.035f * std::sin(j * 0.15f * Pi + phase2_);
  Vertex* v = vertices_.data();
  for (int i = 0; i <= columns_; ++i) {
    for (int j = 0; j <= rows_; ++j) (v++)->z = columnWave_[i] + rowWave_[j];
  }
}

void WaterGrid::begin() {
  glPushMatrix();
  SceneObject::begin();
}

void WaterGrid::draw() {
  if (vertices_.empty()) return;
  drawElements(GL_QUADS, &vertices_[0].x, sizeof(Vertex), &vertices_[0].s, sizeof(Vertex),
               static_cast<int>(quadCorners_.size()), quadCorners_.data());
}

void WaterGrid::end() {
  glPopMatrix();
  SceneObject::end();
}

void WaterGrid::releaseGeometry() {
  vertices_ = {};
  quadCorners_ = {};
  columnWave_ = {};
  rowWave_ = {};
  columns_ = rows_ = 0;
  SceneObject::releaseGeometry();
}
