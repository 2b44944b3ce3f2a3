#include "FishSkins.h"

#include "Noise.h"

#include <cmath>
#include <cstdint>
#include <functional>

namespace {

constexpr int SkinSize = 128;

struct SkinStyle {
  // Body colour at (u, offset), offset = -1 at the belly outline, +1 at the back outline.
  std::function<Rgba(float u, float offset)> body;
  // Fin colour at (u, z) for a fin region.
  std::function<Rgba(float u, float z, FishRegion region)> fin;
  Rgba pectoral;
  Rgba filament;
  float eyeU = 0.1f;
  Rgba iris = hexColor(0x101010);
  Rgba eyeRing = hexColor(0xD8D0A0);
};

float hashUnit(int x, int y, int salt) {
  uint32_t h = static_cast<uint32_t>(x) * 374761393u + static_cast<uint32_t>(y) * 668265263u +
               static_cast<uint32_t>(salt) * 2246822519u;
  h = (h ^ (h >> 13)) * 1274126177u;
  return static_cast<float>((h ^ (h >> 16)) & 0xFFFF) / 65535.0f;
}

// Jittered dots: 1 inside a dot, 0 outside, soft at the rim. `aspect` stretches z against u.
float dots(float u, float z, float spacing, float radius, int salt) {
  float gu = u / spacing, gz = z / spacing;
  int cu = static_cast<int>(std::floor(gu)), cz = static_cast<int>(std::floor(gz));
  float best = 0.0f;
  for (int du = -1; du <= 1; ++du) {
    for (int dz = -1; dz <= 1; ++dz) {
      int x = cu + du, y = cz + dz;
      float pu = (x + 0.2f + 0.6f * hashUnit(x, y, salt)) * spacing;
      float pz = (y + 0.2f + 0.6f * hashUnit(x, y, salt + 1)) * spacing;
      float r = radius * (0.7f + 0.6f * hashUnit(x, y, salt + 2));
      float d = std::hypot(u - pu, z - pz);
      best = std::fmax(best, 1.0f - smoothStep(r * 0.7f, r, d));
    }
  }
  return best;
}

Image paintFishSkin(const FishShape& shape, const SkinStyle& style) {
  Image image(SkinSize, SkinSize);
  float eyeZ = fishAxis(shape, style.eyeU) + 0.35f * 0.5f * (shape.top.at(style.eyeU) - shape.bottom.at(style.eyeU));
  float eyeRadius = 0.028f;
  image.paint([&](float s, float t) {
    if (t >= SwatchRow) return s < 0.25f ? style.pectoral : style.filament;
    float u, z;
    fishBodyCoordinates(shape, s, t, u, z);
    FishRegion region = fishRegion(shape, u, z);
    if (region == FishRegion::Outside) {
      // Beyond the outline the nearest part's colour continues, so filtering adds no seam.
      if (u > shape.tailBase) {
        region = FishRegion::Caudal;
      } else if (z > shape.top.at(u)) {
        region = FishRegion::Dorsal;
      } else if (z < shape.bottom.at(u)) {
        region = FishRegion::Anal;
      } else {
        region = FishRegion::Body;
      }
    }
    if (region != FishRegion::Body) return style.fin(u, z, region);
    float top = shape.top.at(u), bottom = shape.bottom.at(u);
    float offset = (z - 0.5f * (top + bottom)) / std::fmax(0.5f * (top - bottom), 1e-4f);
    Rgba colour = style.body(u, offset);
    float round = std::sqrt(std::fmax(0.0f, 1.0f - offset * offset));
    colour = scaleColor(colour, 0.68f + 0.32f * round);
    // Gill line behind the eye.
    float gill = std::fabs(u - (style.eyeU + 0.09f + 0.03f * offset * offset));
    colour = scaleColor(colour, 1.0f - 0.25f * (1.0f - smoothStep(0.0f, 0.008f, gill)) * (1.0f - std::fabs(offset)));
    float eye = std::hypot(u - style.eyeU, (z - eyeZ));
    if (eye < eyeRadius * 1.45f) {
      colour = mixColor(colour, style.eyeRing, 1.0f - smoothStep(eyeRadius * 1.2f, eyeRadius * 1.45f, eye));
    }
    if (eye < eyeRadius) {
      colour = mixColor(style.eyeRing, style.iris, 1.0f - smoothStep(eyeRadius * 0.8f, eyeRadius, eye));
    }
    if (eye < eyeRadius * 0.35f) colour = mixColor(colour, hexColor(0xFFFFFF), 0.7f);
    return colour;
  });
  return image;
}

// Back colour over belly colour, the usual countershading of fish.
Rgba countershade(const Rgba& back, const Rgba& side, const Rgba& belly, float offset) {
  if (offset > 0.0f) return mixColor(side, back, smoothStep(0.0f, 0.9f, offset));
  return mixColor(side, belly, smoothStep(0.0f, 0.8f, -offset));
}

// Fin rays: faint lines across the fin.
Rgba finRays(const Rgba& colour, float u, float z) {
  float rays = 0.93f + 0.07f * std::sin((u * 2.0f + z * 1.3f) * 160.0f);
  return scaleColor(colour, rays);
}

// How near (u, z) lies to the outer edge of a fin, 1 on it: fins edged in a dark line read against
// sand and water alike.
float finEdge(const FishShape& shape, float u, float z, FishRegion region, float width) {
  float distance = 1.0f;
  if (region == FishRegion::Caudal) {
    const float axis = fishAxis(shape, shape.tailBase);
    const float offset = z - axis;
    distance =
        std::fmin(std::fmin(std::fabs(shape.caudalUp.at(u) - offset), std::fabs(shape.caudalDown.at(u) + offset)),
                  std::fabs(1.0f - u));
  } else if (region == FishRegion::Dorsal) {
    distance = std::fabs(shape.top.at(u) + shape.dorsalHeight.at(u) - z);
  } else if (region == FishRegion::Anal) {
    distance = std::fabs(z - (shape.bottom.at(u) - shape.analDepth.at(u)));
  }
  return 1.0f - smoothStep(0.5f * width, width, distance);
}

}  // namespace

