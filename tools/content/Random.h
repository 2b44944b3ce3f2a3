#pragma once
// Seeded generator for the content: the same seed gives the same bytes on every run and machine,
// which the standard distributions do not promise.

#include <cstdint>

class Random {
 public:
  explicit Random(uint64_t seed) : state_(seed * 0x9E3779B97F4A7C15ull + 0x632BE59BD9B4E019ull) {}

  uint32_t next() {
    // splitmix64: good enough statistics, trivially reproducible.
    uint64_t z = (state_ += 0x9E3779B97F4A7C15ull);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    return static_cast<uint32_t>((z ^ (z >> 31)) >> 32);
  }

  // Uniform in [0, 1).
  double unit() { return next() * (1.0 / 4294967296.0); }
  double range(double low, double high) { return low + (high - low) * unit(); }
  int below(int count) { return static_cast<int>(unit() * count); }

  // Roughly normal (sum of four uniforms), enough for jitter.
  double gauss() { return (unit() + unit() + unit() + unit() - 2.0) * 1.7320508; }

 private:
  uint64_t state_;
};
