// Models: frames for every range the scene plays, safe indices and offsets, sizes that suit
// the object scales, orientation, and seamless loops.

#include "ContentFixture.h"
#include "FileReaders.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <iterator>
#include <set>

#include "CoralPlaces.h"
#include "formats/DataCatalog.h"
#include "formats/Md3Format.h"

namespace {

// Corals are measured where the scene places them (their own test).
enum class Measure { Length, Width, Placed };

struct ModelCase {
  const catalog::Model* entry;
  float scale;  // object scale in the scene (the axis that is measured)
  Measure measure;
  float low, high;                             // wanted size in scene units
  std::vector<catalog::FrameRange> moreLoops;  // ranges that loop besides those the scene plays

  const char* file() const { return entry->file; }
  // Every range that plays in a loop.
  std::vector<catalog::FrameRange> loops() const {
    std::vector<catalog::FrameRange> all = catalog::rangesOf(*entry);
    all.insert(all.end(), moreLoops.begin(), moreLoops.end());
    return all;
  }
};

const std::vector<ModelCase>& cases() {
  using namespace catalog;
  static const std::vector<ModelCase> all = {
      {&SilverFishModel, 0.015f, Measure::Length, 0.6f, 0.75f, {}},
      {&ReefFishModel, 0.02f, Measure::Length, 0.85f, 1.0f, {}},
      {&StripedFishModel, 0.02f, Measure::Length, 0.5f, 0.65f, {}},
      {&YellowBlueFishModel, 0.02f, Measure::Length, 0.8f, 0.95f, {}},
      {&PredatorModel, 0.02f, Measure::Length, 0.95f, 1.1f, {{"cruise", 0, 19}}},
      {&BigGreyFishModel, 0.05f, Measure::Length, 1.7f, 2.1f, {}},
      {&BigRedFishModel, 0.07f, Measure::Length, 1.7f, 2.1f, {}},
      {&MantaModel, 0.07f, Measure::Width, 2.6f, 3.4f, {}},
      {&GullModel, 0.05f, Measure::Width, 0.8f, 1.2f, {}},
      {&CoralModels[0], 0.0f, Measure::Placed, 0.0f, 0.0f, {}},
      {&CoralModels[1], 0.0f, Measure::Placed, 0.0f, 0.0f, {}},
      {&CoralModels[2], 0.0f, Measure::Placed, 0.0f, 0.0f, {}},
      {&CoralModels[3], 0.0f, Measure::Placed, 0.0f, 0.0f, {}},
      {&CoralModels[4], 0.0f, Measure::Placed, 0.0f, 0.0f, {}},
      {&CoralModels[5], 0.0f, Measure::Placed, 0.0f, 0.0f, {}},
      {&CoralModels[6], 0.0f, Measure::Placed, 0.0f, 0.0f, {}},
      {&CoralModels[7], 0.0f, Measure::Placed, 0.0f, 0.0f, {}},
  };
  return all;
}

// Extent along one file axis (x = 0, y = 1, z = 2) of a frame.
float extent(const std::vector<float>& frame, int axis) {
  float low = 1e9f, high = -1e9f;
  for (size_t i = axis; i < frame.size(); i += 3) {
    low = std::min(low, frame[i]);
    high = std::max(high, frame[i]);
  }
  return high - low;
}

float largestMove(const std::vector<float>& a, const std::vector<float>& b) {
  float largest = 0.0f;
  for (size_t i = 0; i + 2 < a.size(); i += 3) {
    largest = std::max(largest, std::hypot(a[i] - b[i], a[i + 1] - b[i + 1], a[i + 2] - b[i + 2]));
  }
  return largest;
}

}  // namespace

TEST(Models, HaveTheFramesTheirRangesNeedAndSafeIndices) {
  ASSERT_EQ(cases().size(), std::size(catalog::Models)) << "a model of the catalogue without its case";
  for (const ModelCase& c : cases()) {
    const char* file = c.file();
    Md3Model model = readMd3(dataFile(file));
    ASSERT_TRUE(model.valid) << file << ": " << model.error;
    EXPECT_EQ(model.frames, c.entry->frameCount) << file;
    for (const catalog::FrameRange& range : c.loops()) {
      EXPECT_TRUE(range.first >= 0 && range.first <= range.last && range.last < model.frames)
          << file << " " << range.name;
    }
    EXPECT_GT(model.triangles, 0) << file;
    // Standard MD3 limits, and the scene keeps indices in 16 bits.
    EXPECT_LE(model.vertices, formats::Md3MaxVertices) << file;
    EXPECT_LE(model.triangles, formats::Md3MaxTriangles) << file;
    for (uint32_t index : model.indices) ASSERT_LT(index, static_cast<uint32_t>(model.vertices)) << file;
    for (float uv : model.uvs) ASSERT_TRUE(uv >= 0.0f && uv <= 1.0f) << file << " texture coordinate " << uv;
  }
}

