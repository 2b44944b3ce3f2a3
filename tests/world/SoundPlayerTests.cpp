#include <windows.h>
#include <gtest/gtest.h>

#include <SDL.h>
#include <SDL_mixer.h>

#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "formats/WavFormat.h"
#include "tests/support/ChildProcess.h"
#include "tests/support/SoundSamples.h"
#include "tests/support/TestEnvironment.h"
#include "world/SoundPlayer.h"

namespace {

// Interleaved signed 16-bit stereo frames, none of them silent, so the start of a sound can be
// found in a capture that begins with silence.
std::string patternSamples(int frames, int seed) {
  std::string bytes;
  for (int i = 0; i < frames; ++i) {
    const int16_t left = static_cast<int16_t>(1000 + (i * 37 + seed) % 20000);
    const int16_t right = static_cast<int16_t>(-(500 + (i * 53 + seed) % 15000));
    for (int16_t v : {left, right}) {
      bytes.push_back(static_cast<char>(v & 0xFF));
      bytes.push_back(static_cast<char>((v >> 8) & 0xFF));
    }
  }
  return bytes;
}

// A RIFF PCM file in the device's own format, so the mixer passes its samples through unchanged.
std::string waveFile(const std::string& samples) {
  formats::Bytes header;
  formats::appendWavHeader(header, formats::pcmFormat(2, 22050, 16), static_cast<uint32_t>(samples.size()));
  return std::string(header.begin(), header.end()) + samples;
}

// Offset of the first non-silent byte, or npos.
size_t firstSound(const std::string& capture) { return capture.find_first_not_of('\0'); }

// Each test gets SDL's audio subsystem freshly started with the driver it asks for.
class SoundPlayerTest : public ::testing::Test {
 protected:
  void SetUp() override { folder_ = testenv::scratchFolder("sound"); }
  void TearDown() override {
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
    while (!environment_.empty()) environment_.pop_back();  // the latest first, back to the start
  }

  void setEnvironment(const char* name, const std::string& value) {
    environment_.push_back(std::make_unique<testenv::ScopedEnvironment>(name, value));
  }
  // The disk driver writes the mixed output to capture as fast as it can.
  void startDiskAudio(const std::string& capture) {
    setEnvironment("SDL_AUDIODRIVER", "disk");
    setEnvironment("SDL_DISKAUDIODELAY", "2");
    setEnvironment("SDL_DISKAUDIOFILE", capture);
    ASSERT_EQ(SDL_InitSubSystem(SDL_INIT_AUDIO), 0) << SDL_GetError();
  }

  std::string writeWave(const std::string& name, const std::string& samples) {
    const std::string path = folder_ + name;
    EXPECT_TRUE(testenv::writeFile(path, waveFile(samples)));
    return path;
  }

  // Lets the mixer run until the capture holds at least bytes, then closes the player.
  std::string captureAfter(SoundPlayer& player, const std::string& capture, long long bytes) {
    EXPECT_TRUE(waitUntil([&] { return testenv::fileSize(capture) >= bytes; }, 20000));
    player.close();
    return testenv::readFile(capture);
  }

