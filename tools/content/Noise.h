#pragma once
// Periodic value noise: every lattice wraps at its period, so pictures built from it tile
// seamlessly in both directions.

#include <cstdint>
#include <vector>

class TileNoise {
 public:
  // Octave k is a lattice of (basePeriod << k) squared random values.
  TileNoise(int basePeriod, int octaves, uint64_t seed);

  // Fractal sum in [0, 1] at picture coordinates (u, v); the result wraps at 1 in both.
  float fractal(float u, float v, float gain = 0.5f) const;

  // One octave only, in [0, 1].
  float octave(int level, float u, float v) const;

 private:
  struct Lattice {
    int period;
    std::vector<float> values;
  };
  std::vector<Lattice> lattices_;
};

float smoothStep(float edge0, float edge1, float x);
float clamp01(float v);
float mix(float a, float b, float t);
