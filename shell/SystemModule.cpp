#include "shell/SystemModule.h"

#include <cstdio>

HMODULE loadSystemModule(const char* name) {
  char path[MAX_PATH];
  const UINT length = GetSystemDirectoryA(path, sizeof(path));
  if (length == 0 || length >= sizeof(path)) return nullptr;
  const int written = std::snprintf(path + length, sizeof(path) - length, "\\%s", name);
  if (written < 0 || static_cast<size_t>(written) >= sizeof(path) - length) return nullptr;
  return LoadLibraryExA(path, nullptr, LOAD_WITH_ALTERED_SEARCH_PATH);
}
