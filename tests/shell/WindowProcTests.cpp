// Quit rules and the shutdown, checked on the framework itself inside the test process.
#include <windows.h>
#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <functional>
#include <iterator>

#include <string>
#include <utility>
#include <vector>

#include "shell/GLSaver.h"
#include "tests/support/RecordingGLDriver.h"

namespace {

class RecordingSaver : public GLSaver {
 public:
  explicit RecordingSaver(SaverBuild build) : GLSaver(build, textkeys::Language::Dutch) {}
  ~RecordingSaver() override {
    if (mainWindow()) DestroyWindow(mainWindow());
    // The shutdown posts a quit message to this thread; later tests must not see it.
    MSG msg;
    while (PeekMessageA(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) {
    }
  }
  using GLSaver::setConditionSource;
  using GLSaver::setGLDriver;
  using GLSaver::setMonitorSource;
  using GLSaver::setNoticeRegistrar;
  bool buildScene() override { return true; }
  bool setupGL() override { return true; }
  void updateFrame() override {
    if (onFrame) onFrame();
    if (++frames == quitAfterFrames) requestQuit();
  }
  void renderFrame(int) override {}
  bool releaseGL() override { return true; }
  void releaseScene() override { ++releases; }
  void sleepChanged(bool asleep) override { sleeps.push_back(asleep); }
  bool filterMessage(UINT message, WPARAM wParam, LPARAM lParam) override {
    return onMessage && onMessage(message, wParam, lParam);
  }

  LRESULT send(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) {
    return windowProc(mainWindow(), message, wParam, lParam);
  }
  void useSettingsKey(const char* path) { lstrcpynA(registryPath_, path, sizeof(registryPath_)); }

  int frames = 0;
  int quitAfterFrames = -1;
  int releases = 0;
  std::vector<bool> sleeps;
  std::function<bool(UINT, WPARAM, LPARAM)> onMessage;
  std::function<void()> onFrame;
};

// A power-setting notice as Windows sends it: the setting's GUID and one 4-byte state.
struct PowerNotice {
  POWERBROADCAST_SETTING setting;
  BYTE rest[3];
};

PowerNotice powerNotice(const GUID& setting, DWORD state) {
  PowerNotice notice = {};
  notice.setting.PowerSetting = setting;
  notice.setting.DataLength = sizeof(DWORD);
  std::memcpy(notice.setting.Data, &state, sizeof(state));
  return notice;
}

const GUID ConsoleDisplayState = {0x6fe69556, 0x704a, 0x47a0, {0x8f, 0x24, 0xc2, 0x8d, 0x93, 0x6f, 0xda, 0x47}};
const GUID MonitorPowerOn = {0x02731015, 0x4510, 0x4526, {0x99, 0xe6, 0xe5, 0xa1, 0x7e, 0xbd, 0x1a, 0xea}};
const GUID SomeOtherSetting = {0x12345678, 0x1234, 0x1234, {1, 2, 3, 4, 5, 6, 7, 8}};
const GUID PowerSource = {0x5d3e9a59, 0xe9d5, 0x4b00, {0xa6, 0xbd, 0xff, 0x34, 0xff, 0x51, 0x65, 0x48}};
const GUID PowerSavingStatus = {0xe00958c0, 0xc213, 0x4ace, {0xac, 0x77, 0xfe, 0xcc, 0xed, 0x2e, 0xee, 0xa5}};
const GUID EnergySaverStatus = {0x550e8400, 0xe29b, 0x41d4, {0xa7, 0x16, 0x44, 0x66, 0x55, 0x44, 0x00, 0x00}};

LPARAM pointerTo(const PowerNotice& notice) { return reinterpret_cast<LPARAM>(&notice); }

void storeMaxFrameRate(const char* key, DWORD rate) {
  HKEY settings = nullptr;
  ASSERT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, key, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &settings, nullptr),
            ERROR_SUCCESS);
  RegSetValueExA(settings, "MaxFrameRate", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&rate), sizeof(rate));
  RegCloseKey(settings);
}

TEST(WindowProc, SecondDestroyDoesNotShutDownAgain) {
  RecordingSaver saver(SaverBuild::Basic);
  ASSERT_TRUE(saver.init(GetModuleHandleA(nullptr), "saver.scr /t"));
  saver.send(WM_DESTROY);
  saver.send(WM_DESTROY);
  EXPECT_TRUE(saver.isShutDown());
  EXPECT_EQ(saver.releases, 1);
}

