// The real saver's sound as it reaches the device (SDL's disk driver), with its settings stored
// as a user would: a stored volume scales the sea; with nothing stored the sea is the water loop's
// own samples, while the saver looks at the system's audio sessions all along (under Wine they hear
// nothing, so nothing changes).
#include <windows.h>
#include <gtest/gtest.h>

#include <cstdint>
#include <string>

#include "formats/WavFormat.h"
#include "tests/support/SaverDriver.h"
#include "tests/support/SoundSamples.h"
#include "tests/support/TestEnvironment.h"
#include "tests/support/Wait.h"

namespace {

using namespace savertest;

// The samples of the generated water loop, in the device's format (22050 Hz, 16-bit stereo).
std::string waterSamples() {
  const std::string file = testenv::readFile(testenv::buildFolder() + "Reefglass\\sound\\water.wav");
  formats::WavLayout layout;
  if (!formats::readWavLayout(reinterpret_cast<const uint8_t*>(file.data()), file.size(), layout)) return {};
  return file.substr(static_cast<size_t>(layout.dataOffset), static_cast<size_t>(layout.dataLength));
}

// The first bytes the saver's test window sends to the device: the water loop from its start (the
// first gull call comes 20 s later at the earliest).
std::string saverSound(const std::string& name) {
  const std::string audio = testenv::scratchFolder("saver-sound-" + name) + "sound.raw";
  const testenv::ScopedEnvironment driver("SDL_AUDIODRIVER", "disk");
  const testenv::ScopedEnvironment delay("SDL_DISKAUDIODELAY", "50");
  const testenv::ScopedEnvironment file("SDL_DISKAUDIOFILE", audio);
  ChildProcess saver;
  HWND window = startSaver(saver, basic("/t"));
  if (!window) return {};
  waitUntil([&] { return testenv::fileSize(audio) >= 48 * 4096 * 4; }, StartTimeout);
  send(window, WM_KEYDOWN, VK_SPACE, 0);
  saver.waitForExit(EndTimeout);
  return testenv::readFile(audio);
}

// Where in the capture the loop's first sample lies.
size_t loopStart(const std::string& capture, const std::string& loop) {
  const size_t heard = capture.find_first_not_of('\0');
  const size_t lead = loop.find_first_not_of('\0');
  if (heard == std::string::npos || lead == std::string::npos || heard < lead) return std::string::npos;
  return heard - lead;
}

TEST(SaverSound, WithNothingStoredTheSeaIsTheWaterLoopItself) {
  ScopedValue volume(SettingsKey, "SoundVolume");
  ScopedValue yields(SettingsKey, "SoundYields");
  volume.remove();
  yields.remove();
  const std::string loop = waterSamples().substr(0, 32 * 4096 * 4);
  ASSERT_FALSE(loop.empty());
  const std::string capture = saverSound("default");
  const size_t start = loopStart(capture, loop);
  ASSERT_NE(start, std::string::npos) << "no sound reached the device";
  ASSERT_GE(capture.size(), start + loop.size());
  EXPECT_EQ(capture.compare(start, loop.size(), loop), 0);
}

TEST(SaverSound, AStoredVolumeScalesTheSeaAndOneOutOfRangeIsFull) {
  ScopedValue volume(SettingsKey, "SoundVolume");
  const std::string loop = waterSamples().substr(0, 32 * 4096 * 4);
  ASSERT_FALSE(loop.empty());
  const struct {
    DWORD stored;
    int mixer;
  } cases[] = {{50, 64}, {250, 128}};
  for (const auto& c : cases) {
    volume.setDword(c.stored);
    const std::string expected = samplesAtVolume(loop, c.mixer);
    const std::string capture = saverSound(std::to_string(c.stored));
    const size_t start = loopStart(capture, expected);
    ASSERT_NE(start, std::string::npos) << c.stored;
    ASSERT_GE(capture.size(), start + expected.size()) << c.stored;
    EXPECT_EQ(capture.compare(start, expected.size(), expected), 0) << c.stored;
  }
}

}  // namespace