  std::string folder_;
  std::vector<std::unique_ptr<testenv::ScopedEnvironment>> environment_;
};

TEST_F(SoundPlayerTest, OpenReportsTheDeviceFormatAndTheLoopRepeatsInTheMix) {
  const std::string capture = folder_ + "loop.raw";
  startDiskAudio(capture);
  const std::string samples = patternSamples(3000, 0);
  const std::string water = writeWave("water.wav", samples);

  SoundPlayer player;
  ASSERT_TRUE(player.open());
  EXPECT_EQ(player.frequency(), 22050);
  EXPECT_EQ(player.format(), AUDIO_S16LSB);
  EXPECT_EQ(player.channels(), 2);
  player.loadLoop(water.c_str());
  player.playLoop();
  const std::string mix = captureAfter(player, capture, 400000);

  const size_t start = firstSound(mix);
  ASSERT_NE(start, std::string::npos);
  ASSERT_EQ(start % 4, 0u);
  ASSERT_GE(mix.size(), start + 3 * samples.size());
  for (int pass = 0; pass < 3; ++pass) {
    EXPECT_EQ(mix.compare(start + pass * samples.size(), samples.size(), samples), 0) << "pass " << pass;
  }
  EXPECT_EQ(Mix_QuerySpec(nullptr, nullptr, nullptr), 0) << "close() must close the device";
}

TEST_F(SoundPlayerTest, EffectsPlayOnceByIdAndUnknownIdsPlayNothing) {
  const std::string capture = folder_ + "effects.raw";
  startDiskAudio(capture);
  const std::string call = patternSamples(2000, 7);
  const std::string gull = writeWave("gull.wav", call);

  SoundPlayer player;
  ASSERT_TRUE(player.open());
  player.loadEffect(gull.c_str(), 2);
  EXPECT_EQ(player.effectCount(), 1);
  player.playEffect(7, 0);
  EXPECT_EQ(Mix_Playing(-1), 0);
  player.playEffect(2, 0);
  const std::string mix = captureAfter(player, capture, 400000);

  const size_t start = firstSound(mix);
  ASSERT_NE(start, std::string::npos);
  ASSERT_GE(mix.size(), start + 2 * call.size());
  EXPECT_EQ(mix.compare(start, call.size(), call), 0);
  EXPECT_EQ(mix.find_first_not_of('\0', start + call.size()), std::string::npos) << "played once only";
  EXPECT_EQ(player.effectCount(), 0);
}

TEST_F(SoundPlayerTest, MissingFilesPrintTheirMessagesAndTheRestStillPlays) {
  const std::string capture = folder_ + "missing.raw";
  startDiskAudio(capture);
  const std::string call = patternSamples(2000, 3);
  const std::string gull = writeWave("seagull2.wav", call);
  const std::string absent = folder_ + "nothing.wav";

  SoundPlayer player;
  ASSERT_TRUE(player.open());
  const std::string output = testenv::captureStdout([&] {
    player.loadLoop(absent.c_str());
    player.playLoop();
    player.loadEffect(absent.c_str(), 0);
    player.loadEffect(gull.c_str(), 1);
    player.playEffect(0, 0);
    player.playEffect(1, 0);
  });
  EXPECT_EQ(output, "musicchunk == 0\nmussicchunk == 0 (playMusic)\nsc.chunk == NULL\n");
  EXPECT_EQ(player.effectCount(), 1);

  const std::string mix = captureAfter(player, capture, 300000);
  const size_t start = firstSound(mix);
  ASSERT_NE(start, std::string::npos);
  EXPECT_EQ(mix.compare(start, call.size(), call), 0);
}

TEST_F(SoundPlayerTest, ANewPlayerAfterCloseGetsAFreshDeviceAndTheLoopFromItsStart) {
  const std::string first = folder_ + "first.raw";
  const std::string second = folder_ + "second.raw";
  startDiskAudio(first);
  const std::string samples = patternSamples(3000, 11);
  const std::string water = writeWave("water.wav", samples);

  SoundPlayer* player = new SoundPlayer;
  ASSERT_TRUE(player->open());
  player->loadLoop(water.c_str());
  player->playLoop();
  EXPECT_TRUE(waitUntil([&] { return testenv::fileSize(first) >= 100000; }, 20000));
  player->close();
  delete player;
  EXPECT_EQ(Mix_QuerySpec(nullptr, nullptr, nullptr), 0);
  const long long firstSize = testenv::fileSize(first);

  setEnvironment("SDL_DISKAUDIOFILE", second);
  player = new SoundPlayer;
  ASSERT_TRUE(player->open());
  EXPECT_EQ(Mix_QuerySpec(nullptr, nullptr, nullptr), 1) << "one opening, not two stacked";
  player->loadLoop(water.c_str());
  player->playLoop();
  const std::string mix = captureAfter(*player, second, 100000);
  delete player;
  EXPECT_EQ(testenv::fileSize(first), firstSize) << "the old device no longer writes";
  const size_t start = firstSound(mix);
  ASSERT_NE(start, std::string::npos);
  EXPECT_EQ(mix.compare(start, samples.size(), samples), 0);
}

TEST_F(SoundPlayerTest, AsleepTheDeviceIsClosedAndAwakeTheLoopPlaysAgain) {
  const std::string capture = folder_ + "before.raw";
  startDiskAudio(capture);
  const std::string samples = patternSamples(3000, 7);
  const std::string water = writeWave("water.wav", samples);
  const std::string call = writeWave("gull.wav", patternSamples(500, 3));
  SoundPlayer player;
  ASSERT_TRUE(player.open());
  player.loadLoop(water.c_str());
  player.loadEffect(call.c_str(), 0);
  player.playLoop();
  ASSERT_TRUE(waitUntil([&] { return testenv::fileSize(capture) >= 60000; }, 20000));

  player.sleep();
  EXPECT_EQ(Mix_QuerySpec(nullptr, nullptr, nullptr), 0) << "no open device keeps the machine awake";
  const long long asleep = testenv::fileSize(capture);
  player.playEffect(0, 0);  // a gull call while asleep plays nowhere and breaks nothing
  player.sleep();

  // The disk driver writes the new device's mix to a file of its own.
  const std::string after = folder_ + "after.raw";
  setEnvironment("SDL_DISKAUDIOFILE", after);
  player.wake();
  EXPECT_NE(Mix_QuerySpec(nullptr, nullptr, nullptr), 0);
  EXPECT_EQ(player.frequency(), 22050);
  const std::string mix = captureAfter(player, after, 60000);
  EXPECT_EQ(testenv::fileSize(capture), asleep) << "nothing was written while asleep";
  const size_t start = firstSound(mix);
  ASSERT_NE(start, std::string::npos) << "the sound comes back";
  EXPECT_EQ(mix.compare(start, samples.size(), samples), 0) << "the water loop plays again";
}

// The volume in percent as the mixer takes it: 100 is full loudness, where samples pass unchanged.
TEST(SoundVolume, PercentAndShareMapOntoTheMixersScale) {
  EXPECT_EQ(mixerVolume(100, 1.0f), SoundPlayer::MaxVolume);
  EXPECT_EQ(mixerVolume(50, 1.0f), 64);
  EXPECT_EQ(mixerVolume(0, 1.0f), 0);
  EXPECT_EQ(mixerVolume(100, 0.0f), 0);
  EXPECT_EQ(mixerVolume(100, 0.5f), 64);
  EXPECT_EQ(mixerVolume(1, 1.0f), 1);
}

// The loop and the effects play at the volume, set before the device opens or while none is
// open: it holds again when the device opens after sleep.
TEST_F(SoundPlayerTest, TheVolumeScalesWhatPlaysAndOutlivesTheDevice) {
  const std::string samples = patternSamples(3000, 5);
  SoundPlayer player;
  player.setVolume(64);
  const std::string capture = folder_ + "half.raw";
  startDiskAudio(capture);
  ASSERT_TRUE(player.open());
  player.loadLoop(writeWave("water.wav", samples).c_str());
  player.playLoop();
  ASSERT_TRUE(waitUntil([&] { return testenv::fileSize(capture) >= 100000; }, 20000));
  player.sleep();
  const std::string half = testenv::readFile(capture);
  const size_t start = firstSound(half);
  ASSERT_NE(start, std::string::npos);
  ASSERT_GE(half.size(), start + 2 * samples.size());
  EXPECT_EQ(half.compare(start, samples.size(), samplesAtVolume(samples, 64)), 0) << "the loop at half";

  player.setVolume(32);
  EXPECT_EQ(player.volume(), 32);
  const std::string after = folder_ + "quarter.raw";
  setEnvironment("SDL_DISKAUDIOFILE", after);
  player.wake();
  const std::string quarter = captureAfter(player, after, 100000);
  const size_t loop = firstSound(quarter);
  ASSERT_NE(loop, std::string::npos);
  EXPECT_EQ(quarter.compare(loop, samples.size(), samplesAtVolume(samples, 32)), 0) << "the loop at a quarter";

  const std::string calls = folder_ + "call.raw";
  setEnvironment("SDL_DISKAUDIOFILE", calls);
  const std::string call = patternSamples(1000, 9);
  const std::string gull = writeWave("gull.wav", call);
  SoundPlayer effects;
  effects.setVolume(32);
  ASSERT_TRUE(effects.open());
  effects.loadEffect(gull.c_str(), 0);
  effects.playEffect(0, 0);
  const std::string mix = captureAfter(effects, calls, 60000);
  const size_t first = firstSound(mix);
  ASSERT_NE(first, std::string::npos);
  EXPECT_EQ(mix.compare(first, call.size(), samplesAtVolume(call, 32)), 0) << "a call at a quarter";
}

TEST_F(SoundPlayerTest, WithoutAnAudioDeviceEveryLoadReportsAndNothingBreaks) {
  const std::string water = writeWave("water.wav", patternSamples(100, 0));
  setEnvironment("SDL_AUDIODRIVER", "none");  // no such driver: no device, whatever the machine has
  SDL_InitSubSystem(SDL_INIT_AUDIO);

  const std::string output = testenv::captureStdout([&] {
    SoundPlayer player;
    EXPECT_FALSE(player.open());
    player.loadLoop(water.c_str());
    player.playLoop();
    for (int id = 0; id < 4; ++id) player.loadEffect(water.c_str(), id);
    player.playEffect(0, 0);
    player.close();
    player.close();
  });
  EXPECT_EQ(output,
            "musicchunk == 0\nmussicchunk == 0 (playMusic)\n"
            "sc.chunk == NULL\nsc.chunk == NULL\nsc.chunk == NULL\nsc.chunk == NULL\n");
}

}  // namespace

