#pragma once
#include <vector>

#include "world/SplinePath.h"
#include "world/Vector.h"

class SceneObject;

// Sends one randomly chosen creature at a time along a fixed route, in a random direction; at
// the route's last point it disappears for 10 to 30 s, then the next one sets off.
class RoutePatrol {
 public:
  enum State { NotStarted = -1, Travelling = 0, Pausing = 1 };

  RoutePatrol();

  void addRoutePoint(const Vector3& point) { route_.push_back(point); }
  void addCandidate(SceneObject* object) { candidates_.push_back(object); }
  void pick();
  void update();
  // Draws the traveller; during a pause nothing is seen.
  void render();

  int state() const { return state_; }
  SceneObject* current() const { return current_; }
  bool reverse() const { return reverse_; }
  int pauseLength() const { return pauseLength_; }
  const SplinePath& path() const { return path_; }

 private:
  bool reverse_ = false;
  SceneObject* current_ = nullptr;
  int state_ = NotStarted;
  int pauseStart_ = 0;
  int pauseLength_ = 0;
  SplinePath path_;
  std::vector<Vector3> route_;
  std::vector<SceneObject*> candidates_;
};
