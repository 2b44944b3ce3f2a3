#include "render/Transforms.h"

#include <windows.h>
#include <GL/gl.h>

namespace transforms {

namespace {

// OpenGL keeps at least 32 model-view matrices; the scene nests a handful.
constexpr int StackDepth = 32;

struct State {
  Viewport viewport;
  Matrix4x4 projection;
  Matrix4x4 stack[StackDepth];
  int top = 0;
};

State& state() {
  static State current;
  return current;
}

}  // namespace

void setViewport(int x, int y, int width, int height) {
  state().viewport = Viewport{x, y, width, height};
  glViewport(x, y, width, height);
}

void setProjection(const Matrix4x4& projection) {
  state().projection = projection;
  glMatrixMode(GL_PROJECTION);
  glLoadMatrixf(projection.m);
  glMatrixMode(GL_MODELVIEW);
}

void loadModelview(const Matrix4x4& modelview) {
  State& s = state();
  s.stack[s.top] = modelview;
  glLoadMatrixf(modelview.m);
}

void push() {
  State& s = state();
  // Past the depth OpenGL would refuse the push too and keep drawing with the top matrix.
  if (s.top + 1 < StackDepth) {
    s.stack[s.top + 1] = s.stack[s.top];
    ++s.top;
  }
  glPushMatrix();
}

void pop() {
  State& s = state();
  if (s.top > 0) --s.top;
  glPopMatrix();
}

void translate(float x, float y, float z) {
  State& s = state();
  s.stack[s.top] = Matrix4x4::multiply(s.stack[s.top], Matrix4x4::translation(x, y, z));
  glTranslatef(x, y, z);
}

void scale(float x, float y, float z) {
  State& s = state();
  s.stack[s.top] = Matrix4x4::multiply(s.stack[s.top], Matrix4x4::scaling(x, y, z));
  glScalef(x, y, z);
}

void multiply(const Matrix4x4& matrix) {
  State& s = state();
  s.stack[s.top] = Matrix4x4::multiply(s.stack[s.top], matrix);
  glMultMatrixf(matrix.m);
}

const Viewport& viewport() { return state().viewport; }
const Matrix4x4& projection() { return state().projection; }
const Matrix4x4& modelview() { return state().stack[state().top]; }

}  // namespace transforms
