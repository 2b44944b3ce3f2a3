#pragma once
#include <windows.h>

// What the system tells a window about whether its picture can be seen: display power notices
// (power setting notifications and the older SC_MONITORPOWER command) and session lock notices.
enum class Visibility { Unchanged, Hidden, Shown };

// A PBT_POWERSETTINGCHANGE notice about the console display or the monitor power; any other
// setting, or a notice too short to hold its state, changes nothing. A dimmed display is still seen.
Visibility visibilityFromPowerSetting(const POWERBROADCAST_SETTING* setting);
// The lParam of WM_SYSCOMMAND with SC_MONITORPOWER: 2 powers the display off, -1 on; 1 (low
// power) leaves it showing.
Visibility visibilityFromMonitorPower(LPARAM lParam);
// The wParam of WM_WTSSESSION_CHANGE: a locked session shows the lock screen instead.
Visibility visibilityFromSessionChange(WPARAM event);

// Signs a window up for those notices where the system offers them. The functions are looked up
// at run time, since older systems lack them.
class DisplayNotices {
 public:
  DisplayNotices() = default;
  DisplayNotices(const DisplayNotices&) = delete;
  DisplayNotices& operator=(const DisplayNotices&) = delete;
  ~DisplayNotices() { stop(); }

  void start(HWND window);
  void stop();

 private:
  static constexpr int PowerSettings = 2;
  HPOWERNOTIFY power_[PowerSettings] = {};
  HMODULE sessionModule_ = nullptr;
  HWND sessionWindow_ = nullptr;
};
