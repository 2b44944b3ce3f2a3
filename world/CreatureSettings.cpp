#include "world/CreatureSettings.h"

#include "world/Random.h"

namespace {

constexpr float ReefHeightStep = 0.6f;
constexpr float ReefTopHeight = -3.0f;

float reefHeight(int index) { return static_cast<float>(index % 3) * ReefHeightStep + ReefTopHeight; }

}  // namespace

SwimmerSettings guideSettings() { return SwimmerSettings{}; }

SwimmerSettings predatorSettings(bool chase, FishSchool* school) {
  SwimmerSettings s;
  s.cruiseHeight = -4.2f;
  s.maxSpeed = 0.0009f;
  s.animFactor = 30000.0f;
  s.acceleration = 0.000001f;
  s.home = {-4.0f, 5.5f};
  s.randomSpeed = true;
  s.followTarget = chase;
  s.school = school;
  return s;
}

SwimmerSettings reefSettings(const SwimStyle& style, int index, FishSchool* school) {
  SwimmerSettings s;
  s.maxSpeed = style.maxSpeed;
  s.animFactor = style.animFactor;
  s.acceleration = style.acceleration;
  s.randomSpeed = style.randomSpeed;
  s.cruiseHeight = reefHeight(index);
  s.swimArea[0] = {-15.0f, 25.0f};
  s.swimArea[1] = {-6.0f, 2.0f};
  s.swimArea[2] = {5.0f, 2.0f};
  s.swimArea[3] = {14.0f, 25.0f};
  s.home = {-1.0f, 8.0f};
  s.school = school;
  return s;
}

CreatureStart guideStart() {
  const float x = randomRange(-4.0f, 3.0f, 2);
  const float z = randomRange(3.0f, 17.0f, 2);
  return {{x, -3.5f, z}, {x + 1.0f, -3.5f, z + 1.0f}};
}

CreatureStart predatorStart() {
  const float x = randomRange(-4.0f, -1.0f, 2);
  const float z = randomRange(3.0f, 17.0f, 2);
  return {{x, -4.2f, z}, {x - 1.0f, -4.2f, z}};
}

CreatureStart reefStart(int index) {
  const float x = randomRange(-5.5f, 6.0f, 2);
  const float y = reefHeight(index);
  const float z = randomRange(3.0f, 21.0f, 2);
  const float side = index % 2 == 0 ? 1.0f : -1.0f;  // facing alternates between +x and -x
  return {{x, y, z}, {x + side, y, z}};
}
