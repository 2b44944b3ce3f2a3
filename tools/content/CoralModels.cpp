#include "CoralModels.h"

#include "CoralPlaces.h"
#include "Noise.h"
#include "Random.h"

#include <algorithm>
#include <cmath>
#include <numeric>
#include <vector>

// Contents: the colony builder (tubes, balls, sway), the heads of each kind, the colonies laid
// out in scene units, and the step from the layout to the model file (scale and turns taken out,
// triangles far to near).

namespace {

constexpr float TwoPi = 6.2831853f;
// Bases sink a little into the sand, so no gap shows under them as the floor ripples; the stems of
// a kind placed again elsewhere reach deeper, where the floor there lies a little lower.
constexpr float Sink = 0.08f;
constexpr float DeepRoot = 0.15f;

// Two colour variants side by side in a skin: heads of a colony wear one or the other. Each half
// leaves a texel of margin at its edges, so filtering never reaches into the other half.
struct SkinHalf {
  float s0, s1;
};
constexpr float HalfMargin = 1.0f / 128.0f;
SkinHalf skinHalf(int variant) {
  const float start = 0.5f * (variant & 1);
  return SkinHalf{start + HalfMargin, start + 0.5f - HalfMargin};
}

// Builds in layout axes: x to the right, y away from the viewer, z up, in scene units.
class CoralBuilder {
 public:
  Mesh& mesh() { return model_.mesh; }

  // The heads that follow stand at this height: they sway by their height above it.
  void standOn(float footZ) { footZ_ = footZ; }
  int vertex(const Vec3& p, const Vec2& uv) {
    feet_.push_back(footZ_);
    return mesh().addVertex(p, uv);
  }

  // A tube along a polyline; s runs around it within `half`, t is given per point (0 at the tips
  // of the colour gradient, 1 at the base).
  void tube(const std::vector<Vec3>& points, const std::vector<float>& radii, const std::vector<float>& ts, int sides,
            bool roundTip, const SkinHalf& half) {
    std::vector<std::vector<int>> rings;
    Vec3 side{};
    for (size_t i = 0; i < points.size(); ++i) {
      Vec3 along = normalized(i + 1 < points.size() ? points[i + 1] - points[i] : points[i] - points[i - 1]);
      // Each ring takes the one before it on, turned only as far as the tube bends: a ring of its
      // own choosing can twist the segment into a waist or fold it over itself.
      const Vec3 carried = side - along * dot(side, along);
      side = i > 0 && length(carried) > 0.1f
                 ? normalized(carried)
                 : normalized(std::fabs(along.z) < 0.95f ? cross(along, Vec3{0, 0, 1}) : cross(along, Vec3{1, 0, 0}));
      Vec3 other = cross(along, side);
      std::vector<int> ring;
      for (int j = 0; j <= sides; ++j) {
        float angle = TwoPi * j / sides;
        Vec3 p = points[i] + (side * std::cos(angle) + other * std::sin(angle)) * radii[i];
        ring.push_back(vertex(p, Vec2{half.s0 + (half.s1 - half.s0) * j / sides, clamp01(ts[i])}));
      }
      rings.push_back(ring);
    }
    // Rings run counter-clockwise about the tube's direction, so strips and tip face outward.
    for (size_t i = 0; i + 1 < rings.size(); ++i) mesh().addStrip(rings[i], rings[i + 1]);
    Vec3 last = points.back();
    Vec3 dir = normalized(points.back() - points[points.size() - 2]);
    Vec3 tip = roundTip ? last + dir * radii.back() : last;
    int tipIndex = vertex(tip, Vec2{0.5f * (half.s0 + half.s1), clamp01(ts.back())});
    for (int j = 0; j < sides; ++j) mesh().addTriangle(rings.back()[j], rings.back()[j + 1], tipIndex);
  }

