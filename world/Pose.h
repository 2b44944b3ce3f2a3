#pragma once
#include "world/Vector.h"

// Where a creature is and which way it faces: its position, the point it looks at and its up
// direction. What the scene needs to draw it; the creature moves only this. Kept with z negated
// (the form OpenGL's look-at frame takes); the accessors take and give scene coordinates.
class Pose {
 public:
  // Moves to p with the look-at point carried along, so the facing is kept.
  void setPosition(float x, float y, float z);
  void setPosition(const Vector3& p) { setPosition(p.x, p.y, p.z); }
  // Moves to p; the look-at point stays where it is.
  void placeAt(float x, float y, float z) { position_ = {x, y, -z}; }
  void placeAt(const Vector3& p) { placeAt(p.x, p.y, p.z); }
  void setTarget(float x, float y, float z) { target_ = {x, y, -z}; }
  void setTarget(const Vector3& t) { setTarget(t.x, t.y, t.z); }
  void setUp(float x, float y, float z) { up_ = {x, y, -z}; }
  void setUp(const Vector3& u) { setUp(u.x, u.y, u.z); }
  Vector3 position() const { return {position_.x, position_.y, -position_.z}; }
  Vector3 target() const { return {target_.x, target_.y, -target_.z}; }
  Vector3 up() const { return {up_.x, up_.y, -up_.z}; }

  // The z-negated form, for the drawing transform.
  const Vector3& glPosition() const { return position_; }
  const Vector3& glTarget() const { return target_; }
  const Vector3& glUp() const { return up_; }

  // Movement in the z-negated form, turning with rotateAbout.
  void moveForward(float distance);
  void turn(float degrees);  // the facing turns about the up vector
  void roll(float degrees);  // the up vector turns about the facing

 private:
  Vector3 position_{0.0f, 0.0f, 0.0f};
  Vector3 target_{0.0f, 0.0f, -1.0f};
  Vector3 up_{0.0f, 1.0f, 0.0f};
};
