#pragma once
// The launcher's pictures: the menu background and the frames of the intro video, both the same
// sunlit sea seen from below the surface.

#include "Picture.h"

namespace cdcontent {

constexpr int kMenuWidth = 640;
constexpr int kMenuHeight = 480;
// The clickable logo of the menu window (inclusive client pixels).
constexpr int kLogoLeft = 518;
constexpr int kLogoTop = 428;
constexpr int kLogoRight = 630;
constexpr int kLogoBottom = 470;

Picture menuBackground();
// Frame `index` of `count`: fish cross the picture while the name fades in.
Picture introFrame(int index, int count, int width, int height);

}  // namespace cdcontent
