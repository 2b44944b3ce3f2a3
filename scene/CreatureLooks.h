#pragma once
// What the free-swimming creatures look like: their model and skin in the data folder and the size
// they are drawn at. How they swim is the world's (world/CreatureSettings).
#include "formats/DataCatalog.h"
#include "world/CreatureSettings.h"

struct CreatureLook {
  const catalog::Model* model;
  const catalog::Picture* skin;
  float scale;
};

CreatureLook predatorLook();
CreatureLook reefLook(ReefSpecies species);
// boidModel 0: the silver fish; otherwise the reef fish's model with the angle-fish skin.
CreatureLook schoolLook(int boidModel);

// The "swim" range a fish plays: the first range of its model.
inline const catalog::FrameRange& swimRange(const CreatureLook& look) { return look.model->ranges[0]; }
