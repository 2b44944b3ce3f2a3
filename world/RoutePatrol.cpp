#include "world/RoutePatrol.h"

#include "world/Random.h"

RoutePatrol::RoutePatrol() {
  path_.clearFlags(Bank | SmoothBank);
  path_.setSpeed(0.0006f);
}

int RoutePatrol::addCandidate() {
  candidates_.emplace_back();
  // The list may have moved: the path follows the traveller's pose where it now is.
  if (current_ >= 0) path_.setObject(&candidates_[static_cast<size_t>(current_)]);
  return static_cast<int>(candidates_.size()) - 1;
}

void RoutePatrol::pick() {
  if (candidates_.empty()) return;
  reverse_ = randomDraw() % 2 == 1;
  current_ = static_cast<int>(static_cast<size_t>(randomDraw()) % candidates_.size());
  path_.setObject(&candidates_[static_cast<size_t>(current_)]);
  path_.pause();
  path_.clearPoints();
  if (reverse_) {
    for (auto point = route_.rbegin(); point != route_.rend(); ++point) path_.addPoint(*point);
  } else {
    for (const Vector3& point : route_) path_.addPoint(point);
  }
  path_.setIndex(0);
  path_.start();
  path_.resume();
  state_ = Travelling;
}

void RoutePatrol::update(int frameTime) {
  if (candidates_.empty()) return;
  if (state_ == Travelling) {
    path_.advance(frameTime);
    if (path_.index() == static_cast<int>(route_.size()) - 1) {
      state_ = Pausing;
      pauseLength_ = 10000 + randomDraw() % 20000;
      paused_ = 0;
    }
  } else if (state_ == Pausing) {
    paused_ += frameTime;
    if (paused_ > pauseLength_) pick();
  }
}
