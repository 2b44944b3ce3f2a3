#include "shell/GLDriver.h"

namespace {

using SwapIntervalFn = BOOL(WINAPI*)(int);

class SystemGLDriver : public GLDriver {
 public:
  bool makeCurrent(HDC deviceContext, HGLRC context) override {
    return wglMakeCurrent(deviceContext, context) != FALSE;
  }
  bool swapBuffers(HDC deviceContext) override { return SwapBuffers(deviceContext) != FALSE; }
  // Looked up for the context current now: an extension's entry point may differ between contexts.
  bool setSwapInterval(int interval) override {
    const auto swapInterval =
        reinterpret_cast<SwapIntervalFn>(reinterpret_cast<void*>(wglGetProcAddress("wglSwapIntervalEXT")));
    return swapInterval && swapInterval(interval);
  }
};

}  // namespace

GLDriver& systemGLDriver() {
  static SystemGLDriver driver;
  return driver;
}
