#pragma once
#include "world/SplinePath.h"

class SceneObject;

// The manta's path: sweeps from one side of the far water to the other and back, each sweep
// drawn afresh once the previous one has been swum.
class MantaSweep {
 public:
  void build(SceneObject* manta);
  // Once per frame while the manta exists.
  void update();

  bool mantaSide() const { return mantaSide_; }
  const SplinePath& path() const { return path_; }

 private:
  void appendSweep(bool side);

  SplinePath path_;
  bool mantaSide_ = false;
};
