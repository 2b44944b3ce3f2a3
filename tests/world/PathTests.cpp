#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <vector>

#include "world/FrameAnimation.h"
#include "world/GullFlight.h"
#include "world/MantaSweep.h"
#include "world/Random.h"
#include "world/RoutePatrol.h"
#include "world/SplinePath.h"

namespace {

constexpr int Frame = 20;  // ms

float distanceToLine(const Vector3& p, const Vector3& a, const Vector3& b) {
  return length3(cross(p - a, normalized(b - a)));
}

TEST(SplinePath, OnePointNeverMoves) {
  Pose object;
  SplinePath path;
  path.setObject(&object);
  path.addPoint(3, -2, 7);
  for (int i = 0; i < 100; ++i) {
    path.advance(Frame);
  }
  EXPECT_TRUE(path.halted());
  EXPECT_EQ(object.position(), (Vector3{3, -2, 7}));
}

TEST(SplinePath, TwoOrThreePointsAreJoinedByStraightLines) {
  for (int count : {2, 3}) {
    Pose object;
    SplinePath path;
    path.setObject(&object);
    const Vector3 corners[3] = {{0, 0, 0}, {10, 2, 0}, {4, -3, 9}};
    for (int i = 0; i < count; ++i) path.addPoint(corners[i]);
    for (int i = 0; i < 2000; ++i) {
      path.advance(Frame);
      const Vector3 p = object.position();
      float nearest = 1e9f;
      for (int k = 0; k < count; ++k) {
        nearest = std::min(nearest, distanceToLine(p, corners[k], corners[(k + 1) % count]));
      }
      ASSERT_LT(nearest, 1e-4f) << count << " points, frame " << i;
    }
    EXPECT_TRUE(path.linear());
    EXPECT_FALSE(path.halted());
  }
}

TEST(SplinePath, TravelPerFrameStaysCloseToSpeedTimesFrameTime) {
  Pose object;
  SplinePath path;
  path.setObject(&object);
  path.setSpeed(0.002f);
  // Spacing from 1 to 12 units.
  const Vector3 points[6] = {{0, 0, 0}, {1, 0, 0}, {6, 1, 2}, {18, 0, 3}, {15, -1, 10}, {3, 0, 7}};
  for (const Vector3& p : points) path.addPoint(p);
  const float wanted = 0.002f * Frame;
  Vector3 previous = object.position();
  int index = path.index();
  int counted = 0;
  int close = 0;
  double total = 0.0;
  for (int i = 0; i < 6000; ++i) {
    path.advance(Frame);
    const float travelled = distance(object.position(), previous);
    previous = object.position();
    // The first frames and those right at a segment change are where the step is re-learned.
    const bool settled = i > 3 && path.index() == index;
    index = path.index();
    if (settled) {
      // The step is learned one frame late, so where the curve's pace changes fast the travel
      // is a few percent off for a frame.
      ASSERT_NEAR(travelled, wanted, wanted * 0.1f) << "frame " << i;
      if (std::fabs(travelled - wanted) < wanted * 0.01f) ++close;
      ++counted;
    }
    total += travelled;
  }
  EXPECT_GT(counted, 5000);
  EXPECT_GT(close, counted * 98 / 100);
  EXPECT_NEAR(total / 6000.0, wanted, wanted * 0.02);
}

TEST(SplinePath, RemovingPassedPointsMidSegmentLeavesTheWayAhead) {
  Pose a, b;
  SplinePath kept, trimmed;
  kept.setObject(&a);
  trimmed.setObject(&b);
  const Vector3 points[8] = {{0, 0, 0},  {8, 1, 2},    {12, 0, 10}, {9, 2, 18},
                             {0, 0, 20}, {-9, -1, 15}, {-12, 0, 6}, {-6, 1, -2}};
  for (const Vector3& p : points) {
    kept.addPoint(p);
    trimmed.addPoint(p);
  }
  kept.setIndex(1);
  trimmed.setIndex(1);
  for (int i = 0; i < 40; ++i) {
    kept.advance(Frame);
    trimmed.advance(Frame);
  }
  ASSERT_EQ(trimmed.index(), 1);
  trimmed.removeFirst();  // the current segment's p0
  EXPECT_EQ(trimmed.index(), 0);
  EXPECT_EQ(trimmed.pointCount(), 7);
  int frames = 0;
  while (kept.index() < 3) {
    kept.advance(Frame);
    trimmed.advance(Frame);
    ASSERT_EQ(a.position(), b.position()) << "frame " << frames;
    ASSERT_EQ(a.target(), b.target());
    ++frames;
  }
  EXPECT_EQ(trimmed.index(), 2);
  EXPECT_GT(frames, 100);
}

TEST(SplinePath, BankingRollsIntoTurnsAtMostBankRatePerFrame) {
  Pose object;
  SplinePath path;
  path.setObject(&object);
  path.setSpeed(0.005f);
  path.setBankRate(0.6f);
  const Vector3 points[6] = {{30, 3, 10}, {10, 3, 30}, {-10, 3, 10}, {-30, 3, 25}, {0, 3, 40}, {20, 3, 35}};
  for (const Vector3& p : points) path.addPoint(p);
  path.advance(Frame);
  EXPECT_EQ(path.bank(), 0.0f) << "no previous heading on the first frame";
  float previous = path.bank();
  float largest = 0.0f;
  for (int i = 0; i < 3000; ++i) {
    path.advance(Frame);
    ASSERT_LE(std::fabs(path.bank() - previous), 0.6f + 1e-5f);
    ASSERT_NEAR(length3(object.up()), 1.0f, 1e-4f);
    previous = path.bank();
    largest = std::max(largest, std::fabs(path.bank()));
  }
  EXPECT_GT(largest, 1.0f);
}

class RoutePatrolTest : public ::testing::Test {
 protected:
  void SetUp() override {
    seedRandom(2024);
    for (const Vector3& p : route_) patrol_.addRoutePoint(p);
  }
  void frame(int ms = 40) { patrol_.update(ms); }