TEST(Models, FitTheirObjectScales) {
  for (const ModelCase& c : cases()) {
    if (c.measure == Measure::Placed) continue;
    Md3Model model = readMd3(dataFile(c.file()));
    ASSERT_TRUE(model.valid) << c.file();
    int axis = c.measure == Measure::Length ? 1 : 0;
    float size = extent(model.positions[0], axis) * c.scale;
    EXPECT_GE(size, c.low) << c.file();
    EXPECT_LE(size, c.high) << c.file();
  }
}

TEST(Models, LoopsHaveNoSeam) {
  for (const ModelCase& c : cases()) {
    Md3Model model = readMd3(dataFile(c.file()));
    ASSERT_TRUE(model.valid) << c.file();
    for (const catalog::FrameRange& range : c.loops()) {
      const int first = range.first, last = range.last;
      float step = 0.0f;
      for (int f = first; f < last; ++f) step = std::max(step, largestMove(model.positions[f], model.positions[f + 1]));
      EXPECT_GT(step, 0.0f) << c.file() << " does not move in " << first << "-" << last;
      EXPECT_LE(largestMove(model.positions[last], model.positions[first]), 1.2f * step + 1.0f / 64)
          << c.file() << " jumps from " << last << " to " << first;
    }
  }
}

TEST(Models, GullSwitchesBetweenGlideAndFlyWithoutAJump) {
  Md3Model gull = readMd3(dataFile(catalog::GullModel.file));
  ASSERT_TRUE(gull.valid);
  const catalog::FrameRange glide = catalog::GullModel.ranges[0], fly = catalog::GullModel.ranges[1];
  float flapStep = 0.0f;
  for (int f = fly.first; f < fly.last; ++f) {
    flapStep = std::max(flapStep, largestMove(gull.positions[f], gull.positions[f + 1]));
  }
  // The switch happens at the end of the glide (to the flight) or of the flight (to the glide).
  EXPECT_LE(largestMove(gull.positions[glide.last], gull.positions[fly.first]), flapStep);
  EXPECT_LE(largestMove(gull.positions[fly.last], gull.positions[glide.first]), flapStep);
  // Flapping moves the wing tips far more than gliding.
  EXPECT_GT(extent(gull.positions[fly.first + 5], 2), 2.0f * extent(gull.positions[glide.first + 5], 2));
}

TEST(Models, FishFaceAlongPlusYAndBeatTheirTails) {
  using namespace catalog;
  for (const Model* fish :
       {&SilverFishModel, &ReefFishModel, &YellowBlueFishModel, &PredatorModel, &BigGreyFishModel, &BigRedFishModel}) {
    const char* file = fish->file;
    Md3Model model = readMd3(dataFile(file));
    ASSERT_TRUE(model.valid) << file;
    const std::vector<float>& rest = model.positions[0];
    float low = 1e9f, high = -1e9f;
    for (size_t i = 1; i < rest.size(); i += 3) {
      low = std::min(low, rest[i]);
      high = std::max(high, rest[i]);
    }
    // The head (+y end) is narrow in height, the tail fin (-y end) is tall; the tail swings
    // sideways over the beat, the head hardly.
    float headHeight = 0, tailHeight = 0, headSwing = 0, tailSwing = 0;
    float band = 0.08f * (high - low);
    for (size_t i = 0; i + 2 < rest.size(); i += 3) {
      float swing = 0.0f;
      for (int f = 0; f < model.frames; ++f) swing = std::max(swing, std::fabs(model.positions[f][i] - rest[i]));
      if (rest[i + 1] > high - band) {
        headHeight = std::max(headHeight, std::fabs(rest[i + 2]));
        headSwing = std::max(headSwing, swing);
      }
      if (rest[i + 1] < low + band) {
        tailHeight = std::max(tailHeight, std::fabs(rest[i + 2]));
        tailSwing = std::max(tailSwing, swing);
      }
    }
    EXPECT_GT(tailHeight, headHeight) << file;
    EXPECT_GT(tailSwing, 3.0f * headSwing) << file;
  }
}

