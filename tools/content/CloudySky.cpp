// The cloudy sky, painted for the dome the scene lays it on: a paraboloid 1496.7 units across whose
// top stands 200 units above the eye and which meets the eye's level 424 units out, the picture
// lying flat on it from above (one picture across, its middle overhead). So the picture's middle
// is the zenith and a circle of 0.283 of its width about the middle is the horizon; the dome turns
// about the middle, and nothing beyond that circle is ever seen. Clouds of one size in the
// picture look smaller and flatter toward the horizon by themselves, as a field of cumulus at one
// height does.

#include "SceneryTextures.h"

#include "Noise.h"
#include "Random.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace {

constexpr int SkySize = 1024;
constexpr float DomeExtent = 1496.66f;  // 2 sqrt(900^2 - 500^2)
constexpr float DomeOuterRadius = 900.0f;
constexpr float TopAboveEye = 200.0f;
constexpr float TwoPi = 6.2831853f;

// Elevation in degrees of the dome at `radius` picture widths from the middle.
float elevation(float radius) {
  const float r = radius * DomeExtent;
  return std::atan2(TopAboveEye - r * r / DomeOuterRadius, r) * 57.29578f;
}

const float HorizonRadius = std::sqrt(TopAboveEye * DomeOuterRadius) / DomeExtent;

Rgba skyAt(float degrees) {
  // Deep blue overhead, pale toward the horizon, a little haze just above it.
  const Rgba zenith = hexColor(0x1C4AA6), middle = hexColor(0x3F7CCC), low = hexColor(0x8CBCE6),
             horizon = hexColor(0xCDE6F4);
  if (degrees > 40.0f) return mixColor(middle, zenith, smoothStep(40.0f, 90.0f, degrees));
  if (degrees > 12.0f) return mixColor(low, middle, smoothStep(12.0f, 40.0f, degrees));
  return mixColor(horizon, low, smoothStep(0.0f, 12.0f, degrees));
}

// A cumulus seen from below and from the side, drawn where its parts meet the dome: the billowing
// tops, higher up, meet it nearer the viewer (toward the picture's middle) than the flat grey base,
// whose far edge is the cloud's straight lower rim.
struct Cumulus {
  float x, y;                  // picture units
  float size;                  // picture units
  float outwardX, outwardY;    // unit direction from the picture's middle to the cloud
  std::vector<float> billows;  // x, y, radius of each, relative to the middle, in sizes
};

std::vector<Cumulus> cloudField(uint64_t seed) {
  Random random(seed);
  std::vector<Cumulus> clouds;
  const float cell = 0.026f;
  const int cells = static_cast<int>(2.0f * (HorizonRadius + 0.02f) / cell) + 1;
  for (int i = 0; i < cells; ++i) {
    for (int j = 0; j < cells; ++j) {
      const float x = 0.5f - HorizonRadius - 0.02f + (i + static_cast<float>(random.range(0.1, 0.9))) * cell;
      const float y = 0.5f - HorizonRadius - 0.02f + (j + static_cast<float>(random.range(0.1, 0.9))) * cell;
      const float fromMiddle = std::hypot(x - 0.5f, y - 0.5f);
      const bool present = random.unit() < 0.7;
      if (!present || fromMiddle > HorizonRadius + 0.01f || fromMiddle < 0.02f) continue;
      Cumulus cloud;
      cloud.x = x;
      cloud.y = y;
      // Toward the horizon the field thins into smaller, scattered puffs.
      const float nearHorizon = fromMiddle / HorizonRadius;
      cloud.size = static_cast<float>(random.range(0.01, 0.02)) * (1.0f - 0.3f * nearHorizon);
      cloud.outwardX = (x - 0.5f) / fromMiddle;
      cloud.outwardY = (y - 0.5f) / fromMiddle;
      // A few large billows in the middle, smaller ones around them, most of them up top.
      const int billows = 8 + random.below(7);
      for (int b = 0; b < billows; ++b) {
        const float angle = static_cast<float>(random.range(0.0, TwoPi));
        const float out = static_cast<float>(random.range(0.0, 0.9));
        cloud.billows.push_back(out * std::cos(angle) * 1.4f);
        cloud.billows.push_back(out * std::sin(angle) - 0.25f * out);
        cloud.billows.push_back(static_cast<float>(random.range(0.42, 0.75)) * (1.0f - 0.3f * out));
      }
      clouds.push_back(cloud);
    }
  }
  return clouds;
}

}  // namespace

