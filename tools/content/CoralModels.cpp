#include "CoralModels.h"

#include "Noise.h"
#include "Random.h"

#include <cmath>
#include <vector>

namespace {

constexpr float TwoPi = 6.2831853f;

// Builds tubes along polylines; texture s runs around the tube, t from the top (0) down.
class CoralBuilder {
 public:
  CoralBuilder(float height) : height_(height) {}

  Mesh& mesh() { return model_.mesh; }

  void tube(const std::vector<Vec3>& points, const std::vector<float>& radii, int sides, bool roundTip) {
    std::vector<std::vector<int>> rings;
    for (size_t i = 0; i < points.size(); ++i) {
      Vec3 along = normalized(i + 1 < points.size() ? points[i + 1] - points[i] : points[i] - points[i - 1]);
      Vec3 side = normalized(std::fabs(along.z) < 0.95f ? cross(along, Vec3{0, 0, 1}) : cross(along, Vec3{1, 0, 0}));
      Vec3 other = cross(along, side);
      std::vector<int> ring;
      for (int j = 0; j <= sides; ++j) {
        float angle = TwoPi * j / sides;
        Vec3 p = points[i] + (side * std::cos(angle) + other * std::sin(angle)) * radii[i];
        ring.push_back(mesh().addVertex(p, Vec2{static_cast<float>(j) / sides, tOf(p.z)}));
      }
      rings.push_back(ring);
    }
    for (size_t i = 0; i + 1 < rings.size(); ++i) mesh().addStrip(rings[i], rings[i + 1]);
    Vec3 last = points.back();
    Vec3 dir = normalized(points.back() - points[points.size() - 2]);
    Vec3 tip = roundTip ? last + dir * radii.back() : last;
    int tipIndex = mesh().addVertex(tip, Vec2{0.5f, tOf(tip.z)});
    for (int j = 0; j < sides; ++j) mesh().addTriangle(rings.back()[j], rings.back()[j + 1], tipIndex);
  }

  // A low-poly ball (blob, polyp head).
  void ball(const Vec3& centre, float radius, int slices) {
    std::vector<std::vector<int>> rows;
    for (int i = 0; i <= slices / 2; ++i) {
      float lat = -1.5708f + 3.14159f * i / (slices / 2);
      std::vector<int> row;
      for (int j = 0; j <= slices; ++j) {
        float lon = TwoPi * j / slices;
        Vec3 p = centre + Vec3{std::cos(lat) * std::cos(lon), std::cos(lat) * std::sin(lon), std::sin(lat)} * radius;
        row.push_back(mesh().addVertex(p, Vec2{static_cast<float>(j) / slices, tOf(p.z)}));
      }
      rows.push_back(row);
    }
    for (size_t i = 0; i + 1 < rows.size(); ++i) mesh().addStrip(rows[i], rows[i + 1]);
  }

  // Sway of the whole coral: displacement grows with the square of the height.
  void sway(int frames, float amplitude, float across, float waveLength) {
    const std::vector<Vec3>& base = mesh().positions();
    for (int f = 0; f < frames; ++f) {
      float phase = TwoPi * f / frames;
      std::vector<Vec3> frame = base;
      for (Vec3& p : frame) {
        float k = std::fmax(0.0f, p.z / height_);
        float lag = (p.x + p.y) / waveLength;
        p.x += amplitude * k * k * std::sin(phase - lag);
        p.y += across * k * k * std::sin(phase - lag + 1.3f);
      }
      model_.frames.push_back(frame);
    }
  }

  AnimatedModel take() { return std::move(model_); }

  float tOf(float z) const { return clamp01(1.0f - z / height_); }

