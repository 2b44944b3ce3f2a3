#include "scene/SceneView.h"

SceneView windowView(int width, int height, const LookAtCamera& camera) {
  SceneView view;
  view.width = width;
  view.height = height;
  view.aspect = height > 0 ? static_cast<float>(width) / static_cast<float>(height) : 1.0f;
  if (view.aspect > MaxAspect) view.aspect = MaxAspect;
  view.camera = camera;
  return view;
}
