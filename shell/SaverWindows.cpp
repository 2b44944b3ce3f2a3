#include <windows.h>

#include <GL/gl.h>

#include "config/ProgramTexts.h"
#include "shell/ErrorBox.h"
#include "shell/GLSaver.h"
#include "shell/MultiMonitor.h"

namespace {

const char* const WindowClassName = "GLSaverWndClass";

// Long enough to read, short enough that a saver started unattended goes on by itself.
constexpr UINT ModeChangeErrorTimeoutMs = 10000;

}  // namespace

void GLSaver::enumerateMonitors() {
  monitorCount_ = monitorSource_->listMonitors(monitors_, MaxMonitors);
  if (monitorCount_ < 0) monitorCount_ = 0;
  if (monitorCount_ > MaxMonitors) monitorCount_ = MaxMonitors;
  screen_.MultiMonitor = monitorCount_ > 1;
}

bool GLSaver::createMainWindow() {
  WNDCLASSA windowClass = {};
  windowClass.style = CS_HREDRAW | CS_VREDRAW;
  windowClass.lpfnWndProc = staticWindowProc;
  windowClass.hInstance = instance_;
  windowClass.hCursor = LoadCursor(nullptr, IDC_ARROW);
  windowClass.hbrBackground = static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH));
  windowClass.lpszClassName = WindowClassName;
  RegisterClassA(&windowClass);

  colourDepth_ = screen_.Bpp;
  HWND window = nullptr;
  switch (mode_) {
    case Preview: {
      HWND parent = reinterpret_cast<HWND>(static_cast<LONG_PTR>(windowNumber_));
      RECT rect = {};
      GetClientRect(parent, &rect);
      AdjustWindowRect(&rect, WS_CHILD | WS_VISIBLE, FALSE);
      window = CreateWindowExA(0, WindowClassName, title_, WS_CHILD | WS_VISIBLE, rect.left, rect.top,
                               rect.right - rect.left, rect.bottom - rect.top, parent, nullptr, instance_, this);
      break;
    }
    case FullScreen: {
      int w = GetSystemMetrics(SM_CXSCREEN);
      int h = GetSystemMetrics(SM_CYSCREEN);
      bool modeChangeFailed = false;
      if (!screen_.LeaveRes) {
        DEVMODEA mode = {};
        mode.dmSize = sizeof(mode);
        mode.dmPelsWidth = static_cast<DWORD>(screen_.Width);
        mode.dmPelsHeight = static_cast<DWORD>(screen_.Height);
        mode.dmBitsPerPel = static_cast<DWORD>(colourDepth_);
        mode.dmFields = DM_BITSPERPEL | DM_PELSWIDTH | DM_PELSHEIGHT;
        // The screen keeps its mode when the change fails, so the window keeps covering exactly that
        // screen: a stored size it cannot show would leave the desktop visible or ask for an
        // enormous drawing area.
        modeChangeFailed = ChangeDisplaySettingsA(&mode, CDS_FULLSCREEN) != DISP_CHANGE_SUCCESSFUL;
        if (!modeChangeFailed) {
          w = screen_.Width;
          h = screen_.Height;
        }
      }
      window = CreateWindowExA(WS_EX_TOPMOST, WindowClassName, title_, WS_POPUP | WS_VISIBLE, 0, 0, w, h, nullptr,
                               nullptr, instance_, this);
      if (modeChangeFailed) {
        showErrorFor(window, language_, programtexts::ModeChangeFailed.in(language_), ModeChangeErrorTimeoutMs);
      }
      break;
    }
    case Windowed: {
      const DWORD style = WS_VISIBLE | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;
      RECT rect = {20, 20, 820, 620};
      AdjustWindowRect(&rect, style, FALSE);
      window = CreateWindowExA(0, WindowClassName, title_, style, rect.left, rect.top, rect.right - rect.left,
                               rect.bottom - rect.top, nullptr, nullptr, instance_, this);
      break;
    }
    default:
      break;
  }
  if (!window) return false;
  mainWindow_ = window;
  RECT client = {};
  GetClientRect(window, &client);
  width_ = client.right - client.left;
  height_ = client.bottom - client.top;
  SaverView& main = views_[0];
  main = SaverView{};
  main.window = window;
  main.width = width_;
  main.height = height_;
  GetWindowRect(window, &main.monitor);
  viewCount_ = 1;
  return true;
}

