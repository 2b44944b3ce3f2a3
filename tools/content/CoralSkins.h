#pragma once
// Coral skins. Tube corals map s around the branch and t from the tips (top row) to the base,
// so every tube skin wraps horizontally; the boulder skin tiles both ways (the scene repeats it).

#include "Image.h"

// `letter` is one of a, b, c, d, f, g, h, i.
Image coralSkin(char letter);
