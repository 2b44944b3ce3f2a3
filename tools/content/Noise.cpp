#include "Noise.h"

#include "Random.h"

#include <cmath>

TileNoise::TileNoise(int basePeriod, int octaves, uint64_t seed) {
  Random random(seed);
  for (int level = 0; level < octaves; ++level) {
    Lattice lattice;
    lattice.period = basePeriod << level;
    lattice.values.resize(static_cast<size_t>(lattice.period) * lattice.period);
    for (float& value : lattice.values) value = static_cast<float>(random.unit());
    lattices_.push_back(std::move(lattice));
  }
}

float TileNoise::octave(int level, float u, float v) const {
  const Lattice& lattice = lattices_[level];
  int period = lattice.period;
  float x = u * period;
  float y = v * period;
  float fx = std::floor(x);
  float fy = std::floor(y);
  float tx = x - fx;
  float ty = y - fy;
  tx = tx * tx * (3.0f - 2.0f * tx);
  ty = ty * ty * (3.0f - 2.0f * ty);
  auto wrap = [period](long i) { return static_cast<int>(((i % period) + period) % period); };
  int x0 = wrap(static_cast<long>(fx)), x1 = wrap(static_cast<long>(fx) + 1);
  int y0 = wrap(static_cast<long>(fy)), y1 = wrap(static_cast<long>(fy) + 1);
  const std::vector<float>& values = lattice.values;
  float top = mix(values[y0 * period + x0], values[y0 * period + x1], tx);
  float bottom = mix(values[y1 * period + x0], values[y1 * period + x1], tx);
  return mix(top, bottom, ty);
}

float TileNoise::fractal(float u, float v, float gain) const {
  float sum = 0.0f;
  float weight = 1.0f;
  float total = 0.0f;
  for (size_t level = 0; level < lattices_.size(); ++level) {
    sum += weight * octave(static_cast<int>(level), u, v);
    total += weight;
    weight *= gain;
  }
  return sum / total;
}

float smoothStep(float edge0, float edge1, float x) {
  float t = clamp01((x - edge0) / (edge1 - edge0));
  return t * t * (3.0f - 2.0f * t);
}

float clamp01(float v) { return v < 0.0f ? 0.0f : (v > 1.0f ? 1.0f : v); }

float mix(float a, float b, float t) { return a + (b - a) * t; }
