// The saver while its picture cannot be seen: display power notices and session locks sent to the
// real window from outside, its sound captured with SDL's disk driver.
#include <windows.h>
#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "tests/support/SaverDriver.h"
#include "tests/support/ScreenCapture.h"
#include "tests/support/TestEnvironment.h"

namespace {

using namespace savertest;

const GUID ConsoleDisplayState = {0x6fe69556, 0x704a, 0x47a0, {0x8f, 0x24, 0xc2, 0x8d, 0x93, 0x6f, 0xda, 0x47}};
const DWORD WakeTimeout = 20000;
// One mixing buffer of the saver's sound (4096 stereo frames of 16 bits).
const long long MixBuffer = 4096 * 4;

// A power-setting notice carries a pointer: it is written into the saver's own memory first.
void sendPowerNotice(const ChildProcess& saver, HWND window, const GUID& setting, DWORD state) {
  struct {
    POWERBROADCAST_SETTING header;
    BYTE rest[3];
  } notice = {};
  notice.header.PowerSetting = setting;
  notice.header.DataLength = sizeof(state);
  std::memcpy(notice.header.Data, &state, sizeof(state));
  void* remote = VirtualAllocEx(saver.handle(), nullptr, sizeof(notice), MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE);
  ASSERT_NE(remote, nullptr);
  ASSERT_TRUE(WriteProcessMemory(saver.handle(), remote, &notice, sizeof(notice), nullptr));
  send(window, WM_POWERBROADCAST, PBT_POWERSETTINGCHANGE, reinterpret_cast<LPARAM>(remote));
  VirtualFreeEx(saver.handle(), remote, 0, MEM_RELEASE);
}

bool sameFrame(const Capture& a, const Capture& b) { return a.pixels == b.pixels; }

bool draws(HWND window) { return picturesMove(window, WakeTimeout); }

bool silent(const std::string& bytes) { return bytes.find_first_not_of('\0') == std::string::npos; }

// SDL's disk driver keeps its file to itself while it writes, so the test notes which stretches of
// the file were written awake, and reads them once the device is closed: asleep, or at the end. A
// device opened again on waking writes its file afresh.
struct Stretch {
  long long from, to;
};

class DisplaySleep : public ::testing::Test {
 protected:
  void SetUp() override {
    window_ = startSaver(saver_, basic("/s"));
    ASSERT_NE(window_, nullptr);
    ASSERT_TRUE(draws(window_));
    ASSERT_TRUE(heard());
  }
  void TearDown() override {
    if (window_) send(window_, WM_KEYDOWN, VK_SPACE, 0);
    DWORD code = 0;
    ASSERT_TRUE(saver_.waitForExit(15000, &code));
    EXPECT_EQ(code, 1u);
    expectHeardSoFar();
  }

  void expectHeardSoFar() {
    const std::string written = testenv::readFile(audio_);
    for (const Stretch& sound : awake_) {
      ASSERT_LE(sound.to, static_cast<long long>(written.size()));
      EXPECT_FALSE(silent(written.substr(sound.from, sound.to - sound.from))) << "awake at " << sound.from;
    }
    awake_.clear();
  }

  // The sound goes on: a few more mixing buffers are written (noted as heard, checked at the end).
  bool heard() {
    const long long from = testenv::fileSize(audio_) + MixBuffer;
    long long to = from;
    if (!waitUntil([&] { return (to = testenv::fileSize(audio_)) >= from + 4 * MixBuffer; }, WakeTimeout)) return false;
    awake_.push_back({from, to});
    return true;
  }
  // Nothing drawn and nothing written to the audio device for ms (it is closed: an open one
  // streaming silence keeps the machine from sleeping), and the saver still there.
  void expectAsleepFor(DWORD ms, double* cpuShare = nullptr) {
    const Capture before = captureWindowClient(window_);
    const long long written = testenv::fileSize(audio_);
    const double cpuBefore = saver_.cpuSeconds();
    const DWORD start = GetTickCount();
    EXPECT_FALSE(saver_.waitForExit(ms)) << "a sleeping saver keeps running";
    if (cpuShare) *cpuShare = (saver_.cpuSeconds() - cpuBefore) / ((GetTickCount() - start) / 1000.0);
    EXPECT_TRUE(sameFrame(before, captureWindowClient(window_)));
    EXPECT_EQ(testenv::fileSize(audio_), written) << "the audio device is closed while asleep";
    expectHeardSoFar();
  }

  const std::string audio_ = testenv::scratchFolder("display-sleep") + "sound.raw";
  const testenv::ScopedEnvironment driver_{"SDL_AUDIODRIVER", "disk"};
  const testenv::ScopedEnvironment delay_{"SDL_DISKAUDIODELAY", "100"};
  const testenv::ScopedEnvironment file_{"SDL_DISKAUDIOFILE", audio_};
  ChildProcess saver_;
  HWND window_ = nullptr;
  std::vector<Stretch> awake_;
};

TEST_F(DisplaySleep, ConsoleDisplayOffStopsDrawingAndSoundAtAlmostNoCostUntilItIsBackOn) {
  double awakeShare = 0.0;
  {
    const double cpuBefore = saver_.cpuSeconds();
    const DWORD start = GetTickCount();
    EXPECT_FALSE(saver_.waitForExit(2000));
    awakeShare = (saver_.cpuSeconds() - cpuBefore) / ((GetTickCount() - start) / 1000.0);
  }
  sendPowerNotice(saver_, window_, ConsoleDisplayState, 0);
  double asleepShare = 1.0;
  expectAsleepFor(5000, &asleepShare);
  std::printf("processor share of the saver: awake %.2f, display off %.3f\n", awakeShare, asleepShare);
  EXPECT_LT(asleepShare, 0.05);
  EXPECT_GT(awakeShare, 0.2) << "the measurement sees a saver that draws";
  sendPowerNotice(saver_, window_, ConsoleDisplayState, 1);
  EXPECT_TRUE(draws(window_));
  EXPECT_TRUE(heard());
}

TEST_F(DisplaySleep, MonitorPowerCommandAndSessionLockAlsoPutItToSleep) {
  send(window_, WM_SYSCOMMAND, SC_MONITORPOWER, 2);
  expectAsleepFor(1500);
  send(window_, WM_SYSCOMMAND, SC_MONITORPOWER, -1);
  EXPECT_TRUE(draws(window_));
  EXPECT_TRUE(heard());

  send(window_, WM_WTSSESSION_CHANGE, WTS_SESSION_LOCK, 0);
  expectAsleepFor(1500);
  send(window_, WM_WTSSESSION_CHANGE, WTS_SESSION_UNLOCK, 0);
  EXPECT_TRUE(draws(window_));
  EXPECT_TRUE(heard());
}

}  // namespace
