#pragma once
#include <windows.h>

// Loads a module of the Windows system folder by its full path, never by bare name, so that a file
// of the same name beside the program or in the current folder is never run in its place; the
// modules it imports in turn are looked for in the system folder first, for the same reason.
HMODULE loadSystemModule(const char* name);

// An export of a loaded module as a typed function pointer, or nullptr.
template <typename Fn>
Fn moduleFunction(HMODULE module, const char* name) {
  return module ? reinterpret_cast<Fn>(reinterpret_cast<void*>(GetProcAddress(module, name))) : nullptr;
}
