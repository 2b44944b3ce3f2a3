#pragma once
// Triangle meshes with per-frame vertex positions, in model axes: x is the creature's right side,
// y points forward (head), z points up. One model unit is one scene unit before the object's
// scale; the model file stores 64 steps per unit.

#include <array>
#include <vector>

struct Vec2 {
  float s = 0.0f, t = 0.0f;
};

struct Vec3 {
  float x = 0.0f, y = 0.0f, z = 0.0f;
};

Vec3 operator+(const Vec3& a, const Vec3& b);
Vec3 operator-(const Vec3& a, const Vec3& b);
Vec3 operator*(const Vec3& a, float k);
Vec3 cross(const Vec3& a, const Vec3& b);
float dot(const Vec3& a, const Vec3& b);
float length(const Vec3& a);
Vec3 normalized(const Vec3& a);
// Rotates v about the unit axis by angle (radians), right-handed.
Vec3 rotateAbout(const Vec3& v, const Vec3& axis, float angle);

class Mesh {
 public:
  int addVertex(const Vec3& position, const Vec2& uv);
  void addTriangle(int a, int b, int c);
  // Two triangles a-b-c and a-c-d.
  void addQuad(int a, int b, int c, int d);

  // A strip between two equally long vertex rows.
  void addStrip(const std::vector<int>& rowA, const std::vector<int>& rowB);
  // Turns the triangles from `first` on, one wound part, over if together they face toward
  // `inside`, so that they are counter-clockwise seen from outside: the renderer leaves out faces
  // turned away from the viewer.
  void faceAwayFrom(int first, const Vec3& inside);
  // Puts the triangles in a new order: order[k] is the old number of the k-th.
  void reorderTriangles(const std::vector<int>& order);

  int vertexCount() const { return static_cast<int>(positions_.size()); }
  int triangleCount() const { return static_cast<int>(triangles_.size()); }
  const std::vector<Vec3>& positions() const { return positions_; }
  std::vector<Vec3>& positions() { return positions_; }
  const std::vector<Vec2>& uvs() const { return uvs_; }
  const std::vector<std::array<int, 3>>& triangles() const { return triangles_; }

 private:
  std::vector<Vec3> positions_;
  std::vector<Vec2> uvs_;
  std::vector<std::array<int, 3>> triangles_;
};

// A mesh with its animation: every frame holds one position per mesh vertex.
struct AnimatedModel {
  Mesh mesh;
  std::vector<std::vector<Vec3>> frames;
};
