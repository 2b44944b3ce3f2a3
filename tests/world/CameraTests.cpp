#include <windows.h>
#include <GL/gl.h>
#include <gtest/gtest.h>

#include <cmath>

#include "tests/support/GLTestContext.h"
#include "world/CameraTilt.h"
#include "world/LookAtCamera.h"
#include "world/MathConstants.h"

namespace {

Vector3 facing(const LookAtCamera& camera) { return normalized(camera.lookAt() - camera.eye()); }

float degreesBetween(const Vector3& a, const Vector3& b) {
  return std::acos(std::fmax(-1.0f, std::fmin(1.0f, dot(normalized(a), normalized(b))))) * RadToDeg;
}

LookAtCamera startPose() {
  LookAtCamera camera;
  camera.init(0, 2, -7, 0, 0, 1, 0, 1, 0);
  return camera;
}

// Runs the automatic tilt for frames of frameTime ms each.
void runFrames(CameraTilt& tilt, LookAtCamera& camera, int frames, int frameTime) {
  for (int i = 0; i < frames; ++i) tilt.update(camera, frameTime);
}

}  // namespace

TEST(LookAtCamera, InitKeepsPointsWithZNegated) {
  LookAtCamera camera = startPose();
  EXPECT_EQ(camera.eye(), (Vector3{0, 2, 7}));
  EXPECT_EQ(camera.lookAt(), (Vector3{0, 0, -1}));
  EXPECT_EQ(camera.up(), (Vector3{0, 1, 0}));
  camera.tilt(10);
  camera.init(0, 2, -7, 0, 0, 1, 0, 1, 0);
  EXPECT_EQ(camera.pitch(), 0.0f);
  EXPECT_EQ(camera.lookAt(), (Vector3{0, 0, -1}));
}

TEST(LookAtCamera, PositiveTiltLowersTheViewAboutItsSideAxis) {
  LookAtCamera camera = startPose();
  const Vector3 before = facing(camera);
  camera.tilt(10);
  const Vector3 after = facing(camera);
  EXPECT_NEAR(degreesBetween(before, after), 10.0f, 1e-3f);
  EXPECT_LT(after.y, before.y);
  EXPECT_NEAR(after.x, 0.0f, 1e-6f);  // no sideways turn
  EXPECT_EQ(camera.eye(), (Vector3{0, 2, 7}));
  EXPECT_EQ(camera.up(), (Vector3{0, 1, 0}));
  camera.tilt(-10);
  EXPECT_NEAR(facing(camera).y, before.y, 1e-5f);
  EXPECT_NEAR(camera.pitch(), 0.0f, 1e-6f);
}

TEST(LookAtCamera, TiltIsClampedAtEightyNineDegrees) {
  LookAtCamera camera = startPose();
  const Vector3 start = facing(camera);
  camera.tilt(100);
  EXPECT_EQ(camera.pitch(), 89.0f);
  EXPECT_NEAR(degreesBetween(start, facing(camera)), 89.0f, 1e-2f);
  const Vector3 atLimit = camera.lookAt();
  camera.tilt(5);
  EXPECT_EQ(camera.pitch(), 89.0f);
  EXPECT_NEAR(distance(camera.lookAt(), atLimit), 0.0f, 1e-5f);

  LookAtCamera up = startPose();
  up.tilt(-30);
  up.tilt(-70);
  EXPECT_EQ(up.pitch(), -89.0f);
  EXPECT_NEAR(degreesBetween(start, facing(up)), 89.0f, 1e-2f);
}

TEST(LookAtCamera, ApplyPutsTheEyeAtTheOriginLookingDownMinusZ) {
  GLTestContext gl(64, 64);
  ASSERT_TRUE(gl.ok());
  gl.resetFrame();
  LookAtCamera camera = startPose();
  camera.tilt(-8);
  camera.apply();
  float m[16];
  glGetFloatv(GL_MODELVIEW_MATRIX, m);
  auto apply = [&m](const Vector3& v, float w) {
    return Vector3{m[0] * v.x + m[4] * v.y + m[8] * v.z + m[12] * w, m[1] * v.x + m[5] * v.y + m[9] * v.z + m[13] * w,
                   m[2] * v.x + m[6] * v.y + m[10] * v.z + m[14] * w};
  };
  const Vector3 eye = apply(camera.eye(), 1.0f);
  EXPECT_NEAR(length3(eye), 0.0f, 1e-4f);
  const Vector3 forward = apply(facing(camera), 0.0f);
  EXPECT_NEAR(forward.z, -1.0f, 1e-5f);
  const Vector3 up = apply(Vector3{0, 1, 0}, 0.0f);
  EXPECT_NEAR(up.x, 0.0f, 1e-5f);
  EXPECT_GT(up.y, 0.9f);
}

