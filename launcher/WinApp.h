// The application object of our small class layer: owns the instance handle and the command line,
// lets the derived class create the main window, and runs the message loop.
#pragma once

#include <windows.h>

#include <string>

namespace launcher {

class WinApp {
 public:
  WinApp(HINSTANCE instance, std::string commandLine);
  virtual ~WinApp() = default;
  WinApp(const WinApp&) = delete;
  WinApp& operator=(const WinApp&) = delete;

  // Creates the main window; false ends the program at once.
  virtual bool initInstance() = 0;
  // Runs until the main window posts WM_QUIT; returns its exit code.
  int run();

  HINSTANCE instance() const { return instance_; }
  const std::string& commandLine() const { return commandLine_; }

 protected:
  // The dialog that gets keyboard navigation in the message loop.
  void setMainWindow(HWND window) { mainWindow_ = window; }

 private:
  HINSTANCE instance_;
  std::string commandLine_;
  HWND mainWindow_ = nullptr;
};

// Dispatches every message waiting for the calling thread's windows; false when the thread was
// asked to quit (the request stays for its message loop).
bool pumpMessages();

}  // namespace launcher
