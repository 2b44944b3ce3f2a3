#include "SceneryTextures.h"

#include "Noise.h"
#include "Random.h"

#include <cmath>

namespace {

constexpr float TwoPi = 6.2831853f;
const Rgba FogColour = rgb(0.121f, 0.590f, 0.707f);

Rgba skyGradient(float v) {
  // Deep blue overhead, pale toward the horizon at the bottom of the picture.
  Rgba zenith = hexColor(0x1F4FA8);
  Rgba middle = hexColor(0x4F8AD2);
  Rgba horizon = hexColor(0xBCDDF0);
  if (v < 0.55f) return mixColor(zenith, middle, smoothStep(0.0f, 0.55f, v));
  return mixColor(middle, horizon, smoothStep(0.55f, 1.0f, v));
}

// Ordered 4x4 dither to a given number of levels per channel.
float ditherTo(float value, int levels, int x, int y) {
  static const int bayer[4][4] = {{0, 8, 2, 10}, {12, 4, 14, 6}, {3, 11, 1, 9}, {15, 7, 13, 5}};
  float threshold = (bayer[y % 4][x % 4] + 0.5f) / 16.0f;
  float scaled = value * (levels - 1);
  float low = std::floor(scaled);
  return (scaled - low > threshold ? low + 1.0f : low) / (levels - 1);
}

}  // namespace

Image clearSky(bool for16Bit) {
  Image image(256, 256);
  image.paint([](float u, float v) {
    Rgba sky = skyGradient(v);
    // A faint glow of the sun above the right horizon.
    float glow = std::exp(-std::pow((u - 0.72f) / 0.25f, 2.0f) - std::pow((v - 0.8f) / 0.3f, 2.0f));
    return mixColor(sky, hexColor(0xF4F2E4), 0.35f * glow);
  });
  if (for16Bit) {
    for (int y = 0; y < image.height(); ++y) {
      for (int x = 0; x < image.width(); ++x) {
        Rgba& p = image.at(x, y);
        p = rgb(ditherTo(p.r, 32, x, y), ditherTo(p.g, 64, x, y), ditherTo(p.b, 32, x, y));
      }
    }
  }
  return image;
}

Image sandTexture(const SeaFloor& floor) {
  TileNoise patches(4, 5, 701);
  TileNoise warp(8, 3, 702);
  TileNoise grain(64, 2, 703);
  Image image(512, 512);
  // Map the picture onto the floor the way the terrain does: u across x, v from far to near.
  image.paint([&](float u, float v) {
    float x = SeaFloor::sceneX(u * HeightMapSize);
    float z = SeaFloor::sceneZ(v * HeightMapSize);
    const float step = 0.25f;
    float hx = floor.height(x + step, z) - floor.height(x - step, z);
    float hz = floor.height(x, z + step) - floor.height(x, z - step);
    // Sun from above, a little from the right and behind the viewer.
    float nx = -hx / (2 * step), nz = -hz / (2 * step);
    float light = (0.35f * nx - 0.35f * nz + 1.0f) / std::sqrt(nx * nx + nz * nz + 1.0f) / std::sqrt(1.245f);
    float ripple = std::sin((u * 95.0f + 5.0f * warp.fractal(u, v) + 2.0f * v) * TwoPi);
    Rgba sand = mixColor(hexColor(0xE2D2A8), hexColor(0xF2E6C4), patches.fractal(u, v));
    sand = scaleColor(sand, 0.96f + 0.04f * ripple + 0.1f * (grain.fractal(u, v) - 0.5f));
    // Rubble and algae tint on the reef mound.
    float reef = smoothStep(-7.2f, -6.2f, floor.height(x, z)) * (0.6f + 0.4f * patches.fractal(v, u));
    sand = mixColor(sand, hexColor(0xA8A070), 0.45f * reef);
    return scaleColor(sand, 0.8f + 0.24f * clamp01(light));
  });
  return image;
}

Image waterTexture() {
  TileNoise streaks(4, 5, 801);
  TileNoise soft(2, 3, 802);
  Image image(256, 256);
  image.paint([&](float u, float v) {
    // Streaks stretched along the direction the picture slides; scaling v by a whole number
    // keeps the picture tileable.
    float n = streaks.fractal(u, std::fmod(v * 3.0f, 1.0f));
    float streak = smoothStep(0.45f, 0.75f, n);
    float light = soft.fractal(u, v);
    Rgba colour = mixColor(hexColor(0x74D2DA), hexColor(0x2C8EA6), streak);
    colour = scaleColor(colour, 0.92f + 0.16f * light);
    colour.a = 0.3f + 0.18f * streak;
    return colour;
  });
  return image;
}

