#pragma once
// The sea floor: a low sandy plain in front of the viewer that rises toward the back, with the reef
// on it, rising around every place where the scene stands a coral to the height of that place.

#include <cstdint>
#include <vector>

constexpr int HeightMapSize = 256;

class SeaFloor {
 public:
  SeaFloor() = default;

  // Floor height (scene y) at scene (x, z).
  float height(float x, float z) const;
  // The floor as the scene draws it there: the map's bytes sampled on its 50 x 50 grid, each cell
  // two triangles split from its (x0, z0) to its (x1, z1) corner.
  float drawnHeight(float x, float z) const;

  // Map pixels, top row first: row 0 is the far edge (scene z = 50), column 0 is x = -30.
  // Each byte is (height + 8) / 0.015, the inverse of the terrain's scale and position.
  std::vector<uint8_t> mapBytes() const;

  // Scene position of a map pixel's corner.
  static float sceneX(float column);
  static float sceneZ(float row);

 private:
  float baseHeight(float x, float z) const;
  // The height a map pixel holds, as the terrain reads it back.
  float pixelHeight(int column, int row) const;
};
