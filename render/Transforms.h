#pragma once
// The viewport and the projection and model-view matrices the scene draws with, set through here
// so that they are known on our side: reading them back from the driver (glGet) waits until it
// has done all the work queued before, which on threaded drivers costs a frame's parallelism.
// Each call also sets OpenGL's own state. The model-view stack mirrors OpenGL's push and pop.
#include "world/Matrix.h"

namespace transforms {

struct Viewport {
  int x = 0, y = 0, width = 0, height = 0;
};

void setViewport(int x, int y, int width, int height);
// Loads the projection matrix; the model-view matrix stays the current mode.
void setProjection(const Matrix4x4& projection);
void loadModelview(const Matrix4x4& modelview);
void push();
void pop();
void translate(float x, float y, float z);
void scale(float x, float y, float z);
void multiply(const Matrix4x4& matrix);

const Viewport& viewport();
const Matrix4x4& projection();
const Matrix4x4& modelview();

}  // namespace transforms