// The card leans back from just under the horizon to below the floor's far edge, which the view
// meets just past halfway down it. Over the sky seen through the water beyond that edge it leaves
// a light band and closes again to the fog's colour where the fogged floor begins, so that the
// band ends without an edge; lower down it lies over floor of the fog's colour.
Image horizonFader() {
  Image image(64, 64);
  image.paint([](float, float v) {
    Rgba c = FogColour;
    float light = smoothStep(0.05f, 0.95f, v) * (1.0f - smoothStep(0.3f, 0.54f, v));
    c.a = (1.0f - light) * (1.0f - smoothStep(0.85f, 1.0f, v));
    return c;
  });
  return image;
}

Image rockTexture() {
  TileNoise outline(4, 4, 901);
  TileNoise strata(4, 5, 902);
  Image image(128, 128);
  // The rock stands on the bottom edge; the lowest sixth lies under the water line.
  image.paint([&](float u, float v) {
    float h = 1.0f - v;  // height from the bottom edge
    float jag = 0.08f * (outline.fractal(h * 0.5f, 0.3f) - 0.5f) + 0.05f * (outline.fractal(h * 0.5f, 0.7f) - 0.5f);
    float centre = 0.48f + 0.06f * std::sin(h * 3.0f) + jag;
    float profile = 0.46f * std::pow(clamp01(1.0f - h / 0.92f), 0.55f);
    float halfWidth = profile + jag;
    float inside = halfWidth - std::fabs(u - centre);
    // Nothing above the peak: there the soft edge alone would draw the centre line, half
    // covered, as a thin spike up to the top.
    float coverage = smoothStep(-0.008f, 0.008f, inside) * smoothStep(0.0f, 0.02f, profile);
    float layers = 0.5f + 0.5f * std::sin((h * 14.0f + 1.5f * strata.fractal(u, v)) * TwoPi * 0.5f);
    Rgba rock = mixColor(hexColor(0x6A5E52), hexColor(0x9C8E7E), 0.6f * layers + 0.4f * strata.fractal(u, v));
    // Lit from the left.
    float lit = clamp01(0.5f + (centre - u) / std::fmax(halfWidth, 0.05f) * 0.5f);
    rock = scaleColor(rock, 0.65f + 0.45f * lit);
    rock.a = coverage;
    return rock;
  });
  return image;
}

namespace {

// Distance from p to the segment a-b, and where along it (0 to 1) the nearest point lies.
float segmentDistance(float px, float py, float ax, float ay, float bx, float by, float& along) {
  const float dx = bx - ax, dy = by - ay;
  const float length2 = dx * dx + dy * dy;
  along = length2 > 0.0f ? clamp01(((px - ax) * dx + (py - ay) * dy) / length2) : 0.0f;
  return std::hypot(px - (ax + along * dx), py - (ay + along * dy));
}

struct Palm {
  float x, lean, height;
  float turn;  // of its crown
};

// How much of a texel at (u, h) a palm covers: a tapering, leaning trunk and drooping leaves, their
// edges a texel soft so that the picture stays smooth when magnified. `frond` says whether the
// leaves (not the trunk) cover it.
float palmCover(const Palm& palm, float base, float u, float h, float texel, bool& frond) {
  frond = false;
  float cover = 0.0f;
  const float k = (h - base) / palm.height;
  if (k >= 0.0f && k <= 1.0f) {
    const float trunkX = palm.x + palm.lean * k * k;
    const float halfWidth = 0.0035f * (1.0f - 0.35f * k);
    cover = smoothStep(halfWidth + 0.5f * texel, halfWidth - 0.5f * texel, std::fabs(u - trunkX));
  }
  const float cx = palm.x + palm.lean, cy = base + palm.height;
  if (std::fabs(u - cx) > 0.09f || std::fabs(h - cy) > 0.07f) return cover;
  constexpr int Fronds = 9, Steps = 12;
  for (int f = 0; f < Fronds; ++f) {
    const float angle = palm.turn - 0.35f + 3.84f * f / (Fronds - 1);
    const float reach = 0.055f + 0.012f * std::sin(f * 2.3f + palm.turn * 5.0f);
    float ax = cx, ay = cy;
    for (int step = 1; step <= Steps; ++step) {
      const float s = static_cast<float>(step) / Steps;
      const float bx = cx + std::cos(angle) * reach * s;
      const float by = cy + std::sin(angle) * reach * s * 0.55f - 0.035f * reach / 0.06f * s * s;
      float along;
      const float d = segmentDistance(u, h, ax, ay, bx, by, along);
      // A leaf: widest a third of the way out, pointed at its tip.
      const float t = (step - 1 + along) / Steps;
      const float halfWidth = 0.0055f * std::sin(3.14159f * std::pow(t, 0.7f)) + 0.0006f;
      const float c = smoothStep(halfWidth + 0.5f * texel, halfWidth - 0.5f * texel, d);
      if (c > cover) {
        cover = c;
        frond = true;
      }
      ax = bx;
      ay = by;
    }
  }
  return cover;
}

}  // namespace