Image silverfishSkin() {
  SkinStyle style;
  // A dark blue back over a bright silver band and a white belly; a dark-tipped tail.
  style.body = [](float u, float offset) {
    Rgba c = countershade(hexColor(0x1C3A66), hexColor(0xB8C8D8), hexColor(0xFAFBFC), offset);
    float band = 1.0f - smoothStep(0.06f, 0.14f, std::fabs(offset - 0.05f));
    float line = 1.0f - smoothStep(0.0f, 0.05f, std::fabs(offset - 0.22f));
    c = mixColor(c, hexColor(0xF4FAFF), 0.8f * band * smoothStep(0.1f, 0.2f, u));
    return mixColor(c, hexColor(0x16243A), 0.6f * line * smoothStep(0.15f, 0.25f, u));
  };
  style.fin = [](float u, float z, FishRegion region) {
    const FishShape shape = silverfishShape();
    Rgba c = region == FishRegion::Caudal ? hexColor(0x6C84A0) : hexColor(0xA4B4C4);
    c = mixColor(c, hexColor(0x1A2A40), 0.8f * finEdge(shape, u, z, region, 0.025f));
    return finRays(c, u, z);
  };
  style.pectoral = hexColor(0xC8D4DE);
  style.filament = style.pectoral;
  style.eyeU = 0.1f;
  return paintFishSkin(silverfishShape(), style);
}

Image anglefishSkin() {
  SkinStyle style;
  auto band = [](float u, float offset) {
    float shifted = u + 0.03f * offset;
    float best = 1.0f;
    for (float centre : {0.11f, 0.33f, 0.53f, 0.71f}) best = std::fmin(best, std::fabs(shifted - centre));
    return 1.0f - smoothStep(0.025f, 0.035f, best);
  };
  style.body = [band](float u, float offset) {
    Rgba c = countershade(hexColor(0xC9C2A0), hexColor(0xEDE8D6), hexColor(0xF8F6EC), offset);
    return mixColor(c, hexColor(0x141414), band(u, offset));
  };
  style.fin = [band](float u, float z, FishRegion region) {
    Rgba c = region == FishRegion::Caudal ? hexColor(0xF2D25A) : hexColor(0xE8D890);
    if (region != FishRegion::Caudal) c = mixColor(c, hexColor(0x181818), band(u, z > 0 ? 1.0f : -1.0f));
    return finRays(c, u, z);
  };
  style.pectoral = hexColor(0xE8E0B8);
  style.filament = style.pectoral;
  style.eyeU = 0.1f;
  return paintFishSkin(reefFishShape(), style);
}

