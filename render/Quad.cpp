#include "render/Quad.h"

#include <windows.h>
#include <GL/gl.h>

#include "render/Texture.h"

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

bool Quad::trimmed() const {
  if (!blended() || !textured() || sMax_ != 1.0f || tMax_ != 1.0f) return false;
  const Texture* picture = texture(0);
  // Cutting away less than a quarter costs more in extra edges than it saves.
  return picture && picture->coveredCells() * 4 < 3 * Texture::CoverCells * Texture::CoverCells &&
         picture->scaleS() == 1.0f && picture->scaleT() == 1.0f && picture->offsetS() == 0.0f &&
         picture->offsetT() == 0.0f;
}

void Quad::draw() {
  if (trimmed()) {
    // Each run of showing cells in a row as one quad, corners in the same order as the whole
    // rectangle's. Fewer, larger quads: every edge costs the rasteriser blocks shaded twice.
    const Texture& picture = *texture(0);
    constexpr int Cells = Texture::CoverCells;
    glBegin(GL_QUADS);
    for (int row = 0; row < Cells; ++row) {
      const float t0 = static_cast<float>(row) / Cells;
      const float t1 = static_cast<float>(row + 1) / Cells;
      const float top = halfHeight_ - t0 * height_;
      const float bottom = halfHeight_ - t1 * height_;
      for (int column = 0; column < Cells; ++column) {
        if (!picture.cellCovered(column, row)) continue;
        const int first = column;
        while (column + 1 < Cells && picture.cellCovered(column + 1, row)) ++column;
        const float s0 = static_cast<float>(first) / Cells;
        const float s1 = static_cast<float>(column + 1) / Cells;
        const float left = s0 * width_ - halfWidth_;
        const float right = s1 * width_ - halfWidth_;
        texCoord(s1, t0);
        glVertex3f(right, top, 0.0f);
        texCoord(s0, t0);
        glVertex3f(left, top, 0.0f);
        texCoord(s0, t1);
        glVertex3f(left, bottom, 0.0f);
        texCoord(s1, t1);
        glVertex3f(right, bottom, 0.0f);
      }
    }
    glEnd();
    return;
  }
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
