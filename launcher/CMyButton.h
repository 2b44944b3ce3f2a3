// The launcher's flat owner-drawn button: plays a sound and describes itself in the status text
// when the pointer enters it, and draws a highlighted face while the pointer is over it.
#pragma once

#include <windows.h>

#include <functional>
#include <string>

namespace launcher {

class CMyButton {
 public:
  CMyButton() = default;
  ~CMyButton();
  CMyButton(const CMyButton&) = delete;
  CMyButton& operator=(const CMyButton&) = delete;

  // Takes over a BS_OWNERDRAW button; hover texts go to the status text control.
  void attach(HWND button, HWND statusText);
  HWND hwnd() const { return hwnd_; }

  void setHoverText(const std::string& text) { hoverText_ = text; }
  const std::string& hoverText() const { return hoverText_; }
  void setActionText(const std::string& text) { actionText_ = text; }
  const std::string& actionText() const { return actionText_; }
  void setSound(const std::string& path) { sound_ = path; }
  const std::string& sound() const { return sound_; }
  // The name that replaces "%s" in the hover text, asked for when the pointer enters.
  void setProductName(std::function<std::string()> productName) {
    productName_ = std::move(productName);
  }

  bool armed() const { return armed_; }
  void rearm() { armed_ = true; }
  bool hidden() const { return hidden_; }
  void setHidden(bool hidden) { hidden_ = hidden; }

  // WM_DRAWITEM from the parent.
  void drawItem(const DRAWITEMSTRUCT& item);

 private:
  static LRESULT CALLBACK subclassProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam,
                                       UINT_PTR id, DWORD_PTR data);
  void onMouseMove();

  HWND hwnd_ = nullptr;
  HWND statusText_ = nullptr;
  std::string hoverText_;
  std::string actionText_;
  std::string sound_ = "setup\\ballon.wav";
  std::function<std::string()> productName_;
  bool armed_ = true;
  bool hidden_ = false;
  bool hover_ = false;
};

}  // namespace launcher
