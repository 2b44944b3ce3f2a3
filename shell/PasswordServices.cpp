#include <windows.h>

#include <cstdio>

#include "shell/GLSaver.h"

namespace {

using ChangePasswordFn = DWORD(WINAPI*)(LPCSTR, HWND, DWORD, LPVOID);

// System modules are loaded from the system folder by full path, never by bare name, so that a
// file of the same name beside the program or in the current folder is never run in their place;
// the modules they import in turn are looked for in the system folder first, for the same reason.
HMODULE loadSystemModule(const char* name) {
  char path[MAX_PATH];
  const UINT length = GetSystemDirectoryA(path, sizeof(path));
  if (length == 0 || length >= sizeof(path)) return nullptr;
  const int written = std::snprintf(path + length, sizeof(path) - length, "\\%s", name);
  if (written < 0 || static_cast<size_t>(written) >= sizeof(path) - length) return nullptr;
  return LoadLibraryExA(path, nullptr, LOAD_WITH_ALTERED_SEARCH_PATH);
}

}  // namespace

void GLSaver::loadPasswordVerifier() {
  HKEY key = nullptr;
  if (RegCreateKeyExA(HKEY_CURRENT_USER, "Control Panel\\Desktop", 0, nullptr, 0, KEY_READ, nullptr, &key,
                      nullptr) != ERROR_SUCCESS) {
    return;
  }
  DWORD value = 0;
  DWORD size = sizeof(value);
  const LONG result =
      RegQueryValueExA(key, "ScreenSaveUsePassword", nullptr, nullptr, reinterpret_cast<BYTE*>(&value), &size);
  RegCloseKey(key);
  if (result != ERROR_SUCCESS || value == 0) return;

  passwordModule_ = loadSystemModule("PASSWORD.CPL");
  if (!passwordModule_) return;
  verifyPassword_ = reinterpret_cast<VerifyPasswordFn>(
      reinterpret_cast<void*>(GetProcAddress(passwordModule_, "VerifyScreenSavePwd")));
}

void GLSaver::releasePasswordVerifier() {
  if (!passwordModule_) return;
  FreeLibrary(passwordModule_);
  passwordModule_ = nullptr;
  verifyPassword_ = nullptr;
}

void GLSaver::changePassword() {
  HMODULE mpr = loadSystemModule("MPR.DLL");
  if (!mpr) return;
  auto change = reinterpret_cast<ChangePasswordFn>(
      reinterpret_cast<void*>(GetProcAddress(mpr, "PwdChangePasswordA")));
  if (change) change("SCRSAVE", reinterpret_cast<HWND>(static_cast<LONG_PTR>(windowNumber_)), 0, nullptr);
  FreeLibrary(mpr);
}
