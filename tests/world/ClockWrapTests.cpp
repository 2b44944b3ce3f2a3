// Timings across the tick counter's wrap: the driven clock runs through 2^31 ms (where an int
// reading turns negative) and 2^32 ms (where the counter starts again at 0).
#include <gtest/gtest.h>

#include <cstdint>

#include "tests/support/DrivenClock.h"
#include "world/Clock.h"
#include "world/CreatureSettings.h"
#include "world/FishSchool.h"
#include "world/FrameAnimation.h"
#include "world/GullFlight.h"
#include "world/Random.h"
#include "world/RoutePatrol.h"
#include "world/SplinePath.h"
#include "world/Swimmer.h"

namespace {

constexpr int Frame = 20;                             // ms
constexpr uint32_t Boundaries[] = {0x80000000u, 0u};  // 2^31 and 2^32 (as the counter shows it)

TEST(ClockWrap, ElapsedTimeIsRightAcrossBothBoundaries) {
  for (const uint32_t boundary : Boundaries) {
    EXPECT_EQ(elapsedMs(boundary - 300u, boundary + 700u), 1000u);
    EXPECT_EQ(elapsedMs(boundary - 1u, boundary), 1u);
    EXPECT_EQ(elapsedMs(boundary, boundary), 0u);
  }
}

TEST(ClockWrap, TheGullSwitchesAfterItsWaitAcrossTheWrap) {
  for (const uint32_t boundary : Boundaries) {
    DrivenClock clock(boundary - 10000u);
    seedRandom(77);
    FrameAnimation wings;
    wings.addRange(0, 19, "glide", 43);
    wings.addRange(23, 42, "fly", 43);
    wings.play("fly");
    wings.setFrameRate(20);
    GullFlight flight;
    flight.build(Vector3{0, 5.5f, 0}, &wings);
    uint32_t lastSwitch = clock.value();
    uint32_t wait = 3000;
    int switches = 0, afterBoundary = 0;
    bool flapping = flight.flapping();
    for (int f = 0; f < 1500; ++f) {  // 30 s, the boundary 10 s in
      clock.advance(Frame);
      wings.advance();
      flight.update();
      if (flight.flapping() == flapping) continue;
      const uint32_t waited = clock.value() - lastSwitch;
      ASSERT_GT(waited, wait) << "switch " << switches;
      ASSERT_LE(waited, wait + 2000u) << "a cycle of 20 frames at 20 per second ends within a second";
      flapping = flight.flapping();
      lastSwitch = clock.value();
      wait = static_cast<uint32_t>(flight.switchWait());
      ++switches;
      if (f * Frame > 10000) ++afterBoundary;
    }
    EXPECT_GE(afterBoundary, 3) << "boundary " << boundary;
  }
}

TEST(ClockWrap, ThePatrolPauseEndsAfterItsLengthAcrossTheWrap) {
  for (const uint32_t boundary : Boundaries) {
    // A short route of 1.2 units: the traveller arrives about 2 s after the start, so the pause
    // of 10 to 30 s runs across the boundary, 3 s later.
    DrivenClock clock(boundary - 5000u);
    seedRandom(2024);
    RoutePatrol patrol;
    patrol.addRoutePoint(Vector3{0, -6, 10});
    patrol.addRoutePoint(Vector3{1.2f, -6, 10});
    patrol.addCandidate();
    patrol.pick();
    while (patrol.state() == RoutePatrol::Travelling) {
      clock.advance(Frame);
      patrol.update();
      ASSERT_LT(elapsedMs(boundary - 5000u, clock.value()), 5000u) << "arrives before the boundary";
    }
    const uint32_t pauseStart = clock.value();
    while (patrol.state() == RoutePatrol::Pausing) {
      clock.advance(Frame);
      patrol.update();
      ASSERT_LE(elapsedMs(pauseStart, clock.value()), static_cast<uint32_t>(patrol.pauseLength()) + Frame);
    }
    EXPECT_GT(elapsedMs(pauseStart, clock.value()), static_cast<uint32_t>(patrol.pauseLength()));
    EXPECT_EQ(patrol.state(), RoutePatrol::Travelling);
  }
}

TEST(ClockWrap, FishPathsAndAnimationsKeepTheirPaceAcrossTheWrap) {
  for (const uint32_t boundary : Boundaries) {
    DrivenClock clock(boundary - 1000u);
    seedRandom(5);
    Swimmer guide;
    Pose start;
    start.setPosition(-5, -3.5f, 12);
    start.setTarget(-4, -3.5f, 13);
    guide.place(start);
    guide.start();
    FishSchool school;
    school.reserve(3);
    for (int i = 0; i < 3; ++i) school.add();
    school.setTarget(start.position());
    school.place();
    SplinePath path;
    Pose gull;
    path.setObject(&gull);
    path.setSpeed(0.005f);
    for (const Vector3& p : {Vector3{30, 3, 10}, Vector3{10, 3, 30}, Vector3{-10, 3, 10}, Vector3{-30, 3, 25}}) {
      path.addPoint(p);
    }
    FrameAnimation fins;
    fins.addRange(0, 999, "swim", 1000);
    fins.setFrameRate(50);  // one frame per 20 ms
    fins.advance();

    for (int f = 0; f < 100; ++f) {  // 2 s, the boundary halfway
      const Vector3 guideBefore = guide.pose().position();
      const Vector3 gullBefore = gull.position();
      const float finsBefore = fins.position();
      clock.advance(Frame);
      guide.update();
      school.setTarget(guide.pose().position());
      school.update();
      path.advance();
      fins.advance();
      // The guide cruises at its full speed of 0.001 per ms.
      ASSERT_NEAR(distance(guide.pose().position(), guideBefore), 0.001f * Frame, 1e-4f) << "frame " << f;
      ASSERT_EQ(school.frameTime(), Frame) << "frame " << f;
      if (f > 3) {
        ASSERT_NEAR(distance(gull.position(), gullBefore), 0.005f * Frame, 0.01f) << "frame " << f;
      }
      ASSERT_NEAR(fins.position() - finsBefore, 1.0f, 1e-3f) << "frame " << f;
    }
  }
}

}  // namespace
