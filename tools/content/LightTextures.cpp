#include "LightTextures.h"

#include "Noise.h"
#include "Random.h"

#include <cmath>

namespace {

constexpr double TwoPi = 6.283185307179586;

// The scene multiplies the caustics onto the sand, so undisturbed light sits near white (the floor
// darkens only slightly) and the focused net burns out to full white.
constexpr double FloorFocus = 2.1;
constexpr float FloorBase = 0.9f;
constexpr float FloorGain = 0.1f;

struct Wave {
  int kx, ky;  // whole cycles across the tile
  int cycles;  // whole cycles per loop (sign gives the direction of travel)
  double amplitude;
  double phase;
};

// A travelling-wave height field h(u, v, time) with time in loops (1 = one full loop).
class WaveField {
 public:
  WaveField(uint64_t seed, int count, int minWave, int maxWave, double slope) {
    Random random(seed);
    while (static_cast<int>(waves_.size()) < count) {
      int kx = random.below(2 * maxWave + 1) - maxWave;
      int ky = random.below(2 * maxWave + 1) - maxWave;
      double k = std::sqrt(static_cast<double>(kx * kx + ky * ky));
      if (k < minWave || k > maxWave) continue;
      int cycles = 1 + random.below(2);
      if (random.unit() < 0.5) cycles = -cycles;
      waves_.push_back(Wave{kx, ky, cycles, 1.0 / std::pow(k, 1.5), random.range(0.0, TwoPi)});
    }
    // Scale so that the summed slope amplitude is `slope`.
    double total = 0.0;
    for (const Wave& w : waves_) {
      total += w.amplitude * TwoPi * std::sqrt(static_cast<double>(w.kx * w.kx + w.ky * w.ky));
    }
    for (Wave& w : waves_) w.amplitude *= slope / total;
    // Curvature scale, used to choose how far the light travels below the surface.
    curvature_ = 0.0;
    for (const Wave& w : waves_) curvature_ += w.amplitude * TwoPi * TwoPi * (w.kx * w.kx + w.ky * w.ky);
  }

  void gradient(double u, double v, double time, double& gu, double& gv) const {
    gu = 0.0;
    gv = 0.0;
    for (const Wave& w : waves_) {
      double c = std::cos(TwoPi * (w.kx * u + w.ky * v + w.cycles * time) + w.phase) * w.amplitude * TwoPi;
      gu += c * w.kx;
      gv += c * w.ky;
    }
  }

  double curvature() const { return curvature_; }

 private:
  std::vector<Wave> waves_;
  double curvature_ = 0.0;
};

// Light density on a plane below the surface: rays refracted by the surface slope are splatted
// where they land; `focus` near 1.5 gives the sharp nets of shallow water.
std::vector<float> causticDensity(const WaveField& field, int size, double time, double focus) {
  const int raysPerSide = size * 3;
  const double depth = focus / field.curvature();
  std::vector<float> density(static_cast<size_t>(size) * size, 0.0f);
  for (int j = 0; j < raysPerSide; ++j) {
    for (int i = 0; i < raysPerSide; ++i) {
      double u = (i + 0.5) / raysPerSide;
      double v = (j + 0.5) / raysPerSide;
      double gu, gv;
      field.gradient(u, v, time, gu, gv);
      double x = (u + depth * gu) * size - 0.5;
      double y = (v + depth * gv) * size - 0.5;
      double fx = std::floor(x), fy = std::floor(y);
      double tx = x - fx, ty = y - fy;
      auto wrap = [size](long k) { return static_cast<int>(((k % size) + size) % size); };
      int x0 = wrap(static_cast<long>(fx)), x1 = wrap(static_cast<long>(fx) + 1);
      int y0 = wrap(static_cast<long>(fy)), y1 = wrap(static_cast<long>(fy) + 1);
      density[y0 * size + x0] += static_cast<float>((1 - tx) * (1 - ty));
      density[y0 * size + x1] += static_cast<float>(tx * (1 - ty));
      density[y1 * size + x0] += static_cast<float>((1 - tx) * ty);
      density[y1 * size + x1] += static_cast<float>(tx * ty);
    }
  }
  const float mean = static_cast<float>(raysPerSide * raysPerSide) / (size * size);
  for (float& d : density) d /= mean;
  return density;
}

Image causticFrame(const WaveField& field, int size, double time, double focus, float base, float gain, int blur) {
  std::vector<float> density = causticDensity(field, size, time, focus);
  Image image(size, size);
  for (int y = 0; y < size; ++y) {
    for (int x = 0; x < size; ++x) {
      float d = density[static_cast<size_t>(y) * size + x];
      // Density 1 is undisturbed light; the focused lines reach several times that.
      float light = clamp01(base + gain * (d - 1.0f));
      // Slightly warm-green light, as sunlight through lagoon water; the focused lines
      // burn out to white.
      float line = clamp01((light - base) / (1.0f - base));
      image.at(x, y) = rgb(light * (0.97f + 0.03f * line), light, light * (0.93f + 0.07f * line));
    }
  }
  image.blur(blur, true);
  return image;
}

}  // namespace

std::vector<Image> floorCaustics() {
  WaveField field(101, 9, 2, 5, 1.0);
  std::vector<Image> frames;
  for (int f = 0; f < LightFrames; ++f) {
    frames.push_back(
        causticFrame(field, 128, static_cast<double>(f) / LightFrames, FloorFocus, FloorBase, FloorGain, 0));
  }
  return frames;
}

std::vector<Image> fishCaustics() {
  WaveField field(202, 6, 1, 3, 1.0);
  std::vector<Image> frames;
  for (int f = 0; f < LightFrames; ++f) {
    frames.push_back(causticFrame(field, 32, static_cast<double>(f) / LightFrames, 1.3, 0.92f, 0.12f, 1));
  }
  return frames;
}

Image causticStill(int size, float phase) {
  WaveField field(101, 9, 2, 5, 1.0);
  return causticFrame(field, size, phase, FloorFocus, FloorBase, FloorGain, 0);
}

std::vector<Image> surfaceHighlights() {
  WaveField field(303, 10, 3, 9, 1.0);
  std::vector<Image> frames;
  const int size = 64;
  for (int f = 0; f < LightFrames; ++f) {
    double time = static_cast<double>(f) / LightFrames;
    Image image(size, size);
    for (int y = 0; y < size; ++y) {
      for (int x = 0; x < size; ++x) {
        double gu, gv;
        field.gradient((x + 0.5) / size, (y + 0.5) / size, time, gu, gv);
        // A glint where the facet's slope mirrors the sun towards the viewer.
        double du = gu - 0.35, dv = gv + 0.2;
        float glint = static_cast<float>(std::exp(-(du * du + dv * dv) / 0.05));
        float alpha = clamp01((glint - 0.2f) * 2.0f);
        image.at(x, y) = rgb(1.0f, 0.98f, 0.9f, alpha);
      }
    }
    frames.push_back(image);
  }
  return frames;
}
