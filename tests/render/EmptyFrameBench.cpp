// The cheapest frame there is: a full-screen window cleared and swapped, as fast as it goes, with
// its messages answered. What the platform costs a frame before any scene; runs until killed.
// Given a number of screens (e.g. 2.2), each frame also paints that many screens' worth of one
// plain texture over the window, opaque, unfogged, sampled once a pixel: the cheapest textured
// fragments there are, so its rate is the best any scene with that many fragments per pixel reaches.
#include <windows.h>
#include <GL/gl.h>

#include <cmath>
#include <cstdlib>
#include <vector>

namespace {

LRESULT CALLBACK windowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_DESTROY) PostQuitMessage(0);
  return DefWindowProcA(window, message, wParam, lParam);
}

constexpr int TextureSize = 256;

// A texture with a pattern in every channel, so that no sample is cheaper than another.
void loadPatternTexture() {
  std::vector<unsigned char> texels(TextureSize * TextureSize * 4);
  for (int y = 0; y < TextureSize; ++y) {
    for (int x = 0; x < TextureSize; ++x) {
      unsigned char* texel = &texels[(y * TextureSize + x) * 4];
      texel[0] = static_cast<unsigned char>(x ^ y);
      texel[1] = static_cast<unsigned char>(x * 3 + y);
      texel[2] = static_cast<unsigned char>(y * 5 - x);
      texel[3] = 255;
    }
  }
  GLuint texture = 0;
  glGenTextures(1, &texture);
  glBindTexture(GL_TEXTURE_2D, texture);
  glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA, TextureSize, TextureSize, 0, GL_RGBA, GL_UNSIGNED_BYTE, texels.data());
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
  glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_REPLACE);
  glEnable(GL_TEXTURE_2D);
}

// `screens` of the window painted with the texture, whole screens first, then the part left over
// as a band from the bottom. Each layer is shifted so that none repeats the one under it.
void paintScreens(float screens, float repeatsX, float repeatsY) {
  glBegin(GL_QUADS);
  for (int layer = 0; static_cast<float>(layer) < screens; ++layer) {
    const float part = std::fmin(1.0f, screens - static_cast<float>(layer));
    const float top = -1.0f + 2.0f * part;
    const float shift = 0.37f * static_cast<float>(layer);
    glTexCoord2f(shift, shift);
    glVertex2f(-1.0f, -1.0f);
    glTexCoord2f(shift + repeatsX, shift);
    glVertex2f(1.0f, -1.0f);
    glTexCoord2f(shift + repeatsX, shift + repeatsY * part);
    glVertex2f(1.0f, top);
    glTexCoord2f(shift, shift + repeatsY * part);
    glVertex2f(-1.0f, top);
  }
  glEnd();
}

}  // namespace

int main(int argc, char** argv) {
  const float screens = argc > 1 ? std::fmax(0.0f, static_cast<float>(std::atof(argv[1]))) : 0.0f;
  WNDCLASSA windowClass = {};
  windowClass.lpfnWndProc = windowProc;
  windowClass.hInstance = GetModuleHandleA(nullptr);
  windowClass.lpszClassName = "EmptyFrame";
  RegisterClassA(&windowClass);
  const int width = GetSystemMetrics(SM_CXSCREEN), height = GetSystemMetrics(SM_CYSCREEN);
  HWND window = CreateWindowExA(WS_EX_TOPMOST, "EmptyFrame", "", WS_POPUP | WS_VISIBLE, 0, 0, width, height, nullptr,
                                nullptr, windowClass.hInstance, nullptr);
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
  if (screens > 0.0f) loadPatternTexture();
  // One texel a pixel: neither magnified nor minified.
  const float repeatsX = static_cast<float>(width) / TextureSize, repeatsY = static_cast<float>(height) / TextureSize;
  for (;;) {
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
      if (message.message == WM_QUIT) return 0;
      DispatchMessageA(&message);
    }
    glClear(GL_COLOR_BUFFER_BIT);
    if (screens > 0.0f) paintScreens(screens, repeatsX, repeatsY);
    SwapBuffers(dc);
  }
}