Image redFishSkin() {
  SkinStyle style;
  // A deep red back over a red-orange flank and a pale belly, fins edged dark.
  style.body = [](float, float offset) {
    return countershade(hexColor(0x8A140A), hexColor(0xF05A20), hexColor(0xFFD2B4), offset);
  };
  style.fin = [](float u, float z, FishRegion region) {
    const Rgba c =
        mixColor(hexColor(0xFF7830), hexColor(0x4A0A04), 0.85f * finEdge(reefFishShape(), u, z, region, 0.03f));
    return finRays(c, u, z);
  };
  style.pectoral = hexColor(0xFF9A60);
  style.filament = style.pectoral;
  return paintFishSkin(reefFishShape(), style);
}

Image blueFishSkin() {
  SkinStyle style;
  // Royal blue, darkest on the back, with a black bar through the eye and bright yellow fins.
  style.body = [](float u, float offset) {
    Rgba c = countershade(hexColor(0x081A5C), hexColor(0x1C44C8), hexColor(0x6C9CF0), offset);
    return mixColor(c, hexColor(0x060A1C), 1.0f - smoothStep(0.02f, 0.03f, std::fabs(u - 0.1f)));
  };
  style.fin = [](float u, float z, FishRegion region) {
    const Rgba c =
        mixColor(hexColor(0xFFDC18), hexColor(0x2A2A10), 0.7f * finEdge(reefFishShape(), u, z, region, 0.02f));
    return finRays(c, u, z);
  };
  style.pectoral = hexColor(0xFFE040);
  style.filament = style.pectoral;
  return paintFishSkin(reefFishShape(), style);
}

Image moorishIdolSkin() {
  SkinStyle style;
  auto black = [](float u, float offset) {
    float shifted = u + 0.02f * offset;
    float front = 1.0f - smoothStep(0.0f, 0.01f, std::fabs(shifted - 0.21f) - 0.055f);
    float back = 1.0f - smoothStep(0.0f, 0.01f, std::fabs(shifted - 0.5f) - 0.07f);
    return std::fmax(front, back);
  };
  auto yellow = [](float u, float offset) {
    float patch = smoothStep(0.57f, 0.6f, u) * (1.0f - smoothStep(0.66f, 0.69f, u));
    float back = smoothStep(0.3f, 0.6f, offset) * smoothStep(0.27f, 0.3f, u) * (1.0f - smoothStep(0.4f, 0.43f, u));
    return std::fmax(patch, back);
  };
  style.body = [black, yellow](float u, float offset) {
    Rgba c = countershade(hexColor(0xECE6CE), hexColor(0xF8F6EE), hexColor(0xFFFFFF), offset);
    c = mixColor(c, hexColor(0xFFD020), yellow(u, offset));
    c = mixColor(c, hexColor(0x121212), black(u, offset));
    float snout = (1.0f - smoothStep(0.05f, 0.09f, u)) * smoothStep(-0.2f, 0.3f, offset);
    return mixColor(c, hexColor(0xF08A20), snout);
  };
  style.fin = [black](float u, float z, FishRegion region) {
    if (region == FishRegion::Caudal) {
      float edge = smoothStep(0.88f, 0.9f, u);
      return mixColor(hexColor(0x141414), hexColor(0xF4F4F0), edge);
    }
    Rgba c = mixColor(hexColor(0xF0EEE4), hexColor(0x121212), black(u, z > 0 ? 1.0f : -1.0f));
    return finRays(c, u, z);
  };
  style.pectoral = hexColor(0xF6E07A);
  style.filament = hexColor(0xFAFAF4);
  style.eyeU = 0.2f;
  return paintFishSkin(moorishIdolShape(), style);
}

