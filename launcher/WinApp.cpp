#include "launcher/WinApp.h"

#include <utility>

namespace launcher {

WinApp::WinApp(HINSTANCE instance, std::string commandLine)
    : instance_(instance), commandLine_(std::move(commandLine)) {}

int WinApp::run() {
  MSG msg;
  while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
    if (mainWindow_ != nullptr && IsWindow(mainWindow_) && IsDialogMessageA(mainWindow_, &msg)) {
      continue;
    }
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
  }
  return static_cast<int>(msg.wParam);
}

bool pumpMessages() {
  MSG msg;
  while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
    if (msg.message == WM_QUIT) {
      // Leave the quit request for the thread's own message loop.
      PostQuitMessage(static_cast<int>(msg.wParam));
      return false;
    }
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
  }
  return true;
}

}  // namespace launcher
