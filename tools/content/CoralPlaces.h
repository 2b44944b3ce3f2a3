#pragma once
// The scene's coral placements as the generator sees them: where a model's file coordinates land
// in the scene at each place, with the place's turns and scale, and the way back. Scene axes: x to
// the right, y up, z away from the viewer.

#include "Mesh.h"

#include "scene/ScenePlacements.h"

#include <vector>

struct Mat3 {
  float m[3][3] = {{1, 0, 0}, {0, 1, 0}, {0, 0, 1}};
  Vec3 apply(const Vec3& v) const;
  Mat3 inverse() const;
};
Mat3 operator*(const Mat3& a, const Mat3& b);

// Where the scene's camera stands: corals are drawn without a depth buffer, so each model's
// triangles come far to near as seen from here.
constexpr Vec3 Viewpoint = {0.0f, 2.0f, -7.0f};

// Maps file coordinates to the offset from the placement's position, in scene axes; without its
// turns when `turned` is false (scale only).
Mat3 fileToScene(const CoralPlacement& placement, bool turned);
Vec3 scenePosition(const CoralPlacement& placement);

// The placements of coral kind `kind` (0 to 7: a b c d f g h i), in table order.
std::vector<CoralPlacement> placementsOf(int kind);
