#pragma once
// One picture of the scene: where in the window it goes, how it is projected and from where it
// looks. Several views of one scene may be drawn in a frame.
#include "world/LookAtCamera.h"

struct SceneView {
  int x = 0, y = 0;           // lower-left corner of the viewport, in window pixels
  int width = 0, height = 0;  // size of the viewport
  float aspect = 1.0f;        // width to height of the projection
  LookAtCamera camera;        // the pose it looks from
  float yaw = 0.0f;           // degrees to the right of the camera's facing, about the vertical
  // Without offAxis the projection is 45 degrees high at the aspect; with it, the sides of the
  // view as tangents of their angles from the view's axis (left and bottom negative).
  bool offAxis = false;
  float left = 0.0f, right = 0.0f, bottom = 0.0f, top = 0.0f;
};

// Wider screens stretch the picture instead of showing more of the scene's edges.
constexpr float MaxAspect = 1.35f;

// The whole of a window of width x height pixels, seen from camera: the window's aspect, but
// never wider than MaxAspect.
SceneView windowView(int width, int height, const LookAtCamera& camera);
