#include "render/ViewVolume.h"

#include <cmath>

#include "render/Transforms.h"

void ViewVolume::capture() {
  const Matrix4x4& projection = transforms::projection();
  const Matrix4x4& modelview = transforms::modelview();
  // Clip = projection x model-view.
  const Matrix4x4 clipMatrix = Matrix4x4::multiply(projection, modelview);
  const float* clip = clipMatrix.m;
  for (int c = 0; c < 4; ++c) {
    depthRow_[c] = clip[4 * c + 3];
    heightRow_[c] = clip[4 * c + 1];
  }
  viewportHeight_ = static_cast<float>(transforms::viewport().height);
  // Lengths scale with the model-view matrix (objects are scaled alike on every axis, or nearly);
  // the projection maps a length at w = 1 onto half the viewport's height times its m5.
  const float* mv = modelview.m;
  const float scale = std::sqrt(mv[0] * mv[0] + mv[1] * mv[1] + mv[2] * mv[2]);
  pixelsAtUnitDepth_ = scale * projection.m[5] * 0.5f * viewportHeight_;
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

bool ViewVolume::boxWithinRows(const Vector3& low, const Vector3& high, float fromRow, float toRow) const {
  for (int corner = 0; corner < 8; ++corner) {
    const float x = corner & 1 ? high.x : low.x, y = corner & 2 ? high.y : low.y, z = corner & 4 ? high.z : low.z;
    const float w = depthRow_[0] * x + depthRow_[1] * y + depthRow_[2] * z + depthRow_[3];
    if (w <= 0.0f) return false;
    const float h = heightRow_[0] * x + heightRow_[1] * y + heightRow_[2] * z + heightRow_[3];
    const float row = (h / w + 1.0f) * 0.5f * viewportHeight_;
    if (row < fromRow || row > toRow) return false;
  }
  return true;
}
