// The panorama's geometry: where each monitor looks and how its view is cut, for arrangements
// this machine does not have.
#include <gtest/gtest.h>

#include <cmath>

#include "scene/Panorama.h"
#include "world/MathConstants.h"

namespace {

const float TanHalf = std::tan(22.5f * DegToRad);

// The direction (degrees right of the camera's facing) of a view's left and right edges.
float leftEdge(const SceneView& v) { return v.yaw + std::atan(v.left) * RadToDeg; }
float rightEdge(const SceneView& v) { return v.yaw + std::atan(v.right) * RadToDeg; }
// Tangent units per pixel across and down: the scale every monitor shares.
float scaleAcross(const SceneView& v) { return (v.right - v.left) / static_cast<float>(v.width); }
float scaleDown(const SceneView& v) { return (v.top - v.bottom) / static_cast<float>(v.height); }

TEST(Panorama, ThePrimaryAloneSeesWhatItsWindowSees) {
  for (const ScreenRect screen : {ScreenRect{0, 0, 1280, 1024}, ScreenRect{0, 0, 1920, 1080}}) {
    SceneView view;
    panoramaViews(&screen, 1, &view);
    const float aspect = std::fmin(static_cast<float>(screen.right) / static_cast<float>(screen.bottom), MaxAspect);
    EXPECT_FLOAT_EQ(view.yaw, 0.0f);
    EXPECT_NEAR(view.top, TanHalf, 1e-5f);
    EXPECT_NEAR(view.bottom, -TanHalf, 1e-5f);
    EXPECT_NEAR(view.right, aspect * TanHalf, 1e-5f);
    EXPECT_NEAR(view.left, -aspect * TanHalf, 1e-5f);
  }
}

TEST(Panorama, MonitorsSideBySideMeetAtTheirEdgesAndShareTheHorizonRow) {
  // A 1024 x 768 monitor right of a 1280 x 1024 primary, tops aligned; a third left of the primary.
  const ScreenRect screens[3] = {{0, 0, 1280, 1024}, {1280, 0, 2304, 768}, {-1600, 100, 0, 1300}};
  SceneView views[3];
  panoramaViews(screens, 3, views);
  EXPECT_GT(views[1].yaw, 0.0f);
  EXPECT_LT(views[2].yaw, 0.0f);
  EXPECT_NEAR(leftEdge(views[1]), rightEdge(views[0]), 1e-3f);
  EXPECT_NEAR(rightEdge(views[2]), leftEdge(views[0]), 1e-3f);
  for (const SceneView& v : views) {
    EXPECT_NEAR(scaleAcross(v), scaleAcross(views[0]), 1e-6f);
    EXPECT_NEAR(scaleDown(v), scaleDown(views[0]), 1e-6f);
  }
  // The horizon (tangent 0) at desktop row 512, the primary's middle, on every monitor.
  for (int i = 0; i < 3; ++i) {
    const float horizonRow = static_cast<float>(screens[i].top) + views[i].top / scaleDown(views[i]);
    EXPECT_NEAR(horizonRow, 512.0f, 1e-2f) << i;
  }
  EXPECT_EQ(views[1].width, 1024);
  EXPECT_EQ(views[1].height, 768);
}

TEST(Panorama, AGapTurnsAsFarAsItsPixelsAndAMonitorAboveSharesItsColumn) {
  const ScreenRect apart[2] = {{0, 0, 1280, 1024}, {1480, 0, 2760, 1024}};
  SceneView views[2];
  panoramaViews(apart, 2, views);
  const float gap = 200.0f * scaleAcross(views[0]) * RadToDeg;
  EXPECT_NEAR(leftEdge(views[1]) - rightEdge(views[0]), gap, 1e-3f);

  // Straight above the primary, same width: the primary's direction, its own horizon in the middle.
  const ScreenRect stacked[2] = {{0, 0, 1280, 1024}, {0, -900, 1280, 0}};
  panoramaViews(stacked, 2, views);
  EXPECT_NEAR(views[1].yaw, 0.0f, 1e-5f);
  EXPECT_NEAR(views[1].top, -views[1].bottom, 1e-5f);
}

}  // namespace
