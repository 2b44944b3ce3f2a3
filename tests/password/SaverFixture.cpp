#include "tests/password/SaverFixture.h"

#include <fstream>
#include <sstream>

#include "tests/support/TestEnvironment.h"

namespace savertest {

Windows98Program::Windows98Program(const char* programName)
    : key_(std::string("Software\\Wine\\AppDefaults\\") + programName) {
  HKEY handle = nullptr;
  if (RegCreateKeyExA(HKEY_CURRENT_USER, key_.c_str(), 0, nullptr, 0, KEY_WRITE, nullptr, &handle, nullptr) !=
      ERROR_SUCCESS) {
    return;
  }
  RegSetValueExA(handle, "Version", 0, REG_SZ, reinterpret_cast<const BYTE*>("win98"), 6);
  RegCloseKey(handle);
}

Windows98Program::~Windows98Program() { RegDeleteTreeA(HKEY_CURRENT_USER, key_.c_str()); }

DllOverride::DllOverride(const char* programName, const char* module, const char* order)
    : key_(std::string("Software\\Wine\\AppDefaults\\") + programName + "\\DllOverrides"), module_(module) {
  HKEY handle = nullptr;
  if (RegCreateKeyExA(HKEY_CURRENT_USER, key_.c_str(), 0, nullptr, 0, KEY_WRITE, nullptr, &handle, nullptr) !=
      ERROR_SUCCESS) {
    return;
  }
  RegSetValueExA(handle, module, 0, REG_SZ, reinterpret_cast<const BYTE*>(order),
                 static_cast<DWORD>(lstrlenA(order) + 1));
  RegCloseKey(handle);
}

namespace {

// Removes a key that holds neither values nor sub-keys.
void removeIfEmpty(const std::string& key) {
  HKEY handle = nullptr;
  if (RegOpenKeyExA(HKEY_CURRENT_USER, key.c_str(), 0, KEY_READ, &handle) != ERROR_SUCCESS) return;
  DWORD subKeys = 0, values = 0;
  const bool empty = RegQueryInfoKeyA(handle, nullptr, nullptr, nullptr, &subKeys, nullptr, nullptr, &values, nullptr,
                                      nullptr, nullptr, nullptr) == ERROR_SUCCESS &&
                     subKeys == 0 && values == 0;
  RegCloseKey(handle);
  if (empty) RegDeleteKeyA(HKEY_CURRENT_USER, key.c_str());
}

}  // namespace

DllOverride::~DllOverride() {
  HKEY handle = nullptr;
  if (RegOpenKeyExA(HKEY_CURRENT_USER, key_.c_str(), 0, KEY_WRITE, &handle) != ERROR_SUCCESS) return;
  RegDeleteValueA(handle, module_.c_str());
  RegCloseKey(handle);
  removeIfEmpty(key_);
  removeIfEmpty(key_.substr(0, key_.find_last_of('\\')));
}

PlacedFile::PlacedFile(const std::string& source, const std::string& target)
    : target_(target), backup_(target + ".reef-original") {
  if (testenv::fileExists(backup_)) MoveFileExA(backup_.c_str(), target_.c_str(), MOVEFILE_REPLACE_EXISTING);
  hadOriginal_ = testenv::fileExists(target_);
  // The original comes back under its own spelling of the name.
  originalName_ = target_;
  WIN32_FIND_DATAA found;
  HANDLE search = FindFirstFileA(target_.c_str(), &found);
  if (search != INVALID_HANDLE_VALUE) {
    originalName_ = target_.substr(0, target_.find_last_of('\\') + 1) + found.cFileName;
    FindClose(search);
  }
  if (hadOriginal_ && !MoveFileExA(target_.c_str(), backup_.c_str(), MOVEFILE_REPLACE_EXISTING)) return;
  placed_ = CopyFileA(source.c_str(), target_.c_str(), FALSE) != FALSE;
}

PlacedFile::~PlacedFile() {
  DeleteFileA(target_.c_str());
  if (hadOriginal_) MoveFileExA(backup_.c_str(), originalName_.c_str(), MOVEFILE_REPLACE_EXISTING);
}

std::string systemFolder() {
  char path[MAX_PATH] = {};
  GetSystemDirectoryA(path, sizeof(path));
  return std::string(path) + "\\";
}

std::string standInPath(const char* folder, const char* file) {
  char self[MAX_PATH] = {};
  GetModuleFileNameA(nullptr, self, sizeof(self));
  std::string path = self;
  path.erase(path.find_last_of('\\') + 1);
  return path + "standins\\" + folder + "\\" + file;
}

std::vector<std::string> logLines(const std::string& path) {
  std::vector<std::string> lines;
  std::istringstream text(testenv::readFile(path));
  std::string line;
  while (std::getline(text, line)) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (!line.empty()) lines.push_back(line);
  }
  return lines;
}

std::vector<std::string> linesStartingWith(const std::vector<std::string>& lines, const std::string& prefix) {
  std::vector<std::string> found;
  for (const std::string& line : lines) {
    if (line.compare(0, prefix.size(), prefix) == 0) found.push_back(line);
  }
  return found;
}

}  // namespace savertest
