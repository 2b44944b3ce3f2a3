#include "render/ViewVolume.h"

#include <cmath>

#include "render/Transforms.h"

void ViewVolume::capture() {
  const Matrix4x4& projection = transforms::projection();
  const Matrix4x4& modelview = transforms::modelview();
  // Clip = projection x model-view.
  const Matrix4x4 clipMatrix = Matrix4x4::multiply(projection, modelview);
  const float* clip = clipMatrix.m;
  for (int c = 0; c < 4; ++c) depthRow_[c] = clip[4 * c + 3];
  // Lengths scale with the model-view matrix (objects are scaled alike on every axis, or nearly);
  // the projection maps a length at w = 1 onto half the viewport's height times its m5.
  const float* mv = modelview.m;
  const float scale = std::sqrt(mv[0] * mv[0] + mv[1] * mv[1] + mv[2] * mv[2]);
  pixelsAtUnitDepth_ = scale * projection.m[5] * 0.5f * static_cast<float>(transforms::viewport().height);
  // Each plane is the fourth row of the clip matrix plus or minus one of the first three.
  for (int i = 0; i < 6; ++i) {
    const int row = i / 2;
    const float sign = i % 2 == 0 ? 1.0f : -1.0f;
    float* plane = planes_[i];
    for (int c = 0; c < 4; ++c) plane[c] = clip[4 * c + 3] + sign * clip[4 * c + row];
    const float length = std::sqrt(plane[0] * plane[0] + plane[1] * plane[1] + plane[2] * plane[2]);
    if (length > 0.0f) {
      for (float& value : planes_[i]) value /= length;
    }
  }
}

bool ViewVolume::sphereOutside(const Vector3& centre, float radius) const {
  for (const auto& p : planes_) {
    if (p[0] * centre.x + p[1] * centre.y + p[2] * centre.z + p[3] < -radius) return true;
  }
  return false;
}

bool ViewVolume::boxOutside(const Vector3& low, const Vector3& high) const {
  for (const auto& p : planes_) {
    // The corner farthest along the plane's inside direction.
    const float x = p[0] >= 0.0f ? high.x : low.x;
    const float y = p[1] >= 0.0f ? high.y : low.y;
    const float z = p[2] >= 0.0f ? high.z : low.z;
    if (p[0] * x + p[1] * y + p[2] * z + p[3] < 0.0f) return true;
  }
  return false;
}

float ViewVolume::pixelsPerUnit(const Vector3& point) const {
  const float w = depthRow_[0] * point.x + depthRow_[1] * point.y + depthRow_[2] * point.z + depthRow_[3];
  return w > 0.0f ? pixelsAtUnitDepth_ / w : 0.0f;
}
