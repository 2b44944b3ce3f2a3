#pragma once
// Fish meshes lofted from their side-view shapes, with a swimming wave that travels from the
// head to the tail. Every animation segment is a whole number of wave cycles, so each range
// loops without a seam.

#include "FishShapes.h"

#include <vector>

struct SwimSegment {
  int frames;            // one full beat over this many frames
  float amplitudeScale;  // 1 = the kind's full swimming swing
};

AnimatedModel buildFishModel(const FishShape& shape, const std::vector<SwimSegment>& segments);