  const Vector3 route_[6] = {{24, -6, 32}, {10, -6, 27}, {4, -6, 20}, {0, -6, 14}, {-2, -6, 9}, {-11, -6, 1}};
  RoutePatrol patrol_;
};

TEST_F(RoutePatrolTest, WithoutCandidatesThereIsNoTraffic) {
  patrol_.pick();
  for (int i = 0; i < 100; ++i) frame();
  EXPECT_EQ(patrol_.state(), RoutePatrol::NotStarted);
  EXPECT_EQ(patrol_.current(), -1);
  EXPECT_FALSE(patrol_.travellerShown());
}

TEST_F(RoutePatrolTest, TheTravellerStopsAtTheLastRoutePointAndIsHiddenDuringThePause) {
  const int grey = patrol_.addCandidate();
  const int red = patrol_.addCandidate();
  patrol_.pick();
  bool seenForward = false, seenBackward = false, seenGrey = false, seenRed = false;
  for (int journey = 0; journey < 8; ++journey) {
    ASSERT_EQ(patrol_.state(), RoutePatrol::Travelling);
    const int traveller = patrol_.current();
    const bool reverse = patrol_.reverse();
    (reverse ? seenBackward : seenForward) = true;
    (traveller == grey ? seenGrey : seenRed) = true;
    const Vector3 first = reverse ? route_[5] : route_[0];
    const Vector3 last = reverse ? route_[0] : route_[5];
    EXPECT_EQ(patrol_.pose(traveller).position(), first);  // the start is a jump

    const int other = traveller == grey ? red : grey;
    const Vector3 otherAt = patrol_.pose(other).position();
    int frames = 0;
    while (patrol_.state() == RoutePatrol::Travelling && frames < 20000) {
      frame();
      ++frames;
      if (patrol_.state() == RoutePatrol::Travelling) {
        ASSERT_TRUE(patrol_.travellerShown());
        ASSERT_EQ(patrol_.current(), traveller) << "only the traveller is shown";
      }
    }
    ASSERT_EQ(patrol_.state(), RoutePatrol::Pausing);
    EXPECT_EQ(patrol_.pose(other).position(), otherAt) << "the other one stays where it stopped";
    EXPECT_LT(distance(patrol_.pose(traveller).position(), last), 1e-4f) << "journey " << journey;
    EXPECT_GE(patrol_.pauseLength(), 10000);
    EXPECT_LT(patrol_.pauseLength(), 30000);

    const Vector3 stoppedAt = patrol_.pose(traveller).position();
    const int pauseFrames = patrol_.pauseLength() / 40;
    for (int i = 0; i < pauseFrames; ++i) {
      frame();
      ASSERT_FALSE(patrol_.travellerShown()) << "nothing is shown during the pause";
    }
    EXPECT_EQ(patrol_.state(), RoutePatrol::Pausing);
    EXPECT_EQ(patrol_.pose(traveller).position(), stoppedAt);
    for (int i = 0; i < 3 && patrol_.state() == RoutePatrol::Pausing; ++i) frame();
  }
  EXPECT_TRUE(seenForward && seenBackward && seenGrey && seenRed);
}

TEST(GullFlight, SwitchesOnlyAtTheEndOfACycleAndNeverTooSoon) {
  seedRandom(77);
  FrameAnimation wings;
  wings.addRange(0, 19, "glide", 43);
  wings.addRange(23, 42, "fly", 43);
  wings.play("fly");
  wings.setFrameRate(20);
  GullFlight flight;
  flight.build(Vector3{0, 5.5f, 0}, &wings);
  EXPECT_EQ(flight.path().pointCount(), 8);

  int now = 0;  // ms since the flight was built
  int lastSwitch = 0;
  int wait = 3000;
  int switches = 0;
  bool flapping = true;
  for (int f = 0; f < 30000; ++f) {
    now += Frame;
    wings.advance(Frame);  // the scene moves the wing beat on each frame
    const int frameBefore = wings.currentFrame();
    flight.update(Frame);
    ASSERT_EQ(flight.path().pointCount(), 8);
    if (flight.flapping() != flapping) {
      // Not before its wait, and at the end of the first wing-beat cycle after it (a second at most).
      ASSERT_GT(now - lastSwitch, wait) << "switch " << switches;
      ASSERT_LE(now - lastSwitch, wait + 1000 + Frame) << "switch " << switches;
      ASSERT_TRUE(frameBefore == 19 || frameBefore == 42) << frameBefore;
      ASSERT_STREQ(wings.currentName(), flight.flapping() ? "fly" : "glide");
      flapping = flight.flapping();
      lastSwitch = now;
      wait = flight.switchWait();
      ASSERT_GE(wait, 2000);
      ASSERT_LT(wait, 5000);
      ++switches;
    }
  }
  EXPECT_GT(switches, 50);
}

TEST(MantaSweep, RenewsSixPointsAtATimeAndAlternatesSides) {
  seedRandom(3);
  MantaSweep sweep;
  sweep.build(Vector3{-17, -5, 4});
  EXPECT_EQ(sweep.path().pointCount(), 12);
  EXPECT_FALSE(sweep.mantaSide());
  int renewals = 0;
  bool side = sweep.mantaSide();
  for (int f = 0; f < 60000; ++f) {
    sweep.update(Frame);
    ASSERT_EQ(sweep.path().pointCount(), 12);
    ASSERT_LT(sweep.path().index(), 7);
    const Vector3 p = sweep.pose().position();
    ASSERT_LT(p.y, -1.0f);
    ASSERT_GT(p.z, 20.0f);
    if (sweep.mantaSide() != side) {
      side = sweep.mantaSide();
      ++renewals;
    }
  }
  EXPECT_GE(renewals, 4);
}

}  // namespace
