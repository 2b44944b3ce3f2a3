// Starting outside programs and waiting for them, and the file-system helpers around them.
#pragma once

#include <windows.h>

#include <cstdint>
#include <optional>
#include <string>

#include "launcher/ProgramStarter.h"

namespace launcher {

// A program with its path quoted, the arguments as written, started in the given folder.
StartRequest programRequest(const std::string& program, const std::string& arguments,
                            const std::string& folder = std::string());
// A document or web address, opened with the program Windows has for it.
StartRequest openRequest(const std::string& target);

// Starts the request (on a thread of its own) and waits for the process to end, dispatching the
// calling thread's window messages all the while, elevation prompt included, so that its windows
// keep answering. Returns ERROR_SUCCESS when the start succeeded, else the Windows error code.
DWORD runProgram(ProgramStarter& starter, HWND owner, const StartRequest& request);

// Starts the request the same way and lets it run: for documents, web pages and folders, which the
// user keeps open as long as they like. Returns ERROR_SUCCESS or the Windows error code.
DWORD startProgram(ProgramStarter& starter, HWND owner, const StartRequest& request);

// Waits for the handle while dispatching the calling thread's messages; false when the time ran
// out or the thread was asked to quit.
bool waitDispatching(HANDLE handle, DWORD waitMs);

// The system's description of a Windows error code, on one line; empty when it has none.
std::string systemMessage(DWORD error);

bool fileExists(const std::string& path);

// The folder that holds the running program, ending in "\".
std::string programFolder();

// Makes the folder of the file the current folder.
void enterFileFolder(const std::string& path);

std::string currentFolder();
void setCurrentFolder(const std::string& folder);

// The file version of the file's version resource, or none when it has none.
std::optional<uint64_t> fileVersion(const std::string& path);

// Creates the folder and any missing folders above it.
void createFolder(const std::string& folder);

}  // namespace launcher
