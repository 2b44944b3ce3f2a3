#include "world/LookAtCamera.h"

#include <GL/glu.h>

#include "world/Matrix.h"

void LookAtCamera::init(float eyeX, float eyeY, float eyeZ, float lookX, float lookY, float lookZ, float upX, float upY,
                        float upZ) {
  eye_ = {eyeX, eyeY, -eyeZ};
  lookAt_ = {lookX, lookY, -lookZ};
  up_ = {upX, upY, -upZ};
  pitch_ = 0.0f;
}

void LookAtCamera::apply() const {
  gluLookAt(eye_.x, eye_.y, eye_.z, lookAt_.x, lookAt_.y, lookAt_.z, up_.x, up_.y, up_.z);
}

void LookAtCamera::tilt(float angle) {
  const float wanted = pitch_ + angle;
  if (wanted >= 90.0f) {
    angle = 89.0f - pitch_;
    pitch_ = 89.0f;
  } else if (wanted <= -90.0f) {
    angle = -89.0f - pitch_;
    pitch_ = -89.0f;
  } else {
    pitch_ = wanted;
  }
  const Vector3 forward = lookAt_ - eye_;
  const Vector3 axis = normalized(cross(forward, up_));
  lookAt_ = eye_ + rotateAbout(forward, axis, angle);
}

void LookAtCamera::stepTilt(int direction) {
  if (direction > 0) {
    tilt(tiltStep_);
  } else if (direction < 0) {
    tilt(-tiltStep_);
  }
}
