// The scene apart from its window: advanced once a frame by the time it is given, drawn into any
// number of views. Real GL context, generated data folder, driven clock.
#include <windows.h>
#include <gtest/gtest.h>

#include <GL/gl.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <vector>

#include "tests/scene/SceneTestSupport.h"
#include "world/MathConstants.h"

using scenetest::DrivenScene;

namespace {

constexpr int Step = 50;  // ms a frame

using Pixels = std::vector<unsigned char>;

Pixels grab(const SceneView& view) {
  glFinish();
  Pixels pixels(static_cast<size_t>(view.width) * view.height * 4);
  glReadBuffer(GL_BACK);
  glPixelStorei(GL_PACK_ALIGNMENT, 1);
  glReadPixels(view.x, view.y, view.width, view.height, GL_RGBA, GL_UNSIGNED_BYTE, pixels.data());
  return pixels;
}

// The reference frames' tolerance: mean difference per channel at most 2, 99th percentile at most 24.
::testing::AssertionResult samePicture(const Pixels& a, const Pixels& b) {
  if (a.size() != b.size()) return ::testing::AssertionFailure() << "sizes differ";
  std::vector<int> all;
  double sums[3] = {};
  for (size_t i = 0; i < a.size(); ++i) {
    if (i % 4 == 3) continue;
    const int d = std::abs(static_cast<int>(a[i]) - static_cast<int>(b[i]));
    sums[i % 4] += d;
    all.push_back(d);
  }
  const double pixels = static_cast<double>(a.size() / 4);
  const size_t at = all.size() * 99 / 100;
  std::nth_element(all.begin(), all.begin() + static_cast<std::ptrdiff_t>(at), all.end());
  for (const double sum : sums) {
    if (sum / pixels > 2.0) return ::testing::AssertionFailure() << "mean difference " << sum / pixels;
  }
  if (all[at] > 24) return ::testing::AssertionFailure() << "99th percentile " << all[at];
  return ::testing::AssertionSuccess();
}

// Two views of other sizes than the window's, each with a part of the window of its own.
SceneView largeView(const SeaScene& sea) { return windowView(800, 600, sea.camera()); }
SceneView smallView(const SeaScene& sea) {
  SceneView view = windowView(480, 200, sea.camera());
  view.x = 100;
  view.y = 50;
  return view;
}

// What moves, to compare scenes.
struct Motion {
  Vector3 guide, schoolFish, reefFish, gull;
  float schoolFrame, coralFrame, water, sky, ripple;
  int highlight;
  bool operator==(const Motion& o) const {
    return guide == o.guide && schoolFish == o.schoolFish && reefFish == o.reefFish && gull == o.gull &&
           schoolFrame == o.schoolFrame && coralFrame == o.coralFrame && water == o.water && sky == o.sky &&
           ripple == o.ripple && highlight == o.highlight;
  }
};

Motion motionOf(SeaScene& sea) {
  return {sea.guide().position(),
          sea.schoolFish(0).position(),
          sea.reefFish(0).position(),
          sea.gullFlight().pose().position(),
          sea.model(scenetest::kindNamed("school")).animationPosition(),
          sea.coralModel(0).animationPosition(),
          sea.water().phase1(),
          sea.skyDome().angleY(),
          sea.floor().vertices()[7].dy,
          sea.causticFrame()};
}

// The scene after frames of Step ms, each advanced once and drawn draws times.
Motion runDrawing(int frames, int draws) {
  DrivenScene scene(SaverBuild::Basic, "reef.scr /t");
  if (!scene.ready()) return {};
  for (int f = 0; f < frames; ++f) {
    scene.clock().advance(Step);
    scene.app().updateFrame();
    for (int d = 0; d < draws; ++d) scene.sea().draw(largeView(scene.sea()));
  }
  return motionOf(scene.sea());
}

TEST(SceneTime, WhatMovesDependsOnTheTimeGivenNotOnHowOftenItIsDrawn) {
  const Motion undrawn = runDrawing(60, 0);
  EXPECT_TRUE(runDrawing(60, 1) == undrawn);
  EXPECT_TRUE(runDrawing(60, 3) == undrawn);

  // After 3 s: the waves, the sky's turn and a coral's sway follow the time alone.
  const float ms = 60.0f * Step;
  EXPECT_NEAR(undrawn.water, std::fmod(ms * 0.005f, 2.0f * Pi), 1e-3f);
  EXPECT_NEAR(undrawn.sky, -0.75f * ms / 1000.0f, 1e-3f);
  EXPECT_NEAR(undrawn.coralFrame, std::fmod(ms * 5.0f / 1000.0f, 10.0f), 1e-3f);  // coral a: 10 frames at 5 a second
  EXPECT_EQ(undrawn.highlight, static_cast<int>(((1000000u + 60u * Step) / 50u) % 32u));

  // The same time in other steps moves the waves as far; half the time, half as far.
  DrivenScene scene(SaverBuild::Basic, "reef.scr /t");
  ASSERT_TRUE(scene.ready());
  scene.frames(150, 20);
  EXPECT_NEAR(scene.sea().water().phase1(), undrawn.water, 1e-3f);
  EXPECT_NEAR(scene.sea().skyDome().angleY(), undrawn.sky, 1e-3f);
  scene.frames(1, 1500);
  EXPECT_NEAR(scene.sea().skyDome().angleY(), -0.75f * 4.5f, 1e-3f);
}

TEST(SceneTime, TwoViewsInOneFrameEachShowWhatItWouldAlone) {
  constexpr int Frames = 20;
  // Each view drawn alone, frame after frame; the last two frames kept.
  std::vector<Pixels> alone[2];
  for (int v = 0; v < 2; ++v) {
    DrivenScene scene(SaverBuild::Basic, "reef.scr /t");
    ASSERT_TRUE(scene.ready());
    for (int f = 0; f < Frames; ++f) {
      scene.clock().advance(Step);
      scene.app().updateFrame();
      const SceneView view = v == 0 ? largeView(scene.sea()) : smallView(scene.sea());
      scene.sea().draw(view);
      if (f >= Frames - 2) alone[v].push_back(grab(view));
      SwapBuffers(GetDC(scene.app().mainWindow()));
    }
  }

  DrivenScene scene(SaverBuild::Basic, "reef.scr /t");
  ASSERT_TRUE(scene.ready());
  SeaScene& sea = scene.sea();
  for (int f = 0; f < Frames; ++f) {
    scene.clock().advance(Step);
    scene.app().updateFrame();
    const SceneView large = largeView(sea);
    const SceneView small = smallView(sea);
    sea.draw(large);
    const Pixels first = grab(large);
    const Motion before = motionOf(sea);
    sea.draw(small);
    const Pixels second = grab(small);
    if (f >= Frames - 2) {
      const int k = f - (Frames - 2);
      EXPECT_TRUE(samePicture(first, alone[0][k])) << "large view, frame " << f;
      EXPECT_TRUE(samePicture(second, alone[1][k])) << "small view, frame " << f;
      // Drawn again in the same frame: nothing has moved, so the picture is the same.
      sea.draw(large);
      EXPECT_TRUE(motionOf(sea) == before);
      EXPECT_EQ(grab(large), first) << "frame " << f;
    }
    SwapBuffers(GetDC(scene.app().mainWindow()));
  }
}

// The tick counter no longer fits an int after 24.8 days and wraps to 0 after 49.7: the scene's
// frames keep their length across both, the guide its pace and the gull its wing beats.
TEST(SceneTime, TheSceneKeepsItsPaceAcrossTheClockWrap) {
  for (const uint32_t boundary : {0x80000000u, 0u}) {
    DrivenScene scene(SaverBuild::Basic, "reef.scr /t", nullptr, boundary - 10000u);
    ASSERT_TRUE(scene.ready());
    SeaScene& sea = scene.sea();
    bool flapping = sea.gullFlight().flapping();
    int switchesAfterBoundary = 0;
    for (int f = 0; f < 1500; ++f) {  // 30 s, the boundary 10 s in
      const Vector3 guideBefore = sea.guide().position();
      scene.frame(20);
      ASSERT_EQ(sea.frameTime(), 20) << "frame " << f;
      // The guide cruises at its full speed of 0.001 per ms.
      ASSERT_NEAR(distance(sea.guide().position(), guideBefore), 0.02f, 1e-4f) << "frame " << f;
      if (sea.gullFlight().flapping() != flapping) {
        flapping = sea.gullFlight().flapping();
        if (f * 20 > 10000) ++switchesAfterBoundary;
      }
    }
    EXPECT_GE(switchesAfterBoundary, 3) << "boundary " << boundary;
  }
}

}  // namespace
