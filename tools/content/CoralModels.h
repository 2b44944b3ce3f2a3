#pragma once
// The eight coral models ("a" to "i" without "e"), each a colony of several heads of one kind:
// branching staghorn, sea fans, purple bushes, tables, soft corals, brains, boulder brains and sea
// whips. A colony is laid out in the scene's own units and axes around the place where the scene
// stands it; the model file holds it with that place's scale (and turns, for a kind that stands
// in one way only) taken out, so that in the scene it stands upright, each head on the floor.

#include "Mesh.h"

#include <functional>
#include <vector>

// Floor height (scene y) at scene (x, z).
using FloorHeight = std::function<float(float x, float z)>;

// `kind` 0 to 7 for a b c d f g h i; `frames` is the length of its "wabbel" loop. Its heads stand
// on `floor` where the kind's first place puts them.
AnimatedModel buildCoralModel(int kind, int frames, const FloorHeight& floor);
