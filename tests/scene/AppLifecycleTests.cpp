#include <gtest/gtest.h>
#include <windows.h>

#include <cstdint>

#include "scene/SeaSceneApp.h"
#include "world/Clock.h"

namespace {

uint32_t drivenTicks = 0;
uint32_t drivenClock() { return drivenTicks; }

class DrivenClock : public ::testing::Test {
 protected:
  void SetUp() override {
    drivenTicks = 100000;
    setClockSource(drivenClock);
  }
  void TearDown() override { setClockSource(nullptr); }
};

TEST_F(DrivenClock, FrameRateIsReportedAfterASecondOfFrames) {
  SeaSceneApp app(SaverBuild::Basic);
  ASSERT_TRUE(app.init(GetModuleHandleA(nullptr), "reef.scr /t"));
  ASSERT_TRUE(app.buildScene());
  for (int frame = 0; frame < 49; ++frame) {
    drivenTicks += 20;
    app.updateFrame();
    EXPECT_EQ(app.frameTime(), 20);
  }
  EXPECT_STREQ(app.frameRateText(), "");
  drivenTicks += 20;
  app.updateFrame();
  EXPECT_STREQ(app.frameRateText(), "800 x 600   50.00 fps");

  // The counters start again after every report.
  for (int frame = 0; frame < 8; ++frame) {
    drivenTicks += 125;
    app.updateFrame();
  }
  EXPECT_STREQ(app.frameRateText(), "800 x 600   8.00 fps");
  app.shutdown();
  DestroyWindow(app.mainWindow());
}

TEST_F(DrivenClock, ReleasingANeverBuiltSceneIsHarmless) {
  SeaSceneApp app(SaverBuild::Basic);
  ASSERT_TRUE(app.init(GetModuleHandleA(nullptr), "reef.scr /c"));
  EXPECT_TRUE(app.run());
  app.releaseScene();
}

}  // namespace
