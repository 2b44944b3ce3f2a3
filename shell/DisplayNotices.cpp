#include "shell/DisplayNotices.h"

#include <cstring>

#include "shell/DrawingConditions.h"
#include "shell/SystemModule.h"

// Declared by the SDK only as link-time symbols; the values are fixed by Windows.
const GUID ConsoleDisplayStateSetting = {0x6fe69556, 0x704a, 0x47a0, {0x8f, 0x24, 0xc2, 0x8d, 0x93, 0x6f, 0xda, 0x47}};
const GUID MonitorPowerOnSetting = {0x02731015, 0x4510, 0x4526, {0x99, 0xe6, 0xe5, 0xa1, 0x7e, 0xbd, 0x1a, 0xea}};

namespace {

using RegisterPowerFn = HPOWERNOTIFY(WINAPI*)(HANDLE, LPCGUID, DWORD);
using UnregisterPowerFn = BOOL(WINAPI*)(HPOWERNOTIFY);
using RegisterSessionFn = BOOL(WINAPI*)(HWND, DWORD);
using UnregisterSessionFn = BOOL(WINAPI*)(HWND);

constexpr DWORD ThisSession = 0;  // NOTIFY_FOR_THIS_SESSION
constexpr LPARAM MonitorOff = 2;
constexpr LPARAM MonitorOn = -1;

}  // namespace

Visibility visibilityFromPowerSetting(const POWERBROADCAST_SETTING* setting) {
  if (!setting || setting->DataLength < sizeof(DWORD)) return Visibility::Unchanged;
  if (setting->PowerSetting != ConsoleDisplayStateSetting && setting->PowerSetting != MonitorPowerOnSetting) {
    return Visibility::Unchanged;
  }
  DWORD state = 0;
  std::memcpy(&state, setting->Data, sizeof(state));
  // Console display: 0 off, 1 on, 2 dimmed. Monitor power: 0 off, 1 on.
  return state == 0 ? Visibility::Hidden : Visibility::Shown;
}

Visibility visibilityFromMonitorPower(LPARAM lParam) {
  if (lParam == MonitorOff) return Visibility::Hidden;
  if (lParam == MonitorOn) return Visibility::Shown;
  return Visibility::Unchanged;
}

Visibility visibilityFromSessionChange(WPARAM event) {
  if (event == WTS_SESSION_LOCK) return Visibility::Hidden;
  if (event == WTS_SESSION_UNLOCK) return Visibility::Shown;
  return Visibility::Unchanged;
}

namespace {

class SystemNoticeRegistrar : public NoticeRegistrar {
 public:
  HPOWERNOTIFY registerPowerSetting(HWND window, const GUID& setting) override {
    const auto registerPower =
        moduleFunction<RegisterPowerFn>(GetModuleHandleA("USER32"), "RegisterPowerSettingNotification");
    return registerPower ? registerPower(window, &setting, DEVICE_NOTIFY_WINDOW_HANDLE) : nullptr;
  }
  void unregisterPowerSetting(HPOWERNOTIFY notice) override {
    const auto unregisterPower =
        moduleFunction<UnregisterPowerFn>(GetModuleHandleA("USER32"), "UnregisterPowerSettingNotification");
    if (unregisterPower) unregisterPower(notice);
  }
  bool registerSession(HWND window) override {
    if (!sessionModule_) sessionModule_ = loadSystemModule("WTSAPI32.DLL");
    const auto registerSession = moduleFunction<RegisterSessionFn>(sessionModule_, "WTSRegisterSessionNotification");
    return registerSession && registerSession(window, ThisSession);
  }
  void unregisterSession(HWND window) override {
    const auto unregisterSession =
        moduleFunction<UnregisterSessionFn>(sessionModule_, "WTSUnRegisterSessionNotification");
    if (unregisterSession) unregisterSession(window);
  }

 private:
  // Loaded once and kept: a notice registered through it must be unregistered through it.
  HMODULE sessionModule_ = nullptr;
};

}  // namespace

NoticeRegistrar& systemNoticeRegistrar() {
  static SystemNoticeRegistrar registrar;
  return registrar;
}

// Signing up for a power setting also sends its current state at once.
void DisplayNotices::start(HWND window) {
  stop();
  const GUID* settings[PowerSettings] = {&ConsoleDisplayStateSetting, &MonitorPowerOnSetting, &PowerSourceSetting,
                                         &PowerSavingStatusSetting, &EnergySaverStatusSetting};
  for (int i = 0; i < PowerSettings; ++i) power_[i] = registrar_->registerPowerSetting(window, *settings[i]);
  if (registrar_->registerSession(window)) sessionWindow_ = window;
}

void DisplayNotices::stop() {
  for (HPOWERNOTIFY& notice : power_) {
    if (notice) registrar_->unregisterPowerSetting(notice);
    notice = nullptr;
  }
  if (sessionWindow_) registrar_->unregisterSession(sessionWindow_);
  sessionWindow_ = nullptr;
}
