#pragma once
#include <windows.h>

// Multi-monitor calls through a compatibility layer: the real USER32 functions when all six exist,
// otherwise replacements that treat the primary screen as the only monitor (pre-Windows 98 systems).
namespace multimon {

// Pseudo handle of the one monitor the replacements know.
inline HMONITOR const PrimaryPseudoMonitor = reinterpret_cast<HMONITOR>(static_cast<LONG_PTR>(0x12340042));

int systemMetrics(int index);
HMONITOR monitorFromRect(const RECT* rect, DWORD flags);
BOOL monitorInfo(HMONITOR monitor, MONITORINFO* info);

// The replacements themselves, for systems without the real functions.
int fallbackSystemMetrics(int index);
HMONITOR fallbackMonitorFromRect(const RECT* rect, DWORD flags);
BOOL fallbackMonitorInfo(HMONITOR monitor, MONITORINFO* info);

}  // namespace multimon
