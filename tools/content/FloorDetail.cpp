#include "FloorDetail.h"

#include "Noise.h"
#include "Random.h"

#include <cmath>
#include <vector>

namespace {

constexpr float TwoPi = 6.2831853f;
constexpr int DetailSize = 512;
constexpr float FloorWidth = 60.0f, FloorDepth = 50.0f;

// A thing lying on the sand, in floor units within the tile.
struct Piece {
  enum Kind { Pebble, Shell, Rubble, Grass, Algae } kind;
  float x, z;
  float size;
  float turn;   // radians
  float shade;  // 0 to 1: which of the kind's colours
};

// Sun from above, a little from the right and from behind the viewer, as the sand is lit.
float light(float nx, float nz) {
  return (0.35f * nx - 0.35f * nz + 1.0f) / std::sqrt((nx * nx + nz * nz + 1.0f) * 1.245f);
}

class DetailPainter {
 public:
  DetailPainter(float width, float depth, uint64_t seed)
      : width_(width), depth_(depth), ripples_(4, 3, seed), patches_(2, 3, seed + 1) {
    Random random(seed + 2);
    scatter(random, Piece::Pebble, 60, 0.035f, 0.11f);
    scatter(random, Piece::Shell, 12, 0.06f, 0.1f);
    scatter(random, Piece::Rubble, 20, 0.1f, 0.22f);
    scatter(random, Piece::Algae, 5, 0.15f, 0.3f);
    scatter(random, Piece::Grass, 9, 0.2f, 0.35f);
  }

  Rgba at(float u, float v) const {
    const float x = u * width_, z = v * depth_;
    Rgba colour = rgb(0.9f, 0.85f, 0.7f, 0.0f);
    rippled(colour, u, v);
    for (const Piece& piece : pieces_) {
      // The nearest copy of the piece in the repeating tile.
      float dx = x - piece.x, dz = z - piece.z;
      dx -= width_ * std::round(dx / width_);
      dz -= depth_ * std::round(dz / depth_);
      if (std::fabs(dx) > 2.5f * piece.size || std::fabs(dz) > 2.5f * piece.size) continue;
      paintPiece(colour, piece, dx, dz);
    }
    return colour;
  }

 private:
  void scatter(Random& random, Piece::Kind kind, int count, float smallest, float largest) {
    // Grass and algae grow in the few patches where the patch noise is high; stones lie anywhere.
    for (int placed = 0, attempt = 0; placed < count && attempt < 10000; ++attempt) {
      Piece piece{kind,
                  static_cast<float>(random.unit()) * width_,
                  static_cast<float>(random.unit()) * depth_,
                  static_cast<float>(random.range(smallest, largest)),
                  static_cast<float>(random.range(0.0, TwoPi)),
                  static_cast<float>(random.unit())};
      const float patch = patches_.fractal(piece.x / width_, piece.z / depth_);
      if ((kind == Piece::Grass || kind == Piece::Algae) && patch < 0.55f) continue;
      pieces_.push_back(piece);
      ++placed;
    }
  }

  // Fine ripples of the sand: light crests and darker troughs, gently curving.
  void rippled(Rgba& colour, float u, float v) const {
    const float warp = ripples_.fractal(u, v);
    const float wave = std::sin((u * 26.0f + v * 4.0f + 3.0f * warp) * TwoPi);
    const float strength = 0.35f + 0.65f * smoothStep(0.3f, 0.7f, ripples_.fractal(v, u));
    if (wave > 0.0f) {
      paintOver(colour, hexColor(0xFFF6DC), 0.28f * strength * wave * wave);
    } else {
      paintOver(colour, hexColor(0x8A7858), 0.24f * strength * wave * wave);
    }
  }

