#include "render/Terrain.h"
#include "render/Transforms.h"

#include <windows.h>
#include <GL/gl.h>

#include <cmath>
#include <cstdio>

#include "render/HeightMapReader.h"
#include "render/ViewVolume.h"
#include "world/MathConstants.h"

bool Terrain::loadHeightMap(const char* path) {
  setHeightMap(nullptr, 0, 0);
  HeightMap map;
  if (!readHeightMap(path, map)) return false;
  setHeightMap(map.heights.data(), map.width, map.height);
  return true;
}

void Terrain::setHeightMap(const uint8_t* heights, int width, int height) {
  if (!heights || width <= 0 || height <= 0) {
    width = height = 0;
  }
  mapWidth_ = width;
  mapHeight_ = height;
  heights_.assign(heights, heights + static_cast<size_t>(width) * height);
  computeSteps();
  reserveVertices();
  built_ = false;
}

void Terrain::setGridResolution(int n) {
  columns_ = rows_ = n > 0 ? n : 0;
  computeSteps();
  reserveVertices();
  built_ = false;
}

void Terrain::setHeightScale(float scale) {
  heightScale_ = scale;
  built_ = false;
}

void Terrain::setSize(float x, float z) {
  sizeX_ = x;
  sizeZ_ = z;
}

void Terrain::computeSteps() {
  stepX_ = columns_ > 0 ? static_cast<float>(mapWidth_ - 1) / columns_ : 0.0f;
  stepZ_ = rows_ > 0 ? static_cast<float>(mapHeight_ - 1) / rows_ : 0.0f;
}

// The mesh is rebuilt inside begin; reserving here keeps that rebuild free of allocation.
void Terrain::reserveVertices() {
  if (mapWidth_ == 0 || mapHeight_ == 0) return;
  vertices_.reserve(2 * static_cast<size_t>(columns_) * rows_);
  positions_.reserve(6 * static_cast<size_t>(columns_) * rows_);
  farToNear_.reserve(2 * static_cast<size_t>(columns_) * rows_);
  runFirsts_.reserve(static_cast<size_t>(columns_));
  runCounts_.reserve(static_cast<size_t>(columns_));
  for (Coarse& coarse : coarse_) {
    coarse.lineX.reserve(static_cast<size_t>(columns_) + 1);
    coarse.lineZ.reserve(static_cast<size_t>(rows_) + 1);
    coarse.indices.reserve(6 * static_cast<size_t>(columns_) * rows_);
  }
  gridReserved(columns_, rows_);
}

int Terrain::height(int x, int z) const { return heights_[(z % mapHeight_) * mapWidth_ + (x % mapWidth_)]; }

Terrain::Vertex Terrain::makeVertex(float x, float z) const {
  Vertex v{};
  v.x = x * unitX_ - sizeX_ / 2.0f;
  v.y = height(static_cast<int>(x), static_cast<int>(z)) * heightScale_;
  v.z = z * unitZ_ - sizeZ_;
  v.s = x / mapWidth_;
  v.t = z / mapHeight_;
  return v;
}

void Terrain::build() {
  unitX_ = mapWidth_ > 0 ? sizeX_ / mapWidth_ : 0.0f;
  unitZ_ = mapHeight_ > 0 ? sizeZ_ / mapHeight_ : 0.0f;
  vertices_.clear();
  built_ = true;
  if (mapWidth_ == 0 || mapHeight_ == 0) return;
  for (int i = 0; i < columns_; ++i) {
    // Both edges from the column number, so that neighbouring strips share their edge exactly
    // and the floor has no cracks.
    const float x0 = i * stepX_;
    const float x1 = (i + 1) * stepX_;
    if (i % 2 == 0) {
      for (int j = 0; j < rows_; ++j) {
        vertices_.push_back(makeVertex(x1, j * stepZ_));
        vertices_.push_back(makeVertex(x0, j * stepZ_));
      }
    } else {
      for (int j = rows_ - 1; j >= 0; --j) {
        vertices_.push_back(makeVertex(x0, j * stepZ_));
        vertices_.push_back(makeVertex(x1, j * stepZ_));
      }
    }
  }
  positions_.resize(3 * vertices_.size());
  float* p = positions_.data();
  for (const Vertex& v : vertices_) {
    *p++ = v.x + v.dx;
    *p++ = v.y + v.dy;
    *p++ = v.z + v.dz;
  }
  // Column i's pairs (x1, x0) from row 0, the far end, on: the even columns as stored, the odd
  // ones reversed, with the same diagonals.
  farToNear_.clear();
  for (int i = 0; i < columns_; ++i) {
    for (int j = 0; j < rows_; ++j) {
      farToNear_.push_back(static_cast<uint32_t>(vertexAt(i + 1, j)));
      farToNear_.push_back(static_cast<uint32_t>(vertexAt(i, j)));
    }
  }
  for (int k = 0; k < CoarseCount; ++k) {
    coarse_[k].step = CoarseSteps[k];
    buildCoarse(coarse_[k]);
  }
  lowest_ = highest_ = vertices_.empty() ? 0.0f : vertices_[0].y;
  for (const Vertex& v : vertices_) {
    lowest_ = v.y < lowest_ ? v.y : lowest_;
    highest_ = v.y > highest_ ? v.y : highest_;
  }
}

