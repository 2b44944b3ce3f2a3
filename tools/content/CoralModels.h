#pragma once
// The eight coral models ("a" to "i" without "e"): branching, fan, bush, table, soft coral,
// brain, boulder and sea whips. File +z is up; each model stands on its origin. Sizes are in
// model units, chosen against each coral's object scale in the scene.

#include "Mesh.h"

// `letter` is one of a, b, c, d, f, g, h, i; `frames` is the length of its "wabbel" loop.
AnimatedModel buildCoralModel(char letter, int frames);