TEST(WindowProc, WindowedBasicEndsOnTheSixthNewPosition) {
  RecordingSaver saver(SaverBuild::Basic);
  ASSERT_TRUE(saver.init(GetModuleHandleA(nullptr), "saver.scr /t"));
  saver.send(WM_LBUTTONDOWN);
  saver.send(WM_ACTIVATEAPP, FALSE);
  for (int i = 0; i < 5; ++i) saver.send(WM_MOUSEMOVE, 0, MAKELPARAM(500 + i, 31));
  saver.send(WM_MOUSEMOVE, 0, MAKELPARAM(504, 31));
  EXPECT_FALSE(saver.isShutDown());
  saver.send(WM_MOUSEMOVE, 0, MAKELPARAM(-3, -4));  // signed halves: off-screen moves count too
  EXPECT_TRUE(saver.isShutDown());
}

TEST(WindowProc, InteractiveWindowedRunIsFullScreenAndKeepsInputForItself) {
  RecordingSaver saver(SaverBuild::Interactive);
  ASSERT_TRUE(saver.init(GetModuleHandleA(nullptr), "saver.scr /t"));
  EXPECT_EQ(saver.mode(), FullScreen);
  saver.send(WM_KEYDOWN, VK_ESCAPE);
  saver.send(WM_MBUTTONDOWN);
  for (int i = 0; i < 8; ++i) saver.send(WM_MOUSEMOVE, 0, MAKELPARAM(600 + i, 9));
  EXPECT_FALSE(saver.isShutDown());
  saver.send(WM_POWERBROADCAST, PBT_APMSUSPEND);
  EXPECT_TRUE(saver.isShutDown());
}

TEST(WindowProc, FullScreenHidesTheCursorAndSwallowsSystemCommands) {
  RecordingSaver saver(SaverBuild::Basic);
  ASSERT_TRUE(saver.init(GetModuleHandleA(nullptr), "saver.scr /s"));
  EXPECT_EQ(saver.send(WM_SETCURSOR), TRUE);
  EXPECT_EQ(saver.send(WM_SYSCOMMAND, SC_CLOSE), 0);
  EXPECT_TRUE(IsWindow(saver.mainWindow()));
  EXPECT_FALSE(saver.isShutDown());
}

TEST(WindowProc, WindowedCloseBoxIsNotSwallowed) {
  RecordingSaver saver(SaverBuild::Basic);
  ASSERT_TRUE(saver.init(GetModuleHandleA(nullptr), "saver.scr /t"));
  saver.send(WM_SYSCOMMAND, SC_CLOSE);
  EXPECT_TRUE(saver.isShutDown());
}

TEST(WindowProc, PreviewDrawsItsFirstFrameHalfASecondAfterItsWindowAppeared) {
  HWND host = CreateWindowExA(0, "STATIC", "host", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 50, 50, 200, 150, nullptr, nullptr,
                              GetModuleHandleA(nullptr), nullptr);
  ASSERT_NE(host, nullptr);
  RecordingSaver saver(SaverBuild::Basic);
  const std::string line = "saver.scr /p " + std::to_string(reinterpret_cast<LONG_PTR>(host));
  ULONGLONG windowAppeared = 0;
  ULONGLONG firstFrame = 0;
  saver.onMessage = [&](UINT message, WPARAM, LPARAM) {
    if (message == WM_USER && !windowAppeared) windowAppeared = GetTickCount64();
    return false;
  };
  saver.onFrame = [&] {
    if (!firstFrame) firstFrame = GetTickCount64();
  };
  ASSERT_TRUE(saver.init(GetModuleHandleA(nullptr), line.c_str()));
  EXPECT_EQ(saver.mode(), Preview);
  EXPECT_EQ(GetParent(saver.mainWindow()), host);
  saver.send(WM_KEYDOWN, 'K');
  saver.send(WM_LBUTTONDOWN);
  EXPECT_FALSE(saver.isShutDown()) << "no input ends a preview";
  saver.quitAfterFrames = 1;
  saver.run();
  ASSERT_NE(windowAppeared, 0u);
  ASSERT_NE(firstFrame, 0u);
  EXPECT_GE(firstFrame - windowAppeared, 490u);
  DestroyWindow(host);
}

