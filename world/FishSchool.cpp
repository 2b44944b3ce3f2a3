#include "world/FishSchool.h"

#include <algorithm>

#include "world/Random.h"

namespace {

constexpr float MaxFollowSpeed = 0.002f;
constexpr float WanderSpeed = 0.001f;
constexpr float FleeSpeed = 0.005f;
constexpr float CalmSpeed = 0.001f;
constexpr int FleeTime = 1000;
constexpr int CalmTime = 2000;
constexpr int FollowTime = 1000;
constexpr int WanderTime = 600;
constexpr float HeadingRate = 0.002f;      // per ms and component
constexpr float Acceleration = 0.000004f;  // per ms
constexpr float FramesPerSpeed = 25000.0f;

}  // namespace

void FishSchool::add() { members_.emplace_back(); }

void FishSchool::place() {
  for (size_t i = 0; i < members_.size(); ++i) {
    SchoolFish& fish = members_[i];
    const int r1 = randomDraw();
    const int r2 = randomDraw();
    fish.pose.setPosition(target_.x + static_cast<float>(r2 % 10) * 0.3f - 2.0f, target_.y,
                          target_.z + static_cast<float>(r1 % 10) * 0.3f);
    fish.speed = 0.0f;
    fish.state = Follow;
    fish.index = static_cast<int>(i);
    fish.wanderElapsed = 0;
    fish.fleeElapsed = 0;
    fish.wanderLimit = FollowTime;
  }
}

void FishSchool::scatter() {
  for (SchoolFish& fish : members_) {
    fish.state = Flee;
    fish.fleeElapsed = 0;
  }
}

void FishSchool::update(int frameTime) {
  frameTime_ = frameTime;
  const float dt = static_cast<float>(frameTime_);

  for (SchoolFish& fish : members_) {
    Pose& pose = fish.pose;
    fish.position = pose.position();
    fish.heading = pose.target() - fish.position;
    fish.desired = fish.heading;
    fish.targetSpeed = MaxFollowSpeed;

    steer(fish);
    keepInHeightBand(fish);

    const float turn = dt * HeadingRate;
    stepToward(fish.heading.x, fish.desired.x, turn);
    stepToward(fish.heading.y, fish.desired.y, turn);
    stepToward(fish.heading.z, fish.desired.z, turn);
    pose.setTarget(fish.position + fish.heading);

    stepToward(fish.speed, fish.targetSpeed, dt * Acceleration);
    pose.moveForward(dt * fish.speed);
    if (animation_) animation_->setFrameRate(fish.speed * FramesPerSpeed);
  }
}

void FishSchool::steer(SchoolFish& fish) {
  switch (fish.state) {
    case Follow: {
      if (fish.position != target_) fish.desired = normalized(target_ - fish.position);
      const float beyond = std::max(0.0f, distance(fish.position, target_) - 3.0f);
      fish.targetSpeed = std::max(MinFollowSpeed, std::min(MaxFollowSpeed, beyond * 0.0005f));
    }
      [[fallthrough]];
    case Wander:
      // Between its decisions a wandering fish keeps the way it is facing.
      fish.wanderElapsed += frameTime_;
      if (fish.wanderElapsed > fish.wanderLimit) {
        fish.wanderElapsed = 0;
        if (randomDraw() % 2 == 0) {
          Vector3 away;
          away.x = randomRange(-50.0f, 50.0f, 2);
          away.y = randomRange(-50.0f, 50.0f, 2);
          away.z = randomRange(-50.0f, 50.0f, 2);
          fish.desired = normalized(away);
          fish.wanderLimit = WanderTime;
          fish.targetSpeed = WanderSpeed;
          fish.state = Wander;
        } else {
          fish.wanderLimit = FollowTime;
          fish.state = Follow;
        }
      }
      break;
    case Flee:
      fish.fleeElapsed += frameTime_;
      if (fish.fleeElapsed > FleeTime) {
        fish.fleeElapsed = 0;
        fish.state = Calm;
      }
      fish.desired = normalized(fish.position - fleeFrom_);
      fish.speed = fish.targetSpeed = FleeSpeed;
      break;
    case Calm:
      fish.fleeElapsed += frameTime_;
      if (fish.fleeElapsed > CalmTime) {
        fish.fleeElapsed = 0;
        fish.state = Follow;
      }
      fish.desired = normalized(fish.position - fleeFrom_);
      fish.targetSpeed = CalmSpeed;
      break;
    default:
      break;
  }
}

void FishSchool::keepInHeightBand(SchoolFish& fish) {
  Pose& pose = fish.pose;
  const float y = fish.position.y;
  if (y > -4.0f && y < -3.0f) return;
  if (fish.state == Wander) {
    fish.state = Follow;
    if (y >= -1.0f) {
      pose.placeAt(fish.position.x, -3.0f, fish.position.z);
    } else if (y <= -6.0f) {
      pose.placeAt(fish.position.x, -4.0f, fish.position.z);
    }
    fish.position = pose.position();
    return;
  }
  if (y >= -3.0f) {
    if (y >= -1.0f) pose.placeAt(fish.position.x, -3.0f, fish.position.z);
    fish.desired.y -= 1.5f;
  } else {
    if (y <= -6.0f) pose.placeAt(fish.position.x, -4.0f, fish.position.z);
    fish.desired.y += 1.5f;
  }
  normalize(fish.desired);
  fish.position = pose.position();
}
