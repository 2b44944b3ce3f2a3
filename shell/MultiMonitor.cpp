#include "shell/MultiMonitor.h"

#include <cstring>

namespace multimon {
namespace {

using SystemMetricsFn = int(WINAPI*)(int);
using MonitorFromRectFn = HMONITOR(WINAPI*)(LPCRECT, DWORD);
using MonitorInfoFn = BOOL(WINAPI*)(HMONITOR, LPMONITORINFO);

struct RealFunctions {
  bool tried = false;
  bool available = false;
  SystemMetricsFn systemMetrics = nullptr;
  MonitorFromRectFn monitorFromRect = nullptr;
  MonitorInfoFn monitorInfo = nullptr;
};

RealFunctions& real() {
  static RealFunctions fns;
  if (fns.tried) return fns;
  fns.tried = true;
  HMODULE user = GetModuleHandleA("USER32");
  if (!user) return fns;
  FARPROC metrics = GetProcAddress(user, "GetSystemMetrics");
  FARPROC fromWindow = GetProcAddress(user, "MonitorFromWindow");
  FARPROC fromRect = GetProcAddress(user, "MonitorFromRect");
  FARPROC fromPoint = GetProcAddress(user, "MonitorFromPoint");
  FARPROC enumMonitors = GetProcAddress(user, "EnumDisplayMonitors");
  FARPROC info = GetProcAddress(user, "GetMonitorInfoA");
  if (metrics && fromWindow && fromRect && fromPoint && enumMonitors && info) {
    fns.systemMetrics = reinterpret_cast<SystemMetricsFn>(reinterpret_cast<void*>(metrics));
    fns.monitorFromRect = reinterpret_cast<MonitorFromRectFn>(reinterpret_cast<void*>(fromRect));
    fns.monitorInfo = reinterpret_cast<MonitorInfoFn>(reinterpret_cast<void*>(info));
    fns.available = true;
  }
  return fns;
}

}  // namespace

int fallbackSystemMetrics(int index) {
  switch (index) {
    case SM_XVIRTUALSCREEN:
    case SM_YVIRTUALSCREEN:
      return 0;
    case SM_CXVIRTUALSCREEN:
      return GetSystemMetrics(SM_CXSCREEN);
    case SM_CYVIRTUALSCREEN:
      return GetSystemMetrics(SM_CYSCREEN);
    case SM_CMONITORS:
    case SM_SAMEDISPLAYFORMAT:
      return 1;
    default:
      return GetSystemMetrics(index);
  }
}

HMONITOR fallbackMonitorFromRect(const RECT* rect, DWORD flags) {
  if (flags & (MONITOR_DEFAULTTOPRIMARY | MONITOR_DEFAULTTONEAREST)) return PrimaryPseudoMonitor;
  if (rect && rect->right > 0 && rect->bottom > 0 && rect->left < GetSystemMetrics(SM_CXSCREEN) &&
      rect->top < GetSystemMetrics(SM_CYSCREEN)) {
    return PrimaryPseudoMonitor;
  }
  return nullptr;
}

BOOL fallbackMonitorInfo(HMONITOR monitor, MONITORINFO* info) {
  if (monitor != PrimaryPseudoMonitor || !info || info->cbSize < sizeof(MONITORINFO)) return FALSE;
  SetRect(&info->rcMonitor, 0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN));
  SystemParametersInfoA(SPI_GETWORKAREA, 0, &info->rcWork, 0);
  info->dwFlags = MONITORINFOF_PRIMARY;
  if (info->cbSize >= sizeof(MONITORINFOEXA)) {
    std::strcpy(reinterpret_cast<MONITORINFOEXA*>(info)->szDevice, "DISPLAY");
  }
  return TRUE;
}

int systemMetrics(int index) {
  const RealFunctions& fns = real();
  return fns.available ? fns.systemMetrics(index) : fallbackSystemMetrics(index);
}

HMONITOR monitorFromRect(const RECT* rect, DWORD flags) {
  const RealFunctions& fns = real();
  return fns.available ? fns.monitorFromRect(rect, flags) : fallbackMonitorFromRect(rect, flags);
}

BOOL monitorInfo(HMONITOR monitor, MONITORINFO* info) {
  const RealFunctions& fns = real();
  return fns.available ? fns.monitorInfo(monitor, info) : fallbackMonitorInfo(monitor, info);
}

}  // namespace multimon
