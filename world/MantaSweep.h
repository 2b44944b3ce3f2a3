#pragma once
#include "world/Pose.h"
#include "world/SplinePath.h"

// The manta's path: sweeps from one side of the far water to the other and back, each sweep
// drawn afresh once the previous one has been swum.
class MantaSweep {
 public:
  MantaSweep() = default;
  // The path moves this object's own pose.
  MantaSweep(const MantaSweep&) = delete;
  MantaSweep& operator=(const MantaSweep&) = delete;

  // Puts the manta at start and builds its first two sweeps.
  void build(const Vector3& start);
  // Once per frame while the manta exists, frameTime ms after the previous one.
  void update(int frameTime);

  bool mantaSide() const { return mantaSide_; }
  const SplinePath& path() const { return path_; }
  const Pose& pose() const { return pose_; }

 private:
  void appendSweep(bool side);

  Pose pose_;
  SplinePath path_;
  bool mantaSide_ = false;
};
