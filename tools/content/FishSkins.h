#pragma once
// Side-view skins of the fish kinds, painted over their shapes so that every mark sits where the
// mesh puts it. Lighting is baked in (the scene draws models unlit): the body darkens towards its
// outline so it reads as round.

#include "FishShapes.h"
#include "Image.h"

Image silverfishSkin();
Image anglefishSkin();  // worn by the reef fish shape
Image redFishSkin();    // reef fish shape
Image blueFishSkin();   // reef fish shape
Image moorishIdolSkin();
Image yellowBlueSkin();
Image predatorSkin();
Image bigGreySkin();
Image bigRedSkin();