TEST(LookAtCamera, KeyStepsAreHalfADegreePerFrame) {
  LookAtCamera camera = startPose();
  camera.stepTilt(1);
  camera.stepTilt(1);
  EXPECT_FLOAT_EQ(camera.pitch(), 1.0f);
  camera.stepTilt(-1);
  EXPECT_FLOAT_EQ(camera.pitch(), 0.5f);
  camera.stepTilt(-1);
  EXPECT_FLOAT_EQ(camera.pitch(), 0.0f);
}

TEST(CameraTilt, RestsThenTiltsUpRestsAndComesBackDown) {
  LookAtCamera camera = startPose();
  CameraTilt tilt;
  tilt.enable();
  runFrames(tilt, camera, 500, 20);  // exactly the first 10 s rest
  EXPECT_EQ(tilt.direction(), 0);
  EXPECT_EQ(camera.pitch(), 0.0f);
  runFrames(tilt, camera, 1, 20);
  EXPECT_EQ(tilt.direction(), 1);
  EXPECT_TRUE(tilt.moving());
  runFrames(tilt, camera, 50, 20);  // 1 s at 4 degrees per second
  EXPECT_NEAR(camera.pitch(), -4.0f, 1e-3f);

  int frames = 0;
  while (tilt.direction() == 1 && frames < 10000) {
    runFrames(tilt, camera, 1, 20);
    ++frames;
  }
  EXPECT_FALSE(tilt.moving());
  EXPECT_LE(camera.pitch(), -25.0f);
  EXPECT_GT(camera.pitch(), -25.0f - 0.08f - 1e-3f);  // at most one frame's step beyond
  const float top = camera.pitch();
  runFrames(tilt, camera, 1500, 20);  // the 30 s rest at the top
  EXPECT_EQ(tilt.direction(), 0);
  EXPECT_EQ(camera.pitch(), top);
  runFrames(tilt, camera, 1, 20);
  EXPECT_EQ(tilt.direction(), -1);
  frames = 0;
  while (tilt.direction() == -1 && frames < 10000) {
    runFrames(tilt, camera, 1, 20);
    ++frames;
  }
  EXPECT_GE(camera.pitch(), 0.0f);
  EXPECT_LT(camera.pitch(), 0.08f + 1e-3f);
  EXPECT_NEAR(frames, 25.0f / 0.08f + 1.0f, 3.0f);
}

TEST(CameraTilt, SpeedZeroNeverLeavesItsFirstTilt) {
  LookAtCamera camera = startPose();
  CameraTilt tilt;
  tilt.configure(0, 30, 30);
  tilt.enable();
  runFrames(tilt, camera, 600, 20);
  EXPECT_EQ(tilt.direction(), 1);
  runFrames(tilt, camera, 50000, 20);
  EXPECT_EQ(tilt.direction(), 1);
  EXPECT_TRUE(tilt.moving());
  EXPECT_EQ(camera.pitch(), 0.0f);
}

TEST(CameraTilt, NoRestAtTheTopStartsBackDownOnTheNextFrame) {
  LookAtCamera camera = startPose();
  CameraTilt tilt;
  tilt.configure(10, 0, 30);
  tilt.enable();
  runFrames(tilt, camera, 501, 20);
  ASSERT_EQ(tilt.direction(), 1);
  while (tilt.direction() == 1) runFrames(tilt, camera, 1, 20);
  const float top = camera.pitch();
  EXPECT_LE(top, -25.0f);
  runFrames(tilt, camera, 1, 20);
  EXPECT_EQ(tilt.direction(), -1);
  EXPECT_TRUE(tilt.moving());
  runFrames(tilt, camera, 1, 20);
  EXPECT_NEAR(camera.pitch(), top + 0.2f, 1e-4f);
}

TEST(CameraTilt, RestsHoldWithAnyStoredRestTime) {
  // Rest times far beyond a day keep the view at the top; negative ones do not rest at all.
  LookAtCamera camera = startPose();
  CameraTilt tilt;
  tilt.configure(1000, 0x7FFFFFFF, -0x7FFFFFFF - 1);
  tilt.enable();
  runFrames(tilt, camera, 501, 20);
  while (tilt.direction() == 1) runFrames(tilt, camera, 1, 20);
  runFrames(tilt, camera, 100000, 20);
  EXPECT_EQ(tilt.direction(), 0);
  EXPECT_LE(camera.pitch(), -25.0f);

  CameraTilt eager;
  eager.configure(1000, -0x7FFFFFFF - 1, 0x7FFFFFFF);
  eager.enable();
  LookAtCamera other = startPose();
  runFrames(eager, other, 501, 20);
  while (eager.direction() == 1) runFrames(eager, other, 1, 20);
  runFrames(eager, other, 1, 20);
  EXPECT_EQ(eager.direction(), -1);
}
