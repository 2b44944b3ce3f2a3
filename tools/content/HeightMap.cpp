#include "HeightMap.h"

#include "Noise.h"

#include "scene/ScenePlacements.h"

#include <cmath>

namespace {

constexpr float FloorY = -8.0f;
constexpr float HeightScale = 0.015f;
// How far around a place the reef keeps nearly the place's height, and how far it reaches.
constexpr float Plateau = 3.0f;

}  // namespace

float SeaFloor::baseHeight(float x, float z) const {
  static const TileNoise dunes(4, 4, 505);
  // Plain near the viewer, rising toward the back into the fog.
  float y = -7.8f + 1.1f * smoothStep(22.0f, 50.0f, z);
  // The reef mound on the left.
  float dx = (x + 7.5f) / 5.5f, dz = (z - 18.0f) / 4.5f;
  y += 1.5f * std::exp(-(dx * dx + dz * dz));
  // A low ridge far right, so the floor is not a flat table.
  float rx = (x - 16.0f) / 7.0f, rz = (z - 34.0f) / 6.0f;
  y += 0.9f * std::exp(-(rx * rx + rz * rz));
  // Gentle dunes.
  y += 0.35f * (dunes.fractal((x + 30.0f) / 60.0f, z / 50.0f) - 0.5f);
  return y;
}

// Around each place where the scene stands a coral the floor rises (or sinks) to that place's
// height: nearly level for a colony's width, then easing into the plain; between places, a blend
// of their heights by nearness.
float SeaFloor::height(float x, float z) const {
  float uncovered = 1.0f, weights = 0.0f, sum = 0.0f;
  for (const CoralPlacement& place : CoralPlacements) {
    const float dx = x - place.position.x, dz = z - place.position.z;
    const float near = (dx * dx + dz * dz) / (Plateau * Plateau);
    const float weight = std::exp(-near * near);
    uncovered *= 1.0f - weight;
    weights += weight;
    sum += weight * place.position.y;
  }
  const float base = baseHeight(x, z);
  if (weights <= 1e-30f) return base;
  return mix(base, sum / weights, 1.0f - uncovered);
}

float SeaFloor::sceneX(float column) { return -30.0f + column * 60.0f / HeightMapSize; }

float SeaFloor::sceneZ(float row) { return 50.0f - row * 50.0f / HeightMapSize; }

namespace {

uint8_t heightByte(float height) {
  const float value = std::round((height - FloorY) / HeightScale);
  return static_cast<uint8_t>(value < 0.0f ? 0.0f : (value > 255.0f ? 255.0f : value));
}

}  // namespace

std::vector<uint8_t> SeaFloor::mapBytes() const {
  std::vector<uint8_t> bytes(static_cast<size_t>(HeightMapSize) * HeightMapSize);
  for (int row = 0; row < HeightMapSize; ++row) {
    for (int column = 0; column < HeightMapSize; ++column) {
      bytes[static_cast<size_t>(row) * HeightMapSize + column] = heightByte(height(sceneX(column), sceneZ(row)));
    }
  }
  return bytes;
}

float SeaFloor::pixelHeight(int column, int row) const {
  return FloorY + heightByte(height(sceneX(column), sceneZ(row))) * HeightScale;
}

float SeaFloor::drawnHeight(float x, float z) const {
  constexpr float Step = (HeightMapSize - 1) / 50.0f;
  const float mapX = (x + 30.0f) / 60.0f * HeightMapSize, mapZ = (50.0f - z) / 50.0f * HeightMapSize;
  const int i = static_cast<int>(std::floor(mapX / Step)), j = static_cast<int>(std::floor(mapZ / Step));
  const float fx = mapX / Step - i, fz = mapZ / Step - j;
  auto grid = [&](int gi, int gj) { return pixelHeight(static_cast<int>(gi * Step), static_cast<int>(gj * Step)); };
  const float h00 = grid(i, j), h10 = grid(i + 1, j), h01 = grid(i, j + 1), h11 = grid(i + 1, j + 1);
  if (fx >= fz) return h00 + fx * (h10 - h00) + fz * (h11 - h10);
  return h00 + fz * (h01 - h00) + fx * (h11 - h01);
}
