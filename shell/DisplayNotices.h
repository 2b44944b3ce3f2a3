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

// The power settings whose notices tell a window that the display went off or came back.
extern const GUID ConsoleDisplayStateSetting;
extern const GUID MonitorPowerOnSetting;

// The system calls that sign a window up for those notices and off again; the system's own by
// default (looked up at run time, since older systems lack them), a recorder in tests.
class NoticeRegistrar {
 public:
  virtual ~NoticeRegistrar() = default;
  // nullptr when the system offers no such notices.
  virtual HPOWERNOTIFY registerPowerSetting(HWND window, const GUID& setting) = 0;
  virtual void unregisterPowerSetting(HPOWERNOTIFY notice) = 0;
  virtual bool registerSession(HWND window) = 0;
  virtual void unregisterSession(HWND window) = 0;
};
NoticeRegistrar& systemNoticeRegistrar();

// Signs a window up for the power settings it follows (the display's power, the power source,
// battery saver and energy saver) and its session's notices (lock, console and remote
// connection), and off again.
class DisplayNotices {
 public:
  DisplayNotices() = default;
  DisplayNotices(const DisplayNotices&) = delete;
  DisplayNotices& operator=(const DisplayNotices&) = delete;
  ~DisplayNotices() { stop(); }

  void setRegistrar(NoticeRegistrar& registrar) { registrar_ = &registrar; }
  void start(HWND window);
  void stop();

 private:
  static constexpr int PowerSettings = 5;
  NoticeRegistrar* registrar_ = &systemNoticeRegistrar();
  HPOWERNOTIFY power_[PowerSettings] = {};
  HWND sessionWindow_ = nullptr;
};
