// Stand-in for the Windows 9x "PASSWORD.CPL": records each verification and answers with the first
// character of the file named by REEF_STANDIN_ANSWER ('0' = not verified; anything else or no file
// = verified). While it runs it probes the saver the way the real modal dialog would meet it: a key
// press (a nested quit attempt) and a cursor query.
#include <windows.h>

#include <cstdint>

#include "tests/password/StandInLog.h"

namespace {

int depth = 0;

BOOL answer() {
  char path[MAX_PATH];
  const DWORD length = GetEnvironmentVariableA("REEF_STANDIN_ANSWER", path, sizeof(path));
  if (length == 0 || length >= sizeof(path)) return TRUE;
  HANDLE file = CreateFileA(path, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return TRUE;
  char first = '1';
  DWORD read = 0;
  ReadFile(file, &first, 1, &read, nullptr);
  CloseHandle(file);
  return first == '0' ? FALSE : TRUE;
}

}  // namespace

extern "C" BOOL WINAPI VerifyScreenSavePwd(HWND window) {
  ++depth;
  char line[160];
  std::snprintf(line, sizeof(line), "password verify %llu depth %d zoomed %d visible %d",
                static_cast<unsigned long long>(reinterpret_cast<uintptr_t>(window)), depth, IsZoomed(window) ? 1 : 0,
                IsWindowVisible(window) ? 1 : 0);
  standin::logLine(line);

  SendMessageA(window, WM_KEYDOWN, VK_SPACE, 0);
  SetCursor(nullptr);
  SendMessageA(window, WM_SETCURSOR, reinterpret_cast<WPARAM>(window), MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
  const BOOL verified = answer();
  std::snprintf(line, sizeof(line), "password cursor %d answer %d", GetCursor() ? 1 : 0, verified ? 1 : 0);
  standin::logLine(line);
  --depth;
  return verified;
}

BOOL WINAPI DllMain(HINSTANCE module, DWORD reason, LPVOID reserved) {
  standin::logLoad("password", module, reason, reserved);
  return TRUE;
}
