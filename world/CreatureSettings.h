#pragma once
#include "world/Swimmer.h"
#include "world/Vector.h"

class FishSchool;

// The free-swimming creatures: how each one's Swimmer differs from the defaults and where it starts.
// The scene builds the objects (and says what they look like) and applies these.

enum class ReefSpecies { Striped, Red, Blue, YellowBlue };

// Where a creature starts and the point it first looks at, in scene coordinates.
struct CreatureStart {
  Vector3 position;
  Vector3 lookAt;
};

SwimmerSettings guideSettings();
// The chase is on only when there is a school to scatter.
SwimmerSettings predatorSettings(bool chase, FishSchool* school);
// Single reef fish number index (from 0).
SwimmerSettings reefSettings(ReefSpecies species, int index, FishSchool* school);

// Each draws its random values in the order the scene relies on (x before z).
CreatureStart guideStart();
CreatureStart predatorStart();
CreatureStart reefStart(int index);
