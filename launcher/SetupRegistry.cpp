#include "launcher/SetupRegistry.h"

#include <windows.h>

#include "launcher/LauncherRules.h"

namespace launcher {
namespace {

const char kRunKey[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";
const char kResumeValue[] = "KvSetupX.exe";
const char kLauncherKey[] = "Software\\KvSetupX";
const char kProductValue[] = "ResumeProduct";

// A string value; empty when the key or value is missing or not a string. view: which registry
// view of a 64-bit Windows to read (0: the program's own).
std::string readString(HKEY root, const std::string& keyName, const char* valueName,
                       REGSAM view = 0) {
  HKEY key;
  if (RegOpenKeyExA(root, keyName.c_str(), 0, KEY_READ | view, &key) != ERROR_SUCCESS) return {};
  char buffer[1024];
  DWORD type = 0;
  DWORD size = sizeof buffer - 1;
  std::string value;
  if (RegQueryValueExA(key, valueName, nullptr, &type, reinterpret_cast<BYTE*>(buffer), &size) ==
          ERROR_SUCCESS &&
      (type == REG_SZ || type == REG_EXPAND_SZ)) {
    // Registry strings need not be terminated.
    buffer[size < sizeof buffer ? size : sizeof buffer - 1] = '\0';
    value = buffer;
  }
  RegCloseKey(key);
  return value;
}

void setString(HKEY key, const char* valueName, const std::string& value) {
  RegSetValueExA(key, valueName, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                 static_cast<DWORD>(value.size() + 1));
}

// For every subkey of root\keyName with an "InstallPath" subkey, the program in that folder;
// the last one found wins, else the given path is kept.
void findAdobeProgram(const char* keyName, const char* program, REGSAM view, std::string& found) {
  HKEY key;
  if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, keyName, 0, KEY_READ | view, &key) != ERROR_SUCCESS) return;
  char subkey[256];
  for (DWORD index = 0;; ++index) {
    DWORD length = sizeof subkey;
    if (RegEnumKeyExA(key, index, subkey, &length, nullptr, nullptr, nullptr, nullptr) !=
        ERROR_SUCCESS) {
      break;
    }
    HKEY installPath;
    const std::string installKey = std::string(subkey) + "\\InstallPath";
    if (RegOpenKeyExA(key, installKey.c_str(), 0, KEY_READ | view, &installPath) != ERROR_SUCCESS) {
      continue;
    }
    RegCloseKey(installPath);
    found = joinPath(readString(key, installKey, nullptr, view), program);
  }
  RegCloseKey(key);
}

}  // namespace

std::string programFilesFolder() {
  std::string folder = readString(
      HKEY_LOCAL_MACHINE, "Software\\Microsoft\\Windows\\CurrentVersion", "ProgramFilesDir");
  return folder.empty() ? std::string("C:\\Program Files") : folder;
}

void writeResumeMarker(const std::string& baseFolder, const std::string& stage,
                       const std::string& productReference) {
  HKEY key;
  if (RegOpenKeyExA(HKEY_CURRENT_USER, kRunKey, 0, KEY_SET_VALUE, &key) != ERROR_SUCCESS) return;
  setString(key, kResumeValue, resumeCommand(baseFolder, stage));
  RegCloseKey(key);
  if (productReference.empty()) {
    RegDeleteKeyA(HKEY_CURRENT_USER, kLauncherKey);
    return;
  }
  if (RegCreateKeyExA(HKEY_CURRENT_USER, kLauncherKey, 0, nullptr, 0, KEY_SET_VALUE, nullptr, &key,
                      nullptr) != ERROR_SUCCESS) {
    return;
  }
  setString(key, kProductValue, productReference);
  RegCloseKey(key);
}

void clearResumeMarker() {
  RegDeleteKeyA(HKEY_CURRENT_USER, kLauncherKey);
  HKEY key;
  if (RegOpenKeyExA(HKEY_CURRENT_USER, kRunKey, 0, KEY_SET_VALUE, &key) != ERROR_SUCCESS) return;
  RegDeleteValueA(key, kResumeValue);
  RegCloseKey(key);
}

void clearStaleResumeMarker() {
  const std::string command = readString(HKEY_CURRENT_USER, kRunKey, kResumeValue);
  if (command.empty()) return;
  const std::string program = commandProgram(command);
  if (program.empty() || GetFileAttributesA(program.c_str()) == INVALID_FILE_ATTRIBUTES)
    clearResumeMarker();
}

std::string resumedProduct() { return readString(HKEY_CURRENT_USER, kLauncherKey, kProductValue); }

bool mdacPresent() {
  return mdacVersionPresent(
      readString(HKEY_LOCAL_MACHINE, "SOFTWARE\\Microsoft\\DataAccess", "FullInstallVer"));
}

bool dotNetPresent() {
  HKEY key;
  if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, "Software\\Microsoft\\.NETFramework", 0, KEY_READ, &key) !=
      ERROR_SUCCESS) {
    return false;
  }
  RegCloseKey(key);
  return true;
}

std::string findPdfReader() {
  std::string reader = "C:\\Program Files\\Adobe\\Acrobat 6.0\\Reader\\AcroRd32.exe";
  // Most readers are 32-bit programs, registered where a 64-bit program sees them only by asking.
  for (REGSAM view : {KEY_WOW64_32KEY, KEY_WOW64_64KEY}) {
    findAdobeProgram("Software\\Adobe\\Adobe Acrobat", "Acrobat.exe", view, reader);
  }
  for (REGSAM view : {KEY_WOW64_32KEY, KEY_WOW64_64KEY}) {
    findAdobeProgram("Software\\Adobe\\Acrobat Reader", "AcroRd32.exe", view, reader);
  }
  return reader;
}

void registerAppPath(const std::string& name, const std::string& path, const std::string& folder) {
  const std::string keyName = "Software\\Microsoft\\Windows\\CurrentVersion\\App Paths\\" + name;
  HKEY key;
  if (RegCreateKeyExA(HKEY_LOCAL_MACHINE, keyName.c_str(), 0, nullptr, 0, KEY_SET_VALUE, nullptr,
                      &key, nullptr) != ERROR_SUCCESS) {
    return;
  }
  setString(key, nullptr, path);
  setString(key, "Path", folder);
  RegCloseKey(key);
}

}  // namespace launcher