Image yellowBlueSkin() {
  SkinStyle style;
  auto bands = [](float u, float offset) {
    float best = 1.0f;
    for (float centre : {0.55f, 0.18f, -0.2f}) {
      best = std::fmin(best, std::fabs(offset - centre - 0.06f * std::sin(u * 9.0f)));
    }
    return 1.0f - smoothStep(0.07f, 0.1f, best);
  };
  // Bright yellow with blue bands, each edged in a dark line; yellow fins edged dark.
  style.body = [bands](float u, float offset) {
    Rgba c = countershade(hexColor(0xD89C08), hexColor(0xFFD21E), hexColor(0xFFF4B0), offset);
    float fade = smoothStep(0.04f, 0.12f, u);
    float band = bands(u, offset);
    c = mixColor(c, hexColor(0x142C70), fade * band * (1.0f - band) * 4.0f * 0.8f);
    return mixColor(c, hexColor(0x2460F0), fade * smoothStep(0.5f, 0.9f, band));
  };
  style.fin = [](float u, float z, FishRegion region) {
    const Rgba c =
        mixColor(hexColor(0xFFD024), hexColor(0x3A2A08), 0.6f * finEdge(yellowBlueShape(), u, z, region, 0.025f));
    return finRays(c, u, z);
  };
  style.pectoral = hexColor(0xFFE470);
  style.filament = style.pectoral;
  return paintFishSkin(yellowBlueShape(), style);
}

Image predatorSkin() {
  SkinStyle style;
  style.body = [](float u, float offset) {
    Rgba c = countershade(hexColor(0x0C0E16), hexColor(0x16181E), hexColor(0x2A2A2E), offset);
    return mixColor(c, hexColor(0xF4F4F4), dots(u, offset * 0.1f, 0.045f, 0.012f, 7));
  };
  style.fin = [](float u, float z, FishRegion) {
    return mixColor(hexColor(0x101014), hexColor(0xE8E8E8), dots(u, z, 0.04f, 0.009f, 11));
  };
  style.pectoral = hexColor(0x202026);
  style.filament = style.pectoral;
  style.eyeRing = hexColor(0xC8B870);
  style.eyeU = 0.08f;
  return paintFishSkin(predatorShape(), style);
}

Image bigGreySkin() {
  SkinStyle style;
  style.body = [](float u, float offset) {
    Rgba c = countershade(hexColor(0x3C4448), hexColor(0x8A9296), hexColor(0xE0E0D8), offset);
    return mixColor(c, hexColor(0x1C2224), 0.9f * dots(u, offset * 0.16f, 0.055f, 0.021f, 23));
  };
  style.fin = [](float u, float z, FishRegion) {
    return mixColor(finRays(hexColor(0x6C7478), u, z), hexColor(0x2C3234), 0.8f * dots(u, z, 0.05f, 0.014f, 29));
  };
  style.pectoral = hexColor(0x7C8488);
  style.filament = style.pectoral;
  style.eyeU = 0.09f;
  return paintFishSkin(bigGreyShape(), style);
}

Image bigRedSkin() {
  SkinStyle style;
  style.body = [](float u, float offset) {
    Rgba c = countershade(hexColor(0x8C1810), hexColor(0xC8301E), hexColor(0xF49A84), offset);
    return mixColor(c, hexColor(0x7CC8F0), 0.7f * dots(u, offset * 0.16f, 0.07f, 0.008f, 31));
  };
  style.fin = [](float u, float z, FishRegion region) {
    Rgba c = finRays(hexColor(0xB8281A), u, z);
    if (region == FishRegion::Caudal) c = mixColor(c, hexColor(0x5A0C08), smoothStep(0.92f, 1.0f, u));
    return c;
  };
  style.pectoral = hexColor(0xD04830);
  style.filament = style.pectoral;
  style.eyeU = 0.09f;
  return paintFishSkin(bigRedShape(), style);
}
