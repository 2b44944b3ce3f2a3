#pragma once
// What the password and build-difference tests share: starting the deliverables, registry values
// and environment variables that are put back after each test, and the stand-in modules placed in
// the Wine prefix's system folder and planted beside the program.
#include <windows.h>

#include <string>
#include <vector>

#include "tests/support/ChildProcess.h"

namespace savertest {

constexpr DWORD StartTimeout = 20000;
constexpr DWORD EndTimeout = 10000;

std::string programPath(const char* name);  // quoted, in the build folder
std::string basic(const std::string& switches);
std::string interactive(const std::string& switches);

// Starts the program in the build folder (its own folder is also the current folder) and waits
// for its first saver window.
HWND startSaver(ChildProcess& saver, const std::string& commandLine);
// Sent, not posted: the saver has handled the message when the call returns.
void send(HWND window, UINT message, WPARAM wParam = 0, LPARAM lParam = 0);
// Moves the real pointer along, so Wine's own position reports repeat the position just sent.
void movePointer(HWND window, int x, int y);
bool keepsRunning(ChildProcess& saver);
bool endsWithCode(ChildProcess& saver, DWORD expected);

// A registry value under HKEY_CURRENT_USER, restored (or removed again) on destruction.
class ScopedValue {
 public:
  ScopedValue(const char* key, const char* name);
  ScopedValue(const ScopedValue&) = delete;
  ScopedValue& operator=(const ScopedValue&) = delete;
  ~ScopedValue();
  void setDword(DWORD value);
  void setString(const char* value);
  void remove();

 private:
  std::string key_, name_;
  bool existed_ = false;
  DWORD type_ = 0;
  std::vector<BYTE> data_;
};

// Wine reports the Windows 9x platform to this program while the object lives.
class Windows98Program {
 public:
  explicit Windows98Program(const char* programName);
  ~Windows98Program();

 private:
  std::string key_;
};

// Wine's choice between its own built-in module and a native file of that name, for one program
// (the environment's WINEDLLOVERRIDES is the test's own and passes unchanged to the programs).
class DllOverride {
 public:
  DllOverride(const char* programName, const char* module, const char* order);
  ~DllOverride();

 private:
  std::string key_, module_;
};

// An environment variable of the test process (and so of the programs it starts).
class ScopedEnvironment {
 public:
  ScopedEnvironment(const char* name, const std::string& value);
  ScopedEnvironment(const ScopedEnvironment&) = delete;
  ScopedEnvironment& operator=(const ScopedEnvironment&) = delete;
  ~ScopedEnvironment();

 private:
  std::string name_;
  bool existed_ = false;
  std::string old_;
};

// Copies a file over a target path; the original (if any) comes back on destruction. A backup left
// by an aborted earlier run is put back first.
class PlacedFile {
 public:
  PlacedFile(const std::string& source, const std::string& target);
  PlacedFile(const PlacedFile&) = delete;
  PlacedFile& operator=(const PlacedFile&) = delete;
  ~PlacedFile();
  bool placed() const { return placed_; }

 private:
  std::string target_, backup_, originalName_;
  bool placed_ = false;
  bool hadOriginal_ = false;
};

std::string systemFolder();           // with "\" at the end
std::string standInPath(const char* folder, const char* file);  // built stand-ins beside the test

// Lines of the stand-ins' log.
std::vector<std::string> logLines(const std::string& path);
// Lines that start with prefix.
std::vector<std::string> linesStartingWith(const std::vector<std::string>& lines, const std::string& prefix);

// Top-level saver windows of the process, waiting up to timeoutMs for at least count of them.
std::vector<HWND> saverWindows(const ChildProcess& saver, size_t count, DWORD timeoutMs);

}  // namespace savertest
