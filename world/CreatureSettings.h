#pragma once
#include "world/Swimmer.h"
#include "world/Vector.h"

class FishSchool;

// The free-swimming creatures: what each looks like and how its Swimmer differs from the
// defaults. The scene loads the files, builds the objects and applies these.

enum class ReefSpecies { Striped, Red, Blue, YellowBlue };

struct CreatureLook {
  const char* model;    // relative to the data folder
  const char* texture;  // relative to the data folder
  int swimFirst;        // the "swim" frame range
  int swimLast;
  float scale;
};

// Where a creature starts and the point it first looks at, in scene coordinates.
struct CreatureStart {
  Vector3 position;
  Vector3 lookAt;
};

CreatureLook predatorLook();
CreatureLook reefLook(ReefSpecies species);
// boidModel 0: the silver fish; otherwise the rfish model with the angle-fish skin.
CreatureLook schoolLook(int boidModel);
// The guide wears the school's model and is never drawn; only its scale differs.
constexpr float GuideScale = 0.02f;

SwimmerSettings guideSettings();
// The chase is on only when there is a school to scatter.
SwimmerSettings predatorSettings(bool chase, FishSchool* school);
// Single reef fish number index (from 0).
SwimmerSettings reefSettings(ReefSpecies species, int index, FishSchool* school);

// Each draws its random values in the order the scene relies on (x before z).
CreatureStart guideStart();
CreatureStart predatorStart();
CreatureStart reefStart(int index);
