#pragma once
#include "render/Terrain.h"
#include "world/Vector.h"

// How many window rows, counted from the bottom, a terrain at offset (its translation, in
// OpenGL's z-negated form) covers from the left edge to the right edge in the current view
// (the model-view, projection and viewport set through render/Transforms.h). The terrain is opaque: what
// was drawn before it in those rows is painted over, so it need not be drawn at all.
int rowsCoveredByGround(const Terrain& ground, const Vector3& offset);
