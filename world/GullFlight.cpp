#include "world/GullFlight.h"

#include "world/Random.h"

namespace {

// Last frames of the "glide" and "fly" ranges: a wing-beat cycle ends there.
constexpr int LastGlideFrame = 19;
constexpr int LastFlyFrame = 42;
constexpr int PointsPerPiece = 4;

}  // namespace

void GullFlight::build(const Vector3& start, FrameAnimation* wings) {
  wings_ = wings;
  pose_.placeAt(start);
  path_.setObject(&pose_);
  appendCrossing(gullSide_);
  gullSide_ = !gullSide_;
  appendCrossing(gullSide_);
  gullSide_ = !gullSide_;
  path_.setIndex(0);
  path_.setSpeed(0.005f);
  path_.setBankRate(0.6f);
  path_.setBankFactor(10.0f);
}

void GullFlight::appendCrossing(bool side) {
  Vector3 points[PointsPerPiece];
  for (int k = 0; k < PointsPerPiece; ++k) {
    points[k].x = 30.0f - 20.0f * static_cast<float>(k);
    points[k].z = randomRange(5.0f, 35.0f, 2);
    points[k].y = randomRange(2.5f, 4.5f, 2);
  }
  for (int k = 0; k < PointsPerPiece; ++k) path_.addPoint(points[side ? PointsPerPiece - 1 - k : k]);
}

void GullFlight::appendSwoop(bool side) {
  const Vector3 swoop[PointsPerPiece] = {
      {18.0f, 1.0f, 25.0f}, {4.0f, 1.0f, 4.0f}, {0.0f, 3.0f, -7.0f}, {18.0f, 3.5f, -7.0f}};
  for (const Vector3& p : swoop) path_.addPoint(side ? -p.x : p.x, p.y, p.z);
}

void GullFlight::update(int frameTime) {
  const int r = randomDraw();

  sinceSwitch_ += frameTime;
  if (wings_ && sinceSwitch_ > switchWait_) {
    const int frame = wings_->currentFrame();
    if (frame == LastGlideFrame || frame == LastFlyFrame) {
      sinceSwitch_ = 0;
      switchWait_ = 2000 + randomDraw() % 3000;
      flapping_ = !flapping_;
      wings_->play(flapping_ ? "fly" : "glide");
    }
  }

  if (path_.index() >= PointsPerPiece) {
    for (int i = 0; i < PointsPerPiece; ++i) path_.removeFirst();
    if (r % 4 == 0) {
      appendSwoop(gullSide_);
    } else {
      appendCrossing(gullSide_);
      gullSide_ = !gullSide_;
    }
  }
  path_.advance(frameTime);
}
