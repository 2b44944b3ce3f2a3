#include "launcher/DialogWindow.h"

namespace launcher {

DialogWindow::DialogWindow(HINSTANCE instance, int templateId)
    : instance_(instance), templateId_(templateId) {}

DialogWindow::~DialogWindow() { destroy(); }

bool DialogWindow::create(HWND owner) {
  hwnd_ = CreateDialogParamA(instance_, MAKEINTRESOURCEA(templateId_), owner, dialogProc,
                             reinterpret_cast<LPARAM>(this));
  return hwnd_ != nullptr;
}

void DialogWindow::destroy() {
  if (hwnd_ != nullptr) {
    HWND window = hwnd_;
    DestroyWindow(window);
    hwnd_ = nullptr;
  }
}

INT_PTR DialogWindow::handleMessage(UINT, WPARAM, LPARAM) { return FALSE; }

INT_PTR CALLBACK DialogWindow::dialogProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  DialogWindow* self;
  if (message == WM_INITDIALOG) {
    self = reinterpret_cast<DialogWindow*>(lParam);
    self->hwnd_ = hwnd;
    SetWindowLongPtrA(hwnd, DWLP_USER, lParam);
    return self->onInitDialog() ? TRUE : FALSE;
  }
  self = reinterpret_cast<DialogWindow*>(GetWindowLongPtrA(hwnd, DWLP_USER));
  if (self == nullptr) return FALSE;
  if (message == WM_NCDESTROY) {
    SetWindowLongPtrA(hwnd, DWLP_USER, 0);
    INT_PTR result = self->handleMessage(message, wParam, lParam);
    self->hwnd_ = nullptr;
    return result;
  }
  return self->handleMessage(message, wParam, lParam);
}

}  // namespace launcher
