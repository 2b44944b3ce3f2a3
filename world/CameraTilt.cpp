#include "world/CameraTilt.h"

#include "world/LookAtCamera.h"

namespace {

constexpr float TopPitch = -25.0f;

}  // namespace

void CameraTilt::configure(int cameraSpeed, int fixTopSeconds, int fixBottomSeconds) {
  cameraSpeed_ = cameraSpeed;
  fixTopSeconds_ = fixTopSeconds;
  fixBottomSeconds_ = fixBottomSeconds;
}

void CameraTilt::update(LookAtCamera& camera, int frameTime) {
  const float step = static_cast<float>(cameraSpeed_) * 0.001f * static_cast<float>(frameTime);
  if (direction_ == 1) {
    // The limit is checked before the step, so the tilt may pass it by one frame's step.
    if (camera.pitch() > TopPitch) {
      camera.tilt(-step);
      return;
    }
    direction_ = 0;
    restLength_ = int64_t{fixTopSeconds_} * 1000;
    rested_ = 0;
    moving_ = false;
  } else if (direction_ == -1) {
    if (camera.pitch() < 0.0f) {
      camera.tilt(step);
      return;
    }
    direction_ = 0;
    restLength_ = int64_t{fixBottomSeconds_} * 1000;
    rested_ = 0;
    moving_ = false;
  } else if ((rested_ += frameTime) > restLength_) {
    rested_ = 0;
    direction_ = camera.pitch() >= 0.0f ? 1 : -1;
    moving_ = true;
  }
}
