#include "tests/support/GLTestContext.h"
#include "render/Transforms.h"

#include <GL/gl.h>

namespace {

const char* const WindowClass = "ReefGLTestWindow";

LRESULT CALLBACK testWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  return DefWindowProcA(window, message, wParam, lParam);
}

void registerClass() {
  static bool registered = false;
  if (registered) return;
  WNDCLASSA windowClass = {};
  windowClass.style = CS_OWNDC;
  windowClass.lpfnWndProc = testWindowProc;
  windowClass.hInstance = GetModuleHandleA(nullptr);
  windowClass.lpszClassName = WindowClass;
  registered = RegisterClassA(&windowClass) != 0;
}

}  // namespace

GLTestContext::GLTestContext(int width, int height) : width_(width), height_(height) {
  registerClass();
  window_ = CreateWindowExA(WS_EX_TOPMOST, WindowClass, "GL test", WS_POPUP | WS_VISIBLE, 0, 0, width, height, nullptr,
                            nullptr, GetModuleHandleA(nullptr), nullptr);
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
  resetFrame();
}

GLTestContext::~GLTestContext() {
  if (context_) {
    wglMakeCurrent(nullptr, nullptr);
    wglDeleteContext(context_);
  }
  if (deviceContext_) ReleaseDC(window_, deviceContext_);
  if (window_) DestroyWindow(window_);
}

void GLTestContext::resetFrame() {
  transforms::setViewport(0, 0, width_, height_);
  transforms::setProjection(Matrix4x4::identity());
  transforms::loadModelview(Matrix4x4::identity());
  glClearColor(0.0f, 0.0f, 0.0f, 1.0f);
  glClearDepth(1.0);
  glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
}

uint32_t GLTestContext::pixel(int x, int y) const {
  unsigned char rgba[4] = {};
  glReadBuffer(GL_BACK);
  glPixelStorei(GL_PACK_ALIGNMENT, 1);
  glReadPixels(x, height_ - 1 - y, 1, 1, GL_RGBA, GL_UNSIGNED_BYTE, rgba);
  return static_cast<uint32_t>(rgba[0]) << 16 | static_cast<uint32_t>(rgba[1]) << 8 | rgba[2];
}

std::vector<uint32_t> GLTestContext::readPixels() const {
  std::vector<unsigned char> rgba(static_cast<size_t>(width_) * height_ * 4);
  glReadBuffer(GL_BACK);
  glPixelStorei(GL_PACK_ALIGNMENT, 1);
  glReadPixels(0, 0, width_, height_, GL_RGBA, GL_UNSIGNED_BYTE, rgba.data());
  std::vector<uint32_t> pixels(static_cast<size_t>(width_) * height_);
  for (int y = 0; y < height_; ++y) {
    const unsigned char* row = rgba.data() + static_cast<size_t>(height_ - 1 - y) * width_ * 4;
    for (int x = 0; x < width_; ++x) {
      const unsigned char* p = row + 4 * x;
      pixels[static_cast<size_t>(y) * width_ + x] =
          static_cast<uint32_t>(p[0]) << 16 | static_cast<uint32_t>(p[1]) << 8 | p[2];
    }
  }
  return pixels;
}

void GLTestContext::pumpMessages() const {
  MSG message;
  while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
    TranslateMessage(&message);
    DispatchMessageA(&message);
  }
}
