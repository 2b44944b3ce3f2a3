// Models: frames for every range the scene plays, safe indices and offsets, sizes that suit
// the object scales, orientation, and seamless loops.

#include "ContentFixture.h"
#include "FileReaders.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "formats/Md3Format.h"

namespace {

enum class Measure { Length, Width, Height };

struct ModelCase {
  const char* file;
  int frames;   // the highest frame any range uses, plus one
  float scale;  // object scale in the scene (the axis that is measured)
  Measure measure;
  float low, high;                         // wanted size in scene units
  std::vector<std::pair<int, int>> loops;  // ranges that play in a loop
};

const std::vector<ModelCase>& cases() {
  static const std::vector<ModelCase> all = {
      {"models/reeffishes/silverfish.nlm", 10, 0.015f, Measure::Length, 0.12f, 0.2f, {{0, 9}}},
      {"models/reeffishes/rfish.nlm", 10, 0.02f, Measure::Length, 0.25f, 0.4f, {{0, 9}}},
      {"models/reeffishes/moorishidol.nlm", 20, 0.02f, Measure::Length, 0.25f, 0.45f, {{0, 19}}},
      {"models/reeffishes/gsbfish.nlm", 20, 0.02f, Measure::Length, 0.25f, 0.4f, {{0, 19}}},
      {"models/reeffishes/swpfish.nlm", 40, 0.02f, Measure::Length, 0.4f, 0.7f, {{0, 19}, {20, 39}}},
      {"models/reeffishes/ybig.nlm", 20, 0.05f, Measure::Length, 1.0f, 1.4f, {{0, 19}}},
      {"models/reeffishes/rbig.nlm", 20, 0.07f, Measure::Length, 1.0f, 1.4f, {{0, 19}}},
      {"models/manta.nlm", 20, 0.07f, Measure::Width, 2.6f, 3.4f, {{0, 19}}},
      {"models/gull.nlm", 43, 0.05f, Measure::Width, 0.8f, 1.2f, {{0, 19}, {23, 42}}},
      {"models/coral_a.nlm", 10, 1.0f, Measure::Height, 0.5f, 2.0f, {{0, 9}}},
      {"models/coral_b.nlm", 20, 0.04f, Measure::Height, 0.5f, 2.0f, {{0, 19}}},
      {"models/coral_c.nlm", 20, 0.04f, Measure::Height, 0.5f, 2.0f, {{0, 19}}},
      {"models/coral_d.nlm", 20, 0.05f, Measure::Height, 0.5f, 2.0f, {{0, 19}}},
      {"models/coral_f.nlm", 10, 1.0f, Measure::Height, 0.5f, 2.0f, {{0, 9}}},
      {"models/coral_g.nlm", 10, 1.0f, Measure::Height, 0.45f, 2.0f, {{0, 9}}},
      {"models/coral_h.nlm", 10, 0.5f, Measure::Height, 0.5f, 2.0f, {{0, 9}}},
      {"models/coral_i.nlm", 10, 1.4f, Measure::Height, 0.5f, 2.0f, {{0, 9}}},
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
  for (const ModelCase& c : cases()) {
    Md3Model model = readMd3(dataFile(c.file));
    ASSERT_TRUE(model.valid) << c.file << ": " << model.error;
    EXPECT_GE(model.frames, c.frames) << c.file;
    EXPECT_GT(model.triangles, 0) << c.file;
    // Standard MD3 limits, and the scene keeps indices in 16 bits.
    EXPECT_LE(model.vertices, formats::Md3MaxVertices) << c.file;
    EXPECT_LE(model.triangles, formats::Md3MaxTriangles) << c.file;
    for (uint32_t index : model.indices) ASSERT_LT(index, static_cast<uint32_t>(model.vertices)) << c.file;
    for (float uv : model.uvs) ASSERT_TRUE(uv >= 0.0f && uv <= 1.0f) << c.file << " texture coordinate " << uv;
  }
}

TEST(Models, FitTheirObjectScales) {
  for (const ModelCase& c : cases()) {
    Md3Model model = readMd3(dataFile(c.file));
    ASSERT_TRUE(model.valid) << c.file;
    int axis = c.measure == Measure::Length ? 1 : (c.measure == Measure::Width ? 0 : 2);
    float size = extent(model.positions[0], axis) * c.scale;
    EXPECT_GE(size, c.low) << c.file;
    EXPECT_LE(size, c.high) << c.file;
  }
}

TEST(Models, LoopsHaveNoSeam) {
  for (const ModelCase& c : cases()) {
    Md3Model model = readMd3(dataFile(c.file));
    ASSERT_TRUE(model.valid) << c.file;
    for (const auto& [first, last] : c.loops) {
      float step = 0.0f;
      for (int f = first; f < last; ++f) step = std::max(step, largestMove(model.positions[f], model.positions[f + 1]));
      EXPECT_GT(step, 0.0f) << c.file << " does not move in " << first << "-" << last;
      EXPECT_LE(largestMove(model.positions[last], model.positions[first]), 1.2f * step + 1.0f / 64)
          << c.file << " jumps from " << last << " to " << first;
    }
  }
}

TEST(Models, GullSwitchesBetweenGlideAndFlyWithoutAJump) {
  Md3Model gull = readMd3(dataFile("models/gull.nlm"));
  ASSERT_TRUE(gull.valid);
  float flapStep = 0.0f;
  for (int f = 23; f < 42; ++f) flapStep = std::max(flapStep, largestMove(gull.positions[f], gull.positions[f + 1]));
  // The switch happens at frame 19 (to 23) or 42 (to 0).
  EXPECT_LE(largestMove(gull.positions[19], gull.positions[23]), flapStep);
  EXPECT_LE(largestMove(gull.positions[42], gull.positions[0]), flapStep);
  // Flapping moves the wing tips far more than gliding.
  EXPECT_GT(extent(gull.positions[23 + 5], 2), 2.0f * extent(gull.positions[5], 2));
}

TEST(Models, FishFaceAlongPlusYAndBeatTheirTails) {
  for (const char* file :
       {"models/reeffishes/silverfish.nlm", "models/reeffishes/rfish.nlm", "models/reeffishes/gsbfish.nlm",
        "models/reeffishes/swpfish.nlm", "models/reeffishes/ybig.nlm", "models/reeffishes/rbig.nlm"}) {
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

TEST(Models, CoralsSwayVisiblyAndGently) {
  // Largest movement of any vertex over the "wabbel" loop, relative to the coral's height: hard
  // corals lean a little, fans and soft corals more. Whatever the scale, the movement spans
  // several of the file's 1/64 steps, or it shows as jitter.
  struct Sway {
    const char* file;
    int frames;
    float low, high;
  };
  for (const Sway& c : {Sway{"models/coral_a.nlm", 10, 0.04f, 0.1f}, Sway{"models/coral_b.nlm", 20, 0.05f, 0.14f},
                        Sway{"models/coral_c.nlm", 20, 0.05f, 0.14f}, Sway{"models/coral_d.nlm", 20, 0.03f, 0.1f},
                        Sway{"models/coral_f.nlm", 10, 0.08f, 0.2f}, Sway{"models/coral_g.nlm", 10, 0.04f, 0.12f},
                        Sway{"models/coral_h.nlm", 10, 0.03f, 0.1f}, Sway{"models/coral_i.nlm", 10, 0.08f, 0.2f}}) {
    Md3Model model = readMd3(dataFile(c.file));
    ASSERT_TRUE(model.valid) << c.file;
    ASSERT_GE(model.frames, c.frames) << c.file;
    float movement = 0.0f;
    for (int f = 0; f < c.frames; ++f) {
      for (int g = f + 1; g < c.frames; ++g) {
        movement = std::max(movement, largestMove(model.positions[f], model.positions[g]));
      }
    }
    float height = extent(model.positions[0], 2);
    EXPECT_GE(movement, c.low * height) << c.file << " sways " << movement << " of " << height;
    EXPECT_LE(movement, c.high * height) << c.file << " sways " << movement << " of " << height;
    EXPECT_GE(movement, 3.0f / 64) << c.file;
    // Seamless: the step from the last frame back to the first is an ordinary step.
    float step = 0.0f;
    for (int f = 0; f + 1 < c.frames; ++f) {
      step = std::max(step, largestMove(model.positions[f], model.positions[f + 1]));
    }
    EXPECT_LE(largestMove(model.positions[c.frames - 1], model.positions[0]), 1.2f * step + 1.0f / 64) << c.file;
  }
}