 private:
  float height_;
  AnimatedModel model_;
};

// A branch that forks `depth` more times; points bend gently upward.
void growBranch(CoralBuilder& builder, Random& random, Vec3 start, Vec3 direction, float length, float radius,
                int depth, int sides, float spread, float tipBall) {
  std::vector<Vec3> points{start};
  std::vector<float> radii{radius};
  const int segments = 3;
  Vec3 p = start;
  Vec3 dir = direction;
  for (int i = 1; i <= segments; ++i) {
    dir = normalized(
        dir + Vec3{static_cast<float>(random.gauss()) * 0.08f, static_cast<float>(random.gauss()) * 0.08f, 0.12f});
    p = p + dir * (length / segments);
    points.push_back(p);
    radii.push_back(radius * (1.0f - 0.25f * i / segments));
  }
  bool last = depth == 0;
  builder.tube(points, radii, sides, last);
  if (last) {
    if (tipBall > 0.0f) builder.ball(p, radii.back() * tipBall, 6);
    return;
  }
  int forks = 2 + (random.unit() < 0.35 ? 1 : 0);
  for (int k = 0; k < forks; ++k) {
    float turn = TwoPi * (k + static_cast<float>(random.unit()) * 0.5f) / forks;
    Vec3 side = normalized(std::fabs(dir.z) < 0.95f ? cross(dir, Vec3{0, 0, 1}) : cross(dir, Vec3{1, 0, 0}));
    Vec3 sideways = rotateAbout(side, dir, turn);
    Vec3 next = normalized(dir + sideways * spread);
    growBranch(builder, random, p, next, length * static_cast<float>(random.range(0.65, 0.85)), radii.back() * 0.8f,
               depth - 1, sides, spread, tipBall);
  }
}

AnimatedModel staghorn(int frames) {
  const float height = 1.25f;
  CoralBuilder builder(height);
  Random random(11);
  for (int trunk = 0; trunk < 4; ++trunk) {
    float angle = TwoPi * trunk / 4 + 0.4f;
    Vec3 dir = normalized(Vec3{0.45f * std::cos(angle), 0.45f * std::sin(angle), 1.0f});
    growBranch(builder, random, Vec3{0.08f * std::cos(angle), 0.08f * std::sin(angle), -0.05f}, dir, 0.42f, 0.065f, 3,
               6, 0.7f, 0.0f);
  }
  builder.sway(frames, 0.038f, 0.025f, 0.8f);
  return builder.take();
}

// A fan: a curved membrane in the x-z plane on a short stem; texture is a planar net.
AnimatedModel seaFan(int frames) {
  const float height = 24.0f, width = 26.0f;
  CoralBuilder builder(height);
  Mesh& mesh = builder.mesh();
  TileNoise edge(4, 2, 21);
  const int columns = 16, rows = 10;
  std::vector<std::vector<int>> grid;
  for (int i = 0; i <= rows; ++i) {
    float r = static_cast<float>(i) / rows;
    std::vector<int> row;
    for (int j = 0; j <= columns; ++j) {
      float a = -1.0f + 2.0f * j / columns;
      float angle = a * 1.25f;
      float rim = 1.0f - 0.12f * edge.fractal(static_cast<float>(j) / columns, 0.3f);
      float reach = (2.0f + r * (height - 2.0f)) * rim;
      float x = std::sin(angle) * reach * width / height;
      float z = 2.0f + std::cos(angle) * reach * 0.95f - 1.5f;
      float y = 0.9f * std::sin(r * 3.0f + a * 2.0f) * r;  // gentle ripple of the blade
      row.push_back(
          mesh.addVertex(Vec3{x, y, std::fmax(z, 0.8f)}, Vec2{0.5f + x / (2.2f * width), clamp01(1.0f - z / height)}));
    }
    grid.push_back(row);
  }
  for (int i = 0; i < rows; ++i) mesh.addStrip(grid[i], grid[i + 1]);
  builder.tube({Vec3{0, 0, 0}, Vec3{0, 0, 1.2f}, Vec3{0, 0, 2.4f}}, {0.9f, 0.75f, 0.6f}, 6, false);
  builder.sway(frames, 0.25f, 1.3f, 30.0f);
  return builder.take();
}

AnimatedModel purpleBush(int frames) {
  const float height = 27.0f;
  CoralBuilder builder(height);
  Random random(33);
  for (int trunk = 0; trunk < 5; ++trunk) {
    float angle = TwoPi * trunk / 5 + 0.2f;
    Vec3 dir = normalized(Vec3{0.35f * std::cos(angle), 0.35f * std::sin(angle), 1.0f});
    growBranch(builder, random, Vec3{std::cos(angle), std::sin(angle), 0.0f}, dir, 10.0f, 1.0f, 2, 5, 0.8f, 2.2f);
  }
  builder.sway(frames, 1.0f, 0.7f, 15.0f);
  return builder.take();
}

// Table coral: a short trunk carrying two dished plates with wavy rims.
AnimatedModel tableCoral(int frames) {
  const float height = 12.0f;
  CoralBuilder builder(height);
  Mesh& mesh = builder.mesh();
  builder.tube({Vec3{0, 0, 0}, Vec3{0.3f, 0, 4.0f}, Vec3{0.5f, 0.2f, 8.0f}, Vec3{0.4f, 0.3f, 10.5f}},
               {2.0f, 1.5f, 1.2f, 1.1f}, 8, false);
  TileNoise rim(4, 2, 44);
  struct Plate {
    Vec3 centre;
    float radius;
  };
  for (const Plate& plate : {Plate{Vec3{0.4f, 0.3f, 10.2f}, 13.0f}, Plate{Vec3{-2.0f, 2.5f, 7.0f}, 7.0f}}) {
    const int rings = 6, sectors = 24;
    for (float face : {1.0f, -1.0f}) {
      std::vector<std::vector<int>> grid;
      for (int i = 0; i <= rings; ++i) {
        float r = plate.radius * i / rings;
        std::vector<int> row;
        for (int j = 0; j <= sectors; ++j) {
          float angle = TwoPi * j / sectors;
          float wobble = 1.0f + 0.15f * (rim.fractal(static_cast<float>(j) / sectors, 0.5f) - 0.5f);
          float x = plate.centre.x + r * wobble * std::cos(angle);
          float y = plate.centre.y + r * wobble * std::sin(angle);
          float dish = 0.018f * r * r / plate.radius * 4.0f;
          float thickness = (0.5f + 0.6f * (1.0f - static_cast<float>(i) / rings)) * face;
          float z = plate.centre.z + dish + thickness;
          // Planar texture across the plate: radial growth lines.
          row.push_back(mesh.addVertex(Vec3{x, y, z}, Vec2{0.5f + 0.45f * (x - plate.centre.x) / plate.radius,
                                                           0.5f + 0.45f * (y - plate.centre.y) / plate.radius}));
        }
        grid.push_back(row);
      }
      for (int i = 0; i < rings; ++i) {
        if (face > 0) {
          mesh.addStrip(grid[i], grid[i + 1]);
        } else {
          mesh.addStrip(grid[i + 1], grid[i]);
        }
      }
    }
  }
  builder.sway(frames, 0.3f, 0.2f, 40.0f);
  return builder.take();
}

// Soft coral: fleshy stalks with clusters of polyp heads that sway.
AnimatedModel softCoral(int frames) {
  const float height = 0.9f;
  CoralBuilder builder(height);
  Random random(55);
  for (int stalk = 0; stalk < 6; ++stalk) {
    float angle = TwoPi * stalk / 6 + static_cast<float>(random.range(-0.3, 0.3));
    float lean = static_cast<float>(random.range(0.2, 0.45));
    float top = static_cast<float>(random.range(0.5, 0.72));
    std::vector<Vec3> points;
    std::vector<float> radii;
    for (int i = 0; i <= 4; ++i) {
      float k = i / 4.0f;
      points.push_back(
          Vec3{std::cos(angle) * (0.05f + lean * k * top), std::sin(angle) * (0.05f + lean * k * top), k * top});
      radii.push_back(0.07f * (1.0f - 0.4f * k));
    }
    builder.tube(points, radii, 6, true);
    Vec3 crown = points.back();
    for (int blob = 0; blob < 7; ++blob) {
      Vec3 offset{static_cast<float>(random.gauss()) * 0.07f, static_cast<float>(random.gauss()) * 0.07f,
                  static_cast<float>(random.range(0.0, 0.12))};
      builder.ball(crown + offset, static_cast<float>(random.range(0.045, 0.075)), 6);
    }
  }
  builder.sway(frames, 0.06f, 0.04f, 0.7f);
  return builder.take();
}

// The shape of a massive coral: a dome, its rim bulged into lobes, with lumps over the surface.
struct DomeShape {
  float radius, height;
  float lumpiness;
  int lobes;
  float lobeDepth;
  uint64_t seed;
};

// A dome textured by a planar map from above (brain corals). Hard corals sway only a little: the
// crown leans with the swell while the rim stays on the floor.
AnimatedModel dome(int frames, const DomeShape& shape, float lean) {
  CoralBuilder builder(shape.height);
  Mesh& mesh = builder.mesh();
  TileNoise lumps(4, 3, shape.seed);
  const int rings = 10, sectors = 30;
  std::vector<std::vector<int>> grid;
  for (int i = 0; i <= rings; ++i) {
    float lat = 1.5708f * (1.0f - static_cast<float>(i) / rings);  // from the top down to the rim
    std::vector<int> row;
    for (int j = 0; j <= sectors; ++j) {
      float lon = TwoPi * j / sectors;
      float n = lumps.fractal(static_cast<float>(j) / sectors, static_cast<float>(i) / rings * 0.5f);
      float bump = 1.0f + shape.lumpiness * (n - 0.5f) * (i == 0 ? 0.0f : 1.0f);
      float lobe = 1.0f + shape.lobeDepth * std::cos(shape.lobes * lon) * std::cos(lat);
      float r = shape.radius * std::cos(lat) * bump * lobe;
      float z = shape.height * std::sin(lat) * bump - 0.04f * shape.height;
      float x = r * std::cos(lon), y = r * std::sin(lon);
      row.push_back(
          mesh.addVertex(Vec3{x, y, z}, Vec2{0.5f + 0.4f * x / shape.radius, 0.5f + 0.4f * y / shape.radius}));
    }
    grid.push_back(row);
  }
  for (int i = 0; i < rings; ++i) mesh.addStrip(grid[i], grid[i + 1]);
  builder.sway(frames, lean, 0.7f * lean, 1.5f * shape.radius);
  return builder.take();
}

AnimatedModel seaWhips(int frames) {
  const float height = 1.3f;
  CoralBuilder builder(height);
  Random random(77);
  for (int whip = 0; whip < 9; ++whip) {
    float angle = TwoPi * whip / 9 + static_cast<float>(random.range(-0.2, 0.2));
    float lean = static_cast<float>(random.range(0.15, 0.5));
    float top = static_cast<float>(random.range(0.8, 1.25));
    float bend = static_cast<float>(random.range(-0.3, 0.3));
    std::vector<Vec3> points;
    std::vector<float> radii;
    for (int i = 0; i <= 7; ++i) {
      float k = i / 7.0f;
      float outward = lean * k * k * top;
      points.push_back(Vec3{std::cos(angle + bend * k) * (0.04f + outward),
                            std::sin(angle + bend * k) * (0.04f + outward), k * top});
      radii.push_back(0.035f * (1.0f - 0.6f * k));
    }
    builder.tube(points, radii, 5, true);
  }
  builder.sway(frames, 0.08f, 0.06f, 0.9f);
  return builder.take();
}

}  // namespace

AnimatedModel buildCoralModel(char letter, int frames) {
  switch (letter) {
    case 'a':
      return staghorn(frames);
    case 'b':
      return seaFan(frames);
    case 'c':
      return purpleBush(frames);
    case 'd':
      return tableCoral(frames);
    case 'f':
      return softCoral(frames);
    case 'g':
      return dome(frames, DomeShape{0.55f, 0.5f, 0.18f, 0, 0.0f, 66}, 0.02f);
    case 'h':
      // A broad boulder brain of a few merged lobes; the scene halves its height.
      return dome(frames, DomeShape{1.15f, 1.1f, 0.12f, 5, 0.1f, 88}, 0.03f);
    default:
      return seaWhips(frames);
  }
}
