#pragma once
#include <cstddef>
#include <cstdint>
#include <vector>

#include "world/FrameAnimation.h"
#include "world/Pose.h"
#include "world/Vector.h"

// Many identical small fish steered toward one target point (the invisible guide). Each member
// follows, wanders off now and then, keeps within a height band below the surface, and flees
// from the guide's position when a predator strikes.
class FishSchool {
 public:
  enum State { Follow = 0, Wander = 1, Flee = 2, Calm = 3 };
  // Units per ms: the least speed at which a member follows, the school's cruise.
  static constexpr float MinFollowSpeed = 0.0006f;

  struct SchoolFish {
    Pose pose;  // what is drawn
    Vector3 position;
    float speed = 0.0f;
    float targetSpeed = 0.0f;
    Vector3 desired;
    Vector3 heading;  // need not be unit length
    int wanderLimit = 0;
    int wanderElapsed = 0;
    int fleeElapsed = 0;
    int state = Follow;
    int index = 0;
  };

  // Sizes the member array once at build, so adding members never reallocates later.
  void reserve(int count) { members_.reserve(static_cast<size_t>(count)); }
  // Lets every member go, with the storage they took.
  void clear() { members_ = {}; }
  // Appends a member at the default pose; place() puts it in the water.
  void add();
  // The members' shared model animation, whose frame rate follows each member's speed in turn.
  void setAnimation(FrameAnimation* animation) { animation_ = animation; }
  // Spreads the members around the target.
  void place();
  void setTarget(const Vector3& point) { target_ = point; }
  void setFleeFrom(const Vector3& point) { fleeFrom_ = point; }
  // One frame of frameTime ms.
  void update(int frameTime);
  void scatter();

  int size() const { return static_cast<int>(members_.size()); }
  const SchoolFish& member(int i) const { return members_[static_cast<size_t>(i)]; }
  SchoolFish& member(int i) { return members_[static_cast<size_t>(i)]; }
  int frameTime() const { return frameTime_; }

 private:
  void steer(SchoolFish& fish);
  void keepInHeightBand(SchoolFish& fish);

  Vector3 target_;
  Vector3 fleeFrom_;
  std::vector<SchoolFish> members_;
  FrameAnimation* animation_ = nullptr;
  int frameTime_ = 0;
};
