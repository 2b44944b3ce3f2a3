#pragma once
// Shared by the stand-in system modules: every event becomes one line appended to the file named by
// the environment variable REEF_STANDIN_LOG, so a test can see which copy of a module was loaded,
// how it was called and whether it was freed.
#include <windows.h>

#include <cstdio>
#include <cstring>

namespace standin {

inline void logLine(const char* line) {
  char path[MAX_PATH];
  const DWORD length = GetEnvironmentVariableA("REEF_STANDIN_LOG", path, sizeof(path));
  if (length == 0 || length >= sizeof(path)) return;
  HANDLE file = CreateFileA(path, FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_ALWAYS,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return;
  DWORD written = 0;
  WriteFile(file, line, static_cast<DWORD>(std::strlen(line)), &written, nullptr);
  WriteFile(file, "\n", 1, &written, nullptr);
  CloseHandle(file);
}

// "<kind> attach <full path of this copy>", "<kind> detach free" (FreeLibrary) or "<kind> detach exit".
inline void logLoad(const char* kind, HINSTANCE module, DWORD reason, LPVOID reserved) {
  char line[MAX_PATH + 64];
  if (reason == DLL_PROCESS_ATTACH) {
    char path[MAX_PATH] = {};
    GetModuleFileNameA(module, path, sizeof(path));
    std::snprintf(line, sizeof(line), "%s attach %s", kind, path);
    logLine(line);
  } else if (reason == DLL_PROCESS_DETACH) {
    std::snprintf(line, sizeof(line), "%s detach %s", kind, reserved ? "exit" : "free");
    logLine(line);
  }
}

}  // namespace standin