bool Terrain::ground(Ground& area) const {
  if (!built_ || vertices_.empty() || rows_ < 2) return false;
  area.xMin = -sizeX_ / 2.0f;
  area.xMax = columns_ * stepX_ * unitX_ - sizeX_ / 2.0f;
  area.zMin = -sizeZ_;
  area.zMax = (rows_ - 1) * stepZ_ * unitZ_ - sizeZ_;
  area.yBelow = lowest_ - MaxRipple;
  area.yAbove = highest_ + MaxRipple;
  return true;
}

namespace {

// The rows a view leaves to the cells: those outside [hiddenLow, hiddenHigh).
struct OpenRows {
  float hiddenLow, hiddenHigh;
  bool hides(const ViewVolume& view, const Vector3& low, const Vector3& high) const {
    return hiddenHigh > hiddenLow && view.boxWithinRows(low, high, hiddenLow, hiddenHigh);
  }
};

// The first and last of a column's cells that the view may show, cell k lying between the grid
// lines at depths depthOf(k) and depthOf(k + 1) and between the heights heightsOf(k) gives; false
// when it shows none.
template <typename Depth, typename Heights>
bool cellsInView(const ViewVolume& view, const OpenRows& open, float x0, float x1, int cells, const Depth& depthOf,
                 const Heights& heightsOf, int& first, int& last) {
  first = last = -1;
  for (int k = 0; k < cells; ++k) {
    float low = 0.0f, high = 0.0f;
    heightsOf(k, low, high);
    const Vector3 from{x0, low, depthOf(k)}, to{x1, high, depthOf(k + 1)};
    if (view.boxOutside(from, to) || open.hides(view, from, to)) continue;
    if (first < 0) first = k;
    last = k;
  }
  return first >= 0;
}

}  // namespace

int Terrain::vertexAt(int xi, int j) const {
  // Strip i holds lines i (x0) and i + 1 (x1); neighbouring strips share their edge exactly.
  const bool x0 = xi < columns_;
  const int i = x0 ? xi : columns_ - 1;
  const int base = 2 * rows_ * i;
  if (i % 2 == 0) return base + 2 * j + (x0 ? 1 : 0);
  return base + 2 * (rows_ - 1 - j) + (x0 ? 0 : 1);
}

void Terrain::buildCoarse(Coarse& coarse) const {
  coarse.lineX.clear();
  coarse.lineZ.clear();
  coarse.indices.clear();
  if (rows_ < 2 || columns_ < 1) return;
  for (int x = 0; x < columns_; x += coarse.step) coarse.lineX.push_back(x);
  coarse.lineX.push_back(columns_);
  for (int z = 0; z < rows_ - 1; z += coarse.step) coarse.lineZ.push_back(z);
  coarse.lineZ.push_back(rows_ - 1);
  coarse.bands = static_cast<int>(coarse.lineZ.size()) - 1;
  for (size_t c = 0; c + 1 < coarse.lineX.size(); ++c) {
    for (size_t b = 0; b + 1 < coarse.lineZ.size(); ++b) {
      const int x0 = coarse.lineX[c], x1 = coarse.lineX[c + 1], z0 = coarse.lineZ[b], z1 = coarse.lineZ[b + 1];
      // The diagonal the strip has: from (x0, z0) to (x1, z1).
      const uint32_t a = static_cast<uint32_t>(vertexAt(x0, z0)), bx = static_cast<uint32_t>(vertexAt(x1, z0)),
                     cz = static_cast<uint32_t>(vertexAt(x0, z1)), d = static_cast<uint32_t>(vertexAt(x1, z1));
      coarse.indices.insert(coarse.indices.end(), {bx, a, d, a, d, cz});
    }
  }
}

void Terrain::drawCoarse(const Coarse& coarse) {
  ViewVolume view;
  view.capture();
  // Small views: the whole height range for every cell, and no rows hidden.
  const auto heightsOf = [this](int, float& low, float& high) {
    low = lowest_ - MaxRipple;
    high = highest_ + MaxRipple;
  };
  const OpenRows open{0.0f, 0.0f};
  runFirsts_.clear();
  runCounts_.clear();
  const int coarseColumns = static_cast<int>(coarse.lineX.size()) - 1;
  for (int c = 0; c < coarseColumns; ++c) {
    const float x0 = coarse.lineX[c] * stepX_ * unitX_ - sizeX_ / 2.0f;
    const float x1 = coarse.lineX[c + 1] * stepX_ * unitX_ - sizeX_ / 2.0f;
    int first = 0, last = 0;
    const auto depthOf = [&](int line) { return coarse.lineZ[line] * stepZ_ * unitZ_ - sizeZ_; };
    if (!cellsInView(view, open, x0, x1, coarse.bands, depthOf, heightsOf, first, last)) continue;
    runFirsts_.push_back(6 * (c * coarse.bands + first));
    runCounts_.push_back(6 * (last - first + 1));
  }
  drawElementRuns(GL_TRIANGLES, positions_.data(), 3 * sizeof(float), &vertices_[0].s, sizeof(Vertex),
                  coarse.indices.data(), runFirsts_.data(), runCounts_.data(), static_cast<int>(runFirsts_.size()),
                  static_cast<int>(vertices_.size()));
}

