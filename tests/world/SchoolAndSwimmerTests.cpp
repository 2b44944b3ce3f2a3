#include <gtest/gtest.h>

#include <vector>

#include "world/CreatureSettings.h"
#include "world/FishSchool.h"
#include "world/Random.h"
#include "world/Swimmer.h"

namespace {

constexpr int Frame = 20;  // ms

class SchoolTest : public ::testing::Test {
 protected:
  void SetUp() override { seedRandom(4242); }

  void build(int count, const Vector3& target) {
    school_.reserve(count);
    for (int i = 0; i < count; ++i) school_.add();
    school_.setAnimation(&animation_);
    school_.setTarget(target);
    school_.setFleeFrom(target);
    school_.place();
  }

  void frame() { school_.update(Frame); }

  Pose& fish(int i) { return school_.member(i).pose; }

  FrameAnimation animation_;
  FishSchool school_;
};

TEST_F(SchoolTest, PlaceSpreadsTheMembersBesideTheTarget) {
  build(20, Vector3{1, -3.5f, 10});
  for (int i = 0; i < school_.size(); ++i) {
    const Vector3 p = fish(i).position();
    EXPECT_EQ(p.y, -3.5f);
    EXPECT_GE(p.x, 1 - 2.0f);
    EXPECT_LE(p.x, 1 - 2.0f + 2.7f + 1e-5f);
    EXPECT_GE(p.z, 10.0f);
    EXPECT_LE(p.z, 10.0f + 2.7f + 1e-5f);
    EXPECT_EQ(school_.member(i).index, i);
    EXPECT_EQ(school_.member(i).state, FishSchool::Follow);
  }
}

TEST_F(SchoolTest, AfterAScatterMembersFleeThenCalmDownThenFollow) {
  const Vector3 guide{0, -3.5f, 10};
  build(6, guide);
  for (int i = 0; i < 30; ++i) frame();
  school_.scatter();
  std::vector<float> before;
  for (int i = 0; i < school_.size(); ++i) before.push_back(distance(fish(i).position(), guide));

  for (int f = 1; f <= 50; ++f) {  // 1000 ms of flight
    frame();
    for (int i = 0; i < school_.size(); ++i) {
      ASSERT_EQ(school_.member(i).state, FishSchool::Flee) << "frame " << f;
      ASSERT_EQ(school_.member(i).speed, 0.005f);
    }
  }
  for (int i = 0; i < school_.size(); ++i) EXPECT_GT(distance(fish(i).position(), guide), before[i] + 2.5f);

  frame();  // past 1000 ms: calming, still at flight speed in this frame
  for (int i = 0; i < school_.size(); ++i) {
    EXPECT_EQ(school_.member(i).state, FishSchool::Calm);
    EXPECT_EQ(school_.member(i).speed, 0.005f);
  }
  float previousSpeed = 0.005f;
  for (int f = 1; f <= 100; ++f) {  // 2000 ms of calming
    frame();
    for (int i = 0; i < school_.size(); ++i) {
      ASSERT_EQ(school_.member(i).state, FishSchool::Calm) << "frame " << f;
      ASSERT_LE(school_.member(i).speed, previousSpeed);
      // Calming fish keep swimming away from the guide (the height band only bends them up or down).
      const FishSchool::SchoolFish& m = school_.member(i);
      const Vector3 away = m.position - guide;
      ASSERT_GT(m.desired.x * away.x + m.desired.z * away.z, 0.0f);
    }
    previousSpeed = school_.member(0).speed;
  }
  EXPECT_FLOAT_EQ(school_.member(0).speed, 0.001f);
  frame();
  for (int i = 0; i < school_.size(); ++i) EXPECT_EQ(school_.member(i).state, FishSchool::Follow);
}

TEST_F(SchoolTest, TheHeightBandPutsStraysBackAndSteersThemIn) {
  build(2, Vector3{0, -3.5f, 10});
  fish(0).setPosition(0, 0, 5);
  fish(1).setPosition(0, -7, 5);
  frame();
  const FishSchool::SchoolFish& high = school_.member(0);
  const FishSchool::SchoolFish& low = school_.member(1);
  EXPECT_EQ(high.position.y, -3.0f);
  EXPECT_LT(high.desired.y, 0.0f);
  EXPECT_NEAR(length3(high.desired), 1.0f, 1e-5f);
  EXPECT_EQ(low.position.y, -4.0f);
  EXPECT_GT(low.desired.y, 0.0f);
  // Each heading component turns toward the wanted direction by at most 0.002 per ms.
  EXPECT_LE(fish(0).target().y - fish(0).position().y, 0.0f);
  EXPECT_GT(fish(1).target().y - fish(1).position().y, 0.0f);

  // Within the band nothing is corrected.
  fish(0).setPosition(0, -3.5f, 5);
  frame();
  EXPECT_EQ(school_.member(0).position.y, -3.5f);
}

TEST_F(SchoolTest, AFishAtTheTargetKeepsItsHeadingAtTheLeastFollowSpeed) {
  const Vector3 guide{0, -3.5f, 10};
  build(1, guide);
  fish(0).setPosition(guide);
  const Vector3 heading = fish(0).target() - fish(0).position();
  frame();
  EXPECT_EQ(school_.member(0).targetSpeed, 0.0006f);
  EXPECT_EQ(school_.member(0).desired, heading);
  EXPECT_EQ(school_.member(0).heading, heading);
  EXPECT_FLOAT_EQ(animation_.frameRate(), school_.member(0).speed * 25000.0f);
}

class SwimmerTest : public ::testing::Test {
 protected:
  void SetUp() override {
    seedRandom(99);
    for (int i = 0; i < 4; ++i) school_.add();
    school_.setTarget(Vector3{0, -3.5f, 10});
    school_.place();
  }

