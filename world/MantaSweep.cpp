#include "world/MantaSweep.h"

#include "world/Random.h"

namespace {

constexpr int PointsPerSweep = 6;

}  // namespace

void MantaSweep::build(const Vector3& start) {
  pose_.placeAt(start);
  path_.setObject(&pose_);
  appendSweep(mantaSide_);
  mantaSide_ = !mantaSide_;
  appendSweep(mantaSide_);
  mantaSide_ = !mantaSide_;
  path_.setIndex(0);
  path_.setSpeed(0.0017f);
  path_.setUseCurve(true);
  path_.setBankFactor(5.0f);
  path_.setBankRate(2.0f);
}

void MantaSweep::appendSweep(bool side) {
  Vector3 points[PointsPerSweep];
  for (int k = 0; k < PointsPerSweep; ++k) {
    points[k].x = 26.0f - 10.4f * static_cast<float>(k);
    points[k].z = randomRange(30.0f, 40.0f, 2);
    points[k].y = -randomRange(2.0f, 4.0f, 2);
  }
  for (int k = 0; k < PointsPerSweep; ++k) path_.addPoint(points[side ? PointsPerSweep - 1 - k : k]);
}

void MantaSweep::update(int frameTime) {
  if (path_.index() >= PointsPerSweep) {
    for (int i = 0; i < PointsPerSweep; ++i) path_.removeFirst();
    appendSweep(mantaSide_);
    mantaSide_ = !mantaSide_;
  }
  path_.advance(frameTime);
}