void Terrain::begin() {
  transforms::push();
  if (!built_) build();
  SceneObject::begin();
}

void Terrain::draw() {
  if (vertices_.empty() || rows_ < 2) return;
  for (const Coarse& coarse : coarse_) {
    if (coarse.step == detail_ && !coarse.indices.empty()) {
      drawCoarse(coarse);
      return;
    }
  }
  ViewVolume view;
  view.capture();
  // Cell (i, j) lies between grid rows j and j + 1 of column i; a column's cells in view are
  // sent as one piece of its strip, from the first to the last that may show.
  const OpenRows open{static_cast<float>(hiddenLow_), static_cast<float>(hiddenHigh_)};
  runFirsts_.clear();
  runCounts_.clear();
  for (int i = 0; i < columns_; ++i) {
    const float x0 = i * stepX_ * unitX_ - sizeX_ / 2.0f;
    const float x1 = (i + 1) * stepX_ * unitX_ - sizeX_ / 2.0f;
    int first = 0, last = 0;
    const auto depthOf = [&](int row) { return row * stepZ_ * unitZ_ - sizeZ_; };
    // The heights of the cell's four corners as this frame has them, ripple included.
    const auto heightsOf = [&](int row, float& low, float& high) {
      low = high = positions_[3 * static_cast<size_t>(vertexAt(i, row)) + 1];
      for (const int corner : {vertexAt(i + 1, row), vertexAt(i, row + 1), vertexAt(i + 1, row + 1)}) {
        const float y = positions_[3 * static_cast<size_t>(corner) + 1];
        low = y < low ? y : low;
        high = y > high ? y : high;
      }
    };
    if (!cellsInView(view, open, x0, x1, rows_ - 1, depthOf, heightsOf, first, last)) continue;
    // Each grid row is one pair of indices, from the far end of the column.
    runFirsts_.push_back(2 * rows_ * i + 2 * first);
    runCounts_.push_back(2 * (last + 1 - first + 1));
  }
  drawElementRuns(GL_TRIANGLE_STRIP, positions_.data(), 3 * sizeof(float), &vertices_[0].s, sizeof(Vertex),
                  farToNear_.data(), runFirsts_.data(), runCounts_.data(), static_cast<int>(runFirsts_.size()),
                  static_cast<int>(vertices_.size()));
}

void Terrain::end() {
  transforms::pop();
  SceneObject::end();
}

void Terrain::releaseGeometry() {
  heights_ = {};
  vertices_ = {};
  positions_ = {};
  farToNear_ = {};
  for (Coarse& coarse : coarse_) coarse = Coarse{};
  mapWidth_ = mapHeight_ = 0;
  computeSteps();
  built_ = false;
  SceneObject::releaseGeometry();
}

void RippleTerrain::gridReserved(int columns, int rows) {
  columnWave_.reserve(static_cast<size_t>(columns) + 1);
  rowWave_.reserve(static_cast<size_t>(rows));
}

void RippleTerrain::ripple(int frameTime) {
  if (!built()) build();
  const int cols = columns();
  const int rowCount = rows();
  // Only a mesh built for the current grid can be rippled.
  if (vertexCount() == 0 || vertexCount() != 2 * cols * rowCount) return;

  constexpr float TwoPi = 2.0f * Pi;
  phase1_ += static_cast<float>(frameTime) * 0.0035f;
  phase2_ += static_cast<float>(frameTime) * 0.0025f;
  if (phase1_ >= TwoPi) phase1_ -= TwoPi;
  if (phase2_ >= TwoPi) phase2_ -= TwoPi;

  columnWave_.resize(static_cast<size_t>(cols) + 1);
  rowWave_.resize(static_cast<size_t>(rowCount));
  for (int i = 0; i <= cols; ++i) columnWave_[i] = 0.01f * std::sin(phase1_ + unitX() * stepX() * i * 0.19f * Pi);
  for (int j = 0; j < rowCount; ++j) rowWave_[j] = 0.02f * std::sin(j * unitZ() * stepZ() * 0.13f * Pi + phase2_);

  // Vertices come in strips of 2 x rows: even strips run up the rows as pairs (x1, x0), odd
  // strips run down as pairs (x0, x1).
  size_t k = 0;
  for (int i = 0; i < cols; ++i) {
    const bool even = i % 2 == 0;
    for (int p = 0; p < rowCount; ++p) {
      const int j = even ? p : rowCount - 1 - p;
      const float r = rowWave_[j];
      setDisplacementY(k++, columnWave_[even ? i + 1 : i] - r);
      setDisplacementY(k++, columnWave_[even ? i : i + 1] - r);
    }
  }
}
