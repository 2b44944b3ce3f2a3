#pragma once
#include <cstdint>

#include "world/Vector.h"

// The program's one random generator: x = x * 214013 + 2531011, result (x >> 16) & 0x7FFF.
// Several ranges depend on its limit of 32767; no other generator may be used in its place.
constexpr int RandomMax = 32767;
void seedRandom(uint32_t seed);
int randomDraw();

// lo + (draw mod span) / 10^decimals, never above hi. decimals <= 1 counts as one decimal.
float randomRange(float lo, float hi, int decimals);

// Moves value toward target by at most maxStep; returns the change made.
float stepToward(float& value, float target, float maxStep);

// Crossing-number test in the (x, z) plane; corners carry z in their second component.
bool pointInPolygon(const Vector2* corners, int count, const Vector2& p);

// An interval timer that fires after a fixed or random period of milliseconds.
class RandomTimer {
 public:
  void setRange(int minimum, int maximum);
  void restart();
  bool tick(int dt);
  void disable() { enabled_ = false; }
  int period() const { return period_; }
  bool enabled() const { return enabled_; }

 private:
  void pick();

  int elapsed_ = 0;
  int minimum_ = -1;  // -1: no period at all
  int maximum_ = -1;  // -1: the period is the minimum
  int period_ = -1;
  bool enabled_ = true;
};
