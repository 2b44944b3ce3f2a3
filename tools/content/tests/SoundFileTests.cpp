// Sounds: the format SDL_mixer loads, a water loop without a click at its seam, gentle levels and
// four different gull calls.

#include "ContentFixture.h"
#include "FileReaders.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <vector>

#include "formats/DataCatalog.h"

TEST(Sounds, AreSixteenBitAt22050Hz) {
  for (const catalog::Sound* entry : catalog::Sounds) {
    const char* name = entry->file;
    WavSound sound = readWav(dataFile(name));
    ASSERT_TRUE(sound.valid) << name;
    EXPECT_EQ(sound.rate, 22050) << name;
    EXPECT_EQ(sound.bits, 16) << name;
    EXPECT_TRUE(sound.channels == 1 || sound.channels == 2) << name;
    EXPECT_EQ(sound.channels, entry->channels) << name;
  }
}

TEST(Sounds, WaterLoopsWithoutAClick) {
  WavSound water = readWav(dataFile(catalog::WaterLoop.file));
  ASSERT_TRUE(water.valid);
  const size_t frames = water.samples.size() / water.channels;
  int peak = 0;
  double energy = 0.0;
  for (int16_t s : water.samples) {
    peak = std::max(peak, std::abs(static_cast<int>(s)));
    energy += static_cast<double>(s) * s;
  }
  double rms = std::sqrt(energy / water.samples.size()) / 32768.0;
  EXPECT_LT(peak, 16384) << "the ambience should stay well below full scale";
  EXPECT_GT(rms, 0.01) << "the ambience is all but silent";
  for (int c = 0; c < water.channels; ++c) {
    double typical = 0.0;
    for (size_t i = 0; i + 1 < frames; ++i) {
      typical += std::abs(water.samples[(i + 1) * water.channels + c] - water.samples[i * water.channels + c]);
    }
    typical /= frames - 1;
    // Wrapping from the last frame to the first is an ordinary step, and so are the steps
    // around it.
    for (size_t back = 1; back <= 8; ++back) {
      int jump = std::abs(water.samples[(back - 1) * water.channels + c] -
                          water.samples[(frames - back) * water.channels + c]);
      EXPECT_LE(jump, 4.0 * typical * back + 8) << "channel " << c << " at " << back;
    }
  }
}

// Heard for hours, the loop must not give itself away: it lasts a minute or more, nothing in it
// comes back at a fixed interval, and calm stretches alternate with busier ones.
TEST(Sounds, WaterLoopIsLongAndDoesNotRepeatWithinItself) {
  WavSound water = readWav(dataFile(catalog::WaterLoop.file));
  ASSERT_TRUE(water.valid);
  const size_t frames = water.samples.size() / water.channels;
  EXPECT_GE(frames, 60u * 22050u);

  // Loudness in quarter seconds, around the loop.
  const size_t window = 22050 / 4;
  std::vector<double> loudness;
  for (size_t start = 0; start + window <= frames; start += window) {
    double energy = 0.0;
    for (size_t i = start * water.channels; i < (start + window) * water.channels; ++i) {
      energy += static_cast<double>(water.samples[i]) * water.samples[i];
    }
    loudness.push_back(std::sqrt(energy / (window * water.channels)));
  }
  const size_t count = loudness.size();
  ASSERT_GE(count, 16u);
  double mean = 0.0;
  for (double l : loudness) mean += l / count;
  double variance = 0.0;
  for (double l : loudness) variance += (l - mean) * (l - mean);
  // Shifted by any lag of two seconds or more, the loudness does not match itself.
  double mostAlike = 0.0;
  for (size_t lag = 8; lag + 8 <= count; ++lag) {
    double sum = 0.0;
    for (size_t i = 0; i < count; ++i) sum += (loudness[i] - mean) * (loudness[(i + lag) % count] - mean);
    mostAlike = std::max(mostAlike, sum / variance);
  }
  EXPECT_LT(mostAlike, 0.6);
  // Two-second stretches differ in loudness.
  std::vector<double> stretches;
  for (size_t i = 0; i + 8 <= count; i += 8) {
    double sum = 0.0;
    for (size_t k = i; k < i + 8; ++k) sum += loudness[k] / 8;
    stretches.push_back(sum);
  }
  double spread = 0.0;
  for (double s : stretches) spread += (s - mean) * (s - mean) / stretches.size();
  EXPECT_GT(std::sqrt(spread) / mean, 0.11);
}

TEST(Sounds, GullCallsDifferAndStartAndEndQuietly) {
  std::vector<WavSound> calls;
  for (const catalog::Sound& entry : catalog::GullCalls) {
    const std::string k = entry.file;
    calls.push_back(readWav(dataFile(k)));
    const WavSound& call = calls.back();
    ASSERT_TRUE(call.valid);
    ASSERT_GT(call.samples.size(), 22050u / 4);
    int peak = 0;
    for (int16_t s : call.samples) peak = std::max(peak, std::abs(static_cast<int>(s)));
    EXPECT_GT(peak, 3000) << k;
    EXPECT_LT(peak, 20000) << k << " should stay clearly below full scale";
    EXPECT_LT(std::abs(call.samples.front()), 200) << k;
    EXPECT_LT(std::abs(call.samples.back()), 200) << k;
  }
  for (size_t a = 0; a < calls.size(); ++a) {
    for (size_t b = a + 1; b < calls.size(); ++b) EXPECT_NE(calls[a].samples, calls[b].samples) << a << " and " << b;
  }
}
