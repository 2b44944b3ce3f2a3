#include "launcher/KvSetupApp.h"

#include <objbase.h>

namespace launcher {
namespace {

// Brings an already running launcher to the front; false when there is none.
bool activateRunningLauncher() {
  HWND running = FindWindowA(nullptr, MenuWindow::kTitle);
  if (running == nullptr) return false;
  HWND popup = GetLastActivePopup(running);
  BringWindowToTop(running);
  if (IsIconic(popup)) ShowWindow(popup, SW_RESTORE);
  if (IsIconic(running)) ShowWindow(running, SW_RESTORE);
  BringWindowToTop(popup);
  SetForegroundWindow(popup);
  return true;
}

}  // namespace

KvSetupApp::~KvSetupApp() {
  menu_.reset();
  if (comStarted_) CoUninitialize();
}

bool KvSetupApp::initInstance() {
  comStarted_ = SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED));
  if (activateRunningLauncher()) return false;
  menu_ = std::make_unique<MenuWindow>(instance(), commandLine());
  if (!menu_->create(nullptr)) return false;
  setMainWindow(menu_->hwnd());
  return true;
}

}  // namespace launcher
