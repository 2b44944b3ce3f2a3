#pragma once
#include <cstddef>
#include <cstdio>

// Data files live in "Reefglass/" beside the program. Paths are kept in UTF-8, in buffers of this
// size: room for folders far past MAX_PATH and for names in any script.
constexpr size_t PathSize = 1024;

// Fills folder with the program's folder followed by "Reefglass/". When the program path cannot be
// read, or the folder would not fit, it is the relative "Reefglass/".
void findDataFolder(char (&folder)[PathSize]);

// Whether the folder (UTF-8) is there.
bool dataFolderExists(const char* folder);

// Data folder of a program at programPath (the part of findDataFolder that needs no Windows).
void dataFolderFor(const char* programPath, char (&folder)[PathSize]);

// Joins the data folder and a relative name ("%s%s"). Returns false, with an empty path, when the
// result would not fit, so a cut name is never opened in place of the real one.
bool joinDataPath(char (&path)[PathSize], const char* folder, const char* relative);

// Copies text into a fixed buffer, cutting it at the buffer's end.
template <size_t Size>
void copyText(char (&buffer)[Size], const char* text) {
  std::snprintf(buffer, Size, "%s", text ? text : "");
}
