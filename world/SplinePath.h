#pragma once
#include <cstdint>
#include <vector>

#include "world/Pose.h"
#include "world/Vector.h"

// Bits of SplinePath's flags.
enum PathFlags : unsigned {
  PlaceObject = 1,  // the object faces a point a little ahead on the curve
  Bank = 2,         // the object rolls into turns
  SmoothBank = 4,   // the roll changes by at most bankRate per frame
};

// Carries one pose along a closed curve through control points (after the last point it runs
// back to the first), at a steady speed whatever the spacing of the points. Points already
// passed may be dropped and new ones appended while it runs: the current segment is a copy, so
// the object's way through it never changes.
class SplinePath {
 public:
  void addPoint(float x, float y, float z);
  void addPoint(const Vector3& p) { addPoint(p.x, p.y, p.z); }
  // Drops the first point; index keeps naming the same point.
  void removeFirst();
  // Drops every point and keeps the storage.
  void clearPoints();
  void setIndex(int i);
  int index() const { return index_; }
  int pointCount() const { return static_cast<int>(points_.size()); }

  void setObject(Pose* object) { object_ = object; }
  void setSpeed(float speed) { speed_ = speed; }
  void setUseCurve(bool useCurve) { useCurve_ = useCurve; }
  void setBankFactor(float factor) { bankFactor_ = factor; }
  void setBankRate(float rate) { bankRate_ = rate; }
  void clearFlags(unsigned bits) { flags_ &= ~bits; }
  void pause() { running_ = false; }
  void resume() { running_ = true; }

  // Puts the object on the current point; the first advance does it when nobody else has.
  void start();
  // Once per frame, frameTime ms after the previous one.
  void advance(int frameTime);

  const Vector3& position() const { return position_; }
  float bank() const { return bank_; }
  bool halted() const { return halted_; }
  bool linear() const { return linear_; }

 private:
  struct Segment {
    Vector3 p0, p1, p2, p3;
  };

  int wrap(int i) const;
  Segment segmentAt(int i) const;
  Vector3 evaluate(const Segment& segment, float u) const;
  Vector3 evaluateAhead(float u) const;

  std::vector<Vector3> points_;
  Pose* object_ = nullptr;
  Vector3 position_;
  Segment segment_;
  float t_ = 0.0f;
  int index_ = 0;
  bool useCurve_ = true;
  float speed_ = 0.002f;
  float step_ = 0.001f;
  bool started_ = false;
  unsigned flags_ = PlaceObject | Bank | SmoothBank;
  bool running_ = true;
  bool linear_ = false;
  bool halted_ = false;
  float bankFactor_ = 10.0f;
  float bankRate_ = 2.0f;
  float bank_ = 0.0f;
  Vector2 previousHeading_;
};
