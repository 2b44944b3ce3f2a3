// The monitors besides the primary: black covering windows, or views of the sea where the sea
// shows on every monitor; and what follows a display change.
#include <windows.h>

#include <GL/gl.h>

#include "shell/GLSaver.h"
#include "shell/MultiMonitor.h"

namespace {

RECT rectOf(const MonitorEntry& entry) { return RECT{entry.left, entry.top, entry.right, entry.bottom}; }

}  // namespace

int GLSaver::monitorMode() const {
  if (mode_ != FullScreen || !basicBuild()) return PrimaryOnly;
  return screen_.MonitorMode == EveryMonitor || screen_.MonitorMode == Panorama ? screen_.MonitorMode : PrimaryOnly;
}

void GLSaver::refreshMonitorRect(MonitorEntry& entry) const {
  MONITORINFO info = {};
  info.cbSize = sizeof(info);
  // A secondary display whose mode could not be read has an empty rectangle, for which the system
  // names the primary monitor; its window must never hide the scene itself.
  if (multimon::monitorInfo(entry.monitor, &info) && (entry.primary || !(info.dwFlags & MONITORINFOF_PRIMARY))) {
    entry.left = info.rcMonitor.left;
    entry.top = info.rcMonitor.top;
    entry.right = info.rcMonitor.right;
    entry.bottom = info.rcMonitor.bottom;
  }
}

bool GLSaver::usableSecondary(const MonitorEntry& entry, int placedViews) const {
  if (entry.primary || entry.right <= entry.left || entry.bottom <= entry.top) return false;
  const RECT rect = rectOf(entry);
  RECT overlap;
  for (int i = 0; i < placedViews; ++i) {
    if (IntersectRect(&overlap, &rect, &views_[i].monitor)) return false;
  }
  return true;
}

void GLSaver::retireWindow(HWND window) {
  if (window && window != mainWindow_) DestroyWindow(window);
}

void GLSaver::coverSecondaryMonitors(const HWND* earlier, int earlierCount) {
  int reused = 0;
  for (int i = 0; i < monitorCount_; ++i) {
    MonitorEntry& entry = monitors_[i];
    entry.window = nullptr;
    refreshMonitorRect(entry);
    if (entry.primary) continue;
    const RECT rect = rectOf(entry);
    entry.window = reused < earlierCount ? earlier[reused++] : createPopup(rect, true);
    SetWindowPos(entry.window, HWND_TOPMOST, rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top,
                 SWP_NOACTIVATE);
  }
  for (; reused < earlierCount; ++reused) retireWindow(earlier[reused]);
}

void GLSaver::placeViews() {
  int next = 1;  // view 0 is the main window
  for (int i = 0; i < monitorCount_ && next < MaxMonitors; ++i) {
    MonitorEntry& entry = monitors_[i];
    refreshMonitorRect(entry);
    // No view stands over the main window or another view of this table.
    if (!usableSecondary(entry, next)) continue;
    const RECT rect = rectOf(entry);
    SaverView& view = views_[next];
    if (next < viewCount_ && view.window) {
      SetWindowPos(view.window, HWND_TOPMOST, rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top,
                   SWP_NOACTIVATE);
    } else {
      view = SaverView{};
      view.window = createPopup(rect, false);
      if (!view.window) continue;
      setUpView(view);
    }
    view.monitor = rect;
    RECT client = {};
    GetClientRect(view.window, &client);
    view.width = client.right - client.left;
    view.height = client.bottom - client.top;
    if (next >= viewCount_) viewCount_ = next + 1;
    ++next;
  }
  for (int i = next; i < viewCount_; ++i) {
    releaseView(views_[i]);
    retireWindow(views_[i].window);
    views_[i] = SaverView{};
  }
  viewCount_ = next;
}

