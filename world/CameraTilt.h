#pragma once
#include <cstdint>

class LookAtCamera;

// The automatic view: rests, tilts up toward the sky at a steady rate, rests, tilts back down to
// the start pose, and so on.
class CameraTilt {
 public:
  // cameraSpeed in thousandths of a degree per millisecond; rest times in seconds.
  void configure(int cameraSpeed, int fixTopSeconds, int fixBottomSeconds);
  void enable() { enabled_ = true; }
  bool enabled() const { return enabled_; }

  // Once per frame, frameTime ms after the previous one, after the other updates.
  void update(LookAtCamera& camera, int frameTime);

  // 0 resting, 1 tilting up, -1 tilting down.
  int direction() const { return direction_; }
  bool moving() const { return moving_; }

 private:
  int cameraSpeed_ = 4;
  int fixTopSeconds_ = 30;
  int fixBottomSeconds_ = 30;
  bool enabled_ = false;
  int direction_ = 0;
  int64_t rested_ = 0;          // milliseconds of the current rest so far
  int64_t restLength_ = 10000;  // milliseconds; a rest time from the registry may be anything
  bool moving_ = false;
};
