#include "Mesh.h"

#include <cmath>

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

void Mesh::reorderTriangles(const std::vector<int>& order) {
  std::vector<std::array<int, 3>> reordered;
  reordered.reserve(order.size());
  for (int k : order) reordered.push_back(triangles_[k]);
  triangles_ = std::move(reordered);
}
