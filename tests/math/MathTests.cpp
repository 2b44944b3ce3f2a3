#include <gtest/gtest.h>

#include <cmath>

#include "world/Matrix.h"
#include "world/Vector.h"

namespace {

void expectNear(const Vector3& v, float x, float y, float z, float eps = 1e-5f) {
  EXPECT_NEAR(v.x, x, eps);
  EXPECT_NEAR(v.y, y, eps);
  EXPECT_NEAR(v.z, z, eps);
}

TEST(Vectors, LengthsProductsAndNormalising) {
  EXPECT_FLOAT_EQ(length3({2, 3, 6}), 7.0f);
  EXPECT_FLOAT_EQ(length2({3, 4}), 5.0f);
  expectNear(normalized(Vector3{0, 0, -4}), 0, 0, -1);
  expectNear(cross({1, 0, 0}, {0, 1, 0}), 0, 0, 1);
  EXPECT_FLOAT_EQ(dot(Vector3{1, 2, 3}, Vector3{4, -5, 6}), 12.0f);
  EXPECT_FLOAT_EQ(distance({1, 1, 1}, {1, 4, 5}), 5.0f);
}

TEST(Vectors, SignedAngleIsCounterClockwisePositive) {
  EXPECT_NEAR(signedAngle2({1, 0}, {0, 1}), 1.5707964f, 1e-5f);
  EXPECT_NEAR(signedAngle2({1, 0}, {0, -2}), -1.5707964f, 1e-5f);
  EXPECT_EQ(signedAngle2({2, 0}, {5, 0}), 0.0f);
  // A zero direction (a path's first frame) gives no angle at all.
  EXPECT_TRUE(std::isnan(signedAngle2({1, 0}, {0, 0})));
}

TEST(Vectors, RotateTowardStopsAtTheLimitOrReturnsTheTarget) {
  const Vector3 to = normalized(Vector3{1, 0, 1});
  const Vector3 near = rotateToward(Vector3{1, 0, 0}, to, 50.0f);
  EXPECT_EQ(near, to);
  const Vector3 limited = rotateToward(Vector3{1, 0, 0}, Vector3{0, 0, 1}, 10.0f);
  EXPECT_NEAR(std::acos(dot(limited, Vector3{1, 0, 0})) * 57.295776f, 10.0f, 1e-3f);
  EXPECT_GT(limited.z, 0.0f);
  EXPECT_EQ(rotateToward(Vector3{1, 0, 0}, Vector3{1, 0, 0}, 1.0f), (Vector3{1, 0, 0}));
  // Opposite directions have no common plane: still a turn by the limit, never a NaN vector.
  const Vector3 turned = rotateToward(Vector3{1, 0, 0}, Vector3{-1, 0, 0}, 10.0f);
  EXPECT_TRUE(std::isfinite(turned.x) && std::isfinite(turned.y) && std::isfinite(turned.z));
  EXPECT_NEAR(std::acos(dot(turned, Vector3{1, 0, 0})) * 57.295776f, 10.0f, 1e-3f);
}

TEST(Vectors, CurvesAndWrapping) {
  const Vector3 p0{0, 0, 0}, p1{1, 0, 0}, p2{2, 1, 0}, p3{3, 1, 0};
  EXPECT_EQ(catmullRom(p0, p1, p2, p3, 0.0f), p1);
  expectNear(catmullRom(p0, p1, p2, p3, 1.0f), 2, 1, 0);
  expectNear(lerp({0, 0, 0}, {2, 4, 6}, 0.25f), 0.5f, 1, 1.5f);
  EXPECT_NEAR(wrapDegrees(370.5f, 360), 10.5f, 1e-4f);
  EXPECT_NEAR(wrapDegrees(-370.5f, 360), -10.5f, 1e-4f);
  EXPECT_NEAR(wrapDegrees(725.5f, 360), 5.5f, 1e-4f);
  EXPECT_NEAR(wrapDegrees(-10.0f, 360), -10.0f, 1e-6f);
  // Far beyond the int range the angle is still reduced, not turned into garbage.
  const float huge = wrapDegrees(1.0e12f, 360);
  EXPECT_GT(huge, -360.0f);
  EXPECT_LT(huge, 360.0f);
}

TEST(Matrices, ColumnOrderProductsAndRotations) {
  const Matrix4x4 rz = Matrix4x4::rotationZ(90.0f);
  EXPECT_NEAR(rz.m[1], 1.0f, 1e-6f);
  EXPECT_NEAR(rz.m[4], -1.0f, 1e-6f);
  const Matrix4x4 rx = Matrix4x4::rotationX(30.0f);
  EXPECT_NEAR(rx.m[6], 0.5f, 1e-6f);
  EXPECT_NEAR(rx.m[9], -0.5f, 1e-6f);
  const Matrix4x4 ry = Matrix4x4::rotationY(30.0f);
  EXPECT_NEAR(ry.m[2], -0.5f, 1e-6f);
  EXPECT_NEAR(ry.m[8], 0.5f, 1e-6f);

  Matrix4x4 translate;
  translate.m[12] = 5.0f;
  // A rotation then a translation: column-major A*B applies B first.
  const Matrix4x4 product = Matrix4x4::multiply(translate, rz);
  EXPECT_NEAR(product.m[12], 5.0f, 1e-6f);
  EXPECT_NEAR(product.m[1], 1.0f, 1e-6f);
  const Matrix4x4 other = Matrix4x4::multiply(rz, translate);
  EXPECT_NEAR(other.m[13], 5.0f, 1e-5f);
}

TEST(Matrices, ObjectFrameFacesItsTargetWithMinusZ) {
  const Matrix4x4 frame = Matrix4x4::objectFrame({1, 2, 3}, {1, 2, 10}, {0, 1, 0});
  expectNear({frame.m[8], frame.m[9], frame.m[10]}, 0, 0, -1);
  expectNear({frame.m[4], frame.m[5], frame.m[6]}, 0, 1, 0);
  expectNear({frame.m[0], frame.m[1], frame.m[2]}, -1, 0, 0);
  expectNear({frame.m[12], frame.m[13], frame.m[14]}, 1, 2, 3);
}

TEST(Quaternions, AxisAngleAndMatrix) {
  Quaternion q = Quaternion::fromAxisAngle(0, 0, 2, 180.0f);
  EXPECT_NEAR(q.w, 0.0f, 1e-6f);
  EXPECT_NEAR(q.z, 2.0f, 1e-6f);  // the axis is not normalised
  q.normalize();
  EXPECT_NEAR(q.z, 1.0f, 1e-6f);
  const Matrix4x4 m = fromQuaternion(Quaternion::identity());
  for (int i = 0; i < 16; ++i) EXPECT_EQ(m.m[i], Matrix4x4::identity().m[i]);
}

TEST(Quaternions, RotateAboutTurnsClockwiseLookingDownTheAxis) {
  // A positive angle about +x turns a forward (-z) direction downward: a positive tilt lowers the view.
  const Vector3 down = rotateAbout({0, 0, -1}, {1, 0, 0}, 10.0f);
  EXPECT_LT(down.y, 0.0f);
  EXPECT_NEAR(down.y, -std::sin(10.0f * 0.017453292f), 1e-5f);
  expectNear(rotateAbout({1, 0, 0}, {0, 1, 0}, 90.0f), 0, 0, 1);
  expectNear(rotateAbout({0, 0, 1}, {0, 1, 0}, 90.0f), -1, 0, 0);
}

}  // namespace
