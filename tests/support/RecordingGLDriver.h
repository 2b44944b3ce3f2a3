#pragma once
#include <windows.h>

#include <functional>
#include <vector>

#include "shell/GLDriver.h"

// Passes every driver call of the frame pump on to the system's and records it; told to, it fails
// as a driver that went away does, or keeps the main context to the main window so that every
// other window gets a context of its own.
class RecordingGLDriver : public GLDriver {
 public:
  bool makeCurrent(HDC deviceContext, HGLRC context) override;
  bool swapBuffers(HDC deviceContext) override;
  bool setSwapInterval(int interval) override;

  struct SwapInterval {
    HDC deviceContext;  // the window's the current context drew into
    int interval;
  };
  std::vector<SwapInterval> swapIntervals;
  int swaps = 0;
  int makeCurrentCalls = 0;

  int swapsBeforeFailing = -1;         // swaps that succeed before every later one fails; -1: all succeed
  int makeCurrentsBeforeFailing = -1;  // the same for making a context current
  bool keepMainContextToItsWindow = false;
  // Called before each swap, with the context of the swapped window current.
  std::function<void(HDC)> beforeSwap;

 private:
  HDC mainWindow_ = nullptr;
  HGLRC mainContext_ = nullptr;
};
