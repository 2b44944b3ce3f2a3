#include "FishShapes.h"

#include <algorithm>

Profile::Profile(std::initializer_list<std::pair<float, float>> points) : points_(points) {}

bool Profile::covers(float u) const {
  return !points_.empty() && u >= points_.front().first && u <= points_.back().first;
}

float Profile::at(float u) const {
  if (points_.empty()) return 0.0f;
  if (u <= points_.front().first) return points_.front().second;
  for (size_t i = 1; i < points_.size(); ++i) {
    if (u <= points_[i].first) {
      const auto& [u0, v0] = points_[i - 1];
      const auto& [u1, v1] = points_[i];
      return v0 + (v1 - v0) * (u - u0) / (u1 - u0);
    }
  }
  return points_.back().second;
}

float fishAxis(const FishShape& shape, float u) {
  float clamped = std::min(u, shape.tailBase);
  return 0.5f * (shape.top.at(clamped) + shape.bottom.at(clamped));
}

FishRegion fishRegion(const FishShape& shape, float u, float z) {
  if (u < 0.0f || u > 1.0f) return FishRegion::Outside;
  if (u <= shape.tailBase) {
    float top = shape.top.at(u);
    float bottom = shape.bottom.at(u);
    if (z <= top && z >= bottom) return FishRegion::Body;
    if (z > top && shape.dorsalHeight.covers(u) && z <= top + shape.dorsalHeight.at(u)) return FishRegion::Dorsal;
    if (z < bottom && shape.analDepth.covers(u) && z >= bottom - shape.analDepth.at(u)) return FishRegion::Anal;
  }
  if (shape.caudalUp.covers(u)) {
    float axis = fishAxis(shape, shape.tailBase);
    float offset = z - axis;
    float notch = shape.caudalNotch.covers(u) ? shape.caudalNotch.at(u) : 0.0f;
    if (offset <= shape.caudalUp.at(u) && offset >= -shape.caudalDown.at(u) && (offset >= notch || offset <= -notch)) {
      return FishRegion::Caudal;
    }
  }
  return FishRegion::Outside;
}

void fishExtent(const FishShape& shape, float& zMin, float& zMax) {
  zMin = 0.0f;
  zMax = 0.0f;
  float axis = fishAxis(shape, shape.tailBase);
  for (int i = 0; i <= 200; ++i) {
    float u = i / 200.0f;
    if (u <= shape.tailBase) {
      zMax = std::max(zMax, shape.top.at(u) + (shape.dorsalHeight.covers(u) ? shape.dorsalHeight.at(u) : 0.0f));
      zMin = std::min(zMin, shape.bottom.at(u) - (shape.analDepth.covers(u) ? shape.analDepth.at(u) : 0.0f));
    }
    if (shape.caudalUp.covers(u)) {
      zMax = std::max(zMax, axis + shape.caudalUp.at(u));
      zMin = std::min(zMin, axis - shape.caudalDown.at(u));
    }
  }
  for (const auto& [u, z] : shape.filament) zMax = std::max(zMax, z + shape.filamentWidth);
  // A little margin keeps the outline off the picture border.
  zMax += 0.01f;
  zMin -= 0.01f;
}

Vec2 fishUv(const FishShape& shape, float u, float z) {
  float zMin, zMax;
  fishExtent(shape, zMin, zMax);
  return Vec2{u, (zMax - z) / (zMax - zMin) * SwatchRow};
}

void fishBodyCoordinates(const FishShape& shape, float s, float t, float& u, float& z) {
  float zMin, zMax;
  fishExtent(shape, zMin, zMax);
  u = s;
  z = zMax - t / SwatchRow * (zMax - zMin);
}

Vec2 swatchUv(FishSwatch swatch) { return Vec2{0.125f + 0.25f * static_cast<int>(swatch), (1.0f + SwatchRow) * 0.5f}; }