  // A low ball (blob, polyp head) of one colour row t.
  void ball(const Vec3& centre, float radius, int slices, float t, const SkinHalf& half) {
    std::vector<std::vector<int>> rows;
    for (int i = 0; i <= slices / 2; ++i) {
      float lat = -1.5708f + 3.14159f * i / (slices / 2);
      std::vector<int> row;
      for (int j = 0; j <= slices; ++j) {
        float lon = TwoPi * j / slices;
        Vec3 p = centre + Vec3{std::cos(lat) * std::cos(lon), std::cos(lat) * std::sin(lon), std::sin(lat)} * radius;
        row.push_back(vertex(p, Vec2{half.s0 + (half.s1 - half.s0) * j / slices, clamp01(t)}));
      }
      rows.push_back(row);
    }
    const int first = mesh().triangleCount();
    for (size_t i = 0; i + 1 < rows.size(); ++i) mesh().addStrip(rows[i], rows[i + 1]);
    mesh().faceAwayFrom(first, centre);
  }

  // Sway of the whole colony with the swell: displacement grows with the square of the height
  // over `height`, and travels across the colony over `waveLength`. Whole cycles per loop.
  void sway(int frames, float height, float amplitude, float across, float waveLength) {
    const std::vector<Vec3>& base = mesh().positions();
    for (int f = 0; f < frames; ++f) {
      float phase = TwoPi * f / frames;
      std::vector<Vec3> frame = base;
      for (size_t v = 0; v < frame.size(); ++v) {
        Vec3& p = frame[v];
        float k = std::fmax(0.0f, (p.z - feet_[v]) / height);
        float lag = (p.x + p.y) / waveLength;
        p.x += amplitude * k * k * std::sin(phase - lag);
        p.y += across * k * k * std::sin(phase - lag + 1.3f);
      }
      model_.frames.push_back(frame);
    }
  }

  AnimatedModel take() { return std::move(model_); }

 private:
  AnimatedModel model_;
  std::vector<float> feet_;  // per vertex: the height its head stands at
  float footZ_ = 0.0f;
};

// Head positions spread over an ellipse of half-axes (rx, ry) around `middle`, no two closer than
// `spacing`. A colony need not stand around its place: where placed corals crowd, they stand
// apart so that the front one does not hide the other.
std::vector<Vec3> scatter(Random& random, int count, float rx, float ry, float spacing, const Vec3& middle = {}) {
  std::vector<Vec3> spots;
  for (int attempt = 0; attempt < 4000 && static_cast<int>(spots.size()) < count; ++attempt) {
    float a = static_cast<float>(random.range(0.0, TwoPi));
    float r = std::sqrt(static_cast<float>(random.unit()));
    Vec3 p = middle + Vec3{rx * r * std::cos(a), ry * r * std::sin(a), 0.0f};
    bool free = std::all_of(spots.begin(), spots.end(), [&](const Vec3& q) { return length(p - q) >= spacing; });
    if (free) spots.push_back(p);
  }
  return spots;
}

// Where a colony's heads stand, in layout units from its first place: each head's foot goes down
// to the floor under it, a little deeper where the floor slopes so that no side of it shows a gap.
// A kind placed again elsewhere stands there on a floor shaped alike around each place, and its
// feet reach deeper, so that what differs stays hidden.
class Seats {
 public:
  // `layoutToPlace` maps layout points (in scene axes) to offsets from the place in the scene.
  Seats(const FloorHeight& floor, const CoralPlacement& place, const Mat3& layoutToPlace, float root)
      : floor_(floor), place_(place), toPlace_(layoutToPlace), root_(root) {}

  // The foot of a head at `spot` whose base reaches `reach` around it.
  Vec3 foot(const Vec3& spot, float reach) const {
    const Vec3 at = toPlace_.apply(Vec3{spot.x, 0.0f, spot.y});
    const float x = place_.position.x + at.x, z = place_.position.z + at.z;
    float lowest = floor_(x, z);
    for (const float ring : {0.5f, 1.0f}) {
      for (int k = 0; k < 16; ++k) {
        const float angle = TwoPi * k / 16;
        lowest = std::fmin(lowest, floor_(x + ring * reach * std::cos(angle), z + ring * reach * std::sin(angle)));
      }
    }
    // The height in the layout that lands there.
    const float up = toPlace_.m[1][1];
    return Vec3{spot.x, spot.y, (lowest - Sink - place_.position.y - at.y) / up};
  }
  // How far stems and trunks reach below their foot.
  float root() const { return root_; }

