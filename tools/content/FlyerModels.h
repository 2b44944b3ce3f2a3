#pragma once
// The two creatures that fly: the manta (wing beat under water) and the gull (glide and flap),
// with their top-view skins.

#include "Image.h"
#include "Mesh.h"

// 20 frames of one slow wing beat; about 3 scene units wide at the object scale 0.07.
AnimatedModel buildMantaModel();
// Back on the left half, belly on the right half.
Image mantaSkin();

// 43 frames: glide 0-19 (wings still, slightly raised), 20-22 the glide pose, flap 23-42;
// about 1 scene unit wide at the object scale 0.05.
AnimatedModel buildGullModel();
Image gullSkin();
