#include "world/Matrix.h"

#include <cmath>

#include "world/MathConstants.h"

Matrix4x4 Matrix4x4::multiply(const Matrix4x4& a, const Matrix4x4& b) {
  Matrix4x4 result;
  for (int c = 0; c < 4; ++c) {
    for (int r = 0; r < 4; ++r) {
      float sum = 0.0f;
      for (int k = 0; k < 4; ++k) sum += a.m[4 * k + r] * b.m[4 * c + k];
      result.m[4 * c + r] = sum;
    }
  }
  return result;
}

Matrix4x4 Matrix4x4::rotationX(float degrees) {
  const float a = degrees * DegToRad;
  Matrix4x4 r;
  r.m[5] = r.m[10] = std::cos(a);
  r.m[6] = std::sin(a);
  r.m[9] = -std::sin(a);
  return r;
}

Matrix4x4 Matrix4x4::rotationY(float degrees) {
  const float a = degrees * DegToRad;
  Matrix4x4 r;
  r.m[0] = r.m[10] = std::cos(a);
  r.m[2] = -std::sin(a);
  r.m[8] = std::sin(a);
  return r;
}

Matrix4x4 Matrix4x4::rotationZ(float degrees) {
  const float a = degrees * DegToRad;
  Matrix4x4 r;
  r.m[0] = r.m[5] = std::cos(a);
  r.m[1] = std::sin(a);
  r.m[4] = -std::sin(a);
  return r;
}

Matrix4x4 Matrix4x4::objectFrame(const Vector3& position, const Vector3& lookAt, const Vector3& up) {
  const Vector3 f = normalized(lookAt - position);
  const Vector3 s = normalized(cross(f, up));
  const Vector3 u = cross(s, f);
  Matrix4x4 r;
  r.m[0] = s.x, r.m[1] = s.y, r.m[2] = s.z, r.m[3] = 0.0f;
  r.m[4] = u.x, r.m[5] = u.y, r.m[6] = u.z, r.m[7] = 0.0f;
  r.m[8] = -f.x, r.m[9] = -f.y, r.m[10] = -f.z, r.m[11] = 0.0f;
  r.m[12] = position.x, r.m[13] = position.y, r.m[14] = position.z, r.m[15] = 1.0f;
  return r;
}

Matrix4x4 Matrix4x4::translation(float x, float y, float z) {
  Matrix4x4 r;
  r.m[12] = x, r.m[13] = y, r.m[14] = z;
  return r;
}

Matrix4x4 Matrix4x4::scaling(float x, float y, float z) {
  Matrix4x4 r;
  r.m[0] = x, r.m[5] = y, r.m[10] = z;
  return r;
}

Matrix4x4 Matrix4x4::lookAt(const Vector3& eye, const Vector3& centre, const Vector3& up) {
  const Vector3 f = normalized(centre - eye);
  const Vector3 s = normalized(cross(f, up));
  const Vector3 u = cross(s, f);
  Matrix4x4 r;
  r.m[0] = s.x, r.m[4] = s.y, r.m[8] = s.z;
  r.m[1] = u.x, r.m[5] = u.y, r.m[9] = u.z;
  r.m[2] = -f.x, r.m[6] = -f.y, r.m[10] = -f.z;
  r.m[12] = -(s.x * eye.x + s.y * eye.y + s.z * eye.z);
  r.m[13] = -(u.x * eye.x + u.y * eye.y + u.z * eye.z);
  r.m[14] = f.x * eye.x + f.y * eye.y + f.z * eye.z;
  return r;
}

Matrix4x4 Matrix4x4::perspective(float fovyDegrees, float aspect, float zNear, float zFar) {
  const float f = 1.0f / std::tan(fovyDegrees * DegToRad * 0.5f);
  Matrix4x4 r;
  r.m[0] = f / aspect;
  r.m[5] = f;
  r.m[10] = (zFar + zNear) / (zNear - zFar);
  r.m[11] = -1.0f;
  r.m[14] = 2.0f * zFar * zNear / (zNear - zFar);
  r.m[15] = 0.0f;
  return r;
}

Matrix4x4 Matrix4x4::frustum(float left, float right, float bottom, float top, float zNear, float zFar) {
  Matrix4x4 r;
  r.m[0] = 2.0f * zNear / (right - left);
  r.m[5] = 2.0f * zNear / (top - bottom);
  r.m[8] = (right + left) / (right - left);
  r.m[9] = (top + bottom) / (top - bottom);
  r.m[10] = -(zFar + zNear) / (zFar - zNear);
  r.m[11] = -1.0f;
  r.m[14] = -2.0f * zFar * zNear / (zFar - zNear);
  r.m[15] = 0.0f;
  return r;
}

Quaternion Quaternion::fromAxisAngle(float ax, float ay, float az, float degrees) {
  const float half = degrees * OneOver180 * Pi * 0.5f;
  const float s = std::sin(half);
  return Quaternion{s * ax, s * ay, s * az, std::cos(half)};
}

void Quaternion::normalize() {
  const float length = std::sqrt(x * x + y * y + z * z + w * w);
  x /= length;
  y /= length;
  z /= length;
  w /= length;
}

Matrix4x4 fromQuaternion(const Quaternion& q) {
  Matrix4x4 r;
  r.m[0] = 1.0f - 2.0f * (q.y * q.y + q.z * q.z);
  r.m[1] = 2.0f * (q.x * q.y + q.w * q.z);
  r.m[2] = 2.0f * (q.x * q.z - q.w * q.y);
  r.m[3] = 0.0f;
  r.m[4] = 2.0f * (q.x * q.y - q.w * q.z);
  r.m[5] = 1.0f - 2.0f * (q.x * q.x + q.z * q.z);
  r.m[6] = 2.0f * (q.y * q.z + q.w * q.x);
  r.m[7] = 0.0f;
  r.m[8] = 2.0f * (q.x * q.z + q.w * q.y);
  r.m[9] = 2.0f * (q.y * q.z - q.w * q.x);
  r.m[10] = 1.0f - 2.0f * (q.x * q.x + q.y * q.y);
  r.m[11] = 0.0f;
  r.m[12] = r.m[13] = r.m[14] = 0.0f;
  r.m[15] = 1.0f;
  return r;
}

Vector3 transformPoint(const Matrix4x4& matrix, const Vector3& v) {
  const float* m = matrix.m;
  return {m[0] * v.x + m[1] * v.y + m[2] * v.z + m[3], m[4] * v.x + m[5] * v.y + m[6] * v.z + m[7],
          m[8] * v.x + m[9] * v.y + m[10] * v.z + m[11]};
}

Vector3 rotateAbout(const Vector3& v, const Vector3& axis, float degrees) {
  Quaternion q = Quaternion::fromAxisAngle(axis.x, axis.y, axis.z, degrees);
  q.normalize();
  return transformPoint(fromQuaternion(q), v);
}
