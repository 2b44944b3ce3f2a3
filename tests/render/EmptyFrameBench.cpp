// The cheapest frame there is: a full-screen window cleared and swapped, as fast as it goes, with
// its messages answered. What the platform costs a frame before any scene; runs until killed.
#include <windows.h>
#include <GL/gl.h>

namespace {

LRESULT CALLBACK windowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_DESTROY) PostQuitMessage(0);
  return DefWindowProcA(window, message, wParam, lParam);
}

}  // namespace

int main() {
  WNDCLASSA windowClass = {};
  windowClass.lpfnWndProc = windowProc;
  windowClass.hInstance = GetModuleHandleA(nullptr);
  windowClass.lpszClassName = "EmptyFrame";
  RegisterClassA(&windowClass);
  HWND window =
      CreateWindowExA(WS_EX_TOPMOST, "EmptyFrame", "", WS_POPUP | WS_VISIBLE, 0, 0, GetSystemMetrics(SM_CXSCREEN),
                      GetSystemMetrics(SM_CYSCREEN), nullptr, nullptr, windowClass.hInstance, nullptr);
  HDC dc = GetDC(window);
  PIXELFORMATDESCRIPTOR format = {};
  format.nSize = sizeof format;
  format.nVersion = 1;
  format.dwFlags = PFD_DRAW_TO_WINDOW | PFD_SUPPORT_OPENGL | PFD_DOUBLEBUFFER;
  format.iPixelType = PFD_TYPE_RGBA;
  format.cColorBits = 32;
  if (!SetPixelFormat(dc, ChoosePixelFormat(dc, &format), &format)) return 1;
  HGLRC context = wglCreateContext(dc);
  if (!context || !wglMakeCurrent(dc, context)) return 1;
  glClearColor(0.0f, 0.3f, 0.5f, 1.0f);
  for (;;) {
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
      if (message.message == WM_QUIT) return 0;
      DispatchMessageA(&message);
    }
    glClear(GL_COLOR_BUFFER_BIT);
    SwapBuffers(dc);
  }
}
