// The sea falls silent while other programs play sound: heard through a stand-in meter (Wine gives
// no sessions with meters), frame by frame with the driven clock; and Windows' own sessions, looked
// at for real, which under Wine hear nothing and change nothing.
#include <windows.h>
#include <gtest/gtest.h>

#include <atomic>

#include "tests/scene/SceneTestSupport.h"
#include "tests/support/Wait.h"

using scenetest::DrivenScene;

namespace {

class StandInMeter : public OtherSoundMeter {
 public:
  bool othersPlaying() override {
    ++looks;
    return playing.load();
  }
  std::atomic<bool> playing{false};
  std::atomic<int> looks{0};
};

TEST(OtherSound, OnlyAnotherProgramsActiveAudibleSessionCounts) {
  const uint32_t us = 400;
  const SessionLevel quiet[] = {{us, false, true, 0.9f},       // our own sound
                                {0, true, true, 0.9f},         // Windows' notification chime
                                {512, false, false, 0.9f},     // a player that stopped
                                {640, false, true, 0.0005f}};  // a stream of near silence
  EXPECT_FALSE(othersAudible(quiet, 4, us));
  const SessionLevel music[] = {{us, false, true, 0.9f}, {640, false, true, 0.2f}};
  EXPECT_TRUE(othersAudible(music, 2, us));
  EXPECT_FALSE(othersAudible(music, 1, us));
  const SessionLevel shared[] = {{0, false, true, 0.3f}};  // a session of several processes
  EXPECT_TRUE(othersAudible(shared, 1, us));
}

TEST(OtherSound, TheSeaFallsSilentWithinASecondAndComesBackAfterTheOthersStop) {
  StandInMeter meter;
  DrivenScene scene(SaverBuild::Basic, "reef.scr /t", [&](SeaSceneApp& app) {
    app.settings().SoundOn = true;
    app.settings().SoundVolume = 80;
    app.setOtherSoundMeter(meter);
  });
  ASSERT_TRUE(scene.ready());
  const SoundPlayer* sound = scene.app().soundPlayer();
  const OtherSoundWatch* watch = scene.app().otherSoundWatch();
  ASSERT_NE(sound, nullptr);
  ASSERT_NE(watch, nullptr);
  const int full = mixerVolume(80, 1.0f);
  scene.frames(10, 50);
  EXPECT_EQ(sound->volume(), full);

  meter.playing = true;
  ASSERT_TRUE(waitUntil([&] { return watch->othersPlaying(); }, 5000));
  // Heard at most 250 ms after it began, silent half a second later.
  scene.frames(5, 50);
  EXPECT_GT(sound->volume(), 0);
  EXPECT_LT(sound->volume(), full);
  scene.frames(5, 50);
  EXPECT_EQ(sound->volume(), 0);

  meter.playing = false;
  ASSERT_TRUE(waitUntil([&] { return !watch->othersPlaying(); }, 5000));
  scene.frames(59, 50);
  EXPECT_EQ(sound->volume(), 0) << "a pause between two songs is no end";
  scene.frames(21, 50);
  EXPECT_GT(sound->volume(), 0);
  EXPECT_LT(sound->volume(), full);
  scene.frames(20, 50);
  EXPECT_EQ(sound->volume(), full);
}

TEST(OtherSound, WithSoundYieldsOffTheSeaPlaysOnAndNobodyLooks) {
  StandInMeter meter;
  meter.playing = true;
  DrivenScene scene(SaverBuild::Basic, "reef.scr /t", [&](SeaSceneApp& app) {
    app.settings().SoundOn = true;
    app.settings().SoundYields = false;
    app.setOtherSoundMeter(meter);
  });
  ASSERT_TRUE(scene.ready());
  ASSERT_NE(scene.app().soundPlayer(), nullptr);
  EXPECT_EQ(scene.app().otherSoundWatch(), nullptr);
  scene.frames(30, 50);
  EXPECT_EQ(scene.app().soundPlayer()->volume(), SoundPlayer::MaxVolume);
  EXPECT_EQ(meter.looks, 0);
}

TEST(OtherSound, UnderWineWindowsOwnSessionsHearNothingAndChangeNothing) {
  DrivenScene scene(SaverBuild::Basic, "reef.scr /t", [](SeaSceneApp& app) { app.settings().SoundOn = true; });
  ASSERT_TRUE(scene.ready());
  const OtherSoundWatch* watch = scene.app().otherSoundWatch();
  ASSERT_NE(watch, nullptr) << "on by default";
  ASSERT_TRUE(waitUntil([&] { return watch->looks() >= 3; }, 10000));
  EXPECT_FALSE(watch->othersPlaying());
  scene.frames(20, 50);
  EXPECT_EQ(scene.app().soundPlayer()->volume(), SoundPlayer::MaxVolume);
}

}  // namespace
