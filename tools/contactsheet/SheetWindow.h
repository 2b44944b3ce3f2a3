#pragma once
#include <windows.h>

#include <cstdint>
#include <vector>

// A visible top-level window with a current WGL context (RGBA, depth, double buffered) that the
// sheet is drawn into piece by piece. Under GLX only a mapped window reads back reliably, so the
// window is shown and its messages pumped.
class SheetWindow {
 public:
  SheetWindow(int width, int height);
  ~SheetWindow();
  SheetWindow(const SheetWindow&) = delete;
  SheetWindow& operator=(const SheetWindow&) = delete;

  bool ok() const { return context_ != nullptr; }
  int width() const { return width_; }
  int height() const { return height_; }
  // The back buffer as RGBA bytes, bottom row first.
  std::vector<uint8_t> readBack() const;
  void pumpMessages() const;

 private:
  int width_, height_;
  HWND window_ = nullptr;
  HDC deviceContext_ = nullptr;
  HGLRC context_ = nullptr;
};
