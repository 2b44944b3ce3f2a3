#include "render/Quad.h"

#include <windows.h>
#include <GL/gl.h>

void Quad::setSize(float width, float height) {
  width_ = width;
  height_ = height;
  halfWidth_ = width / 2.0f;
  halfHeight_ = height / 2.0f;
}

void Quad::begin() {
  glPushMatrix();
  SceneObject::begin();
}

void Quad::draw() {
  glBegin(GL_QUADS);
  texCoord(sMax_, 0.0f);
  glVertex3f(halfWidth_, halfHeight_, 0.0f);
  texCoord(0.0f, 0.0f);
  glVertex3f(-halfWidth_, halfHeight_, 0.0f);
  texCoord(0.0f, tMax_);
  glVertex3f(-halfWidth_, -halfHeight_, 0.0f);
  texCoord(sMax_, tMax_);
  glVertex3f(halfWidth_, -halfHeight_, 0.0f);
  glEnd();
}

void Quad::end() {
  glPopMatrix();
  SceneObject::end();
}
