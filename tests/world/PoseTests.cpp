#include <gtest/gtest.h>

#include "world/Pose.h"

namespace {

void expectNear(const Vector3& a, const Vector3& b, float tolerance = 2e-3f) {
  EXPECT_NEAR(a.x, b.x, tolerance);
  EXPECT_NEAR(a.y, b.y, tolerance);
  EXPECT_NEAR(a.z, b.z, tolerance);
}

TEST(Pose, KeepsZNegatedInsideAndCarriesTheTargetOnlyWhenAsked) {
  Pose pose;
  expectNear(pose.target(), {0, 0, 1});
  pose.setPosition(1, 2, 3);
  expectNear(pose.position(), {1, 2, 3});
  expectNear(pose.glPosition(), {1, 2, -3});
  expectNear(pose.target(), {1, 2, 4});
  pose.placeAt(7, 0, 0);
  expectNear(pose.target(), {1, 2, 4});
  pose.setUp(0, 0, 1);
  expectNear(pose.up(), {0, 0, 1});
  expectNear(pose.glUp(), {0, 0, -1});
}

TEST(Pose, MovesForwardTurnsAndRollsThroughRotateAbout) {
  Pose fish;
  fish.setPosition(0, 0, 0);
  fish.setTarget(0, 0, 2);
  fish.moveForward(3);
  expectNear(fish.position(), {0, 0, 3});
  expectNear(fish.target(), {0, 0, 5});

  // rotateAbout turns by -90 degrees about up in the right-handed sense: the internal facing
  // (0, 0, -2) becomes (2, 0, 0).
  fish.turn(90);
  expectNear(fish.target(), {2, 0, 3});

  fish.setTarget(0, 0, 4);
  fish.roll(90);  // -90 about the internal facing (0, 0, -1)
  expectNear(fish.up(), {-1, 0, 0});
  EXPECT_NEAR(length3(fish.up()), 1.0f, 1e-5);
}

}  // namespace