HWND GLSaver::createPopup(const RECT& rect, bool activate) {
  HWND window =
      CreateWindowExA(WS_EX_TOPMOST, WindowClassName, title_, WS_POPUP | (activate ? WS_VISIBLE : 0), rect.left,
                      rect.top, rect.right - rect.left, rect.bottom - rect.top, nullptr, nullptr, instance_, this);
  // A view takes no activation: keys keep going to the main window.
  if (window && !activate) ShowWindow(window, SW_SHOWNOACTIVATE);
  return window;
}

void GLSaver::runGL() {
  if (!startGL()) return;
  startPacing();
  pumpFrames();
  shutdown();
}

bool GLSaver::startGL() {
  startingGL_ = true;
  const bool started = prepareFirstFrame();
  startingGL_ = false;
  return started;
}

// A preview's window may go at any moment; once it has, nothing is set up and nothing reported.
void GLSaver::showStartError(const char* text) {
  if (!previewOrphaned()) showError(mainWindow_, language_, text);
}

bool GLSaver::prepareFirstFrame() {
  if (previewOrphaned()) return false;
  deviceContext_ = GetDC(mainWindow_);

  PIXELFORMATDESCRIPTOR& format = pixelFormat_;
  format = PIXELFORMATDESCRIPTOR{};
  format.nSize = sizeof(format);
  format.nVersion = 1;
  format.dwFlags = PFD_DRAW_TO_WINDOW | PFD_SUPPORT_OPENGL | PFD_DOUBLEBUFFER;
  format.iPixelType = PFD_TYPE_RGBA;
  format.cColorBits = static_cast<BYTE>(colourDepth_);
  format.cDepthBits = static_cast<BYTE>(depthBits_);
  const int chosen = ChoosePixelFormat(deviceContext_, &format);
  if (chosen == 0) {
    showStartError(programtexts::NoPixelFormat.in(language_));
    return false;
  }
  if (!SetPixelFormat(deviceContext_, chosen, &format)) {
    showStartError(programtexts::PixelFormatNotSet.in(language_));
    return false;
  }
  pixelFormatIndex_ = chosen;
  PIXELFORMATDESCRIPTOR described = {};
  DescribePixelFormat(deviceContext_, chosen, sizeof(described), &described);
  glContext_ = wglCreateContext(deviceContext_);
  views_[0].deviceContext = deviceContext_;
  views_[0].context = glContext_;
  // A driver that gives no context, or none it can make current, leaves nothing to draw with.
  if (!glContext_ || !gl_->makeCurrent(deviceContext_, glContext_)) return false;
  // Only the main window waits for the display; set once, as it belongs to the window.
  swapSynced_ = gl_->setSwapInterval(1);

  if (!setupGL()) return false;
  glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
  gl_->swapBuffers(deviceContext_);

  if (mode_ == FullScreen && monitorCount_ > 1) {
    if (monitorMode() != PrimaryOnly) {
      placeViews();
    } else if (screen_.ShadeScecondary) {
      coverSecondaryMonitors(nullptr, 0);
    }
  }
  if (!buildScene()) return false;
  viewsChanged();
  if (mode_ == FullScreen) SystemParametersInfoA(SPI_SETSCREENSAVERRUNNING, TRUE, nullptr, 0);
  return true;
}

void GLSaver::releaseContext() {
  releaseGL();
  for (int i = viewCount_ - 1; i > 0; --i) {
    releaseView(views_[i]);
    retireWindow(views_[i].window);
  }
  viewCount_ = viewCount_ > 0 ? 1 : 0;
  wglMakeCurrent(nullptr, nullptr);
  if (deviceContext_) ReleaseDC(mainWindow_, deviceContext_);
  deviceContext_ = nullptr;
  if (glContext_) wglDeleteContext(glContext_);
  glContext_ = nullptr;
  views_[0].deviceContext = nullptr;
  views_[0].context = nullptr;
}
