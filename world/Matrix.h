#pragma once
#include "world/Vector.h"

// 4x4 matrix in OpenGL column order: element (row r, column c) is m[4c + r], so m[12..14] hold a
// translation. Handed to glMultMatrixf unchanged.
struct Matrix4x4 {
  float m[16] = {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1};

  static Matrix4x4 identity() { return Matrix4x4{}; }
  static Matrix4x4 multiply(const Matrix4x4& a, const Matrix4x4& b);
  static Matrix4x4 rotationX(float degrees);
  static Matrix4x4 rotationY(float degrees);
  static Matrix4x4 rotationZ(float degrees);
  // Maps model space, whose forward axis is -Z, onto a pose at position facing lookAt.
  static Matrix4x4 objectFrame(const Vector3& position, const Vector3& lookAt, const Vector3& up);
  static Matrix4x4 translation(float x, float y, float z);
  static Matrix4x4 scaling(float x, float y, float z);
  // The matrices of gluLookAt, gluPerspective and glFrustum.
  static Matrix4x4 lookAt(const Vector3& eye, const Vector3& centre, const Vector3& up);
  static Matrix4x4 perspective(float fovyDegrees, float aspect, float zNear, float zFar);
  static Matrix4x4 frustum(float left, float right, float bottom, float top, float zNear, float zFar);
};

struct Quaternion {
  float x = 0.0f, y = 0.0f, z = 0.0f, w = 1.0f;

  static Quaternion identity() { return Quaternion{}; }
  // The axis is used as given, without normalising it.
  static Quaternion fromAxisAngle(float ax, float ay, float az, float degrees);
  void normalize();
};

Matrix4x4 fromQuaternion(const Quaternion& q);

// Reads the sixteen floats row by row (the transpose of the column-order product).
Vector3 transformPoint(const Matrix4x4& matrix, const Vector3& v);

// Turns v about axis by -degrees in the right-handed sense, i.e. clockwise looking down the axis.
// Every turning of a direction uses this sign: a positive camera tilt lowers the view.
Vector3 rotateAbout(const Vector3& v, const Vector3& axis, float degrees);
