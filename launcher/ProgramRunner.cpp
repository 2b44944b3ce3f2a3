#include "launcher/ProgramRunner.h"

#include <objbase.h>

#include <vector>

#include "launcher/LauncherRules.h"
#include "launcher/WinApp.h"

namespace launcher {

StartRequest programRequest(const std::string& program, const std::string& arguments,
                            const std::string& folder) {
  // Quoted, so that a path with blanks names one program and nothing else.
  return StartRequest{std::string(), "\"" + program + "\"", arguments, folder};
}

StartRequest openRequest(const std::string& target) {
  return StartRequest{"open", target, std::string(), std::string()};
}

namespace {

struct PendingStart {
  ProgramStarter* starter;
  HWND owner;
  const StartRequest* request;
  Started result;
};

DWORD WINAPI startOnItsOwnThread(void* parameter) {
  PendingStart& pending = *static_cast<PendingStart*>(parameter);
  // The shell may hand the start to COM objects on this thread.
  const bool com = SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED));
  pending.result = pending.starter->start(pending.owner, *pending.request);
  if (com) CoUninitialize();
  return 0;
}

// The shell's start does not return while an elevation prompt shows (or an "open with" choice):
// made on a thread of its own, it leaves the calling thread's windows painting and answering.
Started startDispatching(ProgramStarter& starter, HWND owner, const StartRequest& request) {
  PendingStart pending{&starter, owner, &request, Started{}};
  HANDLE thread = CreateThread(nullptr, 0, startOnItsOwnThread, &pending, 0, nullptr);
  if (thread == nullptr) return starter.start(owner, request);
  // Asked to quit meanwhile, it still waits: the start writes into this frame.
  if (!waitDispatching(thread, INFINITE)) WaitForSingleObject(thread, INFINITE);
  CloseHandle(thread);
  return pending.result;
}

}  // namespace

DWORD startProgram(ProgramStarter& starter, HWND owner, const StartRequest& request) {
  const Started started = startDispatching(starter, owner, request);
  if (started.process != nullptr) CloseHandle(started.process);
  return started.error;
}

DWORD runProgram(ProgramStarter& starter, HWND owner, const StartRequest& request) {
  const Started started = startDispatching(starter, owner, request);
  if (started.error != ERROR_SUCCESS) return started.error;
  if (started.process != nullptr) {
    waitDispatching(started.process, INFINITE);
    CloseHandle(started.process);
  }
  return ERROR_SUCCESS;
}

bool waitDispatching(HANDLE handle, DWORD waitMs) {
  const ULONGLONG end = GetTickCount64() + waitMs;
  while (true) {
    DWORD left = INFINITE;
    if (waitMs != INFINITE) {
      const ULONGLONG now = GetTickCount64();
      left = now < end ? static_cast<DWORD>(end - now) : 0;
    }
    // Also wakes for messages that arrived before the call and are still waiting.
    const DWORD result =
        MsgWaitForMultipleObjectsEx(1, &handle, left, QS_ALLINPUT, MWMO_INPUTAVAILABLE);
    if (result == WAIT_OBJECT_0) return true;
    if (result != WAIT_OBJECT_0 + 1) return false;
    if (!pumpMessages()) return false;
  }
}

std::string systemMessage(DWORD error) {
  char text[512] = {};
  const DWORD length = FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
                                      nullptr, error, 0, text, sizeof text, nullptr);
  std::string message(text, length < sizeof text ? length : 0);
  for (char& c : message) {
    if (c == '\r' || c == '\n') c = ' ';
  }
  while (!message.empty() && message.back() == ' ') message.pop_back();
  return message;
}

bool fileExists(const std::string& path) {
  const DWORD attributes = GetFileAttributesA(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

std::string programFolder() {
  char path[MAX_PATH];
  const DWORD length = GetModuleFileNameA(nullptr, path, sizeof path);
  if (length == 0 || length >= sizeof path) return currentFolder();
  std::string folder = folderOfFile(path);
  if (folder.empty() || folder.back() != '\\') folder += '\\';
  return folder;
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
