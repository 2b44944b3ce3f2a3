#pragma once
#include <windows.h>

#include <cstdint>
#include <vector>

// A small visible top-level window with a current WGL context (RGBA, depth buffer, double
// buffered) for tests that draw and read pixels back. Reading back an unmapped window is
// unreliable under GLX, so the window is shown and its messages pumped.
class GLTestContext {
 public:
  GLTestContext(int width, int height);
  ~GLTestContext();
  GLTestContext(const GLTestContext&) = delete;
  GLTestContext& operator=(const GLTestContext&) = delete;

  bool ok() const { return context_ != nullptr; }
  HWND window() const { return window_; }
  int width() const { return width_; }
  int height() const { return height_; }

  void makeCurrent() const { wglMakeCurrent(deviceContext_, context_); }
  // Viewport over the whole window, identity matrices, black clear of colour and depth.
  void resetFrame();
  // Pixel of the back buffer as 0x00RRGGBB, (x, y) from the top-left corner.
  uint32_t pixel(int x, int y) const;
  // The whole back buffer, top row first, 0x00RRGGBB.
  std::vector<uint32_t> readPixels() const;
  void pumpMessages() const;

 private:
  int width_, height_;
  HWND window_ = nullptr;
  HDC deviceContext_ = nullptr;
  HGLRC context_ = nullptr;
};
