#pragma once
// Driving the real saver programs from outside, as the end-to-end tests do: starting them from the
// build folder, sending them window messages, registry values and environment variables that are
// put back after each test, and seeing whether a saver still runs or how it ended.
#include <windows.h>

#include <string>
#include <vector>

#include "tests/support/ChildProcess.h"

namespace savertest {

constexpr DWORD StartTimeout = 20000;
constexpr DWORD EndTimeout = 10000;

// The settings key of the saver programs (their directory file names it).
constexpr const char* SettingsKey = "Software\\Reefsaver\\Reefglass";

std::string programPath(const char* name);  // quoted, in the build folder
std::string basic(const std::string& switches);
std::string interactive(const std::string& switches);

// Starts the program in the build folder (its own folder is also the current folder) and waits
// for its first saver window.
HWND startSaver(ChildProcess& saver, const std::string& commandLine);
// A visible window of this test, 320 x 240, to host a preview; "/p <its number>" asks for one.
HWND previewHost();
std::string previewSwitch(HWND host);
// The saver window a preview made inside host, waiting for it while this thread's messages are
// pumped; nullptr when none came.
HWND previewWindowIn(HWND host);
// Sent, not posted: the saver has handled the message when the call returns.
void send(HWND window, UINT message, WPARAM wParam = 0, LPARAM lParam = 0);
// Moves the real pointer along, so Wine's own position reports repeat the position just sent.
void movePointer(HWND window, int x, int y);
// The saver drew again after the messages sent so far (a saver that quit on them draws nothing
// more) and is still there.
bool stillRunning(const ChildProcess& saver, HWND window);
bool endsWithCode(ChildProcess& saver, DWORD expected);

// Top-level saver windows of the process, waiting up to timeoutMs for at least count of them.
std::vector<HWND> saverWindows(const ChildProcess& saver, size_t count, DWORD timeoutMs);

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

}  // namespace savertest
