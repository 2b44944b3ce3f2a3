// The small "please wait" dialog shown while the installation is being prepared.
#pragma once

#include <string>

#include "launcher/DialogWindow.h"

namespace launcher {

class CWaitDlg : public DialogWindow {
 public:
  explicit CWaitDlg(HINSTANCE instance);
  ~CWaitDlg() override;

  void setText(const std::string& text);
};

}  // namespace launcher