 private:
  FloorHeight floor_;
  CoralPlacement place_;
  Mat3 toPlace_;
  float root_;
};

struct Branching {
  int trunks;
  float length;  // of a trunk; each fork a little shorter
  float radius;  // at a trunk's foot
  int depth;     // forks above the trunk
  float spread;  // how far forks lean away from their parent
  float club;    // tip radius over the radius the branch would taper to
  float lean;    // of the trunks away from the head's middle
};

// A branch that forks `level` more times; points bend gently upward. t runs from 1 at the foot of
// the trunk to 0 at the tips.
void growBranch(CoralBuilder& builder, Random& random, const Branching& kind, const SkinHalf& half, Vec3 start,
                Vec3 direction, float length, float radius, int level) {
  const int levels = kind.depth + 1;
  const int done = kind.depth - level;
  // Trunks bend on the way up; forks are short enough to stay straight.
  const int segments = done == 0 ? 2 : 1;
  std::vector<Vec3> points{start};
  std::vector<float> radii{radius};
  std::vector<float> ts{1.0f - static_cast<float>(done) / levels};
  Vec3 p = start;
  Vec3 dir = direction;
  for (int i = 1; i <= segments; ++i) {
    dir = normalized(
        dir + Vec3{static_cast<float>(random.gauss()) * 0.08f, static_cast<float>(random.gauss()) * 0.08f, 0.12f});
    p = p + dir * (length / segments);
    points.push_back(p);
    radii.push_back(radius * (1.0f - 0.25f * i / segments));
    ts.push_back(1.0f - (done + static_cast<float>(i) / segments) / levels);
  }
  const bool last = level == 0;
  // Bushes end in clubs: their tips swell instead of thinning.
  if (last) radii.back() *= kind.club;
  builder.tube(points, radii, ts, done == 0 ? 4 : 3, last, half);
  if (last) return;
  int forks = 2 + (random.unit() < 0.35 ? 1 : 0);
  for (int k = 0; k < forks; ++k) {
    float turn = TwoPi * (k + static_cast<float>(random.unit()) * 0.5f) / forks;
    Vec3 side = normalized(std::fabs(dir.z) < 0.95f ? cross(dir, Vec3{0, 0, 1}) : cross(dir, Vec3{1, 0, 0}));
    Vec3 sideways = rotateAbout(side, dir, turn);
    Vec3 next = normalized(dir + sideways * kind.spread);
    growBranch(builder, random, kind, half, p, next, length * static_cast<float>(random.range(0.65, 0.85)),
               radii.back() * 0.8f, level - 1);
  }
}

// One branching head at `foot`, `size` times the kind's own.
void branchingHead(CoralBuilder& builder, Random& random, const Branching& kind, const Vec3& foot, float size,
                   const SkinHalf& half) {
  builder.standOn(foot.z);
  const float start = static_cast<float>(random.range(0.0, TwoPi));
  for (int trunk = 0; trunk < kind.trunks; ++trunk) {
    float angle = start + TwoPi * trunk / kind.trunks;
    Vec3 out{std::cos(angle), std::sin(angle), 0.0f};
    Vec3 dir = normalized(out * kind.lean + Vec3{0, 0, 1});
    growBranch(builder, random, kind, half, foot + out * (kind.radius * size), dir, kind.length * size,
               kind.radius * size, kind.depth);
  }
}

// Orange staghorn: antler thickets over a low mound of rubble.
AnimatedModel staghornColony(int frames, const Seats& seats) {
  CoralBuilder builder;
  Random random(11);
  const Branching staghorn{3, 0.5f, 0.085f, 2, 0.75f, 1.0f, 0.55f};
  const std::vector<Vec3> feet = scatter(random, 6, 2.1f, 1.3f, 1.2f, Vec3{0.0f, 0.2f, 0.0f});
  for (size_t i = 0; i < feet.size(); ++i) {
    const float size = static_cast<float>(random.range(1.0, 1.45));
    branchingHead(builder, random, staghorn, seats.foot(feet[i], 2.0f * staghorn.radius * size), size,
                  skinHalf(static_cast<int>(i)));
  }
  builder.sway(frames, 1.6f, 0.035f, 0.025f, 0.8f);
  return builder.take();
}

// A fan: a curved membrane on a short stem, standing across `facing` (radians about the vertical);
// the skin's net lies flat across it.
void fan(CoralBuilder& builder, const TileNoise& edge, const Vec3& foot, float root, float height, float width,
         float facing, const SkinHalf& half) {
  builder.standOn(foot.z);
  Mesh& mesh = builder.mesh();
  const int columns = 8, rows = 5;
  const Vec3 across{std::cos(facing), std::sin(facing), 0.0f};
  const Vec3 through{-std::sin(facing), std::cos(facing), 0.0f};
  const float stem = 0.04f * height;
  std::vector<std::vector<int>> grid;
  for (int i = 0; i <= rows; ++i) {
    float r = static_cast<float>(i) / rows;
    std::vector<int> row;
    for (int j = 0; j <= columns; ++j) {
      float a = -1.0f + 2.0f * j / columns;
      float angle = a * 1.2f;
      float rim = 1.0f - 0.08f * edge.fractal(static_cast<float>(j) / columns, foot.x * 0.1f + 0.3f);
      float reach = (0.08f + r * 0.92f) * rim;
      float x = std::sin(angle) * reach * width * 0.5f;
      float z = stem + std::cos(angle) * reach * (height - stem);
      float bow = 0.03f * height * std::sin(r * 3.0f + a * 2.0f) * r;  // gentle ripple of the blade
      Vec3 p = foot + across * x + through * bow + Vec3{0, 0, std::fmax(z, stem * 0.8f)};
      float s = half.s0 + (half.s1 - half.s0) * clamp01(0.5f + x / width);
      row.push_back(builder.vertex(p, Vec2{s, clamp01(1.0f - z / height)}));
    }
    grid.push_back(row);
  }
  for (int i = 0; i < rows; ++i) mesh.addStrip(grid[i], grid[i + 1]);
  const float t = 1.0f - stem / height;
  builder.tube({foot - Vec3{0, 0, root}, foot + Vec3{0, 0, stem * 0.6f}, foot + Vec3{0, 0, stem * 1.2f}},
               {0.035f * height, 0.03f * height, 0.025f * height}, {1.0f, t, t}, 4, false, half);
}

// Red and pink fans in a row across the layout's x axis. The scene leans this colony at every
// place differently; along that axis its feet stay on the floor whichever way it leans.
AnimatedModel fanColony(int frames, const Seats& seats) {
  CoralBuilder builder;
  Random random(21);
  TileNoise edge(4, 2, 21);
  const int fans = 6;
  float x = -2.4f;
  for (int i = 0; i < fans; ++i) {
    const float height = static_cast<float>(random.range(1.1, 1.9));
    const float width = height * static_cast<float>(random.range(1.1, 1.4));
    const float facing = static_cast<float>(random.range(-0.35, 0.35));
    fan(builder, edge, seats.foot(Vec3{x, 0.0f, 0.0f}, 0.05f * height), seats.root(), height, width, facing,
        skinHalf(i));
    x += static_cast<float>(random.range(0.75, 1.0));
  }
  builder.sway(frames, 1.8f, 0.07f, 0.11f, 3.0f);
  return builder.take();
}

// Purple bushes: thick branches ending in knobs.
AnimatedModel bushColony(int frames, const Seats& seats) {
  CoralBuilder builder;
  Random random(33);
  const Branching bush{3, 0.5f, 0.085f, 2, 0.8f, 1.8f, 0.35f};
  const std::vector<Vec3> feet = scatter(random, 5, 2.2f, 1.5f, 1.3f, Vec3{0.0f, -0.7f, 0.0f});
  for (size_t i = 0; i < feet.size(); ++i) {
    const float size = static_cast<float>(random.range(0.8, 1.2));
    branchingHead(builder, random, bush, seats.foot(feet[i], 2.0f * bush.radius * size), size,
                  skinHalf(static_cast<int>(i)));
  }
  builder.sway(frames, 1.5f, 0.06f, 0.04f, 1.5f);
  return builder.take();
}

// A table: a short trunk carrying a dished plate with a wavy rim; planar texture across the plate
// (radial growth lines), one half of the skin for each variant.
void table(CoralBuilder& builder, const TileNoise& rim, const Vec3& foot, float root, float radius, float height,
           const SkinHalf& half) {
  builder.standOn(foot.z);
  Mesh& mesh = builder.mesh();
  const Vec3 centre = foot + Vec3{0.05f * radius, 0.03f * radius, height};
  builder.tube({foot - Vec3{0, 0, root}, foot + Vec3{0.02f, 0, 0.5f * height}, centre},
               {0.22f * radius, 0.16f * radius, 0.14f * radius}, {0.8f, 0.8f, 0.8f}, 5, false,
               SkinHalf{0.5f * (half.s0 + half.s1) - 0.05f, 0.5f * (half.s0 + half.s1)});
  const int rings = 3, sectors = 12;
  const float seed = foot.x + foot.y;
  for (float face : {1.0f, -1.0f}) {
    std::vector<std::vector<int>> grid;
    for (int i = 0; i <= rings; ++i) {
      float r = radius * i / rings;
      std::vector<int> row;
      for (int j = 0; j <= sectors; ++j) {
        float angle = TwoPi * j / sectors;
        float wobble = 1.0f + 0.15f * (rim.fractal(static_cast<float>(j) / sectors, 0.5f + 0.1f * seed) - 0.5f);
        float x = centre.x + r * wobble * std::cos(angle);
        float y = centre.y + r * wobble * std::sin(angle);
        float dish = 0.12f * r * r / radius;
        float thickness = 0.04f * radius * (0.5f + 0.6f * (1.0f - static_cast<float>(i) / rings)) * face;
        float s = half.s0 + (half.s1 - half.s0) * (0.5f + 0.45f * (x - centre.x) / radius);
        row.push_back(builder.vertex(Vec3{x, y, centre.z + dish + thickness},
                                     Vec2{clamp01(s), clamp01(0.5f + 0.45f * (y - centre.y) / radius)}));
      }
      grid.push_back(row);
    }
    const int first = mesh.triangleCount();
    for (int i = 0; i < rings; ++i) mesh.addStrip(grid[i], grid[i + 1]);
    // The upper face looks up, the lower one down.
    mesh.faceAwayFrom(first, centre - Vec3{0.0f, 0.0f, 1000.0f * face});
  }
}

// Tiers of yellow-green tables, the larger ones higher.
AnimatedModel tableColony(int frames, const Seats& seats) {
  CoralBuilder builder;
  Random random(44);
  TileNoise rim(4, 2, 44);
  const std::vector<Vec3> feet = scatter(random, 6, 1.8f, 1.3f, 1.0f, Vec3{0.4f, 0.2f, 0.0f});
  for (size_t i = 0; i < feet.size(); ++i) {
    const float radius = static_cast<float>(random.range(0.5, 0.9));
    table(builder, rim, seats.foot(feet[i], 0.22f * radius), seats.root(), radius, 0.25f + 0.55f * radius,
          skinHalf(static_cast<int>(i)));
  }
  builder.sway(frames, 0.9f, 0.025f, 0.018f, 2.0f);
  return builder.take();
}

// Pink soft corals: clumps of fleshy stalks crowned with polyp heads.
AnimatedModel softColony(int frames, const Seats& seats) {
  CoralBuilder builder;
  Random random(55);
  const std::vector<Vec3> feet = scatter(random, 5, 2.0f, 1.5f, 1.0f, Vec3{-2.0f, 2.2f, 0.0f});
  for (size_t c = 0; c < feet.size(); ++c) {
    const SkinHalf half = skinHalf(static_cast<int>(c));
    const float size = static_cast<float>(random.range(1.0, 1.5));
    const Vec3 foot = seats.foot(feet[c], 0.15f * size);
    builder.standOn(foot.z);
    for (int stalk = 0; stalk < 5; ++stalk) {
      float angle = TwoPi * stalk / 5 + static_cast<float>(random.range(-0.3, 0.3));
      float lean = static_cast<float>(random.range(0.2, 0.45));
      float top = size * static_cast<float>(random.range(0.5, 0.75));
      std::vector<Vec3> points;
      std::vector<float> radii, ts;
      for (int i = 0; i <= 3; ++i) {
        float k = i / 3.0f;
        points.push_back(foot + Vec3{std::cos(angle) * (0.06f + lean * k * top),
                                     std::sin(angle) * (0.06f + lean * k * top), k * top});
        radii.push_back(size * 0.08f * (1.0f - 0.4f * k));
        ts.push_back(1.0f - 0.6f * k);
      }
      builder.tube(points, radii, ts, 4, true, half);
      Vec3 crown = points.back();
      for (int blob = 0; blob < 2; ++blob) {
        Vec3 offset{static_cast<float>(random.gauss()) * 0.08f * size,
                    static_cast<float>(random.gauss()) * 0.08f * size,
                    static_cast<float>(random.range(0.0, 0.12)) * size};
        builder.ball(crown + offset, size * static_cast<float>(random.range(0.06, 0.09)), 4, 0.05f, half);
      }
    }
  }
  builder.sway(frames, 1.2f, 0.09f, 0.06f, 1.2f);
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

// A dome at `foot`; its skin lies on it from above, `span` scene units across the skin's width
// and centred on `origin` (its own foot, or the colony's middle for one picture over all).
void dome(CoralBuilder& builder, const DomeShape& shape, const Vec3& foot, const Vec3& origin, float span,
          const SkinHalf& half) {
  builder.standOn(foot.z);
  Mesh& mesh = builder.mesh();
  TileNoise lumps(4, 3, shape.seed);
  const int rings = 6, sectors = 16;
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
      float z = shape.height * std::sin(lat) * bump - 0.05f * shape.height;
      const Vec3 p = foot + Vec3{r * std::cos(lon), r * std::sin(lon), z};
      float s = half.s0 + (half.s1 - half.s0) * clamp01(0.5f + (p.x - origin.x) / span);
      row.push_back(builder.vertex(p, Vec2{s, clamp01(0.5f + (p.y - origin.y) / span)}));
    }
    grid.push_back(row);
  }
  const int first = mesh.triangleCount();
  for (int i = 0; i < rings; ++i) mesh.addStrip(grid[i], grid[i + 1]);
  mesh.faceAwayFrom(first, foot + Vec3{0.0f, 0.0f, 0.3f * shape.height});
}

