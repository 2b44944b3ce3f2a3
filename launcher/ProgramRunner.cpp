#include "launcher/ProgramRunner.h"

#include <vector>

#include "launcher/LauncherRules.h"

namespace launcher {

bool runProgram(const std::string& program, const std::string& arguments, DWORD waitMs) {
  std::string line = commandLine(program, arguments);
  std::vector<char> writable(line.begin(), line.end());
  writable.push_back('\0');
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process{};
  if (!CreateProcessA(nullptr, writable.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                      &startup, &process)) {
    return false;
  }
  WaitForSingleObject(process.hProcess, waitMs);
  DWORD exitCode = 0;
  GetExitCodeProcess(process.hProcess, &exitCode);
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  return true;
}

bool fileExists(const std::string& path) {
  const DWORD attributes = GetFileAttributesA(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

void enterFileFolder(const std::string& path) {
  char full[MAX_PATH];
  const DWORD length = GetFullPathNameA(path.c_str(), sizeof full, full, nullptr);
  if (length == 0 || length >= sizeof full) return;
  setCurrentFolder(folderOfFile(full));
}

std::string currentFolder() {
  char folder[MAX_PATH];
  const DWORD length = GetCurrentDirectoryA(sizeof folder, folder);
  if (length == 0 || length >= sizeof folder) return {};
  return folder;
}

void setCurrentFolder(const std::string& folder) {
  std::string target = folder;
  if (target.size() == 2 && target[1] == ':') target += '\\';
  SetCurrentDirectoryA(target.c_str());
}

std::optional<uint64_t> fileVersion(const std::string& path) {
  DWORD handle = 0;
  const DWORD size = GetFileVersionInfoSizeA(path.c_str(), &handle);
  if (size == 0) return std::nullopt;
  std::vector<char> block(size);
  if (!GetFileVersionInfoA(path.c_str(), 0, size, block.data())) return std::nullopt;
  VS_FIXEDFILEINFO* info = nullptr;
  UINT length = 0;
  if (!VerQueryValueA(block.data(), "\\", reinterpret_cast<void**>(&info), &length) ||
      info == nullptr || length < sizeof(VS_FIXEDFILEINFO)) {
    return std::nullopt;
  }
  return (static_cast<uint64_t>(info->dwFileVersionMS) << 32) | info->dwFileVersionLS;
}

void createFolder(const std::string& folder) {
  // Each level in turn; existing folders are fine.
  for (size_t at = folder.find('\\'); at != std::string::npos; at = folder.find('\\', at + 1)) {
    if (at > 0 && folder[at - 1] != ':') CreateDirectoryA(folder.substr(0, at).c_str(), nullptr);
  }
  CreateDirectoryA(folder.c_str(), nullptr);
}

}  // namespace launcher
