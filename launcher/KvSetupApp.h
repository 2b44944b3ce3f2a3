// The launcher's application object: one instance per desktop, its menu window as main window.
#pragma once

#include <memory>

#include "launcher/MenuWindow.h"
#include "launcher/WinApp.h"

namespace launcher {

class KvSetupApp : public WinApp {
 public:
  using WinApp::WinApp;
  ~KvSetupApp() override;

  bool initInstance() override;

 private:
  std::unique_ptr<MenuWindow> menu_;
  bool comStarted_ = false;
};

}  // namespace launcher
