#include "CoralPlaces.h"

#include <cmath>

namespace {

constexpr float DegToRad = 0.017453292f;

}  // namespace

Mat3 operator*(const Mat3& a, const Mat3& b) {
  Mat3 r;
  for (int i = 0; i < 3; ++i) {
    for (int j = 0; j < 3; ++j) {
      r.m[i][j] = a.m[i][0] * b.m[0][j] + a.m[i][1] * b.m[1][j] + a.m[i][2] * b.m[2][j];
    }
  }
  return r;
}

namespace {

// The turns OpenGL gives the object (its z negated): about x first, then y, then z.
Mat3 rotation(int axis, float degrees) {
  const float c = std::cos(degrees * DegToRad), s = std::sin(degrees * DegToRad);
  const int a = (axis + 1) % 3, b = (axis + 2) % 3;
  Mat3 r;
  r.m[a][a] = c;
  r.m[a][b] = -s;
  r.m[b][a] = s;
  r.m[b][b] = c;
  return r;
}

Mat3 diagonal(float x, float y, float z) {
  Mat3 r;
  r.m[0][0] = x;
  r.m[1][1] = y;
  r.m[2][2] = z;
  return r;
}

}  // namespace

Vec3 Mat3::apply(const Vec3& v) const {
  return Vec3{m[0][0] * v.x + m[0][1] * v.y + m[0][2] * v.z, m[1][0] * v.x + m[1][1] * v.y + m[1][2] * v.z,
              m[2][0] * v.x + m[2][1] * v.y + m[2][2] * v.z};
}

Mat3 Mat3::inverse() const {
  const float det = m[0][0] * (m[1][1] * m[2][2] - m[1][2] * m[2][1]) -
                    m[0][1] * (m[1][0] * m[2][2] - m[1][2] * m[2][0]) +
                    m[0][2] * (m[1][0] * m[2][1] - m[1][1] * m[2][0]);
  Mat3 r;
  for (int i = 0; i < 3; ++i) {
    for (int j = 0; j < 3; ++j) {
      // Cofactor of (j, i) over the determinant.
      const int r0 = (j + 1) % 3, r1 = (j + 2) % 3, c0 = (i + 1) % 3, c1 = (i + 2) % 3;
      r.m[i][j] = (m[r0][c0] * m[r1][c1] - m[r0][c1] * m[r1][c0]) / det;
    }
  }
  return r;
}

Mat3 fileToScene(const CoralPlacement& placement, bool turned) {
  // The reader turns file (x, y, z) into OpenGL's (x, z, -y); the scene's z is OpenGL's negated.
  Mat3 fileToGl;
  fileToGl.m[1][1] = 0.0f;
  fileToGl.m[1][2] = 1.0f;
  fileToGl.m[2][1] = -1.0f;
  fileToGl.m[2][2] = 0.0f;
  Mat3 turns;
  if (turned) {
    turns = rotation(2, placement.angles.z) * rotation(1, placement.angles.y) * rotation(0, placement.angles.x);
  }
  const Mat3 scale = diagonal(placement.scale.x, placement.scale.y, placement.scale.z);
  return diagonal(1.0f, 1.0f, -1.0f) * turns * scale * fileToGl;
}

Vec3 scenePosition(const CoralPlacement& placement) {
  return Vec3{placement.position.x, placement.position.y, placement.position.z};
}

std::vector<CoralPlacement> placementsOf(int kind) {
  std::vector<CoralPlacement> places;
  for (const CoralPlacement& placement : CoralPlacements) {
    if (placement.kind == kind) places.push_back(placement);
  }
  return places;
}