// One context for every view where the driver allows it, so textures and models exist once; a
// window the main context cannot draw into (another adapter, another pixel format) gets a context
// of its own that shares the main one's objects.
void GLSaver::setUpView(SaverView& view) {
  view.deviceContext = GetDC(view.window);
  const int chosen = ChoosePixelFormat(view.deviceContext, &pixelFormat_);
  if (chosen == 0 || !SetPixelFormat(view.deviceContext, chosen, &pixelFormat_)) return;
  if (chosen == pixelFormatIndex_ && gl_->makeCurrent(view.deviceContext, glContext_)) {
    view.context = glContext_;
  } else if (HGLRC own = wglCreateContext(view.deviceContext)) {
    if (wglShareLists(glContext_, own) && gl_->makeCurrent(view.deviceContext, own)) {
      view.context = own;
      view.ownContext = true;
      setupGL();
    } else {
      wglDeleteContext(own);
    }
  }
  if (view.context) {
    if (swapSynced_) gl_->setSwapInterval(0);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    gl_->swapBuffers(view.deviceContext);
  }
  gl_->makeCurrent(deviceContext_, glContext_);
}

void GLSaver::releaseView(SaverView& view) {
  if (view.ownContext && view.context) {
    if (wglGetCurrentContext() == view.context) wglMakeCurrent(deviceContext_, glContext_);
    wglDeleteContext(view.context);
  }
  if (view.deviceContext) ReleaseDC(view.window, view.deviceContext);
  view.context = nullptr;
  view.deviceContext = nullptr;
  view.ownContext = false;
}

void GLSaver::followDisplayChange() {
  if (!mainWindow_ || shutdownDone_) return;
  followingDisplayChange_ = true;
  do {
    displayChangePending_ = false;
    followOneDisplayChange();
  } while (displayChangePending_ && !shutdownDone_);
  followingDisplayChange_ = false;
}

void GLSaver::followOneDisplayChange() {
  // The other modes keep their window; only the refresh rate may have changed.
  if (mode_ != FullScreen) {
    if (pacingStarted_) setFrameRateCap();
    return;
  }
  HWND covering[MaxMonitors];
  int coveringCount = 0;
  for (int i = 0; i < monitorCount_; ++i) {
    if (monitors_[i].window) covering[coveringCount++] = monitors_[i].window;
  }
  enumerateMonitors();

  // The main window covers the primary monitor at its new size.
  for (int i = 0; i < monitorCount_; ++i) {
    MonitorEntry& entry = monitors_[i];
    if (!entry.primary) continue;
    refreshMonitorRect(entry);
    if (entry.right > entry.left && entry.bottom > entry.top) {
      SetWindowPos(mainWindow_, HWND_TOPMOST, entry.left, entry.top, entry.right - entry.left, entry.bottom - entry.top,
                   SWP_NOACTIVATE);
    }
  }
  RECT client = {};
  GetClientRect(mainWindow_, &client);
  width_ = client.right - client.left;
  height_ = client.bottom - client.top;
  views_[0].width = width_;
  views_[0].height = height_;
  GetWindowRect(mainWindow_, &views_[0].monitor);

  if (monitorCount_ > 1 && monitorMode() != PrimaryOnly) {
    for (int i = 0; i < coveringCount; ++i) retireWindow(covering[i]);
    placeViews();
  } else {
    const int earlierViews = viewCount_;
    for (int i = 1; i < earlierViews; ++i) {
      releaseView(views_[i]);
      retireWindow(views_[i].window);
      views_[i] = SaverView{};
    }
    viewCount_ = 1;
    if (monitorCount_ > 1 && screen_.ShadeScecondary) {
      coverSecondaryMonitors(covering, coveringCount);
    } else {
      for (int i = 0; i < coveringCount; ++i) retireWindow(covering[i]);
      for (int i = 0; i < monitorCount_; ++i) monitors_[i].window = nullptr;
    }
  }
  if (pacingStarted_) setFrameRateCap();
  viewsChanged();
}
