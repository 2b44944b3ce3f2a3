#pragma once
#include "world/SplinePath.h"

class ModelObject;

// The gull's flight: crossings of the view high above the water and, now and then, a swoop
// past the viewer. Passed points are replaced with freshly drawn ones, and the gull switches
// between gliding and flapping only at the end of a wing-beat cycle.
class GullFlight {
 public:
  GullFlight();

  // Builds the first two crossings for the gull (its model already has "glide" and "fly").
  void build(ModelObject* gull);
  // Once per frame while the gull is in the scene.
  void update();

  bool flapping() const { return flapping_; }
  int lastSwitch() const { return lastSwitch_; }
  int switchWait() const { return switchWait_; }
  bool gullSide() const { return gullSide_; }
  const SplinePath& path() const { return path_; }

 private:
  void appendCrossing(bool side);
  void appendSwoop(bool side);

  ModelObject* gull_ = nullptr;
  SplinePath path_;
  bool flapping_ = true;
  int lastSwitch_;
  int switchWait_ = 3000;
  bool gullSide_ = false;
};