FishShape silverfishShape() {
  FishShape s;
  s.length = 49.5f;
  s.tailBase = 0.8f;
  s.top = {{0.0f, 0.0f}, {0.05f, 0.06f}, {0.2f, 0.14f}, {0.4f, 0.15f}, {0.6f, 0.12f}, {0.8f, 0.04f}};
  s.bottom = {{0.0f, -0.015f}, {0.05f, -0.055f}, {0.2f, -0.12f}, {0.4f, -0.13f}, {0.6f, -0.1f}, {0.8f, -0.034f}};
  s.halfWidth = {{0.0f, 0.0f}, {0.1f, 0.05f}, {0.3f, 0.075f}, {0.6f, 0.06f}, {0.8f, 0.016f}};
  s.dorsalHeight = {{0.3f, 0.0f}, {0.35f, 0.13f}, {0.45f, 0.06f}, {0.55f, 0.0f}};
  s.analDepth = {{0.54f, 0.0f}, {0.59f, 0.08f}, {0.72f, 0.0f}};
  s.caudalUp = {{0.78f, 0.04f}, {0.9f, 0.11f}, {1.0f, 0.19f}};
  s.caudalDown = {{0.78f, 0.04f}, {0.9f, 0.11f}, {1.0f, 0.19f}};
  s.caudalNotch = {{0.78f, 0.0f}, {0.88f, 0.0f}, {1.0f, 0.08f}};
  s.pectoralU = 0.24f;
  s.pectoralSize = 0.11f;
  s.waveAmplitude = 0.1f;
  return s;
}

FishShape reefFishShape() {
  FishShape s;
  s.length = 48.0f;
  s.tailBase = 0.78f;
  s.top = {{0.0f, 0.0f},  {0.05f, 0.06f}, {0.15f, 0.14f}, {0.3f, 0.19f},
           {0.45f, 0.2f}, {0.6f, 0.16f},  {0.72f, 0.08f}, {0.78f, 0.055f}};
  s.bottom = {{0.0f, -0.02f},  {0.05f, -0.06f}, {0.15f, -0.11f}, {0.3f, -0.15f},
              {0.45f, -0.15f}, {0.6f, -0.11f},  {0.72f, -0.06f}, {0.78f, -0.045f}};
  s.halfWidth = {{0.0f, 0.0f}, {0.05f, 0.035f}, {0.2f, 0.07f}, {0.4f, 0.075f}, {0.6f, 0.05f}, {0.78f, 0.015f}};
  s.dorsalHeight = {{0.22f, 0.0f}, {0.27f, 0.09f}, {0.4f, 0.085f}, {0.55f, 0.08f}, {0.68f, 0.07f}, {0.74f, 0.0f}};
  s.analDepth = {{0.5f, 0.0f}, {0.55f, 0.07f}, {0.66f, 0.05f}, {0.72f, 0.0f}};
  s.caudalUp = {{0.76f, 0.05f}, {0.86f, 0.1f}, {1.0f, 0.17f}};
  s.caudalDown = {{0.76f, 0.04f}, {0.86f, 0.09f}, {1.0f, 0.16f}};
  s.caudalNotch = {{0.76f, 0.0f}, {0.9f, 0.0f}, {1.0f, 0.06f}};
  s.pectoralU = 0.27f;
  s.pectoralSize = 0.1f;
  s.waveAmplitude = 0.09f;
  return s;
}

