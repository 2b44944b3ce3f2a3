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
  GullFlight() = default;
  // The path moves this object's own pose.
  GullFlight(const GullFlight&) = delete;
  GullFlight& operator=(const GullFlight&) = delete;

  // Puts the gull at start and builds its first two crossings. wings is the gull model's
  // animation, which already has "glide" and "fly".
  void build(const Vector3& start, FrameAnimation* wings);
  // Once per frame while the gull is in the scene, frameTime ms after the previous one.
  void update(int frameTime);

  bool flapping() const { return flapping_; }
  // Milliseconds since the gull last switched between gliding and flapping.
  int64_t sinceSwitch() const { return sinceSwitch_; }
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
  int64_t sinceSwitch_ = 0;
  int switchWait_ = 3000;
  bool gullSide_ = false;
};
