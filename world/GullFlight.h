#pragma once
#include <cstdint>

#include "world/FrameAnimation.h"
#include "world/Pose.h"
#include "world/SplinePath.h"

// The gull's flight: crossings of the view high above the water and, now and then, a swoop
// past the viewer. Passed points are replaced with freshly drawn ones, and the gull switches
// between gliding and flapping only at the end of a wing-beat cycle.
class GullFlight {
 public:
  GullFlight();
  // The path moves this object's own pose.
  GullFlight(const GullFlight&) = delete;
  GullFlight& operator=(const GullFlight&) = delete;

  // Puts the gull at start and builds its first two crossings. wings is the gull model's
  // animation, which already has "glide" and "fly".
  void build(const Vector3& start, FrameAnimation* wings);
  // Once per frame while the gull is in the scene.
  void update();

  bool flapping() const { return flapping_; }
  uint32_t lastSwitch() const { return lastSwitch_; }
  int switchWait() const { return switchWait_; }
  bool gullSide() const { return gullSide_; }
  const SplinePath& path() const { return path_; }
  const Pose& pose() const { return pose_; }

 private:
  void appendCrossing(bool side);
  void appendSwoop(bool side);

  Pose pose_;
  FrameAnimation* wings_ = nullptr;
  SplinePath path_;
  bool flapping_ = true;
  uint32_t lastSwitch_;  // a wait is measured as time since, so the clock's wrap cuts none short
  int switchWait_ = 3000;
  bool gullSide_ = false;
};