// Yellow-green brain corals, a few large domes with smaller ones between them.
AnimatedModel brainColony(int frames, const Seats& seats) {
  CoralBuilder builder;
  Random random(66);
  const std::vector<Vec3> feet = scatter(random, 7, 2.2f, 1.6f, 0.9f);
  for (size_t i = 0; i < feet.size(); ++i) {
    const float radius = static_cast<float>(random.range(0.35, 0.75));
    const DomeShape shape{radius, radius * static_cast<float>(random.range(0.7, 0.95)), 0.18f, 0, 0.0f, 66 + i};
    dome(builder, shape, seats.foot(feet[i], 1.25f * radius), feet[i], 2.6f * radius, skinHalf(static_cast<int>(i)));
  }
  builder.sway(frames, 0.6f, 0.022f, 0.016f, 1.0f);
  return builder.take();
}

// Boulder brains: broad lobed boulders side by side; one labyrinth picture runs over all of them
// (the scene repeats it three times across).
AnimatedModel boulderColony(int frames, const Seats& seats) {
  CoralBuilder builder;
  Random random(88);
  const std::vector<Vec3> feet = scatter(random, 4, 2.0f, 1.3f, 1.5f, Vec3{-0.6f, 0.4f, 0.0f});
  const float span = 5.4f;
  for (size_t i = 0; i < feet.size(); ++i) {
    const float radius = static_cast<float>(random.range(0.8, 1.2));
    const DomeShape shape{radius, radius * 0.8f, 0.12f, 5, 0.1f, 88 + i};
    dome(builder, shape, seats.foot(feet[i], 1.4f * radius), Vec3{}, span, SkinHalf{0.0f, 1.0f});
  }
  builder.sway(frames, 1.0f, 0.035f, 0.025f, 2.0f);
  return builder.take();
}

