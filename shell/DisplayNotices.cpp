#include "shell/DisplayNotices.h"

#include <cstring>

#include "shell/SystemModule.h"

namespace {

// Declared by the SDK only as link-time symbols; the values are fixed by Windows.
const GUID ConsoleDisplayState = {0x6fe69556, 0x704a, 0x47a0, {0x8f, 0x24, 0xc2, 0x8d, 0x93, 0x6f, 0xda, 0x47}};
const GUID MonitorPowerOn = {0x02731015, 0x4510, 0x4526, {0x99, 0xe6, 0xe5, 0xa1, 0x7e, 0xbd, 0x1a, 0xea}};

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
  if (setting->PowerSetting != ConsoleDisplayState && setting->PowerSetting != MonitorPowerOn) {
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

void DisplayNotices::start(HWND window) {
  stop();
  const auto registerPower =
      moduleFunction<RegisterPowerFn>(GetModuleHandleA("USER32"), "RegisterPowerSettingNotification");
  if (registerPower) {
    power_[0] = registerPower(window, &ConsoleDisplayState, DEVICE_NOTIFY_WINDOW_HANDLE);
    power_[1] = registerPower(window, &MonitorPowerOn, DEVICE_NOTIFY_WINDOW_HANDLE);
  }
  sessionModule_ = loadSystemModule("WTSAPI32.DLL");
  const auto registerSession = moduleFunction<RegisterSessionFn>(sessionModule_, "WTSRegisterSessionNotification");
  if (registerSession && registerSession(window, ThisSession)) sessionWindow_ = window;
}

void DisplayNotices::stop() {
  const auto unregisterPower =
      moduleFunction<UnregisterPowerFn>(GetModuleHandleA("USER32"), "UnregisterPowerSettingNotification");
  for (HPOWERNOTIFY& notice : power_) {
    if (notice && unregisterPower) unregisterPower(notice);
    notice = nullptr;
  }
  if (sessionWindow_) {
    const auto unregisterSession =
        moduleFunction<UnregisterSessionFn>(sessionModule_, "WTSUnRegisterSessionNotification");
    if (unregisterSession) unregisterSession(sessionWindow_);
    sessionWindow_ = nullptr;
  }
  if (sessionModule_) FreeLibrary(sessionModule_);
  sessionModule_ = nullptr;
}
