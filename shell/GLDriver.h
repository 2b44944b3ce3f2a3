#pragma once
#include <windows.h>

// The driver calls of the frame pump whose failure means the driver went away (a wake from
// sleep, a driver update or reset): making a context current, swapping, and the swap interval.
// The system's own by default; a stand-in in tests, since Wine's driver never goes.
class GLDriver {
 public:
  virtual ~GLDriver() = default;
  virtual bool makeCurrent(HDC deviceContext, HGLRC context) = 0;
  virtual bool swapBuffers(HDC deviceContext) = 0;
  // The swap interval of the window the current context draws into (WGL_EXT_swap_control keeps
  // it per window); false when the driver offers no such control.
  virtual bool setSwapInterval(int interval) = 0;
};

GLDriver& systemGLDriver();
