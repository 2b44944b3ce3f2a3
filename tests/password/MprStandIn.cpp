// Stand-in for the Windows 9x "MPR.DLL": records the password-change call. Built twice, once
// without the function, for a system whose module lacks it.
#include <windows.h>

#include <cstdint>

#include "tests/password/StandInLog.h"

#if REEF_WITH_CHANGE
extern "C" DWORD WINAPI PwdChangePasswordA(LPCSTR provider, HWND window, DWORD flags, LPVOID reserved) {
  char line[200];
  std::snprintf(line, sizeof(line), "mpr change %s %llu %lu %llu", provider ? provider : "(null)",
                static_cast<unsigned long long>(reinterpret_cast<uintptr_t>(window)), flags,
                static_cast<unsigned long long>(reinterpret_cast<uintptr_t>(reserved)));
  standin::logLine(line);
  return 0;
}
#endif

BOOL WINAPI DllMain(HINSTANCE module, DWORD reason, LPVOID reserved) {
  standin::logLoad("mpr", module, reason, reserved);
  return TRUE;
}
