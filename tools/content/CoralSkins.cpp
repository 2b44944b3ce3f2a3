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

constexpr int SkinSize = 128;
constexpr float HalfMargin = 1.0f / SkinSize;

// Which half u lies in, and where within it, wrapping at the half's edges less their margins.
int halfOf(float u, float& local) {
  const int variant = u < 0.5f ? 0 : 1;
  const float start = 0.5f * variant + HalfMargin;
  local = (u - start) / (0.5f - 2.0f * HalfMargin);
  local -= std::floor(local);
  return variant;
}

struct TubeColours {
  Rgba base, tip;
};

// Branch colour from base (bottom of the picture) to tip (top), with polyps and mottling.
Image tubeSkin(const TubeColours (&variants)[2], Rgba polyp, float polypStrength, uint64_t seed) {
  TileNoise mottle(4, 4, seed);
  Image image(SkinSize, SkinSize);
  image.paint([&](float u, float v) {
    float local;
    const TubeColours& colours = variants[halfOf(u, local)];
    Rgba c = mixColor(colours.tip, colours.base, smoothStep(0.0f, 0.85f, v));
    c = scaleColor(c, 0.85f + 0.3f * mottle.fractal(local, v));
    return mixColor(c, polyp, polypStrength * polyps(local, v, 6, 12, 0.32f, static_cast<int>(seed)));
  });
  return image;
}

// Lace: a net of strands, two families of wavy lines crossing at a slant, with the water showing
// through the holes.
Image fanSkin() {
  TileNoise warp(4, 3, 121);
  struct FanColours {
    Rgba netTop, netBottom;
  };
  const FanColours variants[2] = {{hexColor(0xF04838), hexColor(0xA01828)}, {hexColor(0xFF90C8), hexColor(0xC83C90)}};
  Image image(SkinSize, SkinSize);
  image.paint([&](float u, float v) {
    float local;
    const FanColours& colours = variants[halfOf(u, local)];
    float w = warp.fractal(local, v) - 0.5f;
    float a = std::fabs(std::sin((local * 0.5f + v * 0.7f + w * 0.3f) * TwoPi * 7.0f));
    float b = std::fabs(std::sin((local * 0.5f - v * 0.7f - w * 0.3f) * TwoPi * 7.0f));
    float strand = 1.0f - smoothStep(0.1f, 0.4f, std::fmin(a, b));
    // Thicker towards the stem, where the fan's main branches run.
    strand = std::fmax(strand, smoothStep(0.75f, 1.0f, v));
    Rgba net = mixColor(colours.netTop, colours.netBottom, v);
    net = scaleColor(net, 0.7f + 0.3f * strand);
    net.a = 0.45f + 0.55f * strand;
    return net;
  });
  return image;
}

// Plates seen from above, one in each half: radial growth lines and rings of growth.
Image tableSkin() {
  TileNoise mottle(4, 4, 131);
  const Rgba inner[2] = {hexColor(0x8A9A38), hexColor(0x6A8A40)};
  const Rgba outer[2] = {hexColor(0xD4E080), hexColor(0xB8DC98)};
  Image image(SkinSize, SkinSize);
  image.paint([&](float u, float v) {
    float local;
    const int variant = halfOf(u, local);
    float x = local - 0.5f, y = v - 0.5f;
    float r = std::hypot(x, y) * 2.0f;
    float angle = std::atan2(y, x);
    float radial = 0.5f + 0.5f * std::sin(angle * 40.0f + 4.0f * mottle.fractal(local, v));
    float rings = 0.5f + 0.5f * std::sin(r * 30.0f);
    Rgba c = mixColor(inner[variant], outer[variant], smoothStep(0.3f, 1.0f, r));
    return scaleColor(c, 0.78f + 0.16f * radial + 0.08f * rings);
  });
  return image;
}

// Brain corals from above, one colouring in each half: meanders, the contour lines of a warped
// noise field.
Image brainSkin() {
  TileNoise field(3, 4, 141);
  TileNoise warp(4, 3, 142);
  const Rgba grooves[2] = {hexColor(0x5C6A22), hexColor(0x6A4C20)};
  const Rgba tops[2] = {hexColor(0xD8D870), hexColor(0xE0B868)};
  Image image(SkinSize, SkinSize);
  image.paint([&](float u, float v) {
    float local;
    const int variant = halfOf(u, local);
    float n = field.fractal(local + 0.15f * warp.fractal(local, v), v + 0.15f * warp.fractal(v, local));
    float ridge = 0.5f + 0.5f * std::sin(n * TwoPi * 7.0f);
    return mixColor(grooves[variant], tops[variant], smoothStep(0.25f, 0.8f, ridge));
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

Image coralSkin(int kind) {
  switch (kind) {
    case 0:
      return tubeSkin({{hexColor(0xC4400C), hexColor(0xFFA860)}, {hexColor(0xD86A08), hexColor(0xFFD048)}},
                      hexColor(0xFFF0D8), 0.45f, 101);
    case 1:
      return fanSkin();
    case 2:
      return tubeSkin({{hexColor(0x5A2478), hexColor(0xD49CF0)}, {hexColor(0x3C2C8C), hexColor(0xB4A8FF)}},
                      hexColor(0xF6E4FF), 0.55f, 103);
    case 3:
      return tableSkin();
    case 4:
      return tubeSkin({{hexColor(0xB0205C), hexColor(0xFF6EB0)}, {hexColor(0xD04830), hexColor(0xFF9C70)}},
                      hexColor(0xFFE8F4), 0.5f, 105);
    case 5:
      return brainSkin();
    case 6:
      return mazeBrainSkin();
    default:
      return tubeSkin({{hexColor(0xC03414), hexColor(0xFFB040)}, {hexColor(0xC89018), hexColor(0xFFE868)}},
                      hexColor(0xFFF4E0), 0.45f, 109);
  }
}
