#include "world/Swimmer.h"

#include "world/FishSchool.h"

namespace {

constexpr int FollowCheckPeriod = 15000;
constexpr float ChaseTurnRate = 0.2f;

}  // namespace

Swimmer::Swimmer() : turnRate_(settings_.baseTurnRate) { speedTimer_.setRange(3000, 4000); }

void Swimmer::start() {
  if (!placed_) return;
  speed_ = targetSpeed_ = settings_.maxSpeed;
  const Vector3 position = pose_.position();
  const Vector3 facing = pose_.target() - position;
  pose_.placeAt(position.x, settings_.cruiseHeight, position.z);
  pose_.setTarget(pose_.position() + facing);
  for (int i = 0; i < 4; ++i) area_[i] = settings_.swimArea[i];
  speedTimer_.restart();
}

void Swimmer::startGoal(const Vector3& goal) {
  goal_ = goal;
  goalDirection_ = normalized(goal_ - pose_.position());
}

void Swimmer::speedStep() {
  const float dt = static_cast<float>(frameTime_);
  if (settings_.randomSpeed && state_ != Chase && speedTimer_.tick(frameTime_)) {
    targetSpeed_ = randomRange(settings_.minSpeed, settings_.maxSpeed, 5);
  }
  stepToward(speed_, targetSpeed_, dt * settings_.acceleration);
  turnRate_ = settings_.baseTurnRate * speed_ / settings_.maxSpeed;
}

void Swimmer::swim() {
  speedStep();
  pose_.moveForward(static_cast<float>(frameTime_) * speed_);
  if (animation_) animation_->setFrameRate(settings_.animFactor * speed_);
}

void Swimmer::update(int frameTime) {
  if (!placed_) return;
  frameTime_ = frameTime;
  const float dt = static_cast<float>(frameTime_);

  // A goal reached switches state and steers again within the same frame.
  for (;;) {
    switch (state_) {
      case Cruise: {
        headingElapsed_ += frameTime_;
        if (headingElapsed_ >= settings_.headingPeriod) {
          targetHeading_ = randomRange(0.0f, 359.0f, 2);
          headingElapsed_ = 0;
        }
        const Vector3 position = pose_.position();
        outside_ = !pointInPolygon(area_, 4, Vector2{position.x, position.z});
        if (outside_) {
          startGoal(Vector3{settings_.home.x, settings_.cruiseHeight, settings_.home.y});
          state_ = Return;
        }
        pose_.turn(stepToward(heading_, targetHeading_, dt * turnRate_));
        swim();
        if (settings_.followTarget) {
          followElapsed_ += frameTime_;
          if (followElapsed_ >= FollowCheckPeriod) {
            followElapsed_ = 0;
            if (distance(position, followPoint_) <= settings_.strikeRadius) {
              startGoal(Vector3{followPoint_.x, settings_.cruiseHeight, followPoint_.z});
              targetSpeed_ = settings_.chaseSpeed;
              turnRate_ = ChaseTurnRate;
              state_ = Chase;
            }
          }
        }
        return;
      }
      case Return:
      case Chase: {
        const Vector3 position = pose_.position();
        if (distance(position, goal_) > settings_.arriveRadius) {
          goalDirection_ = normalized(goal_ - position);
          const Vector3 facing = rotateToward(normalized(pose_.target() - position), goalDirection_, dt * turnRate_);
          pose_.setTarget(position + facing);
          swim();
          return;
        }
        state_ = state_ == Chase ? Strike : Cruise;
        break;
      }
      case Strike:
        if (settings_.school) settings_.school->scatter();
        turnRate_ = settings_.baseTurnRate;
        targetSpeed_ = settings_.maxSpeed;
        state_ = Cruise;
        break;
      default:
        state_ = Cruise;
        return;
    }
  }
}
