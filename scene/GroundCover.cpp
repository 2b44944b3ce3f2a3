#include "scene/GroundCover.h"

#include <windows.h>
#include <GL/gl.h>
#include <GL/glu.h>

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