// Sea whips: clumps of thin whips, red-orange and yellow.
AnimatedModel whipColony(int frames, const Seats& seats) {
  CoralBuilder builder;
  Random random(77);
  const std::vector<Vec3> feet = scatter(random, 6, 2.0f, 1.4f, 0.8f, Vec3{0.9f, -0.3f, 0.0f});
  for (size_t c = 0; c < feet.size(); ++c) {
    const SkinHalf half = skinHalf(static_cast<int>(c));
    const float size = static_cast<float>(random.range(1.0, 1.6));
    const Vec3 foot = seats.foot(feet[c], 0.1f);
    builder.standOn(foot.z);
    for (int whip = 0; whip < 8; ++whip) {
      float angle = TwoPi * whip / 8 + static_cast<float>(random.range(-0.2, 0.2));
      float lean = static_cast<float>(random.range(0.15, 0.5));
      float top = size * static_cast<float>(random.range(0.6, 1.0));
      float bend = static_cast<float>(random.range(-0.3, 0.3));
      std::vector<Vec3> points;
      std::vector<float> radii, ts;
      for (int i = 0; i <= 4; ++i) {
        float k = i / 4.0f;
        float outward = lean * k * k * top;
        points.push_back(foot + Vec3{std::cos(angle + bend * k) * (0.04f + outward),
                                     std::sin(angle + bend * k) * (0.04f + outward), k * top});
        radii.push_back(0.045f * size * (1.0f - 0.6f * k));
        ts.push_back(1.0f - k);
      }
      builder.tube(points, radii, ts, 3, true, half);
    }
  }
  builder.sway(frames, 1.6f, 0.12f, 0.08f, 1.0f);
  return builder.take();
}

