#include <windows.h>

#include <cstring>

#include "shell/GLSaver.h"

bool GLSaver::openRegistryKey(const char* path) {
  HKEY key = nullptr;
  if (RegCreateKeyExA(HKEY_CURRENT_USER, path, 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_READ | KEY_WRITE, nullptr, &key,
                      nullptr) != ERROR_SUCCESS) {
    return false;
  }
  registryKey_ = key;
  return true;
}

bool GLSaver::closeRegistryKey() {
  if (!registryKey_) return false;
  RegCloseKey(registryKey_);
  registryKey_ = nullptr;
  return true;
}

bool GLSaver::writeString(const char* name, const char* value) {
  if (!registryKey_) return false;
  return RegSetValueExA(registryKey_, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(value),
                        static_cast<DWORD>(std::strlen(value) + 1)) == ERROR_SUCCESS;
}

bool GLSaver::writeDword(const char* name, DWORD value) {
  if (!registryKey_) return false;
  return RegSetValueExA(registryKey_, name, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value), sizeof(value)) ==
         ERROR_SUCCESS;
}

// Settings are stored as numbers only; binary values are never written.
bool GLSaver::writeBinary(const char*, const void*, DWORD) { return false; }

bool GLSaver::readString(const char* name, char* buffer, DWORD size) {
  if (!registryKey_ || !buffer || size == 0) return false;
  DWORD type = 0;
  DWORD length = size;
  if (RegQueryValueExA(registryKey_, name, nullptr, &type, reinterpret_cast<BYTE*>(buffer), &length) != ERROR_SUCCESS ||
      type != REG_SZ) {
    return false;
  }
  // The stored text need not carry its terminator.
  buffer[length < size ? length : size - 1] = '\0';
  return true;
}

int GLSaver::readDword(const char* name, int fallback) {
  if (!registryKey_) return 0;
  DWORD value = 0;
  DWORD size = sizeof(value);
  if (RegQueryValueExA(registryKey_, name, nullptr, nullptr, reinterpret_cast<BYTE*>(&value), &size) != ERROR_SUCCESS) {
    return fallback;
  }
  return static_cast<int>(value);
}

bool GLSaver::readBool(const char* name, bool fallback) {
  if (!registryKey_) return false;
  DWORD value = 0;
  DWORD size = sizeof(value);
  if (RegQueryValueExA(registryKey_, name, nullptr, nullptr, reinterpret_cast<BYTE*>(&value), &size) != ERROR_SUCCESS) {
    return fallback;
  }
  return value != 0;
}

void GLSaver::loadScreenSettings() {
  if (!openRegistryKey(registryPath_)) return;
  screen_.Width = readDword("Width", screen_.Width);
  screen_.Height = readDword("Height", screen_.Height);
  screen_.Bpp = readDword("Bpp", screen_.Bpp);
  screen_.LeaveRes = readBool("LeaveRes", screen_.LeaveRes);
  screen_.ShadeScecondary = readBool("ShadeScecondary", screen_.ShadeScecondary);
  closeRegistryKey();
}

void GLSaver::saveScreenSettings() {
  if (!openRegistryKey(registryPath_)) return;
  writeDword("Width", static_cast<DWORD>(screen_.Width));
  writeDword("Height", static_cast<DWORD>(screen_.Height));
  writeDword("Bpp", static_cast<DWORD>(screen_.Bpp));
  writeDword("LeaveRes", screen_.LeaveRes ? 1 : 0);
  writeDword("ShadeScecondary", screen_.ShadeScecondary ? 1 : 0);
  closeRegistryKey();
}

// Not a setting of either dialog: people who want a lower rate to save power, or none to measure,
// store it themselves.
void GLSaver::loadFrameRateSetting() {
  if (!openRegistryKey(registryPath_)) return;
  storedMaxFrameRate_ = readDword("MaxFrameRate", -1);
  closeRegistryKey();
}