TEST(WindowProc, PreviewEndsWhenItsWindowGoes) {
  HWND host = CreateWindowExA(0, "STATIC", "host", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 50, 50, 200, 150, nullptr, nullptr,
                              GetModuleHandleA(nullptr), nullptr);
  ASSERT_NE(host, nullptr);
  RecordingSaver saver(SaverBuild::Basic);
  ASSERT_TRUE(saver.init(GetModuleHandleA(nullptr),
                         ("saver.scr /p " + std::to_string(reinterpret_cast<LONG_PTR>(host))).c_str()));
  DestroyWindow(host);
  EXPECT_TRUE(saver.isShutDown());
}

TEST(WindowProc, OnlyTheFullScreenSaverTellsWindowsASaverRuns) {
  for (const bool fullScreen : {true, false}) {
    RecordingSaver saver(SaverBuild::Basic);
    ASSERT_TRUE(saver.init(GetModuleHandleA(nullptr), fullScreen ? "saver.scr /s" : "saver.scr /t"));
    BOOL runningWhileDrawing = -1;
    saver.onFrame = [&] { SystemParametersInfoA(SPI_GETSCREENSAVERRUNNING, 0, &runningWhileDrawing, 0); };
    saver.quitAfterFrames = 1;
    saver.run();
    EXPECT_EQ(runningWhileDrawing, fullScreen ? TRUE : FALSE);
    BOOL runningAfterwards = -1;
    SystemParametersInfoA(SPI_GETSCREENSAVERRUNNING, 0, &runningAfterwards, 0);
    EXPECT_EQ(runningAfterwards, FALSE);
  }
}

TEST(WindowProc, ConfigureRunCreatesNoWindowAndReleasesTheScene) {
  RecordingSaver saver(SaverBuild::Basic);
  ASSERT_TRUE(saver.init(GetModuleHandleA(nullptr), "saver.scr /c:77"));
  EXPECT_EQ(saver.mode(), Configure);
  EXPECT_EQ(saver.windowNumber(), 77);
  EXPECT_EQ(saver.mainWindow(), nullptr);
  EXPECT_TRUE(saver.run());
  EXPECT_EQ(saver.releases, 1);
}

}  // namespace

namespace {

TEST(WindowProc, DisplayOffOrLockedSessionPutsTheSaverToSleepWithoutEndingIt) {
  RecordingSaver saver(SaverBuild::Basic);
  ASSERT_TRUE(saver.init(GetModuleHandleA(nullptr), "saver.scr /s"));
  saver.send(WM_SYSCOMMAND, SC_MONITORPOWER, 1);  // low power: still seen
  EXPECT_FALSE(saver.asleep());
  saver.send(WM_SYSCOMMAND, SC_MONITORPOWER, 2);
  EXPECT_TRUE(saver.asleep());
  saver.send(WM_SYSCOMMAND, SC_MONITORPOWER, -1);
  EXPECT_FALSE(saver.asleep());

  const PowerNotice off = powerNotice(ConsoleDisplayState, 0);
  const PowerNotice dimmed = powerNotice(ConsoleDisplayState, 2);
  const PowerNotice on = powerNotice(ConsoleDisplayState, 1);
  const PowerNotice monitorOff = powerNotice(MonitorPowerOn, 0);
  const PowerNotice other = powerNotice(SomeOtherSetting, 1);
  saver.send(WM_POWERBROADCAST, PBT_POWERSETTINGCHANGE, pointerTo(dimmed));
  EXPECT_FALSE(saver.asleep());
  saver.send(WM_POWERBROADCAST, PBT_POWERSETTINGCHANGE, pointerTo(off));
  EXPECT_TRUE(saver.asleep());
  saver.send(WM_POWERBROADCAST, PBT_POWERSETTINGCHANGE, pointerTo(other));
  EXPECT_TRUE(saver.asleep());
  saver.send(WM_POWERBROADCAST, PBT_POWERSETTINGCHANGE, pointerTo(on));
  EXPECT_FALSE(saver.asleep());

  // Both reasons must be gone before it wakes.
  saver.send(WM_POWERBROADCAST, PBT_POWERSETTINGCHANGE, pointerTo(monitorOff));
  saver.send(WM_WTSSESSION_CHANGE, WTS_SESSION_LOCK);
  saver.send(WM_POWERBROADCAST, PBT_POWERSETTINGCHANGE, pointerTo(on));
  EXPECT_TRUE(saver.asleep());
  saver.send(WM_WTSSESSION_CHANGE, WTS_SESSION_UNLOCK);
  EXPECT_FALSE(saver.asleep());

  EXPECT_EQ(saver.sleeps, (std::vector<bool>{true, false, true, false, true, false}));
  EXPECT_FALSE(saver.isShutDown());
}

// Wine sends no display or session notices whether a window signed up or not: what counts is that
// the main window signs up for both power settings and its session, and signs off at the end.
class RecordingRegistrar : public NoticeRegistrar {
 public:
  std::vector<std::pair<HWND, GUID>> power;
  std::vector<HPOWERNOTIFY> powerGone;
  std::vector<HWND> sessions, sessionsGone;

