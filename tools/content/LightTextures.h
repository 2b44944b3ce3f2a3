#pragma once
// The animated light pictures: floor caustics, fish caustics and the sun glints on the surface.
// Each is a 32-frame loop that tiles in both directions: the underlying wave field uses whole
// wave numbers across the tile and whole cycles per loop.

#include "Image.h"

#include <vector>

constexpr int LightFrames = 32;

// Modulating light net for the sand: near white, so the sand stays pale, with white lines.
std::vector<Image> floorCaustics();
// Softer, smaller light for the fish skins.
std::vector<Image> fishCaustics();
// Sun glints: white with alpha = glint strength.
std::vector<Image> surfaceHighlights();
// A single still caustic picture, for the contact of pictures that show the floor.
Image causticStill(int size, float phase);
