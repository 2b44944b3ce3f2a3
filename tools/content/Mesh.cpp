#include "Mesh.h"

#include <cmath>
#include <utility>

Vec3 operator+(const Vec3& a, const Vec3& b) { return Vec3{a.x + b.x, a.y + b.y, a.z + b.z}; }

Vec3 operator-(const Vec3& a, const Vec3& b) { return Vec3{a.x - b.x, a.y - b.y, a.z - b.z}; }

Vec3 operator*(const Vec3& a, float k) { return Vec3{a.x * k, a.y * k, a.z * k}; }

Vec3 cross(const Vec3& a, const Vec3& b) {
  return Vec3{a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x};
}

float dot(const Vec3& a, const Vec3& b) { return a.x * b.x + a.y * b.y + a.z * b.z; }

float length(const Vec3& a) { return std::sqrt(dot(a, a)); }

Vec3 normalized(const Vec3& a) {
  float l = length(a);
  return l > 0.0f ? a * (1.0f / l) : Vec3{0.0f, 0.0f, 1.0f};
}

Vec3 rotateAbout(const Vec3& v, const Vec3& axis, float angle) {
  // Rodrigues' rotation formula.
  float c = std::cos(angle);
  float s = std::sin(angle);
  return v * c + cross(axis, v) * s + axis * (dot(axis, v) * (1.0f - c));
}

int Mesh::addVertex(const Vec3& position, const Vec2& uv) {
  positions_.push_back(position);
  uvs_.push_back(uv);
  return static_cast<int>(positions_.size()) - 1;
}

void Mesh::addTriangle(int a, int b, int c) { triangles_.push_back({a, b, c}); }

void Mesh::addQuad(int a, int b, int c, int d) {
  addTriangle(a, b, c);
  addTriangle(a, c, d);
}

void Mesh::addStrip(const std::vector<int>& rowA, const std::vector<int>& rowB) {
  for (size_t i = 0; i + 1 < rowA.size() && i + 1 < rowB.size(); ++i) {
    addQuad(rowA[i], rowA[i + 1], rowB[i + 1], rowB[i]);
  }
}

void Mesh::faceAwayFrom(int first, const Vec3& inside) {
  // One decision for the whole part, which its rows wind one way: a single triangle of a dished
  // plate or a flat dome can lean toward the point given while the part faces away from it.
  float outward = 0.0f;
  for (size_t i = static_cast<size_t>(first); i < triangles_.size(); ++i) {
    const std::array<int, 3>& t = triangles_[i];
    const Vec3& a = positions_[t[0]];
    const Vec3 centre = (a + positions_[t[1]] + positions_[t[2]]) * (1.0f / 3.0f);
    outward += dot(cross(positions_[t[1]] - a, positions_[t[2]] - a), centre - inside);
  }
  if (outward >= 0.0f) return;
  for (size_t i = static_cast<size_t>(first); i < triangles_.size(); ++i) std::swap(triangles_[i][1], triangles_[i][2]);
}

void Mesh::reorderTriangles(const std::vector<int>& order) {
  std::vector<std::array<int, 3>> reordered;
  reordered.reserve(order.size());
  for (int k : order) reordered.push_back(triangles_[k]);
  triangles_ = std::move(reordered);
}
