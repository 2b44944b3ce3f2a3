#include "world/Random.h"

#include <algorithm>

namespace {

uint32_t state = 1;

}  // namespace

void seedRandom(uint32_t seed) { state = seed; }

int randomDraw() {
  state = state * 214013u + 2531011u;
  return static_cast<int>((state >> 16) & 0x7FFFu);
}

float randomRange(float lo, float hi, int decimals) {
  int scale = 10;
  for (int i = 1; i < decimals; ++i) scale *= 10;
  const int span = static_cast<int>((hi - lo) * static_cast<float>(scale));
  const int r = randomDraw();
  // An empty range has nothing to pick from; the low end is then the only value.
  const int k = span > 0 ? r % span : 0;
  return std::min(hi, lo + static_cast<float>(k) / static_cast<float>(scale));
}

float stepToward(float& value, float target, float maxStep) {
  if (value == target) return 0.0f;
  const float d = target - value;
  if (d >= maxStep) {
    value += maxStep;
    return maxStep;
  }
  if (d > -maxStep) {
    value = target;
    return d;
  }
  value -= maxStep;
  return -maxStep;
}

bool pointInPolygon(const Vector2* corners, int count, const Vector2& p) {
  if (count <= 0) return false;
  int crossings = 0;
  Vector2 p1 = corners[0];
  for (int i = 1; i <= count; ++i) {
    const Vector2 p2 = corners[i % count];
    if (p.y > std::min(p1.y, p2.y) && p.y <= std::max(p1.y, p2.y) && p.x <= std::max(p1.x, p2.x) && p1.y != p2.y) {
      if (p1.x == p2.x || p.x <= (p.y - p1.y) * (p2.x - p1.x) / (p2.y - p1.y) + p1.x) ++crossings;
    }
    p1 = p2;
  }
  return crossings % 2 == 1;
}

void RandomTimer::setRange(int minimum, int maximum) {
  minimum_ = minimum;
  maximum_ = maximum;
  elapsed_ = 0;
  pick();
}

void RandomTimer::restart() {
  elapsed_ = 0;
  pick();
}

void RandomTimer::pick() {
  if (minimum_ == -1) return;
  if (maximum_ == -1) {
    period_ = minimum_;
    return;
  }
  const int span = maximum_ - minimum_;
  period_ = minimum_ + (span > 0 ? randomDraw() % span : 0);
}

bool RandomTimer::tick(int dt) {
  if (!enabled_) return false;
  elapsed_ += dt;
  if (elapsed_ >= period_) {
    elapsed_ = 0;
    pick();
    return true;
  }
  return false;
}
