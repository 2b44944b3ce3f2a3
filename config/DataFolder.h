#pragma once
#include <cstddef>

// Data files live in "Reefglass/" beside the program. Paths are kept in buffers of this size.
constexpr size_t PathSize = 256;

// Fills folder with the program's folder followed by "Reefglass/". When the program path cannot be
// read, or the folder would not fit, it is the relative "Reefglass/".
void findDataFolder(char (&folder)[PathSize]);

// Data folder of a program at programPath (the part of findDataFolder that needs no Windows).
void dataFolderFor(const char* programPath, char (&folder)[PathSize]);

// Joins the data folder and a relative name ("%s%s"). Returns false, with an empty path, when the
// result would not fit, so a cut name is never opened in place of the real one.
bool joinDataPath(char (&path)[PathSize], const char* folder, const char* relative);

// Copies text into a fixed buffer of PathSize, cutting it at the buffer's end.
void copyText(char (&buffer)[PathSize], const char* text);
