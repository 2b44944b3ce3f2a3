// Models: frames for every range the scene plays, safe indices and offsets, sizes that suit
// the object scales, orientation, and seamless loops.

#include "ContentFixture.h"
#include "FileReaders.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <iterator>

#include "formats/DataCatalog.h"
#include "formats/Md3Format.h"

namespace {

enum class Measure { Length, Width, Height };

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
      {&SilverFishModel, 0.015f, Measure::Length, 0.12f, 0.2f, {}},
      {&ReefFishModel, 0.02f, Measure::Length, 0.25f, 0.4f, {}},
      {&StripedFishModel, 0.02f, Measure::Length, 0.25f, 0.45f, {}},
      {&YellowBlueFishModel, 0.02f, Measure::Length, 0.25f, 0.4f, {}},
      {&PredatorModel, 0.02f, Measure::Length, 0.4f, 0.7f, {{"cruise", 0, 19}}},
      {&BigGreyFishModel, 0.05f, Measure::Length, 1.0f, 1.4f, {}},
      {&BigRedFishModel, 0.07f, Measure::Length, 1.0f, 1.4f, {}},
      {&MantaModel, 0.07f, Measure::Width, 2.6f, 3.4f, {}},
      {&GullModel, 0.05f, Measure::Width, 0.8f, 1.2f, {}},
      {&CoralModels[0], 1.0f, Measure::Height, 0.5f, 2.0f, {}},
      {&CoralModels[1], 0.04f, Measure::Height, 0.5f, 2.0f, {}},
      {&CoralModels[2], 0.04f, Measure::Height, 0.5f, 2.0f, {}},
      {&CoralModels[3], 0.05f, Measure::Height, 0.5f, 2.0f, {}},
      {&CoralModels[4], 1.0f, Measure::Height, 0.5f, 2.0f, {}},
      {&CoralModels[5], 1.0f, Measure::Height, 0.45f, 2.0f, {}},
      {&CoralModels[6], 0.5f, Measure::Height, 0.5f, 2.0f, {}},
      {&CoralModels[7], 1.4f, Measure::Height, 0.5f, 2.0f, {}},
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
    Md3Model model = readMd3(dataFile(c.file()));
    ASSERT_TRUE(model.valid) << c.file();
    int axis = c.measure == Measure::Length ? 1 : (c.measure == Measure::Width ? 0 : 2);
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

TEST(Models, CoralsSwayVisiblyAndGently) {
  // Largest movement of any vertex over the "wabbel" loop, relative to the coral's height: hard
  // corals lean a little, fans and soft corals more. Whatever the scale, the movement spans
  // several of the file's 1/64 steps, or it shows as jitter.
  struct Sway {
    float low, high;
  };
  // Corals a, b, c, d, f, g, h and i, as the catalogue lists them.
  const Sway sways[] = {{0.04f, 0.1f}, {0.05f, 0.14f}, {0.05f, 0.14f}, {0.03f, 0.1f},
                        {0.08f, 0.2f}, {0.04f, 0.12f}, {0.03f, 0.1f},  {0.08f, 0.2f}};
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
    float movement = 0.0f;
    for (int f = 0; f < frames; ++f) {
      for (int g = f + 1; g < frames; ++g) {
        movement = std::max(movement, largestMove(model.positions[f], model.positions[g]));
      }
    }
    float height = extent(model.positions[0], 2);
    EXPECT_GE(movement, c.low * height) << file << " sways " << movement << " of " << height;
    EXPECT_LE(movement, c.high * height) << file << " sways " << movement << " of " << height;
    EXPECT_GE(movement, 3.0f / 64) << file;
    // Seamless: the step from the last frame back to the first is an ordinary step.
    float step = 0.0f;
    for (int f = 0; f + 1 < frames; ++f) {
      step = std::max(step, largestMove(model.positions[f], model.positions[f + 1]));
    }
    EXPECT_LE(largestMove(model.positions[frames - 1], model.positions[0]), 1.2f * step + 1.0f / 64) << file;
  }
}
