#pragma once
// One view of the sea across several monitors: each monitor looks out at the angle its place in
// the arrangement gives, at the same scale as the primary, so that the lagoon, the horizon and the
// creatures continue from one monitor to the next.
#include "scene/SceneView.h"

constexpr int MaxScreens = 16;  // more are drawn looking straight ahead

struct ScreenRect {
  int left, top, right, bottom;  // desktop pixels
};

// screens[0] is the primary; views[i] gets screens[i]'s size, its yaw and its off-axis sides (the
// camera is left to the caller). Monitors side by side share the primary's horizon row; a monitor
// above or below the others gets the view of the column it stands in.
void panoramaViews(const ScreenRect* screens, int count, SceneView* views);
