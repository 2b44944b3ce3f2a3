// A modeless dialog created from a resource template, with the dialog procedure routed to a virtual
// member function of the object that owns the window.
#pragma once

#include <windows.h>

namespace launcher {

class DialogWindow {
 public:
  DialogWindow(HINSTANCE instance, int templateId);
  virtual ~DialogWindow();
  DialogWindow(const DialogWindow&) = delete;
  DialogWindow& operator=(const DialogWindow&) = delete;

  bool create(HWND owner);
  void destroy();

  HWND hwnd() const { return hwnd_; }
  HWND item(int id) const { return GetDlgItem(hwnd_, id); }
  HINSTANCE instance() const { return instance_; }

 protected:
  // WM_INITDIALOG; returns whether the dialog should set the default focus.
  virtual bool onInitDialog() { return true; }
  // Every other message, with the meaning of a dialog procedure's result (0: not handled).
  virtual INT_PTR handleMessage(UINT message, WPARAM wParam, LPARAM lParam);

 private:
  static INT_PTR CALLBACK dialogProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

  HINSTANCE instance_;
  int templateId_;
  HWND hwnd_ = nullptr;
};

}  // namespace launcher
