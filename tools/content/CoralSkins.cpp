#include "CoralSkins.h"

#include "Noise.h"
#include "Random.h"

#include <cmath>
#include <cstdint>

namespace {

constexpr float TwoPi = 6.2831853f;

float hashUnit(int x, int y, int salt) {
  uint32_t h = static_cast<uint32_t>(x) * 374761393u + static_cast<uint32_t>(y) * 668265263u +
               static_cast<uint32_t>(salt) * 2246822519u;
  h = (h ^ (h >> 13)) * 1274126177u;
  return static_cast<float>((h ^ (h >> 16)) & 0xFFFF) / 65535.0f;
}

// Polyp dots on a jittered grid that wraps at whole cell counts, so the pattern tiles.
float polyps(float u, float v, int cellsU, int cellsV, float radius, int salt) {
  float gu = u * cellsU, gv = v * cellsV;
  int cu = static_cast<int>(std::floor(gu)), cv = static_cast<int>(std::floor(gv));
  float best = 0.0f;
  for (int du = -1; du <= 1; ++du) {
    for (int dv = -1; dv <= 1; ++dv) {
      int x = cu + du, y = cv + dv;
      int wx = ((x % cellsU) + cellsU) % cellsU, wy = ((y % cellsV) + cellsV) % cellsV;
      float pu = x + 0.2f + 0.6f * hashUnit(wx, wy, salt);
      float pv = y + 0.2f + 0.6f * hashUnit(wx, wy, salt + 1);
      float d = std::hypot(gu - pu, gv - pv);
      best = std::fmax(best, 1.0f - smoothStep(radius * 0.6f, radius, d));
    }
  }
  return best;
}

// Branch colour from base (bottom of the picture) to tip (top), with polyps and mottling.
Image tubeSkin(Rgba base, Rgba tip, Rgba polyp, float polypStrength, uint64_t seed) {
  TileNoise mottle(4, 4, seed);
  Image image(128, 128);
  image.paint([&](float u, float v) {
    Rgba c = mixColor(tip, base, smoothStep(0.0f, 0.85f, v));
    c = scaleColor(c, 0.85f + 0.3f * mottle.fractal(u, v));
    return mixColor(c, polyp, polypStrength * polyps(u, v, 12, 12, 0.32f, static_cast<int>(seed)));
  });
  return image;
}

Image fanSkin() {
  TileNoise warp(4, 3, 121);
  Image image(128, 128);
  image.paint([&](float u, float v) {
    // A net of strands: two families of wavy lines crossing at a slant.
    float w = warp.fractal(u, v) - 0.5f;
    float a = std::fabs(std::sin((u * 1.2f + v * 0.6f + w * 0.25f) * TwoPi * 9.0f));
    float b = std::fabs(std::sin((u * 1.2f - v * 0.6f - w * 0.25f) * TwoPi * 9.0f));
    float strand = 1.0f - smoothStep(0.0f, 0.35f, std::fmin(a, b));
    Rgba hole = mixColor(hexColor(0x5A0E22), hexColor(0x8A1A34), v);
    Rgba net = mixColor(hexColor(0xFF7A8A), hexColor(0xE03048), v);
    return mixColor(hole, net, 0.35f + 0.65f * strand);
  });
  return image;
}

Image tableSkin() {
  TileNoise mottle(4, 4, 131);
  Image image(128, 128);
  image.paint([&](float u, float v) {
    float x = u - 0.5f, y = v - 0.5f;
    float r = std::hypot(x, y) * 2.0f;
    float angle = std::atan2(y, x);
    float radial = 0.5f + 0.5f * std::sin(angle * 70.0f + 4.0f * mottle.fractal(u, v));
    float rings = 0.5f + 0.5f * std::sin(r * 40.0f);
    Rgba c = mixColor(hexColor(0x8A9A38), hexColor(0xD4E080), smoothStep(0.3f, 1.0f, r));
    return scaleColor(c, 0.8f + 0.14f * radial + 0.08f * rings);
  });
  return image;
}

Image brainSkin() {
  TileNoise field(3, 4, 141);
  TileNoise warp(4, 3, 142);
  Image image(128, 128);
  image.paint([&](float u, float v) {
    // Meanders: contour lines of a warped noise field.
    float n = field.fractal(u + 0.15f * warp.fractal(u, v), v + 0.15f * warp.fractal(v, u));
    float ridge = 0.5f + 0.5f * std::sin(n * TwoPi * 9.0f);
    Rgba groove = hexColor(0x5C6A22);
    Rgba top = hexColor(0xD8D870);
    return mixColor(groove, top, smoothStep(0.25f, 0.8f, ridge));
  });
  return image;
}

// A labyrinth of ridges and valleys grown like a Turing pattern on a wrapping grid (so it tiles):
// a short blur activates, a wider one inhibits, clipping keeps the field in [-1, 1].
Image labyrinth(int size, int inner, int outer, int steps, uint64_t seed) {
  Random random(seed);
  Image field(size, size);
  for (int y = 0; y < size; ++y) {
    for (int x = 0; x < size; ++x) {
      float v = static_cast<float>(random.range(-1.0, 1.0));
      field.at(x, y) = rgb(v, v, v);
    }
  }
  for (int step = 0; step < steps; ++step) {
    Image near = field, far = field;
    near.blur(inner, true);
    near.blur(inner, true);
    far.blur(outer, true);
    far.blur(outer, true);
    for (int y = 0; y < size; ++y) {
      for (int x = 0; x < size; ++x) {
        float v = std::fmax(-1.0f, std::fmin(1.0f, 8.0f * (near.at(x, y).r - far.at(x, y).r)));
        field.at(x, y) = rgb(v, v, v);
      }
    }
  }
  field.blur(1, true);
  return field;
}

// Boulder brain coral: bright winding ridges over dark valleys, lit from one side so the relief
// reads from afar; the scene repeats it three times across the boulder.
Image mazeBrainSkin() {
  const int size = 128;
  const Image field = labyrinth(size, 3, 6, 20, 171);
  TileNoise mottle(4, 4, 172);
  Image image(size, size);
  for (int y = 0; y < size; ++y) {
    for (int x = 0; x < size; ++x) {
      float h = field.at(x, y).r;
      float slope = field.at((x + 1) % size, y).r - field.at((x + size - 1) % size, y).r +
                    field.at(x, (y + 1) % size).r - field.at(x, (y + size - 1) % size).r;
      Rgba c = mixColor(hexColor(0x46501A), hexColor(0xEEEA5A), smoothStep(-0.6f, 0.6f, h));
      float u = (x + 0.5f) / size, v = (y + 0.5f) / size;
      image.at(x, y) = scaleColor(c, (0.9f + 0.2f * mottle.fractal(u, v)) * (1.0f - 0.25f * slope));
    }
  }
  return image;
}

}  // namespace

Image coralSkin(char letter) {
  switch (letter) {
    case 'a':
      return tubeSkin(hexColor(0xC85A1C), hexColor(0xFFD6A0), hexColor(0xFFF0D8), 0.5f, 101);
    case 'b':
      return fanSkin();
    case 'c':
      return tubeSkin(hexColor(0x5A2478), hexColor(0xD49CF0), hexColor(0xF6E4FF), 0.55f, 103);
    case 'd':
      return tableSkin();
    case 'f':
      return tubeSkin(hexColor(0xA45C8C), hexColor(0xFFC4E6), hexColor(0xFFFFFF), 0.6f, 105);
    case 'g':
      return brainSkin();
    case 'h':
      return mazeBrainSkin();
    default:
      return tubeSkin(hexColor(0xC03414), hexColor(0xFFB040), hexColor(0xFFF4E0), 0.45f, 109);
  }
}
