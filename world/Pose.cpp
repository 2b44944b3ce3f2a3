#include "world/Pose.h"

#include "world/Matrix.h"

void Pose::setPosition(float x, float y, float z) {
  const Vector3 moved{x, y, -z};
  target_ = target_ + (moved - position_);
  position_ = moved;
}

void Pose::moveForward(float distance) {
  const Vector3 step = normalized(target_ - position_) * distance;
  position_ = position_ + step;
  target_ = target_ + step;
}

void Pose::turn(float degrees) { target_ = position_ + rotateAbout(target_ - position_, up_, degrees); }

void Pose::roll(float degrees) { up_ = normalized(rotateAbout(up_, normalized(target_ - position_), degrees)); }
