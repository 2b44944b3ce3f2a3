// Starting outside programs and the file-system helpers around them.
#pragma once

#include <windows.h>

#include <cstdint>
#include <optional>
#include <string>

namespace launcher {

// Starts the program (its path quoted) with the arguments as given and waits up to waitMs for it
// to end. Returns whether the process could be started.
bool runProgram(const std::string& program, const std::string& arguments, DWORD waitMs = INFINITE);

bool fileExists(const std::string& path);

// Makes the folder of the file the current folder.
void enterFileFolder(const std::string& path);

std::string currentFolder();
void setCurrentFolder(const std::string& folder);

// The file version of the file's version resource, or none when it has none.
std::optional<uint64_t> fileVersion(const std::string& path);

// Creates the folder and any missing folders above it.
void createFolder(const std::string& folder);

}  // namespace launcher