  // A predator in open water: its area is wide enough that it never has to return.
  void startPredator(const Vector3& at, const Vector3& lookAt) {
    swimmer_.settings() = predatorSettings(true, &school_);
    const Vector2 wide[4] = {{-1000, 1000}, {-1000, -1000}, {1000, -1000}, {1000, 1000}};
    for (int i = 0; i < 4; ++i) swimmer_.settings().swimArea[i] = wide[i];
    Pose pose;
    pose.setPosition(at);
    pose.setTarget(lookAt);
    swimmer_.place(pose);
    swimmer_.setAnimation(&animation_);
    swimmer_.start();
  }

  void frame() { swimmer_.update(Frame); }

  bool schoolScattered() const {
    for (int i = 0; i < school_.size(); ++i) {
      if (school_.member(i).state != FishSchool::Flee || school_.member(i).fleeElapsed != 0) return false;
    }
    return true;
  }

  Vector3 fishAt() const { return swimmer_.pose().position(); }

  FrameAnimation animation_;
  FishSchool school_;
  Swimmer swimmer_;
};

TEST_F(SwimmerTest, WithoutAFishNothingHappens) {
  swimmer_.start();
  for (int i = 0; i < 10; ++i) frame();
  EXPECT_EQ(swimmer_.state(), Swimmer::Cruise);
  EXPECT_EQ(swimmer_.speed(), 0.0f);
}

TEST_F(SwimmerTest, StartPutsTheFishAtCruiseHeightWithItsFacingKept) {
  startPredator(Vector3{-3, -1, 12}, Vector3{-4, -1, 12});
  EXPECT_EQ(swimmer_.pose().position(), (Vector3{-3, -4.2f, 12}));
  EXPECT_EQ(swimmer_.pose().target(), (Vector3{-4, -4.2f, 12}));
  EXPECT_EQ(swimmer_.speed(), 0.0009f);
  EXPECT_EQ(swimmer_.targetSpeed(), 0.0009f);
}

TEST_F(SwimmerTest, AFarPredatorDoesNotChaseAndTheNextCheckIsFifteenSecondsLater) {
  startPredator(Vector3{0, -4.2f, 10}, Vector3{1, -4.2f, 10});
  // 750 frames of 20 ms reach the 15 s check; the guide stays 20 units away.
  for (int f = 0; f < 750; ++f) {
    swimmer_.setFollowPoint(fishAt() + Vector3{20, 0, 0});
    frame();
  }
  EXPECT_EQ(swimmer_.state(), Swimmer::Cruise);
  EXPECT_EQ(swimmer_.followElapsed(), 0);
  for (int f = 0; f < 749; ++f) {
    swimmer_.setFollowPoint(fishAt() + Vector3{3, 0, 0});
    frame();
    ASSERT_EQ(swimmer_.state(), Swimmer::Cruise) << "a chase only starts at a check";
  }
  frame();
  EXPECT_EQ(swimmer_.state(), Swimmer::Chase);
  EXPECT_EQ(swimmer_.targetSpeed(), 0.003f);
  EXPECT_EQ(swimmer_.turnRate(), 0.2f);
  EXPECT_EQ(swimmer_.goal().y, -4.2f);
}

TEST_F(SwimmerTest, AChaseThatReachesItsGoalStrikesAndScattersTheSchoolInTheSameFrame) {
  startPredator(Vector3{0, -4.2f, 10}, Vector3{1, -4.2f, 10});
  Vector3 guide;
  for (int f = 0; f < 750; ++f) {
    guide = fishAt() + Vector3{4, 0, 2};
    swimmer_.setFollowPoint(guide);
    frame();
  }
  ASSERT_EQ(swimmer_.state(), Swimmer::Chase);
  int frames = 0;
  while (swimmer_.state() == Swimmer::Chase && frames < 5000) {
    ASSERT_FALSE(schoolScattered());
    frame();
    ++frames;
  }
  EXPECT_EQ(swimmer_.state(), Swimmer::Cruise);
  EXPECT_TRUE(schoolScattered());
  EXPECT_LE(distance(fishAt(), swimmer_.goal()), 1.0f + 0.003f * Frame);
  EXPECT_EQ(swimmer_.targetSpeed(), 0.0009f);
  EXPECT_FLOAT_EQ(swimmer_.turnRate(), 0.05f * swimmer_.speed() / 0.0009f);
}

TEST_F(SwimmerTest, AFishOutsideItsAreaReturnsHomeThenCruisesAgain) {
  swimmer_.settings() = reefSettings(SwimStyle{0.0012f, 14000.0f}, 1, &school_);  // the red fish's
  Pose pose;
  pose.setPosition(20, -2.4f, 5);  // east of the area
  pose.setTarget(21, -2.4f, 5);
  swimmer_.place(pose);
  swimmer_.setAnimation(&animation_);
  swimmer_.start();
  frame();
  EXPECT_TRUE(swimmer_.outside());
  EXPECT_EQ(swimmer_.state(), Swimmer::Return);
  EXPECT_EQ(swimmer_.goal(), (Vector3{-1, -2.4f, 8}));
  int frames = 0;
  while (swimmer_.state() == Swimmer::Return && frames < 20000) {
    frame();
    ++frames;
  }
  EXPECT_EQ(swimmer_.state(), Swimmer::Cruise);
  EXPECT_LE(distance(fishAt(), Vector3{-1, -2.4f, 8}), 1.0f + 0.0012f * Frame);
  EXPECT_FLOAT_EQ(animation_.frameRate(), 14000.0f * swimmer_.speed());
}

TEST_F(SwimmerTest, CruiseHeadingsComeFromTheLimitedRandomRange) {
  startPredator(Vector3{0, -4.2f, 10}, Vector3{1, -4.2f, 10});
  swimmer_.settings().followTarget = false;
  for (int f = 0; f < 20000; ++f) {
    frame();
    ASSERT_GE(swimmer_.targetHeading(), 0.0f);
    ASSERT_LE(swimmer_.targetHeading(), 327.67f);
    ASSERT_GE(swimmer_.speed(), 0.0005f - 1e-7f);  // random speeds stay within their bounds
    ASSERT_LE(swimmer_.speed(), 0.0009f + 1e-7f);
  }
}

TEST(CreatureSettings, ReefFishAlternateTheirFacingAndStackTheirHeights) {
  seedRandom(5);
  for (int i = 0; i < 6; ++i) {
    const CreatureStart start = reefStart(i);
    EXPECT_FLOAT_EQ(start.position.y, (i % 3) * 0.6f - 3.0f);
    EXPECT_EQ(start.lookAt.x - start.position.x, i % 2 == 0 ? 1.0f : -1.0f);
    EXPECT_EQ(reefSettings(SwimStyle{}, i, nullptr).cruiseHeight, start.position.y);
  }
  const SwimmerSettings yellowBlue = reefSettings(SwimStyle{0.0008f, 20000.0f, 0.000001f, true}, 0, nullptr);
  EXPECT_TRUE(yellowBlue.randomSpeed);
  EXPECT_EQ(yellowBlue.acceleration, 0.000001f);
  EXPECT_EQ(predatorSettings(false, nullptr).followTarget, false);
}

}  // namespace