namespace {

// A frame of a coral as the scene shows it at a place: scene axes, offset from the place.
std::vector<Vec3> placedFrame(const std::vector<float>& frame, const CoralPlacement& place) {
  const Mat3 toScene = fileToScene(place, true);
  std::vector<Vec3> points;
  for (size_t i = 0; i + 2 < frame.size(); i += 3)
    points.push_back(toScene.apply(Vec3{frame[i], frame[i + 1], frame[i + 2]}));
  return points;
}

float largestMove(const std::vector<Vec3>& a, const std::vector<Vec3>& b) {
  float largest = 0.0f;
  for (size_t i = 0; i < a.size(); ++i) largest = std::max(largest, length(a[i] - b[i]));
  return largest;
}

}  // namespace

// Every placed coral is a colony of several units across that stands upright, no taller than the
// water leaves room for, within the scene's vertex budget.
TEST(Models, CoralsAreColoniesSeveralUnitsAcross) {
  for (const CoralPlacement& place : CoralPlacements) {
    const char* file = catalog::CoralModels[place.kind].file;
    Md3Model model = readMd3(dataFile(file));
    ASSERT_TRUE(model.valid) << file;
    EXPECT_LE(model.vertices, 3000) << file;
    const std::vector<Vec3> points = placedFrame(model.positions[0], place);
    Vec3 low = points[0], high = points[0];
    for (const Vec3& p : points) {
      low = Vec3{std::min(low.x, p.x), std::min(low.y, p.y), std::min(low.z, p.z)};
      high = Vec3{std::max(high.x, p.x), std::max(high.y, p.y), std::max(high.z, p.z)};
    }
    const float across = std::max(high.x - low.x, high.z - low.z);
    EXPECT_GE(across, 2.5f) << file << " at " << place.position.x << ", " << place.position.z;
    EXPECT_LE(across, 7.0f) << file << " at " << place.position.x << ", " << place.position.z;
    EXPECT_GE(high.y - low.y, 0.3f) << file << " at " << place.position.x << ", " << place.position.z;
    EXPECT_LE(high.y - low.y, 3.5f) << file << " at " << place.position.x << ", " << place.position.z;
  }
}

// The scene leaves out faces turned away from the viewer, so every part of a colony must be wound
// counter-clockwise seen from outside: no edge is walked the same way by two triangles (a part
// wound both ways), and looking down on a colony where the scene places it, the surface met
// first faces up (a part turned inside out would show its far side or nothing), but where the
// scene shows both sides.
TEST(Models, CoralsShowTheirOutsideToTheViewer) {
  for (const CoralPlacement& place : CoralPlacements) {
    const char* file = catalog::CoralModels[place.kind].file;
    Md3Model model = readMd3(dataFile(file));
    ASSERT_TRUE(model.valid) << file;
    // OpenGL's axes, in which the scene's turns and positive scales keep the winding.
    std::vector<Vec3> points = placedFrame(model.positions[0], place);
    for (Vec3& p : points) p.z = -p.z;
    std::vector<std::array<uint32_t, 3>> triangles;
    for (size_t t = 0; t + 2 < model.indices.size(); t += 3) {
      const std::array<uint32_t, 3> tri{model.indices[t], model.indices[t + 1], model.indices[t + 2]};
      // Pole caps of balls leave triangles of no area, which draw nothing either way.
      if (length(cross(points[tri[1]] - points[tri[0]], points[tri[2]] - points[tri[0]])) == 0.0f) continue;
      triangles.push_back(tri);
    }
    std::set<std::pair<uint32_t, uint32_t>> edges;
    for (const std::array<uint32_t, 3>& tri : triangles) {
      for (int k = 0; k < 3; ++k) {
        EXPECT_TRUE(edges.insert({tri[k], tri[(k + 1) % 3]}).second)
            << file << ": edge " << tri[k] << "-" << tri[(k + 1) % 3] << " twice";
      }
    }
    Vec3 low = points[0], high = points[0];
    for (const Vec3& p : points) {
      low = Vec3{std::min(low.x, p.x), 0.0f, std::min(low.z, p.z)};
      high = Vec3{std::max(high.x, p.x), 0.0f, std::max(high.z, p.z)};
    }
    const int steps = 40;
    int hits = 0, facingDown = 0;
    for (int i = 0; i <= steps; ++i) {
      for (int j = 0; j <= steps; ++j) {
        const float x = low.x + (high.x - low.x) * i / steps, z = low.z + (high.z - low.z) * j / steps;
        float top = -1e9f, up = 0.0f;
        for (const std::array<uint32_t, 3>& tri : triangles) {
          const Vec3 &a = points[tri[0]], &b = points[tri[1]], &c = points[tri[2]];
          const Vec3 normal = cross(b - a, c - a);
          if (normal.y == 0.0f) continue;
          // Where the vertical line through (x, z) meets the triangle's plane, and whether inside.
          const float y = a.y - (normal.x * (x - a.x) + normal.z * (z - a.z)) / normal.y;
          const Vec3 at{x, y, z};
          if (dot(cross(b - a, at - a), normal) < 0 || dot(cross(c - b, at - b), normal) < 0 ||
              dot(cross(a - c, at - c), normal) < 0 || y <= top)
            continue;
          top = y;
          up = normal.y;
        }
        hits += top > -1e9f;
        facingDown += up < 0.0f;
      }
    }
    EXPECT_GE(hits, 20) << file;
    if (CoralTwoSided[place.kind]) continue;
    EXPECT_LE(facingDown, hits / 50) << file << ": " << facingDown << " of " << hits << " spots face down";
  }
}

