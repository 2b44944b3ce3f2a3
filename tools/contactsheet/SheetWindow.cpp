#include "tools/contactsheet/SheetWindow.h"

#include <GL/gl.h>

namespace {

const char* const WindowClass = "ReefContactSheet";

LRESULT CALLBACK sheetWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  return DefWindowProcA(window, message, wParam, lParam);
}

}  // namespace

SheetWindow::SheetWindow(int width, int height) : width_(width), height_(height) {
  WNDCLASSA windowClass = {};
  windowClass.style = CS_OWNDC;
  windowClass.lpfnWndProc = sheetWindowProc;
  windowClass.hInstance = GetModuleHandleA(nullptr);
  windowClass.lpszClassName = WindowClass;
  RegisterClassA(&windowClass);
  window_ = CreateWindowExA(WS_EX_TOPMOST, WindowClass, "Reefglass contact sheet", WS_POPUP | WS_VISIBLE, 0, 0, width,
                            height, nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
  if (!window_) return;
  ShowWindow(window_, SW_SHOW);
  UpdateWindow(window_);
  pumpMessages();
  deviceContext_ = GetDC(window_);

  PIXELFORMATDESCRIPTOR format = {};
  format.nSize = sizeof(format);
  format.nVersion = 1;
  format.dwFlags = PFD_DRAW_TO_WINDOW | PFD_SUPPORT_OPENGL | PFD_DOUBLEBUFFER;
  format.iPixelType = PFD_TYPE_RGBA;
  format.cColorBits = 24;
  format.cAlphaBits = 8;
  format.cDepthBits = 24;
  format.iLayerType = PFD_MAIN_PLANE;
  const int chosen = ChoosePixelFormat(deviceContext_, &format);
  if (chosen == 0 || !SetPixelFormat(deviceContext_, chosen, &format)) return;
  HGLRC context = wglCreateContext(deviceContext_);
  if (!context) return;
  if (!wglMakeCurrent(deviceContext_, context)) {
    wglDeleteContext(context);
    return;
  }
  context_ = context;
}

SheetWindow::~SheetWindow() {
  if (context_) {
    wglMakeCurrent(nullptr, nullptr);
    wglDeleteContext(context_);
  }
  if (deviceContext_) ReleaseDC(window_, deviceContext_);
  if (window_) DestroyWindow(window_);
}

std::vector<uint8_t> SheetWindow::readBack() const {
  std::vector<uint8_t> rgba(static_cast<size_t>(width_) * height_ * 4);
  glFinish();
  glReadBuffer(GL_BACK);
  glPixelStorei(GL_PACK_ALIGNMENT, 1);
  glReadPixels(0, 0, width_, height_, GL_RGBA, GL_UNSIGNED_BYTE, rgba.data());
  return rgba;
}

void SheetWindow::pumpMessages() const {
  MSG message;
  while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
    TranslateMessage(&message);
    DispatchMessageA(&message);
  }
}
