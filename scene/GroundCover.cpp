#include "scene/GroundCover.h"

#include <windows.h>
#include <GL/gl.h>
#include <GL/glu.h>

#include <algorithm>
#include <cmath>
#include <utility>

#include "render/Texture.h"
#include "render/Transforms.h"

namespace {

struct View {
  GLdouble modelview[16];
  GLdouble projection[16];
  GLint viewport[4];
};

// Whether the ray through the centre of window pixel (x, y) is inside the rectangle at both
// heights, between the near and the far plane: on its way from above the mesh to below it, it
// meets the mesh.
bool meetsGround(const View& view, const Terrain::Ground& area, double x, double y) {
  GLdouble nx, ny, nz, fx, fy, fz;
  if (gluUnProject(x, y, 0.0, view.modelview, view.projection, view.viewport, &nx, &ny, &nz) != GL_TRUE ||
      gluUnProject(x, y, 1.0, view.modelview, view.projection, view.viewport, &fx, &fy, &fz) != GL_TRUE) {
    return false;
  }
  if (fy == ny) return false;
  for (const double height : {static_cast<double>(area.yBelow), static_cast<double>(area.yAbove)}) {
    const double t = (height - ny) / (fy - ny);
    if (t <= 0.0 || t > 1.0) return false;
    // A little inside the edges, so rounding never claims a pixel the mesh leaves open.
    constexpr double Margin = 0.01;
    const double px = nx + (fx - nx) * t;
    const double pz = nz + (fz - nz) * t;
    if (!(px > area.xMin + Margin && px < area.xMax - Margin && pz > area.zMin + Margin && pz < area.zMax - Margin)) {
      return false;
    }
  }
  return true;
}

bool rowCovered(const View& view, const Terrain::Ground& area, int row) {
  const double y = view.viewport[1] + row + 0.5;
  const double left = view.viewport[0] + 0.5;
  const double right = view.viewport[0] + view.viewport[2] - 0.5;
  return meetsGround(view, area, left, y) && meetsGround(view, area, right, y);
}

}  // namespace

int rowsCoveredByGround(const Terrain& ground, const Vector3& offset) {
  Terrain::Ground area;
  if (!ground.ground(area)) return 0;
  area.xMin += offset.x;
  area.xMax += offset.x;
  area.zMin += offset.z;
  area.zMax += offset.z;
  area.yBelow += offset.y;
  area.yAbove += offset.y;

  View view;
  for (int i = 0; i < 16; ++i) {
    view.modelview[i] = transforms::modelview().m[i];
    view.projection[i] = transforms::projection().m[i];
  }
  const transforms::Viewport& viewport = transforms::viewport();
  view.viewport[0] = viewport.x;
  view.viewport[1] = viewport.y;
  view.viewport[2] = viewport.width;
  view.viewport[3] = viewport.height;
  // The covered part of the window is convex: the rows covered from side to side run from the
  // bottom up to some row, if the bottom row is covered at all.
  if (view.viewport[3] <= 0 || !rowCovered(view, area, 0)) return 0;
  int covered = 1;                   // rows below this one are covered
  int uncovered = view.viewport[3];  // this row is not (or lies above the window)
  while (covered < uncovered) {
    const int middle = covered + (uncovered - covered) / 2;
    if (rowCovered(view, area, middle)) {
      covered = middle + 1;
    } else {
      uncovered = middle;
    }
  }
  return covered;
}

namespace {

struct WindowPoint {
  float x, y;
};

// Where a point of the card lands in the viewport (pixels from its lower-left corner); false
// behind the eye.
bool toWindow(const Matrix4x4& clip, const transforms::Viewport& viewport, float x, float y, WindowPoint& at) {
  const float* m = clip.m;
  const float cx = m[0] * x + m[4] * y + m[12];
  const float cy = m[1] * x + m[5] * y + m[13];
  const float cw = m[3] * x + m[7] * y + m[15];
  if (cw <= 0.0f) return false;
  at.x = (cx / cw + 1.0f) * 0.5f * static_cast<float>(viewport.width);
  at.y = (cy / cw + 1.0f) * 0.5f * static_cast<float>(viewport.height);
  return true;
}

// The height of the line through a and b at window column x.
float heightAt(const WindowPoint& a, const WindowPoint& b, float x) {
  return a.y + (b.y - a.y) * (x - a.x) / (b.x - a.x);
}

}  // namespace

bool rowsCoveredByCard(const Quad& card, int& lowRow, int& highRow) {
  float tTop = 0.0f, tBottom = 0.0f;
  if (!card.picturedOnce() || !card.texture(0)->opaqueRows(tTop, tBottom)) return false;
  const transforms::Viewport& viewport = transforms::viewport();
  const Matrix4x4 clip =
      Matrix4x4::multiply(Matrix4x4::multiply(transforms::projection(), transforms::modelview()), card.placement());
  // The picture's top (t = 0) is at +y.
  const float half = 0.5f * card.width();
  const float yTop = 0.5f * card.height() - tTop * card.height();
  const float yBottom = 0.5f * card.height() - tBottom * card.height();
  WindowPoint topLeft, topRight, bottomLeft, bottomRight;
  if (!toWindow(clip, viewport, -half, yTop, topLeft) || !toWindow(clip, viewport, half, yTop, topRight) ||
      !toWindow(clip, viewport, -half, yBottom, bottomLeft) || !toWindow(clip, viewport, half, yBottom, bottomRight)) {
    return false;
  }
  // The band must reach past both sides of the view.
  const float right = static_cast<float>(viewport.width);
  if (topLeft.x > 0.0f || bottomLeft.x > 0.0f || topRight.x < right || bottomRight.x < right) return false;
  float upper[2] = {heightAt(topLeft, topRight, 0.0f), heightAt(topLeft, topRight, right)};
  float lower[2] = {heightAt(bottomLeft, bottomRight, 0.0f), heightAt(bottomLeft, bottomRight, right)};
  if (upper[0] + upper[1] < lower[0] + lower[1]) std::swap(upper, lower);  // the card upside down
  // A row is covered when its pixels' centres are; one row of margin on either side for rounding.
  lowRow = std::max(0, static_cast<int>(std::ceil(std::max(lower[0], lower[1]))) + 1);
  highRow = std::min(viewport.height, static_cast<int>(std::floor(std::min(upper[0], upper[1]))) - 1);
  return highRow > lowRow;
}
