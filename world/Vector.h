#pragma once
// Value types for points and directions. Vector2 carries horizontal directions and polygon
// corners, where the second component is the scene's z.

struct Vector3 {
  float x = 0.0f, y = 0.0f, z = 0.0f;
};

struct Vector2 {
  float x = 0.0f, y = 0.0f;
};

inline bool operator==(const Vector3& a, const Vector3& b) { return a.x == b.x && a.y == b.y && a.z == b.z; }
inline bool operator!=(const Vector3& a, const Vector3& b) { return !(a == b); }
inline bool operator==(const Vector2& a, const Vector2& b) { return a.x == b.x && a.y == b.y; }

inline Vector3 operator+(const Vector3& a, const Vector3& b) { return {a.x + b.x, a.y + b.y, a.z + b.z}; }
inline Vector3 operator-(const Vector3& a, const Vector3& b) { return {a.x - b.x, a.y - b.y, a.z - b.z}; }
inline Vector3 operator*(const Vector3& a, float s) { return {a.x * s, a.y * s, a.z * s}; }
inline Vector2 operator-(const Vector2& a, const Vector2& b) { return {a.x - b.x, a.y - b.y}; }
// Per component: the corners of the box around two points.
inline Vector3 componentMin(const Vector3& a, const Vector3& b) {
  return {a.x < b.x ? a.x : b.x, a.y < b.y ? a.y : b.y, a.z < b.z ? a.z : b.z};
}
inline Vector3 componentMax(const Vector3& a, const Vector3& b) {
  return {a.x > b.x ? a.x : b.x, a.y > b.y ? a.y : b.y, a.z > b.z ? a.z : b.z};
}

float length3(const Vector3& v);
float length2(const Vector2& v);
void normalize(Vector3& v);
Vector3 normalized(const Vector3& v);
Vector2 normalized(const Vector2& v);
float dot(const Vector3& a, const Vector3& b);
float dot(const Vector2& a, const Vector2& b);
Vector3 cross(const Vector3& a, const Vector3& b);
float distance(const Vector3& a, const Vector3& b);

// Signed angle in radians from a to b in the plane: positive when b lies counter-clockwise of a.
float signedAngle2(const Vector2& a, const Vector2& b);

// Turns the unit vector from toward the unit vector to by at most maxDegrees.
Vector3 rotateToward(const Vector3& from, const Vector3& to, float maxDegrees);

Vector3 catmullRom(const Vector3& p0, const Vector3& p1, const Vector3& p2, const Vector3& p3, float t);
Vector3 lerp(const Vector3& a, const Vector3& b, float t);

// Reduces an angle by whole turns of range, keeping its sign and fraction: 370.5 -> 10.5.
float wrapDegrees(float angle, int range);
