#include "shell/MonitorTable.h"

#include "shell/MultiMonitor.h"

namespace {

using EnumDisplayDevicesFn = BOOL(WINAPI*)(LPCSTR, DWORD, PDISPLAY_DEVICEA, DWORD);

}  // namespace

int SystemMonitors::listMonitors(MonitorEntry* table, int capacity) {
  int count = 0;
  HMODULE user = LoadLibraryA("User32.DLL");
  auto enumDevices =
      user
          ? reinterpret_cast<EnumDisplayDevicesFn>(reinterpret_cast<void*>(GetProcAddress(user, "EnumDisplayDevicesA")))
          : nullptr;
  if (enumDevices) {
    for (DWORD adapter = 0; count < capacity; ++adapter) {
      DISPLAY_DEVICEA device = {};
      device.cb = sizeof(device);
      if (!enumDevices(nullptr, adapter, &device, 0)) break;
      if (device.StateFlags & DISPLAY_DEVICE_MIRRORING_DRIVER) continue;
      DISPLAY_DEVICEA firstMonitor = {};
      firstMonitor.cb = sizeof(firstMonitor);
      enumDevices(device.DeviceName, 0, &firstMonitor, 0);
      if (!(device.StateFlags & DISPLAY_DEVICE_ATTACHED_TO_DESKTOP)) continue;

      MonitorEntry& entry = table[count];
      entry = MonitorEntry{};
      DEVMODEA mode = {};
      mode.dmSize = sizeof(mode);
      EnumDisplaySettingsA(device.DeviceName, ENUM_CURRENT_SETTINGS, &mode);
      if (device.StateFlags & DISPLAY_DEVICE_PRIMARY_DEVICE) {
        entry.left = entry.top = 0;
        entry.primary = true;
      } else {
        entry.left = mode.dmPosition.x;
        entry.top = mode.dmPosition.y;
        entry.primary = false;
      }
      entry.right = entry.left + static_cast<int>(mode.dmPelsWidth);
      entry.bottom = entry.top + static_cast<int>(mode.dmPelsHeight);
      RECT rect = {entry.left, entry.top, entry.right, entry.bottom};
      entry.monitor = multimon::monitorFromRect(&rect, MONITOR_DEFAULTTONULL);
      ++count;
    }
  }
  if (user) FreeLibrary(user);
  return count;
}

int MonitorSource::refreshRate(HWND window, HDC deviceContext) {
  RECT rect = {};
  GetWindowRect(window, &rect);
  MONITORINFOEXA info = {};
  info.cbSize = sizeof(info);
  if (multimon::monitorInfo(multimon::monitorFromRect(&rect, MONITOR_DEFAULTTOPRIMARY),
                            reinterpret_cast<MONITORINFO*>(&info))) {
    DEVMODEA mode = {};
    mode.dmSize = sizeof(mode);
    if (EnumDisplaySettingsA(info.szDevice, ENUM_CURRENT_SETTINGS, &mode)) {
      return static_cast<int>(mode.dmDisplayFrequency);
    }
  }
  return GetDeviceCaps(deviceContext, VREFRESH);
}

SystemMonitors& systemMonitors() {
  static SystemMonitors monitors;
  return monitors;
}
