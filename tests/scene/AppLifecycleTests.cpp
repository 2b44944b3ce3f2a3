#include <gtest/gtest.h>
#include <windows.h>

#include "scene/SeaSceneApp.h"

namespace {

TEST(AppLifecycle, ReleasingANeverBuiltSceneIsHarmless) {
  SeaSceneApp app(SaverBuild::Basic);
  ASSERT_TRUE(app.init(GetModuleHandleA(nullptr), "reef.scr /c"));
  app.releaseScene();
  app.releaseScene();
  EXPECT_EQ(app.soundPlayer(), nullptr);
  EXPECT_EQ(app.reefFishCount(), 0);
}

}  // namespace
