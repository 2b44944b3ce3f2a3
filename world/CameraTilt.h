#pragma once
class LookAtCamera;

// The automatic view: rests, tilts up toward the sky at a steady rate, rests, tilts back down to
// the start pose, and so on.
class CameraTilt {
 public:
  CameraTilt();

  // cameraSpeed in thousandths of a degree per millisecond; rest times in seconds.
  void configure(int cameraSpeed, int fixTopSeconds, int fixBottomSeconds);
  void enable() { enabled_ = true; }
  bool enabled() const { return enabled_; }

  // Once per frame, after the other updates.
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
  int restStart_;
  int restLength_ = 10000;
  bool moving_ = false;
};
