#pragma once
// Coral skins. Each holds two colour variants side by side, one for every other head of a colony
// (a texel of margin inside each half). Tube corals map s around the branch within a half and t
// from the tips (top row) to the base, so each half wraps horizontally; the boulder skin is one
// picture that tiles both ways (the scene repeats it).

#include "Image.h"

// `kind` 0 to 7 for a b c d f g h i.
Image coralSkin(int kind);
