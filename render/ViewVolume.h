#pragma once
#include "world/Vector.h"

// The six planes of the view volume, in the coordinates of whatever is being drawn now: made from
// the projection and model-view matrices the scene set (render/Transforms.h), so the object's own
// transform and scale are in them. What lies wholly outside would make no pixel; it need not be sent at all.
class ViewVolume {
 public:
  // From the current matrices.
  void capture();
  bool sphereOutside(const Vector3& centre, float radius) const;
  bool boxOutside(const Vector3& low, const Vector3& high) const;
  // Whether the whole box lies before the eye and lands within window rows [fromRow, toRow],
  // counted in pixels from the viewport's bottom edge.
  bool boxWithinRows(const Vector3& low, const Vector3& high, float fromRow, float toRow) const;
  // How many window pixels one unit of the current coordinates spans at point, seen head on; 0
  // at or behind the eye.
  float pixelsPerUnit(const Vector3& point) const;

 private:
  float planes_[6][4] = {};  // a x + b y + c z + d >= 0 inside, (a, b, c) of unit length
  float depthRow_[4] = {};   // the clip matrix's fourth row: w of a point
  float heightRow_[4] = {};  // its second row: y of a point
  float viewportHeight_ = 0.0f;
  float pixelsAtUnitDepth_ = 0.0f;
};