AnimatedModel layout(int kind, int frames, const Seats& seats) {
  switch (kind) {
    case 0:
      return staghornColony(frames, seats);
    case 1:
      return fanColony(frames, seats);
    case 2:
      return bushColony(frames, seats);
    case 3:
      return tableColony(frames, seats);
    case 4:
      return softColony(frames, seats);
    case 5:
      return brainColony(frames, seats);
    case 6:
      return boulderColony(frames, seats);
    default:
      return whipColony(frames, seats);
  }
}

// A kind whose places all share one set of turns stands upright at each: the turns are taken out
// of the model. The fans lean differently at each place and keep theirs.
bool turnsTakenOut(const std::vector<CoralPlacement>& places) {
  return std::all_of(places.begin(), places.end(), [&](const CoralPlacement& p) {
    return p.angles.x == places[0].angles.x && p.angles.y == places[0].angles.y && p.angles.z == places[0].angles.z;
  });
}

// Layout axes (x right, y away, z up) to scene axes (x right, y up, z away).
Vec3 layoutToScene(const Vec3& p) { return Vec3{p.x, p.z, p.y}; }

}  // namespace

AnimatedModel buildCoralModel(int kind, int frames, const FloorHeight& floor) {
  const std::vector<CoralPlacement> places = placementsOf(kind);
  const CoralPlacement& first = places.front();
  const Mat3 toFile = fileToScene(first, turnsTakenOut(places)).inverse();
  const Mat3 toScene = fileToScene(first, true);
  const Seats seats(floor, first, toScene * toFile, places.size() > 1 ? DeepRoot : 0.0f);
  AnimatedModel model = layout(kind, frames, seats);
  for (std::vector<Vec3>& frame : model.frames) {
    for (Vec3& p : frame) p = toFile.apply(layoutToScene(p));
  }
  model.mesh.positions() = model.frames.front();

  // Without a depth buffer the last triangle drawn wins: far ones first, as seen from the camera
  // at the kind's first place.
  const Vec3 at = scenePosition(first);
  const std::vector<Vec3>& rest = model.frames.front();
  const auto& triangles = model.mesh.triangles();
  std::vector<float> distance(triangles.size());
  for (size_t i = 0; i < triangles.size(); ++i) {
    const Vec3 centre = (rest[triangles[i][0]] + rest[triangles[i][1]] + rest[triangles[i][2]]) * (1.0f / 3.0f);
    distance[i] = length(at + toScene.apply(centre) - Viewpoint);
  }
  std::vector<int> order(triangles.size());
  std::iota(order.begin(), order.end(), 0);
  std::stable_sort(order.begin(), order.end(), [&](int a, int b) { return distance[a] > distance[b]; });
  model.mesh.reorderTriangles(order);
  return model;
}