  HPOWERNOTIFY registerPowerSetting(HWND window, const GUID& setting) override {
    power.emplace_back(window, setting);
    return reinterpret_cast<HPOWERNOTIFY>(static_cast<uintptr_t>(power.size()));
  }
  void unregisterPowerSetting(HPOWERNOTIFY notice) override { powerGone.push_back(notice); }
  bool registerSession(HWND window) override {
    sessions.push_back(window);
    return true;
  }
  void unregisterSession(HWND window) override { sessionsGone.push_back(window); }
};

TEST(WindowProc, TheMainWindowSignsUpForDisplayAndSessionNoticesUntilItEnds) {
  RecordingRegistrar registrar;
  RecordingSaver saver(SaverBuild::Basic);
  saver.setNoticeRegistrar(registrar);
  ASSERT_TRUE(saver.init(GetModuleHandleA(nullptr), "saver.scr /s"));
  const HWND window = saver.mainWindow();
  ASSERT_NE(window, nullptr);
  saver.quitAfterFrames = 3;
  saver.run();
  ASSERT_EQ(registrar.power.size(), 5u);
  for (const auto& signedUp : registrar.power) EXPECT_EQ(signedUp.first, window);
  EXPECT_TRUE(IsEqualGUID(registrar.power[0].second, ConsoleDisplayState));
  EXPECT_TRUE(IsEqualGUID(registrar.power[1].second, MonitorPowerOn));
  EXPECT_TRUE(IsEqualGUID(registrar.power[2].second, PowerSource));
  EXPECT_TRUE(IsEqualGUID(registrar.power[3].second, PowerSavingStatus));
  EXPECT_TRUE(IsEqualGUID(registrar.power[4].second, EnergySaverStatus));
  const auto notice = [](uintptr_t n) { return reinterpret_cast<HPOWERNOTIFY>(n); };
  EXPECT_EQ(registrar.powerGone, (std::vector<HPOWERNOTIFY>{notice(1), notice(2), notice(3), notice(4), notice(5)}));
  EXPECT_EQ(registrar.sessions, std::vector<HWND>{window});
  EXPECT_EQ(registrar.sessionsGone, std::vector<HWND>{window});
  EXPECT_TRUE(saver.isShutDown());
}

TEST(WindowProc, PreviewWhoseHostGoesWhileItSettlesEndsQuietly) {
  for (const UINT whenHostGoes : {UINT{WM_USER}, UINT{WM_TIMER}}) {
    HWND host = CreateWindowExA(0, "STATIC", "host", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 50, 50, 200, 150, nullptr,
                                nullptr, GetModuleHandleA(nullptr), nullptr);
    ASSERT_NE(host, nullptr);
    RecordingSaver saver(SaverBuild::Basic);
    saver.onMessage = [&](UINT message, WPARAM, LPARAM) {
      if (message == whenHostGoes && IsWindow(host)) DestroyWindow(host);
      return false;
    };
    const std::string line = "saver.scr /p " + std::to_string(reinterpret_cast<LONG_PTR>(host));
    EXPECT_FALSE(saver.init(GetModuleHandleA(nullptr), line.c_str())) << whenHostGoes;
    EXPECT_EQ(saver.frames, 0);
  }
}

TEST(WindowProc, FramePumpDrawsNoFasterThanItsLimit) {
  const char* const key = "Software\\ReefsaverTests\\Pacing";
  HWND host = CreateWindowExA(0, "STATIC", "host", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 50, 50, 200, 150, nullptr, nullptr,
                              GetModuleHandleA(nullptr), nullptr);
  ASSERT_NE(host, nullptr);
  const struct {
    DWORD stored;
    std::string switches;
    int cap;
  } runs[] = {{20, "/t", 20}, {0, "/p " + std::to_string(reinterpret_cast<LONG_PTR>(host)), 30}};
  for (const auto& run : runs) {
    storeMaxFrameRate(key, run.stored);
    RecordingSaver saver(SaverBuild::Basic);
    saver.useSettingsKey(key);
    ASSERT_TRUE(saver.init(GetModuleHandleA(nullptr), ("saver.scr " + run.switches).c_str()));
    EXPECT_EQ(saver.storedMaxFrameRate(), static_cast<int>(run.stored));
    saver.quitAfterFrames = run.cap / 2 + 1;
    const DWORD start = GetTickCount();
    saver.run();
    // Half a second of periods lies between the first frame and the last, however fast the machine.
    EXPECT_GE(GetTickCount() - start, 490u) << run.switches;
    EXPECT_EQ(saver.frameRateCap(), run.cap) << run.switches;
    EXPECT_EQ(saver.frames, run.cap / 2 + 1) << run.switches;
  }
  DestroyWindow(host);
  RegDeleteTreeA(HKEY_CURRENT_USER, "Software\\ReefsaverTests");
}

// Wine's driver never goes away; a stand-in refuses the swap, as a driver does after a wake from
// sleep or a reset. The saver ends at once, releases everything and shows no box (one would keep
// run from returning).
TEST(WindowProc, ASwapTheDriverRefusesEndsTheSaverQuietly) {
  for (const char* switches : {"saver.scr /s", "saver.scr /t"}) {
    RecordingGLDriver driver;
    driver.swapsBeforeFailing = 4;  // the black frame at the start, then three frames
    RecordingSaver saver(SaverBuild::Basic);
    saver.setGLDriver(driver);
    ASSERT_TRUE(saver.init(GetModuleHandleA(nullptr), switches));
    saver.quitAfterFrames = 50;
    saver.run();
    EXPECT_TRUE(saver.isShutDown()) << switches;
    EXPECT_EQ(saver.frames, 4) << switches << ": no frame after the failed swap";
    EXPECT_EQ(saver.releases, 1) << switches;
    EXPECT_EQ(wglGetCurrentContext(), nullptr) << switches << ": the context is let go";
  }
}

// Not a context to be had, or none to make current: the run ends before its first frame.
TEST(WindowProc, ADriverThatMakesNoContextCurrentEndsTheRunBeforeAnyFrame) {
  RecordingGLDriver driver;
  driver.makeCurrentsBeforeFailing = 0;
  RecordingSaver saver(SaverBuild::Basic);
  saver.setGLDriver(driver);
  ASSERT_TRUE(saver.init(GetModuleHandleA(nullptr), "saver.scr /t"));
  EXPECT_FALSE(saver.startGL());
  EXPECT_EQ(saver.frames, 0);
  EXPECT_EQ(driver.swaps, 0);
}

// A monitor table whose main monitor reports a refresh rate the test chooses.
class RefreshingMonitors : public MonitorSource {
 public:
  int listMonitors(MonitorEntry* table, int capacity) override {
    return systemMonitors().listMonitors(table, capacity);
  }
  int refreshRate(HWND, HDC) override { return rate; }
  int rate = 50;
};

// The test window keeps its window through a display change, but follows the display's new
// refresh rate.
TEST(WindowProc, TheTestWindowsCapFollowsTheRefreshRateAfterADisplayChange) {
  RefreshingMonitors monitors;
  RecordingSaver saver(SaverBuild::Basic);
  saver.setMonitorSource(monitors);
  ASSERT_TRUE(saver.init(GetModuleHandleA(nullptr), "saver.scr /t"));
  int capBefore = 0;
  saver.onFrame = [&] {
    if (saver.frames != 1) return;
    capBefore = saver.frameRateCap();
    monitors.rate = 75;
    SendMessageA(saver.mainWindow(), WM_DISPLAYCHANGE, 32, MAKELPARAM(800, 600));
  };
  saver.quitAfterFrames = 3;
  saver.run();
  const int synced = saver.swapSynced() ? 1 : 0;
  EXPECT_EQ(capBefore, 50 + synced);
  EXPECT_EQ(saver.frameRateCap(), 75 + synced);
  EXPECT_EQ(saver.frames, 3);
}

// The conditions a machine starts the saver in, as a test chooses them.
class GivenConditions : public ConditionSource {
 public:
  DrawingConditions current() override { return conditions; }
  DrawingConditions conditions;
};

// The test window with the settings under key, in the conditions given.
void startIn(RecordingSaver& saver, GivenConditions& conditions, const char* key) {
  saver.useSettingsKey(key);
  saver.setConditionSource(conditions);
  ASSERT_TRUE(saver.init(GetModuleHandleA(nullptr), "saver.scr /t"));
}

// Wine tells nothing of batteries, power saving or remote sessions: the conditions at start come
// from a stand-in, the changes as the notices Windows sends.
TEST(WindowProc, OnBatteryOrSavingPowerAtMost30FramesInARemoteSessionAtMost15) {
  const char* const key = "Software\\ReefsaverTests\\Conditions";
  RegDeleteTreeA(HKEY_CURRENT_USER, key);
  GivenConditions start;
  start.conditions.onBattery = true;
  RecordingSaver saver(SaverBuild::Basic);
  startIn(saver, start, key);
  std::vector<int> caps;
  const PowerNotice mains = powerNotice(PowerSource, 0);
  const PowerNotice ups = powerNotice(PowerSource, 2);
  const PowerNotice energySaving = powerNotice(EnergySaverStatus, 1);
  const PowerNotice energyNormal = powerNotice(EnergySaverStatus, 0);
  const PowerNotice batterySaving = powerNotice(PowerSavingStatus, 1);
  const PowerNotice batteryNormal = powerNotice(PowerSavingStatus, 0);
  // A notice after each frame, as Windows sends them.
  const struct {
    UINT message;
    WPARAM event;
    const PowerNotice* setting;
  } notices[] = {{WM_POWERBROADCAST, PBT_POWERSETTINGCHANGE, &mains},
                 {WM_POWERBROADCAST, PBT_POWERSETTINGCHANGE, &energySaving},
                 {WM_POWERBROADCAST, PBT_POWERSETTINGCHANGE, &energyNormal},
                 {WM_POWERBROADCAST, PBT_POWERSETTINGCHANGE, &batterySaving},
                 {WM_POWERBROADCAST, PBT_POWERSETTINGCHANGE, &batteryNormal},
                 {WM_WTSSESSION_CHANGE, WTS_REMOTE_CONNECT, nullptr},
                 {WM_POWERBROADCAST, PBT_POWERSETTINGCHANGE, &ups},
                 {WM_WTSSESSION_CHANGE, WTS_CONSOLE_CONNECT, nullptr},
                 // The older notice carries no state: the conditions are read again.
                 {WM_POWERBROADCAST, PBT_APMPOWERSTATUSCHANGE, nullptr}};
  saver.onFrame = [&] {
    caps.push_back(saver.frameRateCap());
    if (saver.frames >= static_cast<int>(std::size(notices))) return;
    const auto& notice = notices[saver.frames];
    if (notice.event == PBT_APMPOWERSTATUSCHANGE) start.conditions = DrawingConditions{};
    saver.send(notice.message, notice.event, notice.setting ? pointerTo(*notice.setting) : 0);
  };
  saver.quitAfterFrames = 10;
  saver.run();
  const int mainsCap =
      frameRateLimit(-1, systemMonitors().refreshRate(saver.mainWindow(), nullptr), saver.swapSynced(), false);
  EXPECT_EQ(caps, (std::vector<int>{30, mainsCap, 30, mainsCap, 30, mainsCap, 15, 15, 30, mainsCap}));
  EXPECT_FALSE(saver.drawingConditions().savingPower());

  // A stored limit that is lower holds; "no limit" on battery becomes 30.
  for (const DWORD stored : {DWORD{20}, DWORD{0}}) {
    storeMaxFrameRate(key, stored);
    RecordingSaver capped(SaverBuild::Basic);
    start.conditions.onBattery = true;
    startIn(capped, start, key);
    capped.quitAfterFrames = 1;
    capped.run();
    EXPECT_EQ(capped.frameRateCap(), stored == 0 ? 30 : 20) << stored;
  }
  RegDeleteTreeA(HKEY_CURRENT_USER, "Software\\ReefsaverTests");
}

// The system's own answers, read for real: Wine never reports a remote session, and on mains
// power (as on the test machines) the cap is the one of a saver that knows nothing of power.
TEST(WindowProc, TheSystemsPowerAndSessionAnswersSetTheCap) {
  const DrawingConditions conditions = systemConditions().current();
  EXPECT_FALSE(conditions.remoteSession);
  RecordingSaver saver(SaverBuild::Basic);
  ASSERT_TRUE(saver.init(GetModuleHandleA(nullptr), "saver.scr /t"));
  saver.quitAfterFrames = 2;
  saver.run();
  const int unaware = frameRateLimit(
      saver.storedMaxFrameRate(), systemMonitors().refreshRate(saver.mainWindow(), nullptr), saver.swapSynced(), false);
  EXPECT_EQ(saver.frameRateCap(), frameRateUnder(conditions, unaware));
  if (!conditions.savingPower()) {
    EXPECT_EQ(saver.frameRateCap(), unaware);
  }
}

}  // namespace
