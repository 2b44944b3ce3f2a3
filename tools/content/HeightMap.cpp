#include "HeightMap.h"

#include "Noise.h"

#include <cmath>

namespace {

constexpr float FloorY = -8.0f;
constexpr float HeightScale = 0.015f;

struct CoralBase {
  float x, y, z;
};

// Where the scene stands its corals; a little below, so each base sinks into the sand.
const CoralBase CoralBases[] = {{-2.8f, -5.4f, 20.2f},  {-3.7f, -7.6f, 14.2f},  {-5.0f, -7.5f, 13.7f},
                                {-3.4f, -7.6f, 12.8f},  {-8.9f, -6.2f, 19.2f},  {-5.6f, -7.4f, 15.0f},
                                {-11.6f, -5.6f, 15.0f}, {-10.0f, -6.0f, 20.2f}, {0.0f, -7.0f, 25.2f},
                                {7.0f, -7.2f, 22.0f},   {11.0f, -7.0f, 18.4f}};
constexpr float Sink = 0.06f;

}  // namespace

SeaFloor::SeaFloor() {
  // Solve for one bump per coral so the floor meets each base; a few sweeps settle the overlaps.
  for (const CoralBase& base : CoralBases) bumps_.push_back(Bump{base.x, base.z, 1.6f, 0.0f});
  for (int sweep = 0; sweep < 12; ++sweep) {
    for (size_t i = 0; i < bumps_.size(); ++i) {
      const CoralBase& base = CoralBases[i];
      bumps_[i].amount += 0.8f * (base.y - Sink - height(base.x, base.z));
    }
  }
}

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

float SeaFloor::height(float x, float z) const {
  float y = baseHeight(x, z);
  for (const Bump& bump : bumps_) {
    float dx = (x - bump.x) / bump.radius, dz = (z - bump.z) / bump.radius;
    y += bump.amount * std::exp(-(dx * dx + dz * dz));
  }
  return y;
}

float SeaFloor::sceneX(float column) { return -30.0f + column * 60.0f / HeightMapSize; }

float SeaFloor::sceneZ(float row) { return 50.0f - row * 50.0f / HeightMapSize; }

std::vector<uint8_t> SeaFloor::mapBytes() const {
  std::vector<uint8_t> bytes(static_cast<size_t>(HeightMapSize) * HeightMapSize);
  for (int row = 0; row < HeightMapSize; ++row) {
    for (int column = 0; column < HeightMapSize; ++column) {
      float value = std::round((height(sceneX(column), sceneZ(row)) - FloorY) / HeightScale);
      bytes[static_cast<size_t>(row) * HeightMapSize + column] =
          static_cast<uint8_t>(value < 0.0f ? 0.0f : (value > 255.0f ? 255.0f : value));
    }
  }
  return bytes;
}