TEST(Models, CoralsSwayVisiblyAndGently) {
  // Largest movement of any vertex over the "wabbel" loop, relative to the colony's height where
  // it first stands: hard corals lean a little, fans and soft corals more. Whatever the scale,
  // the movement spans several of the file's 1/64 steps, or it shows as jitter.
  struct Sway {
    float low, high;
  };
  // Corals a, b, c, d, f, g, h and i, as the catalogue lists them.
  const Sway sways[] = {{0.03f, 0.1f}, {0.05f, 0.16f}, {0.03f, 0.12f}, {0.02f, 0.1f},
                        {0.06f, 0.2f}, {0.02f, 0.1f},  {0.02f, 0.1f},  {0.06f, 0.2f}};
  static_assert(std::size(sways) == std::size(catalog::CoralModels), "a sway per coral");
  for (size_t i = 0; i < std::size(sways); ++i) {
    const Sway& c = sways[i];
    const char* file = catalog::CoralModels[i].file;
    const catalog::FrameRange wabbel = catalog::CoralModels[i].ranges[0];
    const int frames = wabbel.last + 1;
    Md3Model model = readMd3(dataFile(file));
    ASSERT_TRUE(model.valid) << file;
    ASSERT_EQ(wabbel.first, 0) << file;
    ASSERT_GE(model.frames, frames) << file;
    const CoralPlacement& place = *std::find_if(std::begin(CoralPlacements), std::end(CoralPlacements),
                                                [&](const CoralPlacement& p) { return p.kind == static_cast<int>(i); });
    std::vector<std::vector<Vec3>> placed;
    for (int f = 0; f < frames; ++f) placed.push_back(placedFrame(model.positions[f], place));
    float movement = 0.0f;
    for (int f = 0; f < frames; ++f) {
      for (int g = f + 1; g < frames; ++g) movement = std::max(movement, largestMove(placed[f], placed[g]));
    }
    float height = 0.0f, lowest = 1e9f;
    for (const Vec3& p : placed[0]) lowest = std::min(lowest, p.y);
    for (const Vec3& p : placed[0]) height = std::max(height, p.y - lowest);
    EXPECT_GE(movement, c.low * height) << file << " sways " << movement << " of " << height;
    EXPECT_LE(movement, c.high * height) << file << " sways " << movement << " of " << height;
    EXPECT_GE(largestMove(model.positions[0], model.positions[frames / 2]), 3.0f / 64) << file;
    // Seamless: the step from the last frame back to the first is an ordinary step.
    float step = 0.0f;
    for (int f = 0; f + 1 < frames; ++f) step = std::max(step, largestMove(placed[f], placed[f + 1]));
    EXPECT_LE(largestMove(placed[frames - 1], placed[0]), 1.2f * step + 1.0f / 64) << file;
  }
}
