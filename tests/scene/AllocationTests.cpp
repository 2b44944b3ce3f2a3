// No heap allocation in the frame pass: every operator new of this program is counted.
#include <windows.h>
#include <gtest/gtest.h>

#include <atomic>
#include <cstdlib>
#include <new>

#include "tests/scene/SceneTestSupport.h"

namespace {
std::atomic<long> allocations{0};
}  // namespace

void* operator new(std::size_t size) {
  ++allocations;
  if (void* p = std::malloc(size ? size : 1)) return p;
  throw std::bad_alloc();
}
void* operator new[](std::size_t size) { return operator new(size); }
void operator delete(void* p) noexcept { std::free(p); }
void operator delete[](void* p) noexcept { std::free(p); }
void operator delete(void* p, std::size_t) noexcept { std::free(p); }
void operator delete[](void* p, std::size_t) noexcept { std::free(p); }

namespace {

using scenetest::DrivenScene;

long allocationsDuring(DrivenScene& scene, int frames) {
  SeaSceneApp& app = scene.app();
  const long before = allocations.load();
  for (int i = 0; i < frames; ++i) {
    scene.clock().advance(33);
    app.updateFrame();
    app.renderFrame(0);
    app.afterFrame();
  }
  return allocations.load() - before;
}

TEST(FrameAllocations, BasicBuildWithEverythingOn) {
  DrivenScene scene(SaverBuild::Basic, "reef.scr /t", [](SeaSceneApp& app) {
    app.settings().BoidCount = 20;
    app.settings().SoundOn = true;
  });
  ASSERT_TRUE(scene.ready());
  scene.frames(60, 33);  // the first report of the frame rate formats its text once
  EXPECT_EQ(allocationsDuring(scene, 300), 0);
}

// A clock whose minute turns every frame: its text and place are set anew each time.
int minutesShown = 0;
TimeOfDay turningMinute() {
  ++minutesShown;
  return {minutesShown / 60 % 24, minutesShown % 60};
}

TEST(FrameAllocations, TheClockTurningItsMinute) {
  DrivenScene scene(SaverBuild::Basic, "reef.scr /t", [](SeaSceneApp& app) {
    app.settings().ShowClock = true;
    app.setTimeOfDaySource(turningMinute);
  });
  ASSERT_TRUE(scene.ready());
  scene.frames(60, 33);
  EXPECT_EQ(allocationsDuring(scene, 300), 0);
  EXPECT_GT(minutesShown, 300);
}

TEST(FrameAllocations, InteractiveBuildWithTheRateLineShown) {
  DrivenScene scene(SaverBuild::Interactive, "reef.exe");
  ASSERT_TRUE(scene.ready());
  scene.key(WM_KEYDOWN, 'F');
  scene.frame(33);
  scene.key(WM_KEYUP, 'F');
  scene.frames(40, 300);  // past the help timer and several rate reports
  ASSERT_TRUE(scene.app().overlay().rateShown());
  EXPECT_EQ(allocationsDuring(scene, 100), 0);
}

}  // namespace
