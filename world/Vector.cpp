#include "world/Vector.h"

#include <algorithm>
#include <cmath>

#include "world/MathConstants.h"

float length3(const Vector3& v) { return std::sqrt(v.x * v.x + v.y * v.y + v.z * v.z); }

float length2(const Vector2& v) { return std::sqrt(v.x * v.x + v.y * v.y); }

void normalize(Vector3& v) {
  const float length = length3(v);
  v.x /= length;
  v.y /= length;
  v.z /= length;
}

Vector3 normalized(const Vector3& v) {
  Vector3 result = v;
  normalize(result);
  return result;
}

Vector2 normalized(const Vector2& v) {
  const float length = length2(v);
  return {v.x / length, v.y / length};
}

float dot(const Vector3& a, const Vector3& b) { return a.x * b.x + a.y * b.y + a.z * b.z; }

float dot(const Vector2& a, const Vector2& b) { return a.x * b.x + a.y * b.y; }

Vector3 cross(const Vector3& a, const Vector3& b) {
  return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x};
}

float distance(const Vector3& a, const Vector3& b) { return length3(a - b); }

float signedAngle2(const Vector2& a, const Vector2& b) {
  const Vector2 an = normalized(a);
  const Vector2 bn = normalized(b);
  if (an == bn) return 0.0f;
  const float angle = std::acos(std::min(dot(an, bn), 1.0f));
  return an.x * bn.y - an.y * bn.x > 0.0f ? angle : -angle;
}

Vector3 rotateToward(const Vector3& from, const Vector3& to, float maxDegrees) {
  Vector3 axis = normalized(cross(from, to));
  // Opposite directions span no plane; turning about any axis across them is as good as another,
  // and far better than a direction of NaNs that would lose the creature for good.
  if (!std::isfinite(axis.x) || !std::isfinite(axis.y) || !std::isfinite(axis.z)) {
    axis = normalized(cross(from, Vector3{0.0f, 1.0f, 0.0f}));
    if (!std::isfinite(axis.x) || !std::isfinite(axis.y) || !std::isfinite(axis.z)) {
      axis = normalized(cross(from, Vector3{1.0f, 0.0f, 0.0f}));
    }
  }
  const float angle = std::acos(std::min(dot(from, to), 1.0f));
  const float limit = maxDegrees * DegToRad;
  if (!(angle > limit)) return to;  // also when the angle is not a number
  const float c = std::cos(limit);
  const float s = std::sin(limit);
  const float t = 1.0f - c;
  const float x = axis.x, y = axis.y, z = axis.z;
  return {(c + t * x * x) * from.x + (t * x * y - s * z) * from.y + (t * x * z + s * y) * from.z,
          (t * x * y + s * z) * from.x + (c + t * y * y) * from.y + (t * y * z - s * x) * from.z,
          (t * x * z - s * y) * from.x + (t * y * z + s * x) * from.y + (c + t * z * z) * from.z};
}

namespace {

float catmullRom1(float p0, float p1, float p2, float p3, float t) {
  const float t2 = t * t;
  const float t3 = t2 * t;
  return 0.5f * (2.0f * p1 + (p2 - p0) * t + (2.0f * p0 - 5.0f * p1 + 4.0f * p2 - p3) * t2 +
                 (3.0f * p1 - p0 - 3.0f * p2 + p3) * t3);
}

}  // namespace

Vector3 catmullRom(const Vector3& p0, const Vector3& p1, const Vector3& p2, const Vector3& p3, float t) {
  return {catmullRom1(p0.x, p1.x, p2.x, p3.x, t), catmullRom1(p0.y, p1.y, p2.y, p3.y, t),
          catmullRom1(p0.z, p1.z, p2.z, p3.z, t)};
}

Vector3 lerp(const Vector3& a, const Vector3& b, float t) { return a + (b - a) * t; }

float wrapDegrees(float angle, int range) {
  // Beyond the int range (or not a number) the whole-turn split would overflow.
  if (!(std::fabs(angle) < 2.0e9f)) return std::fmod(angle, static_cast<float>(range));
  const int whole = static_cast<int>(angle);
  return (angle - static_cast<float>(whole)) + static_cast<float>(whole % range);
}
