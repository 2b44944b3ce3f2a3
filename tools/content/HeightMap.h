#pragma once
// The sea floor: a low sandy plain in front of the viewer that rises toward the reef on the left
// and toward the back, with a base under every coral at the height where the scene places it.

#include <cstdint>
#include <vector>

constexpr int HeightMapSize = 256;

class SeaFloor {
 public:
  SeaFloor();

  // Floor height (scene y) at scene (x, z).
  float height(float x, float z) const;

  // Map pixels, top row first: row 0 is the far edge (scene z = 50), column 0 is x = -30.
  // Each byte is (height + 8) / 0.015, the inverse of the terrain's scale and position.
  std::vector<uint8_t> mapBytes() const;

  // Scene position of a map pixel's corner.
  static float sceneX(float column);
  static float sceneZ(float row);

 private:
  struct Bump {
    float x, z, radius, amount;
  };
  float baseHeight(float x, float z) const;
  std::vector<Bump> bumps_;
};