Image cloudySky() {
  std::vector<Cumulus> clouds = cloudField(601);
  // Far to near: a nearer cloud (nearer the middle) hides what it covers of a farther one.
  std::sort(clouds.begin(), clouds.end(), [](const Cumulus& a, const Cumulus& b) {
    return std::hypot(a.x - 0.5f, a.y - 0.5f) > std::hypot(b.x - 0.5f, b.y - 0.5f);
  });
  TileNoise fluff(16, 3, 602);
  // Cloud cover and how much of it is lit top rather than grey base, per texel.
  std::vector<float> cover(static_cast<size_t>(SkySize) * SkySize, 0.0f);
  std::vector<float> lit(cover.size(), 0.0f);
  for (const Cumulus& cloud : clouds) {
    const int reach = static_cast<int>(2.2f * cloud.size * SkySize) + 2;
    const int cx = static_cast<int>(cloud.x * SkySize), cy = static_cast<int>(cloud.y * SkySize);
    for (int py = cy - reach; py <= cy + reach; ++py) {
      for (int px = cx - reach; px <= cx + reach; ++px) {
        if (px < 0 || py < 0 || px >= SkySize || py >= SkySize) continue;
        const float u = (px + 0.5f) / SkySize, v = (py + 0.5f) / SkySize;
        // In sizes, `along` away from the viewer (down the screen), `across` sideways.
        const float dx = (u - cloud.x) / cloud.size, dy = (v - cloud.y) / cloud.size;
        const float along = dx * cloud.outwardX + dy * cloud.outwardY;
        const float across = -dx * cloud.outwardY + dy * cloud.outwardX;
        float density = 0.0f;
        for (size_t b = 0; b < cloud.billows.size(); b += 3) {
          const float d = std::hypot(across - cloud.billows[b], along - cloud.billows[b + 1]) / cloud.billows[b + 2];
          density = std::fmax(density, 1.0f - smoothStep(0.55f, 1.0f, d));
        }
        density *= 0.8f + 0.5f * (fluff.fractal(u, v) - 0.5f);
        // The flat base.
        density *= 1.0f - smoothStep(0.3f, 0.42f, along);
        if (density <= 0.0f) continue;
        const size_t k = static_cast<size_t>(py) * SkySize + px;
        // Grey where the base shows, bright up where the tops rise; over the clouds behind.
        const float top = smoothStep(0.4f, -0.7f, along);
        const float behind = cover[k] * (1.0f - density);
        cover[k] = density + behind;
        lit[k] = (top * density + lit[k] * behind) / cover[k];
      }
    }
  }
  Image image(SkySize, SkySize);
  for (int y = 0; y < SkySize; ++y) {
    for (int x = 0; x < SkySize; ++x) {
      const float u = (x + 0.5f) / SkySize, v = (y + 0.5f) / SkySize;
      const float radius = std::hypot(u - 0.5f, v - 0.5f);
      const float degrees = radius < HorizonRadius ? elevation(radius) : 0.0f;
      const Rgba sky = skyAt(degrees);
      const size_t k = static_cast<size_t>(y) * SkySize + x;
      const Rgba cloud = mixColor(hexColor(0x9AA8C0), hexColor(0xFFFFFF), lit[k]);
      // Far clouds fade into the haze over the horizon.
      const float haze = smoothStep(0.0f, 6.0f, degrees);
      image.at(x, y) = mixColor(sky, mixColor(sky, cloud, 0.35f + 0.65f * haze), smoothStep(0.15f, 0.6f, cover[k]));
    }
  }
  return image;
}
