#pragma once
#include <cstdint>

#include "world/FrameAnimation.h"
#include "world/Pose.h"
#include "world/Random.h"
#include "world/Vector.h"

class FishSchool;

// What a scene sets on a Swimmer before starting it; the defaults are the guide's.
struct SwimmerSettings {
  // Polygon the fish may cruise in, corners as (x, z).
  Vector2 swimArea[4] = {{-15.0f, 25.0f}, {-6.0f, 2.0f}, {-2.0f, 2.0f}, {10.0f, 25.0f}};
  Vector2 home{-5.0f, 12.0f};  // (x, z) it returns to after leaving the area
  float baseTurnRate = 0.05f;  // degrees per ms at full speed
  int headingPeriod = 4000;
  float animFactor = 40000.0f;  // animation frames per second per unit of speed
  float cruiseHeight = -3.5f;
  float arriveRadius = 1.0f;
  bool followTarget = false;  // look for a chase every 15 s
  float strikeRadius = 10.0f;
  float chaseSpeed = 0.003f;
  float acceleration = 0.000004f;  // per ms
  float maxSpeed = 0.001f;         // also the start speed
  float minSpeed = 0.0005f;
  bool randomSpeed = false;
  FishSchool* school = nullptr;  // scattered on a strike
};

// Steers one fish, which it holds as a pose, by heading, speed and goal points: it cruises with random headings inside
// its area, returns home when it strays, and (a predator) now and then chases a follow point and strikes, scattering
// the school.
class Swimmer {
 public:
  enum State { Cruise = 0, Return = 1, Chase = 3, Strike = 4 };

  Swimmer();

  SwimmerSettings& settings() { return settings_; }
  const SwimmerSettings& settings() const { return settings_; }
  // Gives the swimmer its fish, standing at pose; until then nothing happens.
  void place(const Pose& pose) {
    pose_ = pose;
    placed_ = true;
  }
  // The fish's model animation, whose frame rate follows the speed; none leaves it alone.
  void setAnimation(FrameAnimation* animation) { animation_ = animation; }
  const Pose& pose() const { return pose_; }
  void start();
  void setFollowPoint(const Vector3& point) { followPoint_ = point; }
  // One frame of frameTime ms.
  void update(int frameTime);

  int state() const { return state_; }
  float speed() const { return speed_; }
  float targetSpeed() const { return targetSpeed_; }
  float turnRate() const { return turnRate_; }
  float heading() const { return heading_; }
  float targetHeading() const { return targetHeading_; }
  const Vector3& goal() const { return goal_; }
  bool outside() const { return outside_; }
  int followElapsed() const { return followElapsed_; }

 private:
  void startGoal(const Vector3& goal);
  void speedStep();
  void swim();

  SwimmerSettings settings_;
  Pose pose_;
  bool placed_ = false;
  FrameAnimation* animation_ = nullptr;
  int state_ = Cruise;
  int frameTime_ = 0;
  int headingElapsed_ = 0;
  int followElapsed_ = 0;
  Vector3 goalDirection_;
  float targetHeading_ = 0.0f;
  float heading_ = 0.0f;  // accumulated turn since start, never wrapped
  Vector3 goal_;
  float speed_ = 0.0f;
  float targetSpeed_ = 0.0f;
  float turnRate_;
  Vector3 followPoint_;
  bool outside_ = false;
  Vector2 area_[4];
  RandomTimer speedTimer_;
};
