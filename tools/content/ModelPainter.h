#pragma once
// A small software rasteriser that paints a textured model frame into a picture (orthographic,
// depth-tested, supersampled). The dialog and intro pictures show the real models this way.

#include "Image.h"
#include "Mesh.h"

struct ViewAxes {
  Vec3 right;   // picture x
  Vec3 up;      // picture y (upward)
  Vec3 toward;  // from the model toward the viewer
};

// Side view of a fish with its head to the left; top view of a flyer with its head up.
ViewAxes fishSideView();
ViewAxes topView();

// Pixels per model unit so that the frame fits into width x height pixels.
float fitScale(const AnimatedModel& model, int frame, const ViewAxes& view, float width, float height);

// Paints the frame centred at (centreX, centreY) with `scale` pixels per model unit.
void paintModel(Image& target, const AnimatedModel& model, int frame, const Image& skin, const ViewAxes& view,
                float centreX, float centreY, float scale);
