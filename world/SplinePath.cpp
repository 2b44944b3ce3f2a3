#include "world/SplinePath.h"

#include <cmath>

#include "world/MathConstants.h"
#include "world/Random.h"

namespace {

// How far ahead on the curve the object looks, in segment parameter.
constexpr float LookAhead = 0.07f;

}  // namespace

void SplinePath::addPoint(float x, float y, float z) { points_.push_back(Vector3{x, y, z}); }

void SplinePath::removeFirst() {
  if (points_.empty()) return;
  points_.erase(points_.begin());
  index_ = wrap(index_ - 1);
}

void SplinePath::clearPoints() { points_.clear(); }

void SplinePath::setIndex(int i) {
  if (i < pointCount()) index_ = i;
}

int SplinePath::wrap(int i) const {
  const int count = pointCount();
  if (count == 0) return i < 0 ? -1 : 0;
  if (i < 0) return count - 1;
  if (i >= count) return 0;
  return i;
}

SplinePath::Segment SplinePath::segmentAt(int i) const {
  Segment s;
  if (points_.empty()) return s;
  s.p1 = points_[wrap(i)];
  s.p2 = points_[wrap(i + 1)];
  if (!linear_) {
    s.p0 = points_[wrap(i - 1)];
    s.p3 = points_[wrap(i + 2)];
  }
  return s;
}

Vector3 SplinePath::evaluate(const Segment& s, float u) const {
  return linear_ ? lerp(s.p1, s.p2, u) : catmullRom(s.p0, s.p1, s.p2, s.p3, u);
}

Vector3 SplinePath::evaluateAhead(float u) const {
  // Past the end of the current segment the next one is read from the points, leaving the copy
  // of the current segment as it is.
  if (u > 1.0f) return evaluate(segmentAt(wrap(index_ + 1)), u - 1.0f);
  return evaluate(segment_, u);
}

void SplinePath::start() {
  index_ = wrap(index_);
  halted_ = halted_ || pointCount() < 2;
  linear_ = linear_ || pointCount() < 4 || !useCurve_;
  if (!points_.empty()) {
    position_ = points_[index_];
    if (object_) object_->setPosition(position_);
  }
  segment_ = segmentAt(index_);
  started_ = true;
}

void SplinePath::advance(int frameTime) {
  // The frame that puts the object on its first point moves it no further.
  if (!started_) {
    start();
    frameTime = 0;
  }
  if (halted_ || !running_) return;

  if (t_ > 1.0f) {
    t_ = 0.0f;
    index_ = wrap(index_ + 1);
    segment_ = segmentAt(index_);
  }
  position_ = evaluate(segment_, t_);

  Vector3 direction;
  if (flags_ & (PlaceObject | Bank)) direction = evaluateAhead(t_ + LookAhead) - position_;
  if (object_) {
    if (flags_ & PlaceObject) {
      object_->placeAt(position_);
      object_->setTarget(position_ + direction);
    } else {
      object_->setPosition(position_);
    }
    if (flags_ & Bank) {
      const Vector2 heading{direction.x, direction.z};
      const float angle = signedAngle2(heading, previousHeading_);
      object_->setUp(0.0f, 1.0f, 0.0f);
      const float wanted = -(angle * RadToDeg * bankFactor_);
      // Without a previous heading (first frame) the angle is not a number: keep the roll.
      if (!std::isnan(wanted)) {
        if (flags_ & SmoothBank) {
          stepToward(bank_, wanted, bankRate_);
        } else {
          bank_ = wanted;
        }
      }
      object_->roll(bank_);
      previousHeading_ = heading;
    }
  }

  if (frameTime <= 0) return;
  // Scale the parameter step so that the next frame covers speed * dt along the curve.
  const float travelled = length3(position_ - evaluateAhead(t_ + step_));
  if (travelled > 0.0f) step_ = step_ * (static_cast<float>(frameTime) * speed_) / travelled;
  t_ += step_;
}
