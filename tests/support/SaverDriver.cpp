#include "tests/support/SaverDriver.h"

#include "tests/support/ScreenCapture.h"
#include "tests/support/TestEnvironment.h"
#include "tests/support/Wait.h"

namespace savertest {

std::string programPath(const char* name) { return "\"" + testenv::buildFolder() + name + "\""; }
std::string basic(const std::string& switches) { return programPath("reefsaver-basic.scr") + " " + switches; }
std::string interactive(const std::string& switches) { return programPath("reefsaver.exe") + " " + switches; }

HWND startSaver(ChildProcess& saver, const std::string& commandLine) {
  if (!saver.start(commandLine, testenv::buildFolder())) return nullptr;
  const auto windows = saver.topWindows(SaverWindowClass, StartTimeout);
  return windows.empty() ? nullptr : windows.front();
}

HWND previewHost() {
  return CreateWindowExA(0, "STATIC", "preview host", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 100, 100, 320, 240, nullptr,
                         nullptr, GetModuleHandleA(nullptr), nullptr);
}

std::string previewSwitch(HWND host) { return "/p " + std::to_string(reinterpret_cast<LONG_PTR>(host)); }

HWND previewWindowIn(HWND host) {
  HWND child = nullptr;
  waitUntil(
      [&] {
        pumpMessagesFor(20);
        child = FindWindowExA(host, nullptr, SaverWindowClass, nullptr);
        return child != nullptr;
      },
      StartTimeout);
  return child;
}

void send(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  DWORD_PTR result = 0;
  SendMessageTimeoutA(window, message, wParam, lParam, SMTO_NORMAL, 5000, &result);
}

void movePointer(HWND window, int x, int y) {
  SetCursorPos(x, y);
  send(window, WM_MOUSEMOVE, 0, MAKELPARAM(x, y));
}

bool stillRunning(const ChildProcess& saver, HWND window) {
  return picturesMove(window, StartTimeout) && saver.running();
}

bool endsWithCode(ChildProcess& saver, DWORD expected) {
  DWORD code = 12345;
  return saver.waitForExit(EndTimeout, &code) && code == expected;
}

std::vector<HWND> saverWindows(const ChildProcess& saver, size_t count, DWORD timeoutMs) {
  std::vector<HWND> windows;
  waitUntil(
      [&] {
        windows = saver.topWindows(SaverWindowClass, 0);
        return windows.size() >= count;
      },
      timeoutMs);
  return windows;
}

ScopedValue::ScopedValue(const char* key, const char* name) : key_(key), name_(name) {
  HKEY handle = nullptr;
  if (RegOpenKeyExA(HKEY_CURRENT_USER, key, 0, KEY_READ, &handle) != ERROR_SUCCESS) return;
  DWORD size = 0;
  if (RegQueryValueExA(handle, name, nullptr, &type_, nullptr, &size) == ERROR_SUCCESS) {
    data_.resize(size);
    existed_ = RegQueryValueExA(handle, name, nullptr, &type_, data_.data(), &size) == ERROR_SUCCESS;
    data_.resize(size);
  }
  RegCloseKey(handle);
}

ScopedValue::~ScopedValue() {
  if (existed_) {
    HKEY handle = nullptr;
    if (RegCreateKeyExA(HKEY_CURRENT_USER, key_.c_str(), 0, nullptr, 0, KEY_WRITE, nullptr, &handle, nullptr) ==
        ERROR_SUCCESS) {
      RegSetValueExA(handle, name_.c_str(), 0, type_, data_.data(), static_cast<DWORD>(data_.size()));
      RegCloseKey(handle);
    }
  } else {
    remove();
  }
}

void ScopedValue::setDword(DWORD value) {
  HKEY handle = nullptr;
  if (RegCreateKeyExA(HKEY_CURRENT_USER, key_.c_str(), 0, nullptr, 0, KEY_WRITE, nullptr, &handle, nullptr) !=
      ERROR_SUCCESS) {
    return;
  }
  RegSetValueExA(handle, name_.c_str(), 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value), sizeof(value));
  RegCloseKey(handle);
}

void ScopedValue::setString(const char* value) {
  HKEY handle = nullptr;
  if (RegCreateKeyExA(HKEY_CURRENT_USER, key_.c_str(), 0, nullptr, 0, KEY_WRITE, nullptr, &handle, nullptr) !=
      ERROR_SUCCESS) {
    return;
  }
  RegSetValueExA(handle, name_.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(value),
                 static_cast<DWORD>(lstrlenA(value) + 1));
  RegCloseKey(handle);
}

void ScopedValue::remove() {
  HKEY handle = nullptr;
  if (RegOpenKeyExA(HKEY_CURRENT_USER, key_.c_str(), 0, KEY_WRITE, &handle) != ERROR_SUCCESS) return;
  RegDeleteValueA(handle, name_.c_str());
  RegCloseKey(handle);
}

}  // namespace savertest
