#pragma once
#include "world/Vector.h"

// The fixed viewpoint of the scene, handed to gluLookAt every frame. The camera never travels; it
// only tilts up and down. Points are kept in OpenGL's form (the scene's z negated).
class LookAtCamera {
 public:
  // Scene coordinates in; each z is negated on the way in. Resets the pitch.
  void init(float eyeX, float eyeY, float eyeZ, float lookX, float lookY, float lookZ, float upX, float upY, float upZ);
  void apply() const;

  // Turns the view about its horizontal axis; a positive angle lowers it. The accumulated pitch is
  // kept within +-89 degrees, so the turn is cut short at the limit.
  void tilt(float angle);
  // One key step per frame (not scaled by time): +1 lowers the view, -1 raises it.
  void stepTilt(int direction);

  float pitch() const { return pitch_; }
  float tiltStep() const { return tiltStep_; }
  // OpenGL form: z negated relative to the scene.
  const Vector3& eye() const { return eye_; }
  const Vector3& lookAt() const { return lookAt_; }
  const Vector3& up() const { return up_; }

 private:
  Vector3 eye_{0.0f, 10.0f, 20.0f};
  Vector3 lookAt_{0.0f, 0.0f, 0.0f};
  Vector3 up_{0.0f, 1.0f, 0.0f};
  float pitch_ = 0.0f;
  float tiltStep_ = 0.5f;
};
