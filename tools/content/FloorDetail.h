#pragma once
// The floor's fine detail: what lies on the sand up close (ripples, pebbles, shells, bits of coral
// rubble, tufts of sea grass and algae), laid over the sand picture as a decal that repeats every
// few units. Where its alpha is 0 the sand shows unchanged.

#include "Image.h"

// `repeat`: how many times the picture repeats across the floor (60 x 50 units).
Image floorDetail(float repeat);
