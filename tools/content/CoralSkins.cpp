#include "CoralSkins.h"

#include "Noise.h"

#include <cmath>
#include <cstdint>

namespace {

constexpr float TwoPi = 6.2831853f;

float hashUnit(int x, int y, int salt)
{
    uint32_t h = static_cast<uint32_t>(x) * 374761393u + static_cast<uint32_t>(y) * 668265263u + static_cast<uint32_t>(salt) * 2246822519u;
    h = (h ^ (h >> 13)) * 1274126177u;
    return static_cast<float>((h ^ (h >> 16)) & 0xFFFF) / 65535.0f;
}

// Polyp dots on a jittered grid that wraps at whole cell counts, so the pattern tiles.
float polyps(float u, float v, int cellsU, int cellsV, float radius, int salt)
{
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
Image tubeSkin(Rgba base, Rgba tip, Rgba polyp, float polypStrength, uint64_t seed)
{
    TileNoise mottle(4, 4, seed);
    Image image(128, 128);
    image.paint([&](float u, float v) {
        Rgba c = mixColor(tip, base, smoothStep(0.0f, 0.85f, v));
        c = scaleColor(c, 0.85f + 0.3f * mottle.fractal(u, v));
        return mixColor(c, polyp, polypStrength * polyps(u, v, 12, 12, 0.32f, static_cast<int>(seed)));
    });
    return image;
}

Image fanSkin()
{
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

Image tableSkin()
{
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

Image brainSkin()
{
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

Image boulderSkin()
{
    TileNoise mottle(4, 4, 151);
    Image image(128, 128);
    image.paint([&](float u, float v) {
        Rgba c = mixColor(hexColor(0x2E6A5E), hexColor(0x58907A), mottle.fractal(u, v));
        float cup = polyps(u, v, 16, 16, 0.42f, 153);
        c = mixColor(c, hexColor(0x9A6CB0), 0.8f * cup);
        float centre = polyps(u, v, 16, 16, 0.15f, 153);
        return mixColor(c, hexColor(0x3A2444), 0.6f * centre);
    });
    return image;
}

} // namespace

Image coralSkin(char letter)
{
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
        return boulderSkin();
    default:
        return tubeSkin(hexColor(0xC03414), hexColor(0xFFB040), hexColor(0xFFF4E0), 0.45f, 109);
    }
}
