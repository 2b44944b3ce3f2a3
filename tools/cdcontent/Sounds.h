#pragma once
// The launcher's short sounds: a bubble for the pointer entering a button or the logo, and one
// click-like bubble per stacked button, each a little higher than the one above it.

#include <vector>

namespace cdcontent {

// `pitch` scales the bubble's frequency; 1 is the hover sound.
std::vector<float> bubbleSound(double pitch);

}  // namespace cdcontent
