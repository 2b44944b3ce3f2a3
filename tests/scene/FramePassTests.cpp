// The frame pass: projection, frame clock, highlight, gull calls, with a driven clock.
#include <windows.h>
#include <gtest/gtest.h>

#include <GL/gl.h>
#include <GL/glu.h>

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include "scene/FarToNear.h"
#include "tests/scene/SceneTestSupport.h"
#include "tests/support/GlQueryCounter.h"

using scenetest::DrivenScene;

namespace {

TEST(FramePass, WideScreensUseTheAspectCapWithAFullViewport) {
  HWND host = scenetest::previewHost(1920, 1080);
  ASSERT_NE(host, nullptr);
  {
    DrivenScene scene(SaverBuild::Basic, "reef.scr /p " + std::to_string(reinterpret_cast<LONG_PTR>(host)));
    ASSERT_TRUE(scene.ready());
    EXPECT_EQ(scene.app().width(), 1920);
    EXPECT_EQ(scene.app().height(), 1080);
    EXPECT_FLOAT_EQ(scene.app().sceneView(0).aspect, 1.35f);
    GLint viewport[4] = {};
    glGetIntegerv(GL_VIEWPORT, viewport);
    EXPECT_EQ(viewport[2], 1920);
    EXPECT_EQ(viewport[3], 1080);
  }
  DestroyWindow(host);

  DrivenScene window(SaverBuild::Basic, "reef.scr /t");
  ASSERT_TRUE(window.ready());
  EXPECT_NEAR(window.app().sceneView(0).aspect, 800.0f / 600.0f, 1e-6f);
}

TEST(FramePass, RateTextAfterFiftyFramesInOneSecond) {
  DrivenScene scene(SaverBuild::Basic, "reef.scr /t");
  ASSERT_TRUE(scene.ready());
  scene.frames(49, 20);
  EXPECT_STREQ(scene.app().overlay().frameRateText(), "");
  scene.frame(20);
  EXPECT_STREQ(scene.app().overlay().frameRateText(), "800 x 600   50.00 fps");
  scene.frames(8, 125);
  EXPECT_STREQ(scene.app().overlay().frameRateText(), "800 x 600   8.00 fps");
}

TEST(FramePass, AfterTheDisplaySleptTheSceneGoesOnWhereItStopped) {
  DrivenScene scene(SaverBuild::Basic, "reef.scr /t");
  ASSERT_TRUE(scene.ready());
  scene.frames(10, 20);
  const Vector3 guide = scene.sea().guide().position();
  scene.app().sleepChanged(true);
  scene.clock().advance(3600000);  // an hour with the monitor off
  scene.app().sleepChanged(false);
  scene.frame(20);
  EXPECT_EQ(scene.sea().frameTime(), 20);
  EXPECT_LT(distance(scene.sea().guide().position(), guide), 0.1f);
}

TEST(FramePass, HighlightKeepsItsFrameWhileTheCameraTilts) {
  DrivenScene scene(SaverBuild::Basic, "reef.scr /t", [](SeaSceneApp& app) {
    app.settings().CameraPos = 0;
    app.settings().CameraSpeed = 4;
  });
  ASSERT_TRUE(scene.ready());
  const Quad& highlight = scene.sea().highlightPlane();
  scene.frame(50);
  const Texture* resting = highlight.texture(1);
  scene.frame(50);
  EXPECT_NE(highlight.texture(1), resting);  // 50 ms later the next of the 32 frames is shown

  scene.frames(100, 100);  // the first rest of 10 s ends; the view starts tilting up
  ASSERT_TRUE(scene.sea().cameraTilt().moving());
  const Texture* held = highlight.texture(1);
  for (int i = 0; i < 20; ++i) {
    scene.frame(50);
    ASSERT_TRUE(scene.sea().cameraTilt().moving());
    EXPECT_EQ(highlight.texture(1), held);
  }
  scene.frames(100, 100);  // 25 degrees at 4 degrees per second: the tilt has ended
  EXPECT_FALSE(scene.sea().cameraTilt().moving());
  EXPECT_LE(scene.sea().camera().pitch(), -25.0f);
  scene.frame(50);
  const Texture* again = highlight.texture(1);
  scene.frame(50);
  EXPECT_NE(highlight.texture(1), again);
}

// The upper two thirds of the frame just drawn, once a second over the gull's first crossings,
// looking up: sky, island and rock only, the same with or without the gull but for the gull.
std::vector<std::vector<unsigned char>> skyOverTime(bool gulls) {
  std::vector<std::vector<unsigned char>> frames;
  DrivenScene scene(SaverBuild::Basic, "reef.scr /t", [&](SeaSceneApp& app) {
    app.settings().BirdGull = gulls;
    app.settings().CameraPos = 1;
  });
  if (!scene.ready()) return frames;
  for (int second = 0; second < 30; ++second) {
    scene.frames(19, 50);
    scene.app().updateFrame();
    scene.app().renderFrame(0);
    std::vector<unsigned char> frame(800 * 400 * 4);
    glReadBuffer(GL_BACK);
    glReadPixels(0, 200, 800, 400, GL_RGBA, GL_UNSIGNED_BYTE, frame.data());
    frames.push_back(std::move(frame));
    scene.frame(50);
  }
  return frames;
}

TEST(FramePass, TheGullIsSeenAgainstTheSky) {
  const auto with = skyOverTime(true);
  const auto without = skyOverTime(false);
  ASSERT_EQ(with.size(), 30u);
  ASSERT_EQ(without.size(), 30u);
  size_t mostChanged = 0;
  for (size_t i = 0; i < with.size(); ++i) {
    size_t changed = 0;
    for (size_t p = 0; p < with[i].size(); p += 4)
      changed += with[i][p] != without[i][p] || with[i][p + 2] != without[i][p + 2];
    mostChanged = std::max(mostChanged, changed);
  }
  EXPECT_GT(mostChanged, 5u) << "gull pixels in the sky at some moment";
}

TEST(FramePass, GullCallsOnlyWithGulls) {
  {
    DrivenScene scene(SaverBuild::Basic, "reef.scr /t", [](SeaSceneApp& app) {
      app.settings().BirdGull = false;
      app.settings().SoundOn = true;
    });
    ASSERT_TRUE(scene.ready());
    ASSERT_NE(scene.app().soundPlayer(), nullptr);
    scene.frames(120, 1000);
    EXPECT_EQ(scene.app().gullCallsPlayed(), 0);
  }
  DrivenScene scene(SaverBuild::Basic, "reef.scr /t", [](SeaSceneApp& app) {
    app.settings().BirdGull = true;
    app.settings().SoundOn = true;
  });
  ASSERT_TRUE(scene.ready());
  scene.frames(120, 1000);
  EXPECT_GE(scene.app().gullCallsPlayed(), 4);  // one every 20 to 30 s
  EXPECT_LE(scene.app().gullCallsPlayed(), 6);
}

// Below the horizon the sea's colour changes from row to row only gradually: the sky seen through
// the water beyond the floor's far edge once ended in a hard line a fifth of the way down.
TEST(FramePass, BelowTheHorizonTheSeaHasNoHardEdgeAcross) {
  constexpr int Width = 800, Height = 600;
  HWND host = scenetest::previewHost(Width, Height);
  ASSERT_NE(host, nullptr);
  const std::string preview = "reef.scr /p " + std::to_string(reinterpret_cast<LONG_PTR>(host));
  // Looking up 8 degrees, level and 4.5 degrees down.
  for (const int position : {2, 4, 3}) {
    DrivenScene scene(SaverBuild::Basic, preview, [&](SeaSceneApp& app) {
      app.settings().CameraPos = position;
      app.settings().SoundOn = false;
    });
    ASSERT_TRUE(scene.ready());
    scene.frames(40, 50);
    scene.app().updateFrame();
    scene.app().renderFrame(0);
    std::vector<unsigned char> rgba(static_cast<size_t>(Width) * Height * 4);
    glReadBuffer(GL_BACK);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(0, 0, Width, Height, GL_RGBA, GL_UNSIGNED_BYTE, rgba.data());

    // The far edge of the water, where the sky meets the sea.
    GLdouble model[16], projection[16], x, y, z;
    GLint viewport[4];
    glGetDoublev(GL_MODELVIEW_MATRIX, model);
    glGetDoublev(GL_PROJECTION_MATRIX, projection);
    glGetIntegerv(GL_VIEWPORT, viewport);
    ASSERT_TRUE(gluProject(0.0, 0.0, -45.0, model, projection, viewport, &x, &y, &z));
    const int horizon = static_cast<int>(y);  // GL row, counted from the bottom
    ASSERT_GT(horizon, Height / 4) << position;
    ASSERT_LT(horizon, Height) << position;

    // The median brightness of each row: glints and fish are too small to move it.
    std::vector<int> median(Height), row(Width);
    for (int r = 0; r < Height; ++r) {
      for (int c = 0; c < Width; ++c) {
        const unsigned char* p = &rgba[(static_cast<size_t>(r) * Width + c) * 4];
        row[c] = p[0] + p[1] + p[2];
      }
      std::nth_element(row.begin(), row.begin() + Width / 2, row.end());
      median[r] = row[Width / 2];
    }
    // The change across each row boundary, four rows either side: the water's own streaks
    // near the horizon change by up to a third of the old edge's step.
    int steepest = 0, at = 0;
    for (int b = 4; b + 4 <= horizon - 6; ++b) {
      int above = 0, below = 0;
      for (int k = 0; k < 4; ++k) above += median[b + k], below += median[b - 1 - k];
      const int step = std::abs(above - below) / 4;
      if (step > steepest) steepest = step, at = b;
    }
    EXPECT_LE(steepest, 60) << "camera position " << position << ": at row " << Height - at
                            << " from the top, horizon at " << Height - 1 - horizon;
  }
  DestroyWindow(host);
}

TEST(FramePass, FixedCameraPositionsOfTheBasicBuild) {
  const float expected[] = {0.0f, -25.0f, -8.0f, 4.5f, 0.0f};
  for (int position = 0; position <= 4; ++position) {
    DrivenScene scene(SaverBuild::Basic, "reef.scr /t", [&](SeaSceneApp& app) { app.settings().CameraPos = position; });
    ASSERT_TRUE(scene.ready());
    EXPECT_FLOAT_EQ(scene.sea().camera().pitch(), expected[position]) << position;
    EXPECT_EQ(scene.sea().cameraTilt().enabled(), position == 0) << position;
  }
  // The interactive build ignores the stored position.
  DrivenScene interactive(SaverBuild::Interactive, "reef.exe", [](SeaSceneApp& app) { app.settings().CameraPos = 1; });
  ASSERT_TRUE(interactive.ready());
  EXPECT_FLOAT_EQ(interactive.sea().camera().pitch(), 0.0f);
  EXPECT_FALSE(interactive.sea().cameraTilt().enabled());
}

// Without a depth buffer the fish drawn last covers the others: within its layer the nearer fish
// must come later. The scene's own draw is watched object by object.
class DrawnObjects : public ObjectIdentity {
 public:
  bool identify(SceneLayer layer, int index) override {
    drawn.push_back({layer, index});
    return true;
  }
  std::vector<std::pair<SceneLayer, int>> drawn;
};

TEST(FramePass, FishOfALayerAreDrawnFarToNear) {
  DrivenScene scene(SaverBuild::Basic, "reef.scr /t", [](SeaSceneApp& app) { app.settings().BoidCount = 40; });
  ASSERT_TRUE(scene.ready());
  SeaScene& sea = scene.sea();
  const Vector3 eye = sea.camera().eye();
  const auto away = [&](int index) {
    const Vector3 d = sea.creatures()[static_cast<size_t>(index)].pose->glPosition() - eye;
    return std::sqrt(d.x * d.x + d.y * d.y + d.z * d.z);
  };
  for (int second = 0; second < 4; ++second) {
    scene.frames(20, 50);
    DrawnObjects watch;
    sea.setIdentity(&watch);
    scene.app().renderFrame(0);
    sea.setIdentity(nullptr);
    for (const SceneLayer layer : {SceneLayer::School, SceneLayer::ReefFish}) {
      std::vector<int> order;
      for (const auto& [drawnLayer, index] : watch.drawn) {
        if (drawnLayer == layer) order.push_back(index);
      }
      EXPECT_EQ(order.size(), static_cast<size_t>(layer == SceneLayer::School ? 40 : 6)) << layerName(layer);
      for (size_t k = 1; k < order.size(); ++k) {
        EXPECT_GE(away(order[k - 1]), away(order[k])) << layerName(layer) << " at " << second << " s, place " << k;
      }
    }
  }
}

TEST(FarToNear, SortsByDistanceAndKeepsEqualsInTheirOrder) {
  const Vector3 positions[] = {{0, 0, 1}, {0, 0, 5}, {3, 4, 0}, {0, 2, 0}, {0, 0, 9}, {0, -5, 0}};
  int order[] = {0, 1, 2, 3, 4, 5};
  sortFarToNear(order, 6, Vector3{0, 0, 0}, [&](int i) { return positions[i]; });
  const int expected[] = {4, 1, 2, 5, 3, 0};  // 1, 2 and 5 are all 5 away: as they came
  for (int k = 0; k < 6; ++k) EXPECT_EQ(order[k], expected[k]) << k;
}

// A read of the driver's state waits for all the work queued before it: on threaded drivers that
// stalls the frame. Once the scene is built, a frame reads nothing back, in either build.
TEST(FramePass, AFrameReadsNothingBackFromTheDriver) {
  HWND host = scenetest::previewHost(640, 480);
  ASSERT_NE(host, nullptr);
  const struct {
    SaverBuild build;
    std::string commandLine;
  } runs[] = {{SaverBuild::Basic, "reef.scr /t"},
              {SaverBuild::Basic, "reef.scr /p " + std::to_string(reinterpret_cast<LONG_PTR>(host))},
              {SaverBuild::Interactive, "reef.exe"}};
  for (const auto& run : runs) {
    DrivenScene scene(run.build, run.commandLine);
    ASSERT_TRUE(scene.ready()) << run.commandLine;
    scene.frames(3, 50);  // the floor's mesh and the models' arrays are made on their first draw
    GlQueryCounter reads;
    EXPECT_TRUE(reads.unwatched().empty()) << "not counted: " << reads.unwatched().front();
    scene.frames(40, 50);
    if (run.build == SaverBuild::Interactive) {
      scene.key(WM_KEYDOWN, 'F');  // the frame-rate line
      scene.frames(30, 50);
    }
    EXPECT_EQ(reads.calls(), 0) << run.commandLine << ": " << reads.callsByName();
  }
  DestroyWindow(host);
}

}  // namespace