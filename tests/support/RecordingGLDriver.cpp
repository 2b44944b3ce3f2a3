#include "tests/support/RecordingGLDriver.h"

namespace {

using SwapIntervalFn = BOOL(WINAPI*)(int);

}  // namespace

bool RecordingGLDriver::makeCurrent(HDC deviceContext, HGLRC context) {
  if (!mainContext_ && context) {
    mainWindow_ = deviceContext;
    mainContext_ = context;
  }
  if (makeCurrentsBeforeFailing >= 0 && makeCurrentCalls >= makeCurrentsBeforeFailing) return false;
  ++makeCurrentCalls;
  if (keepMainContextToItsWindow && context == mainContext_ && deviceContext != mainWindow_) return false;
  return wglMakeCurrent(deviceContext, context) != FALSE;
}

bool RecordingGLDriver::swapBuffers(HDC deviceContext) {
  if (swapsBeforeFailing >= 0 && swaps >= swapsBeforeFailing) return false;
  ++swaps;
  if (beforeSwap) beforeSwap(deviceContext);
  return SwapBuffers(deviceContext) != FALSE;
}

bool RecordingGLDriver::setSwapInterval(int interval) {
  swapIntervals.push_back({wglGetCurrentDC(), interval});
  const auto swapInterval =
      reinterpret_cast<SwapIntervalFn>(reinterpret_cast<void*>(wglGetProcAddress("wglSwapIntervalEXT")));
  return swapInterval && swapInterval(interval);
}
