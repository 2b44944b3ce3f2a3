// The panorama's geometry: where each monitor looks and how its view is cut, for arrangements
// this machine does not have; and its picture against the window's own view.
#include <windows.h>
#include <gtest/gtest.h>

#include <GL/gl.h>

#include <cmath>
#include <cstdlib>
#include <string>
#include <vector>

#include "scene/Panorama.h"
#include "tests/scene/SceneTestSupport.h"
#include "world/MathConstants.h"

using scenetest::DrivenScene;

namespace {

// The direction (degrees right of the camera's facing) of a view's left and right edges.
float leftEdge(const SceneView& v) { return v.yaw + std::atan(v.left) * RadToDeg; }
float rightEdge(const SceneView& v) { return v.yaw + std::atan(v.right) * RadToDeg; }
// Tangent units per pixel across and down: the scale every monitor shares.
float scaleAcross(const SceneView& v) { return (v.right - v.left) / static_cast<float>(v.width); }
float scaleDown(const SceneView& v) { return (v.top - v.bottom) / static_cast<float>(v.height); }

// A panorama of one monitor draws the very picture the window's own view draws, whether the
// window is narrower than the aspect cap or wider.
TEST(Panorama, ThePrimaryAloneSeesWhatItsWindowSees) {
  for (const ScreenRect screen : {ScreenRect{0, 0, 640, 480}, ScreenRect{0, 0, 960, 480}}) {
    HWND host = scenetest::previewHost(screen.right, screen.bottom);
    ASSERT_NE(host, nullptr);
    {
      DrivenScene scene(SaverBuild::Basic, "reef.scr /p " + std::to_string(reinterpret_cast<LONG_PTR>(host)),
                        [](SeaSceneApp& app) { app.settings().SoundOn = false; });
      ASSERT_TRUE(scene.ready());
      scene.frames(5, 40);
      SceneView panorama;
      panoramaViews(&screen, 1, &panorama);
      panorama.camera = scene.sea().camera();
      const auto seen = [&](const SceneView& view) {
        scene.sea().draw(view);
        glFinish();
        std::vector<unsigned char> pixels(static_cast<size_t>(screen.right) * screen.bottom * 4);
        glReadBuffer(GL_BACK);
        glPixelStorei(GL_PACK_ALIGNMENT, 1);
        glReadPixels(0, 0, screen.right, screen.bottom, GL_RGBA, GL_UNSIGNED_BYTE, pixels.data());
        return pixels;
      };
      const auto window = seen(scene.app().sceneView(0));
      const auto alone = seen(panorama);
      ASSERT_EQ(window.size(), alone.size());
      size_t differing = 0;
      for (size_t i = 0; i < window.size(); i += 4) {
        for (size_t c = 0; c < 3; ++c) {
          if (std::abs(window[i + c] - alone[i + c]) > 24) {
            ++differing;
            break;
          }
        }
      }
      // Two ways of writing one projection may round an edge pixel apart, never more.
      EXPECT_LT(differing, window.size() / 4 / 1000) << screen.right << " x " << screen.bottom;
    }
    DestroyWindow(host);
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