FishShape moorishIdolShape() {
  FishShape s;
  s.length = 29.0f;
  s.tailBase = 0.72f;
  s.top = {{0.0f, 0.02f},  {0.08f, 0.05f}, {0.15f, 0.12f}, {0.25f, 0.3f}, {0.35f, 0.36f},
           {0.45f, 0.34f}, {0.55f, 0.25f}, {0.65f, 0.12f}, {0.72f, 0.06f}};
  s.bottom = {{0.0f, 0.0f},   {0.08f, -0.02f}, {0.15f, -0.08f}, {0.25f, -0.22f}, {0.35f, -0.3f},
              {0.45f, -0.3f}, {0.55f, -0.22f}, {0.65f, -0.1f},  {0.72f, -0.05f}};
  s.halfWidth = {{0.0f, 0.0f}, {0.1f, 0.02f}, {0.3f, 0.05f}, {0.5f, 0.045f}, {0.72f, 0.012f}};
  s.dorsalHeight = {{0.28f, 0.0f}, {0.32f, 0.15f}, {0.4f, 0.1f}, {0.5f, 0.06f}, {0.6f, 0.04f}, {0.68f, 0.0f}};
  s.analDepth = {{0.33f, 0.0f}, {0.38f, 0.12f}, {0.5f, 0.08f}, {0.62f, 0.03f}, {0.66f, 0.0f}};
  s.caudalUp = {{0.7f, 0.04f}, {0.8f, 0.08f}, {0.93f, 0.13f}};
  s.caudalDown = {{0.7f, 0.04f}, {0.8f, 0.08f}, {0.93f, 0.13f}};
  s.caudalNotch = {{0.7f, 0.0f}, {0.88f, 0.0f}, {0.93f, 0.03f}};
  s.filament = {{0.31f, 0.48f}, {0.42f, 0.6f}, {0.56f, 0.62f}, {0.7f, 0.56f}, {0.84f, 0.47f}, {1.0f, 0.38f}};
  s.filamentWidth = 0.025f;
  s.pectoralU = 0.3f;
  s.pectoralSize = 0.08f;
  s.waveAmplitude = 0.065f;
  return s;
}

FishShape yellowBlueShape() {
  FishShape s;
  s.length = 44.0f;
  s.tailBase = 0.78f;
  s.top = {{0.0f, 0.0f}, {0.05f, 0.05f}, {0.2f, 0.12f}, {0.4f, 0.15f}, {0.6f, 0.12f}, {0.78f, 0.045f}};
  s.bottom = {{0.0f, -0.02f}, {0.05f, -0.05f}, {0.2f, -0.1f}, {0.4f, -0.12f}, {0.6f, -0.09f}, {0.78f, -0.04f}};
  s.halfWidth = {{0.0f, 0.0f}, {0.1f, 0.04f}, {0.35f, 0.065f}, {0.6f, 0.045f}, {0.78f, 0.012f}};
  s.dorsalHeight = {{0.2f, 0.0f}, {0.24f, 0.07f}, {0.45f, 0.065f}, {0.6f, 0.06f}, {0.7f, 0.0f}};
  s.analDepth = {{0.52f, 0.0f}, {0.56f, 0.05f}, {0.68f, 0.0f}};
  s.caudalUp = {{0.76f, 0.04f}, {0.88f, 0.1f}, {1.0f, 0.16f}};
  s.caudalDown = {{0.76f, 0.04f}, {0.88f, 0.1f}, {1.0f, 0.16f}};
  s.caudalNotch = {{0.76f, 0.0f}, {0.87f, 0.0f}, {1.0f, 0.09f}};
  s.pectoralU = 0.25f;
  s.pectoralSize = 0.09f;
  s.waveAmplitude = 0.09f;
  return s;
}

