#pragma once
// Pictures that tell the scene's objects apart (the census): told before each object is drawn.
#include "scene/SceneLayer.h"

class ObjectIdentity {
 public:
  // The object that comes next: index numbers the objects of a layer (creatures by their place
  // in the scene's list, corals by their placement, the rock 0 and the fader 1, else 0). False
  // leaves it out of the picture.
  virtual bool identify(SceneLayer layer, int index) = 0;

 protected:
  ~ObjectIdentity() = default;
};
