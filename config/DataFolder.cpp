#include "config/DataFolder.h"

#include <windows.h>

#include <cstdio>
#include <cstring>
#include <vector>

#include "formats/FileOpen.h"

namespace {

const char* const DataFolderName = "Reefglass/";
constexpr size_t LongestPath = 32768;  // what Windows allows a path, in UTF-16 units

}  // namespace

void dataFolderFor(const char* programPath, char (&folder)[PathSize]) {
  folder[0] = '\0';
  const char* slash = programPath ? std::strrchr(programPath, '\\') : nullptr;
  const size_t keep = slash ? static_cast<size_t>(slash - programPath) + 1 : 0;
  if (keep + std::strlen(DataFolderName) >= PathSize) {
    std::strcpy(folder, DataFolderName);
    return;
  }
  std::memcpy(folder, programPath, keep);
  std::strcpy(folder + keep, DataFolderName);
}

void findDataFolder(char (&folder)[PathSize]) {
  // The wide call, in UTF-8: the ANSI one turns letters outside the code page into "?".
  std::vector<wchar_t> program(MAX_PATH + 1);
  DWORD length = 0;
  for (;;) {
    length = GetModuleFileNameW(nullptr, program.data(), static_cast<DWORD>(program.size()));
    // A path cut by the buffer would name some other folder.
    if (length < program.size() || program.size() >= LongestPath) break;
    program.resize(program.size() * 2);
  }
  if (length == 0 || length >= program.size()) {
    dataFolderFor(nullptr, folder);
    return;
  }
  const int bytes =
      WideCharToMultiByte(CP_UTF8, 0, program.data(), static_cast<int>(length), nullptr, 0, nullptr, nullptr);
  std::vector<char> utf8(static_cast<size_t>(bytes > 0 ? bytes : 0) + 1, '\0');
  if (bytes <= 0 || WideCharToMultiByte(CP_UTF8, 0, program.data(), static_cast<int>(length), utf8.data(), bytes,
                                        nullptr, nullptr) != bytes) {
    dataFolderFor(nullptr, folder);
    return;
  }
  dataFolderFor(utf8.data(), folder);
}

bool dataFolderExists(const char* folder) {
  const std::wstring path = widePath(folder);
  const DWORD attributes = path.empty() ? INVALID_FILE_ATTRIBUTES : GetFileAttributesW(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

bool joinDataPath(char (&path)[PathSize], const char* folder, const char* relative) {
  const int written = std::snprintf(path, PathSize, "%s%s", folder, relative);
  if (written < 0 || static_cast<size_t>(written) >= PathSize) {
    path[0] = '\0';
    return false;
  }
  return true;
}
