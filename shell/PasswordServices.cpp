#include <windows.h>

#include "shell/GLSaver.h"
#include "shell/SystemModule.h"

namespace {

using ChangePasswordFn = DWORD(WINAPI*)(LPCSTR, HWND, DWORD, LPVOID);

}  // namespace

void GLSaver::loadPasswordVerifier() {
  HKEY key = nullptr;
  if (RegCreateKeyExA(HKEY_CURRENT_USER, "Control Panel\\Desktop", 0, nullptr, 0, KEY_READ, nullptr, &key, nullptr) !=
      ERROR_SUCCESS) {
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
  verifyPassword_ = moduleFunction<VerifyPasswordFn>(passwordModule_, "VerifyScreenSavePwd");
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
  const auto change = moduleFunction<ChangePasswordFn>(mpr, "PwdChangePasswordA");
  if (change) change("SCRSAVE", reinterpret_cast<HWND>(static_cast<LONG_PTR>(windowNumber_)), 0, nullptr);
  FreeLibrary(mpr);
}
