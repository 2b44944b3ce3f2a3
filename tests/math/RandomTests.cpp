#include <gtest/gtest.h>

#include <cstdint>
#include <set>

#include "world/Random.h"

namespace {

TEST(RandomGenerator, FollowsItsRecurrenceFromTheSeed) {
  seedRandom(12345);
  uint32_t x = 12345;
  for (int i = 0; i < 1000; ++i) {
    x = x * 214013u + 2531011u;
    ASSERT_EQ(randomDraw(), static_cast<int>((x >> 16) & 0x7FFF)) << "draw " << i;
  }
  seedRandom(1);
  EXPECT_EQ(randomDraw(), 41);  // the well-known first value of this generator for seed 1
  EXPECT_EQ(randomDraw(), 18467);
}

TEST(RandomGenerator, RangesRespectTheDrawLimit) {
  seedRandom(7);
  float highest = 0.0f;
  for (int i = 0; i < 100000; ++i) {
    const float v = randomRange(0.0f, 359.0f, 2);
    ASSERT_GE(v, 0.0f);
    highest = std::max(highest, v);
  }
  EXPECT_LE(highest, 327.67f + 1e-3f);
  EXPECT_GT(highest, 320.0f);

  for (int i = 0; i < 1000; ++i) {
    const float v = randomRange(-4.0f, 3.0f, 2);
    ASSERT_GE(v, -4.0f);
    ASSERT_LE(v, 3.0f);
  }
  // One decimal or fewer counts as one: only tenths come out.
  for (int i = 0; i < 100; ++i) {
    const float v = randomRange(0.0f, 5.0f, 0) * 10.0f;
    ASSERT_NEAR(v, static_cast<float>(static_cast<int>(v + 0.5f)), 1e-3f);
  }
  // An empty range gives its low end instead of dividing by zero.
  EXPECT_EQ(randomRange(2.0f, 2.0f, 2), 2.0f);
}

TEST(StepToward, MovesByAtMostTheStep) {
  float v = 0.0f;
  EXPECT_EQ(stepToward(v, 10.0f, 3.0f), 3.0f);
  EXPECT_EQ(v, 3.0f);
  v = 9.0f;
  EXPECT_EQ(stepToward(v, 10.0f, 3.0f), 1.0f);
  EXPECT_EQ(v, 10.0f);
  EXPECT_EQ(stepToward(v, 10.0f, 3.0f), 0.0f);
  v = 0.0f;
  EXPECT_EQ(stepToward(v, -10.0f, 3.0f), -3.0f);
  EXPECT_EQ(v, -3.0f);
}

TEST(PointInPolygon, TrapezoidOfTheSwimArea) {
  const Vector2 area[4] = {{-15, 25}, {-6, 2}, {-2, 2}, {10, 25}};
  EXPECT_TRUE(pointInPolygon(area, 4, {-5, 12}));
  EXPECT_FALSE(pointInPolygon(area, 4, {0, 0}));
  EXPECT_FALSE(pointInPolygon(area, 4, {-14, 5}));
  EXPECT_TRUE(pointInPolygon(area, 4, {8, 24}));
  EXPECT_FALSE(pointInPolygon(area, 4, {0, 30}));
  EXPECT_FALSE(pointInPolygon(area, 0, {0, 0}));
}

TEST(RandomTimer, FixedPeriodFiresEveryPeriod) {
  RandomTimer timer;
  timer.setRange(10000, -1);
  int fired = 0;
  for (int ms = 1; ms <= 30000; ++ms) {
    if (timer.tick(1)) {
      ++fired;
      EXPECT_EQ(ms % 10000, 0) << "fired at " << ms;
    }
  }
  EXPECT_EQ(fired, 3);
  timer.disable();
  EXPECT_FALSE(timer.tick(100000));
}

TEST(RandomTimer, RandomPeriodIsNewEachTime) {
  seedRandom(99);
  RandomTimer timer;
  timer.setRange(20000, 30000);
  std::set<int> periods;
  int since = 0;
  for (int firings = 0; firings < 20;) {
    const int period = timer.period();
    ASSERT_GE(period, 20000);
    ASSERT_LT(period, 30000);
    since += 10;
    if (timer.tick(10)) {
      EXPECT_GE(since, period);
      EXPECT_LT(since, period + 10);
      periods.insert(period);
      since = 0;
      ++firings;
    }
  }
  EXPECT_GT(periods.size(), 15u);
}

TEST(RandomTimer, RestartBeginsANewPeriod) {
  RandomTimer timer;
  timer.setRange(1000, -1);
  EXPECT_FALSE(timer.tick(900));
  timer.restart();
  EXPECT_FALSE(timer.tick(900));
  EXPECT_TRUE(timer.tick(100));
}

}  // namespace
