// The sea's share of its loudness while other programs play sound, frame by frame.
#include <gtest/gtest.h>

#include "world/SoundYield.h"

namespace {

// Frames of 50 ms until the share reaches target (from above or below); -1 when it does not
// within limitMs.
int msUntil(SoundYield& yield, bool othersPlaying, float target, int limitMs) {
  const bool falling = yield.share() > target;
  for (int ms = 50; ms <= limitMs; ms += 50) {
    yield.advance(50, othersPlaying);
    if (falling ? yield.share() <= target : yield.share() >= target) return ms;
  }
  return -1;
}

TEST(SoundYield, SilentWithinHalfASecondBackAfterThreeQuietSecondsOverTwo) {
  SoundYield yield;
  yield.advance(50, false);
  EXPECT_EQ(yield.share(), 1.0f) << "nobody else plays: the whole loudness";
  const int silent = msUntil(yield, true, 0.0f, 2000);
  EXPECT_GE(silent, 450);
  EXPECT_LE(silent, 550);
  yield.advance(5000, true);
  EXPECT_EQ(yield.share(), 0.0f);

  // The others pause: three seconds of silence first, then two seconds back up.
  EXPECT_EQ(msUntil(yield, false, 0.01f, 10000), 3050);
  const int back = msUntil(yield, false, 1.0f, 10000);
  EXPECT_GE(back, 1900);
  EXPECT_LE(back, 2000);
  EXPECT_EQ(yield.share(), 1.0f);
}

TEST(SoundYield, APauseBetweenTwoSongsKeepsTheSeaSilent) {
  SoundYield yield;
  yield.advance(1000, true);
  for (int song = 0; song < 3; ++song) {
    for (int ms = 0; ms < 2500; ms += 50) yield.advance(50, false);  // the pause
    EXPECT_EQ(yield.share(), 0.0f) << song;
    yield.advance(50, true);
  }
  // Others stop halfway through the fade: the sea stays where it was until the silence is long enough.
  SoundYield fading;
  fading.advance(250, true);
  EXPECT_FLOAT_EQ(fading.share(), 0.5f);
  fading.advance(2950, false);
  EXPECT_FLOAT_EQ(fading.share(), 0.5f);
}

}  // namespace
