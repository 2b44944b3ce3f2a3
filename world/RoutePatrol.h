#pragma once
#include <cstddef>
#include <cstdint>
#include <vector>

#include "world/Pose.h"
#include "world/SplinePath.h"
#include "world/Vector.h"

// Sends one randomly chosen creature at a time along a fixed route, in a random direction; at
// the route's last point it disappears for 10 to 30 s, then the next one sets off. Each candidate
// keeps its own pose; the scene draws the traveller while one is shown.
class RoutePatrol {
 public:
  enum State { NotStarted = -1, Travelling = 0, Pausing = 1 };

  RoutePatrol();
  // The path moves poses held here.
  RoutePatrol(const RoutePatrol&) = delete;
  RoutePatrol& operator=(const RoutePatrol&) = delete;

  void addRoutePoint(const Vector3& point) { route_.push_back(point); }
  // Returns the candidate's number, counted from 0 in the order added.
  int addCandidate();
  void pick();
  // One frame of frameTime ms.
  void update(int frameTime);

  int state() const { return state_; }
  // The travelling candidate's number; -1 before the first pick.
  int current() const { return current_; }
  // Whether the traveller is to be drawn: only while it travels, never during a pause.
  bool travellerShown() const { return current_ >= 0 && state_ == Travelling; }
  const Pose& pose(int candidate) const { return candidates_[static_cast<size_t>(candidate)]; }
  bool reverse() const { return reverse_; }
  int pauseLength() const { return pauseLength_; }
  const SplinePath& path() const { return path_; }

 private:
  bool reverse_ = false;
  int current_ = -1;
  int state_ = NotStarted;
  int64_t paused_ = 0;  // milliseconds of the current pause so far
  int pauseLength_ = 0;
  SplinePath path_;
  std::vector<Vector3> route_;
  std::vector<Pose> candidates_;
};
