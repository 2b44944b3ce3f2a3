#include "render/WaterGrid.h"
#include "render/Transforms.h"
#include "render/ViewVolume.h"

#include <windows.h>
#include <GL/gl.h>

#include <cmath>

#include "world/MathConstants.h"

void WaterGrid::build(float width, float depth, int columns, int rows) {
  vertices_ = {};
  quadCorners_ = {};
  for (auto& corners : coarseCorners_) corners = {};
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
  const auto addCells = [&](std::vector<uint32_t>& corners, int step) {
    for (int i = 0; i < columns; i += step) {
      const int i1 = i + step < columns ? i + step : columns;
      for (int j = 0; j < rows; j += step) {
        const int j1 = j + step < rows ? j + step : rows;
        for (const uint32_t corner : {index(i, j1), index(i, j), index(i1, j), index(i1, j1)})
          corners.push_back(corner);
      }
    }
  };
  quadCorners_.reserve(4 * static_cast<size_t>(columns) * rows);
  addCells(quadCorners_, 1);
  cardCoords_.reserve(2 * vertices_.size());
  for (int k = 0; k < CoarseCount; ++k) addCells(coarseCorners_[k], CoarseSteps[k]);
}

void WaterGrid::animate(int frameTime) {
  constexpr float TwoPi = 2.0f * Pi;
  phase1_ += static_cast<float>(frameTime) * 0.005f;
  phase2_ += static_cast<float>(frameTime) * 0.005f;
  if (phase1_ >= TwoPi) phase1_ -= TwoPi;
  if (phase2_ >= TwoPi) phase2_ -= TwoPi;
  if (vertices_.empty()) return;

  // z = h sin(i 0.18 pi + phase1) + h sin(j 0.15 pi + phase2): the first term depends
  // only on the column and the second only on the row, so each is evaluated once per line.
  for (int i = 0; i <= columns_; ++i) columnWave_[i] = WaveHeight * std::sin(i * 0.18f * Pi + phase1_);
  for (int j = 0; j <= rows_; ++j) rowWave_[j] = WaveHeight * std::sin(j * 0.15f * Pi + phase2_);
  Vertex* v = vertices_.data();
  for (int i = 0; i <= columns_; ++i) {
    for (int j = 0; j <= rows_; ++j) (v++)->z = columnWave_[i] + rowWave_[j];
  }
}

void WaterGrid::begin() {
  transforms::push();
  SceneObject::begin();
}

const std::vector<uint32_t>& WaterGrid::cellCorners() const {
  for (int k = 0; k < CoarseCount; ++k) {
    if (CoarseSteps[k] == detail_) return coarseCorners_[k];
  }
  return quadCorners_;
}

bool WaterGrid::outOfView() const {
  ViewVolume view;
  view.capture();
  const Vertex& low = vertices_.front();
  const Vertex& high = vertices_.back();
  return view.boxOutside(Vector3{low.x, low.y, -2.0f * WaveHeight}, Vector3{high.x, high.y, 2.0f * WaveHeight});
}

void WaterGrid::draw() {
  if (vertices_.empty() || outOfView()) return;
  const std::vector<uint32_t>& corners = cellCorners();
  drawElements(GL_QUADS, &vertices_[0].x, sizeof(Vertex), &vertices_[0].s, sizeof(Vertex),
               static_cast<int>(corners.size()), corners.data());
}

void WaterGrid::end() {
  transforms::pop();
  SceneObject::end();
}

void WaterGrid::releaseGeometry() {
  vertices_ = {};
  quadCorners_ = {};
  for (auto& corners : coarseCorners_) corners = {};
  cardCoords_ = {};
  columnWave_ = {};
  rowWave_ = {};
  columns_ = rows_ = 0;
  SceneObject::releaseGeometry();
}