// Inputs that once crashed SDL's WAV path while fuzzing are refused before they reach it.
TEST_F(SoundPlayerTest, FuzzingRegressionsAreRefusedAndTheRestStillPlays) {
  const std::string capture = folder_ + "regressions.raw";
  startDiskAudio(capture);
  const std::string folder = testenv::sourceFolder() + "tests\\fuzz\\regressions\\fuzz_wav\\";
  const std::string call = patternSamples(2000, 5);
  const std::string gull = writeWave("gull.wav", call);

  SoundPlayer player;
  ASSERT_TRUE(player.open());
  WIN32_FIND_DATAA found;
  HANDLE search = FindFirstFileA((folder + "*.wav").c_str(), &found);
  ASSERT_NE(search, INVALID_HANDLE_VALUE);
  int files = 0;
  do {
    player.loadEffect((folder + found.cFileName).c_str(), files++);
  } while (FindNextFileA(search, &found));
  FindClose(search);
  EXPECT_EQ(player.effectCount(), 0);

  player.loadEffect(gull.c_str(), files);
  player.playEffect(files, 0);
  const std::string mix = captureAfter(player, capture, 300000);
  const size_t start = firstSound(mix);
  ASSERT_NE(start, std::string::npos);
  EXPECT_EQ(mix.compare(start, call.size(), call), 0);
}
