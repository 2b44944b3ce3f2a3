#include "config/DataFolder.h"

#include <windows.h>

#include <cstdio>
#include <cstring>

namespace {

const char* const DataFolderName = "Reefglass/";

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
  char program[MAX_PATH + 1] = {};
  const DWORD length = GetModuleFileNameA(nullptr, program, MAX_PATH);
  // A path cut by the buffer would name some other folder.
  if (length == 0 || length >= MAX_PATH) {
    dataFolderFor(nullptr, folder);
    return;
  }
  dataFolderFor(program, folder);
}

bool joinDataPath(char (&path)[PathSize], const char* folder, const char* relative) {
  const int written = std::snprintf(path, PathSize, "%s%s", folder, relative);
  if (written < 0 || static_cast<size_t>(written) >= PathSize) {
    path[0] = '\0';
    return false;
  }
  return true;
}

void copyText(char (&buffer)[PathSize], const char* text) { std::snprintf(buffer, PathSize, "%s", text ? text : ""); }
