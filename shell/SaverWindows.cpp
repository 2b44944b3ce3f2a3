#include <windows.h>

#include <GL/gl.h>

#include "shell/ErrorBox.h"
#include "shell/GLSaver.h"
#include "shell/MultiMonitor.h"

namespace {

const char* const WindowClassName = "GLSaverWndClass";

using EnumDisplayDevicesFn = BOOL(WINAPI*)(LPCSTR, DWORD, PDISPLAY_DEVICEA, DWORD);

// Long enough to read, short enough that a saver started unattended goes on by itself.
constexpr UINT ModeChangeErrorTimeoutMs = 10000;

}  // namespace

void GLSaver::enumerateMonitors() {
  monitorCount_ = 0;
  HMODULE user = LoadLibraryA("User32.DLL");
  auto enumDevices =
      user
          ? reinterpret_cast<EnumDisplayDevicesFn>(reinterpret_cast<void*>(GetProcAddress(user, "EnumDisplayDevicesA")))
          : nullptr;
  if (enumDevices) {
    for (DWORD adapter = 0; monitorCount_ < MaxMonitors; ++adapter) {
      DISPLAY_DEVICEA device = {};
      device.cb = sizeof(device);
      if (!enumDevices(nullptr, adapter, &device, 0)) break;
      if (device.StateFlags & DISPLAY_DEVICE_MIRRORING_DRIVER) continue;
      DISPLAY_DEVICEA firstMonitor = {};
      firstMonitor.cb = sizeof(firstMonitor);
      enumDevices(device.DeviceName, 0, &firstMonitor, 0);
      if (!(device.StateFlags & DISPLAY_DEVICE_ATTACHED_TO_DESKTOP)) continue;

      MonitorEntry& entry = monitors_[monitorCount_];
      entry = MonitorEntry{};
      DEVMODEA mode = {};
      mode.dmSize = sizeof(mode);
      EnumDisplaySettingsA(device.DeviceName, ENUM_CURRENT_SETTINGS, &mode);
      if (device.StateFlags & DISPLAY_DEVICE_PRIMARY_DEVICE) {
        entry.left = entry.top = 0;
        entry.primary = true;
      } else {
        entry.left = mode.dmPosition.x;
        entry.top = mode.dmPosition.y;
        entry.primary = false;
      }
      entry.right = entry.left + static_cast<int>(mode.dmPelsWidth);
      entry.bottom = entry.top + static_cast<int>(mode.dmPelsHeight);
      RECT rect = {entry.left, entry.top, entry.right, entry.bottom};
      entry.monitor = multimon::monitorFromRect(&rect, MONITOR_DEFAULTTONULL);
      ++monitorCount_;
    }
  }
  if (user) FreeLibrary(user);
  screen_.MultiMonitor = monitorCount_ > 1;
}

void GLSaver::setMonitors(const MonitorEntry* entries, int count) {
  monitorCount_ = count < 0 ? 0 : count > MaxMonitors ? MaxMonitors : count;
  for (int i = 0; i < monitorCount_; ++i) monitors_[i] = entries[i];
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
      if (modeChangeFailed) showErrorFor(window, "Changing screen resolution failed!", ModeChangeErrorTimeoutMs);
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
  return true;
}

void GLSaver::createCoveringWindows() {
  for (int i = 0; i < monitorCount_; ++i) {
    MonitorEntry& entry = monitors_[i];
    if (entry.primary) continue;
    entry.window =
        CreateWindowExA(WS_EX_TOPMOST, WindowClassName, title_, WS_POPUP | WS_VISIBLE, entry.left, entry.top,
                        entry.right - entry.left, entry.bottom - entry.top, nullptr, nullptr, instance_, this);
  }
}

void GLSaver::placeCoveringWindows() {
  for (int i = 0; i < monitorCount_; ++i) {
    MonitorEntry& entry = monitors_[i];
    MONITORINFO info = {};
    info.cbSize = sizeof(info);
    // A secondary display whose mode could not be read has an empty rectangle, for which the system
    // names the primary monitor; its covering window must never hide the scene itself.
    if (multimon::monitorInfo(entry.monitor, &info) && (entry.primary || !(info.dwFlags & MONITORINFOF_PRIMARY))) {
      entry.left = info.rcMonitor.left;
      entry.top = info.rcMonitor.top;
      entry.right = info.rcMonitor.right;
      entry.bottom = info.rcMonitor.bottom;
    }
    if (!entry.primary) {
      SetWindowPos(entry.window, HWND_TOPMOST, entry.left, entry.top, entry.right - entry.left,
                   entry.bottom - entry.top, SWP_NOACTIVATE);
    }
  }
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
  if (!previewOrphaned()) showError(mainWindow_, text);
}

bool GLSaver::prepareFirstFrame() {
  if (previewOrphaned()) return false;
  deviceContext_ = GetDC(mainWindow_);

  PIXELFORMATDESCRIPTOR format = {};
  format.nSize = sizeof(format);
  format.nVersion = 1;
  format.dwFlags = PFD_DRAW_TO_WINDOW | PFD_SUPPORT_OPENGL | PFD_DOUBLEBUFFER;
  format.iPixelType = PFD_TYPE_RGBA;
  format.cColorBits = static_cast<BYTE>(colourDepth_);
  const int chosen = ChoosePixelFormat(deviceContext_, &format);
  if (chosen == 0) {
    showStartError("ChoosePixelFormat() failed:  Cannot find a suitable pixel format.");
    return false;
  }
  if (!SetPixelFormat(deviceContext_, chosen, &format)) {
    showStartError("SetPixelFormat() failed:  Cannot set format specified.");
    return false;
  }
  DescribePixelFormat(deviceContext_, chosen, sizeof(format), &format);
  glContext_ = wglCreateContext(deviceContext_);
  wglMakeCurrent(deviceContext_, glContext_);

  if (!setupGL()) return false;
  glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
  SwapBuffers(deviceContext_);

  if (mode_ == FullScreen && monitorCount_ > 1 && screen_.ShadeScecondary) {
    createCoveringWindows();
    placeCoveringWindows();
  }
  if (!buildScene()) return false;
  if (mode_ == FullScreen) SystemParametersInfoA(SPI_SETSCREENSAVERRUNNING, TRUE, nullptr, 0);
  return true;
}

void GLSaver::releaseContext() {
  releaseGL();
  wglMakeCurrent(nullptr, nullptr);
  if (deviceContext_) ReleaseDC(mainWindow_, deviceContext_);
  deviceContext_ = nullptr;
  if (glContext_) wglDeleteContext(glContext_);
  glContext_ = nullptr;
}