// Large enough that at full-HD size the card shows about one texel a pixel across (the card is
// square, the picture half as tall as wide: a texel and a half a pixel down); every edge is drawn
// a texel soft, so the linear filter keeps it smooth.
Image islandTexture() {
  constexpr int Width = 1024, Height = 512;
  const float texel = 1.0f / Height;
  TileNoise canopy(8, 4, 1001);
  TileNoise detail(16, 4, 1002);
  Random random(1003);
  std::vector<Palm> palms;
  for (int i = 0; i < 5; ++i) {
    palms.push_back(Palm{0.3f + 0.42f * static_cast<float>(random.unit()),
                         static_cast<float>(random.range(-0.06, 0.06)), static_cast<float>(random.range(0.11, 0.17)),
                         static_cast<float>(random.range(-0.3, 0.3))});
  }
  const float water = 19.0f / 30.0f;  // picture row of the water line
  Image image(Width, Height);
  image.paint([&](float u, float v) {
    const float h = water - v;  // height above the water line, in picture units
    const float dx = (u - 0.5f) / 0.36f;
    const float hill = 0.1f * std::fmax(0.0f, 1.0f - dx * dx) + 0.035f * (canopy.fractal(u, 0.2f) - 0.5f);
    const float beachHalf = 0.42f;
    const float beach = 0.012f * std::fmax(0.0f, 1.0f - std::pow((u - 0.5f) / beachHalf, 2.0f));
    Rgba colour = rgb(0.0f, 0.0f, 0.0f, 0.0f);
    // The wooded hill, its top a texel soft.
    if (h >= -0.01f) {
      const float shade = 0.7f + 0.5f * detail.fractal(u, v);
      const Rgba wood = scaleColor(mixColor(hexColor(0x2E6A2A), hexColor(0x5A9A44), canopy.fractal(u, v)), shade);
      paintOver(colour, wood, smoothStep(hill + 0.5f * texel, hill - 0.5f * texel, h) * smoothStep(-0.004f, 0.0f, h));
    }
    // The beach in front of it: a pale strip along the water line, thinning at both ends.
    const float beachCover = smoothStep(beach + 0.004f + 0.5f * texel, beach + 0.004f - 0.5f * texel, h) *
                             smoothStep(-0.01f - 0.5f * texel, -0.01f + 0.5f * texel, h) *
                             smoothStep(beachHalf + 0.5f * texel, beachHalf - 0.5f * texel, std::fabs(u - 0.5f));
    paintOver(colour, hexColor(0xEADCB0), beachCover);
    for (const Palm& palm : palms) {
      bool frond = false;
      const float cover = palmCover(palm, 0.5f * hill, u, h, texel, frond);
      if (cover <= 0.0f) continue;
      const Rgba leaf = mixColor(hexColor(0x24501E), hexColor(0x3C7430), detail.fractal(u * 2.0f, v * 2.0f));
      paintOver(colour, frond ? leaf : hexColor(0x5A4A34), cover);
    }
    return colour;
  });
  return image;
}

Image blendMap() {
  Image image(128, 128);
  image.paint([](float u, float v) {
    float dx = (u - 0.5f) / 0.5f, dy = (v - 0.42f) / 0.5f;
    float r = std::sqrt(dx * dx + dy * dy);
    return rgb(1.0f, 1.0f, 1.0f, 0.75f * (1.0f - smoothStep(0.15f, 1.0f, r)));
  });
  return image;
}
