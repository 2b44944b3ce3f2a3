#pragma once
// Skies, sand, water, the horizon fader, the distant rock and island, and the highlight's blend
// map. Pictures that the scene repeats are built from periodic noise and tile seamlessly.

#include "HeightMap.h"
#include "Image.h"

// The cloudy sky, for the dome: its middle overhead (CloudySky.cpp).
Image cloudySky();
// Clean gradient; `for16Bit` pre-dithers to 5-6-5 levels so a 16-bit display shows no bands.
Image clearSky(bool for16Bit);
// Warm pale sand with ripples, lit from the floor's own slopes (the scene draws it unlit).
Image sandTexture(const SeaFloor& floor);
// Light turquoise with soft darker streaks; alpha makes it a thin veil.
Image waterTexture();
// Fog colour at the top edge fading to transparent at the bottom.
Image horizonFader();
Image rockTexture();
Image islandTexture();
// White with a soft elliptical falloff in alpha, under the glints.
Image blendMap();
