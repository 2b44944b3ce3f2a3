// What the application leaves behind when the scene is released: the end of every run.
#include <windows.h>
#include <gtest/gtest.h>

#include <SDL_mixer.h>

#include <string>

#include "tests/scene/SceneTestSupport.h"
#include "tests/support/TestEnvironment.h"

using scenetest::DrivenScene;

namespace {

TEST(AppLifecycle, ReleasingTheSceneFreesEverythingItBuiltAndClosesTheSound) {
  const testenv::ScopedEnvironment driver("SDL_AUDIODRIVER", "disk");
  const testenv::ScopedEnvironment file("SDL_DISKAUDIOFILE", testenv::scratchFolder("lifecycle") + "sound.raw");
  DrivenScene scene(SaverBuild::Basic, "reef.scr /t", [](SeaSceneApp& app) { app.settings().SoundOn = true; });
  ASSERT_TRUE(scene.ready());
  SeaSceneApp& app = scene.app();
  scene.frames(5, 20);
  ASSERT_NE(app.soundPlayer(), nullptr);
  ASSERT_NE(app.scene(), nullptr);
  ASSERT_GT(app.scene()->schoolSize(), 0);
  ASSERT_GT(app.scene()->reefFishCount(), 0);
  ASSERT_EQ(Mix_QuerySpec(nullptr, nullptr, nullptr), 1) << "the sound device is open";

  app.releaseScene();
  EXPECT_EQ(app.soundPlayer(), nullptr);
  EXPECT_EQ(Mix_QuerySpec(nullptr, nullptr, nullptr), 0) << "the sound device is closed";
  EXPECT_EQ(app.scene(), nullptr) << "the scene with all it built is gone";
  app.releaseScene();  // a second release finds nothing left to free
  EXPECT_EQ(app.soundPlayer(), nullptr);
}

TEST(AppLifecycle, AConfigurationRunReleasesASceneThatWasNeverBuilt) {
  SeaSceneApp app(SaverBuild::Basic);
  ASSERT_TRUE(app.init(GetModuleHandleA(nullptr), "reef.scr /c"));
  app.releaseScene();
  EXPECT_EQ(app.soundPlayer(), nullptr);
  EXPECT_EQ(Mix_QuerySpec(nullptr, nullptr, nullptr), 0) << "no sound device was opened";
  EXPECT_EQ(app.scene(), nullptr);
}

}  // namespace
