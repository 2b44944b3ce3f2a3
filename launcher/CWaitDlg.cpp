#include "launcher/CWaitDlg.h"

#include "launcher/resource.h"

namespace launcher {

CWaitDlg::CWaitDlg(HINSTANCE instance) : DialogWindow(instance, IDD_WAIT) {}

CWaitDlg::~CWaitDlg() { destroy(); }

void CWaitDlg::setText(const std::string& text) {
  SetDlgItemTextA(hwnd(), IDC_WAIT_TEXT, text.c_str());
}

}  // namespace launcher
