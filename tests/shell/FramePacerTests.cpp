// The frame-rate limit: how many frames a pump that waits as the pacer says draws in a second.
#include <gtest/gtest.h>

#include "shell/FramePacer.h"

namespace {

// Runs a pump on simulated time for one second: it waits whole milliseconds as told, and each
// frame costs costUs. Returns the frames drawn.
int framesInOneSecond(FramePacer& pacer, int64_t costUs, int64_t stallAtUs = -1, int64_t stallUs = 0) {
  int64_t now = 0;
  int frames = 0;
  bool stalled = false;
  while (now < 1000000) {
    if (const int waitMs = pacer.waitMsBefore(now)) {
      now += int64_t{waitMs} * 1000;
      continue;
    }
    pacer.frameStarted(now);
    ++frames;
    now += costUs;
    if (!stalled && stallAtUs >= 0 && now >= stallAtUs) {
      now += stallUs;
      stalled = true;
    }
  }
  return frames;
}

TEST(FramePacer, HoldsTheAverageRateThoughWaitsAreWholeMilliseconds) {
  for (const int rate : {30, 60, 75, 144}) {
    FramePacer pacer;
    pacer.setRate(rate);
    const int frames = framesInOneSecond(pacer, 3000);
    EXPECT_GE(frames, rate - 1) << rate;
    EXPECT_LE(frames, rate + 1) << rate;
  }
  FramePacer unlimited;
  unlimited.setRate(0);
  EXPECT_FALSE(unlimited.limited());
  EXPECT_EQ(framesInOneSecond(unlimited, 2000), 500);
}

TEST(FramePacer, NeverWaitsPastTheDueTimeAndCatchesUpWithoutABurst) {
  FramePacer pacer;
  pacer.setRate(50);  // 20 ms apart
  pacer.frameStarted(0);
  EXPECT_EQ(pacer.waitBefore(1500), 18500);
  EXPECT_EQ(pacer.waitMsBefore(1500), 19);  // rounded up: never early
  EXPECT_EQ(pacer.waitBefore(20000), 0);
  pacer.frameStarted(20400);
  EXPECT_EQ(pacer.waitBefore(20400), 19600);  // late by 0.4 ms: the grid holds
  // A stall of 300 ms: the next frame waits a whole period again instead of fifteen coming at once.
  pacer.frameStarted(340000);
  EXPECT_EQ(pacer.waitBefore(340000), 20000);
  // Over a second with a 300 ms stall, frames stop for the stall and resume at the rate.
  FramePacer stalled;
  stalled.setRate(50);
  const int frames = framesInOneSecond(stalled, 1000, 200000, 300000);
  EXPECT_GE(frames, 34);
  EXPECT_LE(frames, 36);
}

TEST(FrameRateLimit, StoredValueRefreshRateAndPreview) {
  EXPECT_EQ(frameRateLimit(-1, 60, false, false), 60);
  EXPECT_EQ(frameRateLimit(-1, 144, false, false), 144);
  EXPECT_EQ(frameRateLimit(-1, 0, false, false), 60);  // the display does not say
  EXPECT_EQ(frameRateLimit(-1, 1, false, false), 60);
  EXPECT_EQ(frameRateLimit(-1, 59, true, false), 60);   // vertical sync paces, the cap backs it up
  EXPECT_EQ(frameRateLimit(25, 144, true, false), 25);  // a stored limit holds exactly
  EXPECT_EQ(frameRateLimit(0, 60, false, false), 0);    // none
  EXPECT_EQ(frameRateLimit(-1, 60, false, true), 30);
  EXPECT_EQ(frameRateLimit(0, 60, false, true), 30);
  EXPECT_EQ(frameRateLimit(12, 60, false, true), 12);
}

}  // namespace
