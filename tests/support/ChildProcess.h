#pragma once
#include <windows.h>

#include <string>
#include <vector>

#include "tests/support/Wait.h"

// One program started by a test and driven from outside: its windows are found by class and
// process, messages are posted to them, and its end is awaited with a time limit.
class ChildProcess {
 public:
  ChildProcess() = default;
  ChildProcess(const ChildProcess&) = delete;
  ChildProcess& operator=(const ChildProcess&) = delete;
  ~ChildProcess();

  // commandLine (UTF-8) includes the (quoted) program path. Standard output and error go to outputFile
  // when one is given.
  bool start(const std::string& commandLine, const std::string& workingFolder = std::string(),
             const std::string& outputFile = std::string());
  // True when the process ended within timeoutMs; exitCode receives its code.
  bool waitForExit(DWORD timeoutMs, DWORD* exitCode = nullptr);
  bool running() const;
  void kill();
  DWORD id() const { return info_.dwProcessId; }
  HANDLE handle() const { return info_.hProcess; }
  // Processor time (user and kernel) the running process has used so far, in seconds; negative
  // when it cannot be read.
  double cpuSeconds() const;

  // Top-level windows of the process with the given class, waiting up to timeoutMs for one to appear.
  std::vector<HWND> topWindows(const char* className, DWORD timeoutMs) const;

 private:
  PROCESS_INFORMATION info_ = {};
  std::string programName_;  // file name without its folder
};

// The program's class name for its saver windows.
constexpr const char* SaverWindowClass = "GLSaverWndClass";
