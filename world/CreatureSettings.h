#pragma once
#include "world/Swimmer.h"
#include "world/Vector.h"

class FishSchool;

// The free-swimming creatures: how each one's Swimmer differs from the defaults and where it starts.
// The scene builds the objects (and says what they look like) and applies these.

// How one kind of single reef fish swims, where it differs from a Swimmer's defaults.
struct SwimStyle {
  float maxSpeed = 0.001f;
  float animFactor = 40000.0f;
  float acceleration = 0.000004f;
  bool randomSpeed = false;
};

// Where a creature starts and the point it first looks at, in scene coordinates.
struct CreatureStart {
  Vector3 position;
  Vector3 lookAt;
};

SwimmerSettings guideSettings();
// The chase is on only when there is a school to scatter.
SwimmerSettings predatorSettings(bool chase, FishSchool* school);
// Single reef fish number index (from 0).
SwimmerSettings reefSettings(const SwimStyle& style, int index, FishSchool* school);

// Each draws its random values in the order the scene relies on (x before z).
CreatureStart guideStart();
CreatureStart predatorStart();
CreatureStart reefStart(int index);