  static void paintPiece(Rgba& colour, const Piece& piece, float dx, float dz) {
    const float c = std::cos(piece.turn), s = std::sin(piece.turn);
    // In the piece's own axes, a in its length, b across.
    const float a = (c * dx + s * dz) / piece.size, b = (-s * dx + c * dz) / piece.size;
    switch (piece.kind) {
      case Piece::Pebble: {
        const float r = std::hypot(a, b * 1.25f);
        // The shadow falls toward the viewer and to the left.
        const float shadow = 1.0f - smoothStep(0.7f, 1.25f, std::hypot(a + 0.25f * c, (b - 0.25f * s) * 1.25f));
        paintOver(colour, hexColor(0x5A4A34), 0.45f * shadow);
        if (r >= 1.0f) return;
        const float nx = a / std::sqrt(std::fmax(1e-3f, 1.0f - r * r)) * 0.8f;
        const float nz = b / std::sqrt(std::fmax(1e-3f, 1.0f - r * r)) * 0.8f;
        const Rgba stones[4] = {hexColor(0x8C8478), hexColor(0xB89A6A), hexColor(0x6A5E54), hexColor(0xC8BCA8)};
        const Rgba stone = stones[static_cast<int>(piece.shade * 3.99f)];
        paintOver(colour, scaleColor(stone, 0.55f + 0.6f * light(nx, nz)), 1.0f - smoothStep(0.85f, 1.0f, r));
        return;
      }
      case Piece::Shell: {
        // A scallop: a fan of ribs, pale, its hinge at a = -1.
        const float r = std::hypot(a + 1.0f, b);
        const float angle = std::atan2(b, a + 1.0f);
        const float inside = (1.0f - smoothStep(1.5f, 1.65f, r)) * (1.0f - smoothStep(0.85f, 1.0f, std::fabs(angle)));
        if (inside <= 0.0f) return;
        const float ribs = 0.82f + 0.18f * std::cos(angle * 22.0f);
        const Rgba shell = mixColor(hexColor(0xFFF4E8), hexColor(0xF2B8A8), piece.shade);
        paintOver(colour, hexColor(0x6A5A40), 0.3f * inside);
        paintOver(colour, scaleColor(shell, ribs * (0.85f + 0.15f * r / 1.6f)), inside);
        return;
      }
      case Piece::Rubble: {
        // A broken branch of coral: a pale rod with knobbly edges.
        const float half = 0.22f + 0.06f * std::sin(a * 9.0f + piece.shade * 6.0f);
        const float along = 1.0f - smoothStep(0.9f, 1.0f, std::fabs(a));
        const float inside = along * (1.0f - smoothStep(half * 0.8f, half, std::fabs(b)));
        paintOver(colour, hexColor(0x6A5A40),
                  0.35f * along * (1.0f - smoothStep(half, half + 0.25f, std::fabs(b + 0.12f))));
        if (inside <= 0.0f) return;
        const Rgba bone = mixColor(hexColor(0xF4EEDC), hexColor(0xE8C8B8), piece.shade);
        paintOver(colour, scaleColor(bone, 0.8f + 0.25f * (b / half)), inside);
        return;
      }
      case Piece::Algae: {
        // A ragged film of turf over the sand, thicker in its middle.
        const float angle = std::atan2(b, a);
        const float ragged = 1.0f + 0.18f * std::sin(angle * 3.0f + piece.shade * 9.0f) +
                             0.1f * std::sin(angle * 7.0f + piece.shade * 4.0f);
        const float r = std::hypot(a, b) * ragged;
        const float inside = 1.0f - smoothStep(0.4f, 1.0f, r);
        const float speckle = 0.5f + 0.5f * std::sin(a * 23.0f) * std::sin(b * 19.0f);
        const Rgba turf = mixColor(hexColor(0x7A8A3A), hexColor(0x9A6A3A), piece.shade);
        paintOver(colour, scaleColor(turf, 0.8f + 0.25f * speckle), 0.6f * inside);
        return;
      }
      case Piece::Grass: {
        // A tuft of blades fanning out from its root, seen from above.
        const float r = std::hypot(a, b);
        if (r > 1.0f) return;
        const float angle = std::atan2(b, a);
        const float blades = std::fabs(std::sin(angle * 7.0f + 2.0f * r + piece.shade * 5.0f));
        const float blade = (1.0f - smoothStep(0.12f, 0.3f, blades)) * (1.0f - smoothStep(0.7f, 1.0f, r));
        const Rgba green = mixColor(hexColor(0x3C7A2A), hexColor(0x7AA03A), r);
        paintOver(colour, hexColor(0x4A4A2A), 0.25f * (1.0f - smoothStep(0.2f, 0.9f, r)));
        paintOver(colour, green, blade);
        return;
      }
    }
  }

  float width_, depth_;
  TileNoise ripples_, patches_;
  std::vector<Piece> pieces_;
};

}  // namespace

Image floorDetail(float repeat) {
  const DetailPainter painter(FloorWidth / repeat, FloorDepth / repeat, 1501);
  Image image(DetailSize, DetailSize);
  image.paint([&](float u, float v) { return painter.at(u, v); });
  return image;
}