FishShape predatorShape() {
  FishShape s;
  s.length = 52.0f;
  s.tailBase = 0.8f;
  s.top = {{0.0f, 0.01f}, {0.06f, 0.06f}, {0.2f, 0.11f}, {0.4f, 0.13f}, {0.6f, 0.11f}, {0.8f, 0.045f}};
  s.bottom = {{0.0f, -0.03f}, {0.06f, -0.07f}, {0.2f, -0.1f}, {0.4f, -0.11f}, {0.6f, -0.08f}, {0.8f, -0.04f}};
  s.halfWidth = {{0.0f, 0.0f}, {0.1f, 0.05f}, {0.35f, 0.075f}, {0.6f, 0.055f}, {0.8f, 0.015f}};
  s.dorsalHeight = {{0.25f, 0.0f}, {0.3f, 0.06f}, {0.55f, 0.055f}, {0.7f, 0.05f}, {0.75f, 0.0f}};
  s.analDepth = {{0.55f, 0.0f}, {0.6f, 0.05f}, {0.72f, 0.0f}};
  s.caudalUp = {{0.78f, 0.04f}, {0.9f, 0.09f}, {0.98f, 0.09f}, {1.0f, 0.05f}};
  s.caudalDown = {{0.78f, 0.04f}, {0.9f, 0.09f}, {0.98f, 0.09f}, {1.0f, 0.05f}};
  s.pectoralU = 0.24f;
  s.pectoralSize = 0.08f;
  s.waveAmplitude = 0.08f;
  return s;
}

FishShape bigGreyShape() {
  FishShape s;
  s.length = 38.0f;
  s.tailBase = 0.8f;
  s.top = {{0.0f, 0.02f}, {0.06f, 0.08f}, {0.2f, 0.15f}, {0.4f, 0.17f}, {0.6f, 0.14f}, {0.8f, 0.06f}};
  s.bottom = {{0.0f, -0.04f}, {0.06f, -0.09f}, {0.2f, -0.14f}, {0.4f, -0.15f}, {0.6f, -0.11f}, {0.8f, -0.05f}};
  s.halfWidth = {{0.0f, 0.0f}, {0.1f, 0.07f}, {0.35f, 0.1f}, {0.6f, 0.07f}, {0.8f, 0.02f}};
  s.dorsalHeight = {{0.22f, 0.0f}, {0.27f, 0.07f}, {0.5f, 0.06f}, {0.68f, 0.07f}, {0.74f, 0.0f}};
  s.analDepth = {{0.55f, 0.0f}, {0.6f, 0.07f}, {0.7f, 0.0f}};
  s.caudalUp = {{0.78f, 0.05f}, {0.92f, 0.1f}, {1.0f, 0.08f}};
  s.caudalDown = {{0.78f, 0.05f}, {0.92f, 0.1f}, {1.0f, 0.08f}};
  s.pectoralU = 0.25f;
  s.pectoralSize = 0.09f;
  s.waveAmplitude = 0.065f;
  return s;
}

FishShape bigRedShape() {
  FishShape s;
  s.length = 27.0f;
  s.tailBase = 0.78f;
  s.top = {{0.0f, 0.0f}, {0.06f, 0.07f}, {0.2f, 0.15f}, {0.4f, 0.18f}, {0.6f, 0.14f}, {0.78f, 0.05f}};
  s.bottom = {{0.0f, -0.03f}, {0.06f, -0.07f}, {0.2f, -0.12f}, {0.4f, -0.14f}, {0.6f, -0.1f}, {0.78f, -0.045f}};
  s.halfWidth = {{0.0f, 0.0f}, {0.1f, 0.06f}, {0.35f, 0.085f}, {0.6f, 0.06f}, {0.78f, 0.015f}};
  s.dorsalHeight = {{0.22f, 0.0f}, {0.27f, 0.09f}, {0.45f, 0.08f}, {0.65f, 0.075f}, {0.72f, 0.0f}};
  s.analDepth = {{0.52f, 0.0f}, {0.57f, 0.07f}, {0.68f, 0.0f}};
  s.caudalUp = {{0.76f, 0.045f}, {0.88f, 0.11f}, {1.0f, 0.17f}};
  s.caudalDown = {{0.76f, 0.045f}, {0.88f, 0.11f}, {1.0f, 0.17f}};
  s.caudalNotch = {{0.76f, 0.0f}, {0.88f, 0.0f}, {1.0f, 0.08f}};
  s.pectoralU = 0.26f;
  s.pectoralSize = 0.09f;
  s.waveAmplitude = 0.065f;
  return s;
}
