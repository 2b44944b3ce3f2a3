#include <windows.h>
#include <windowsx.h>

#include <SDL.h>

#include "shell/GLSaver.h"

namespace {

// Last pointer position seen by the basic build; the first message after start always counts.
POINT lastMousePosition = {-1, -1};

constexpr int ToleratedMouseMoves = 5;
constexpr UINT_PTR PreviewTimer = 1;
constexpr DWORD SleepCheckMs = 250;

// Returns when a message arrives or after ms, whichever comes first.
void waitForMessages(DWORD ms) { MsgWaitForMultipleObjects(0, nullptr, FALSE, ms, QS_ALLINPUT); }

}  // namespace

LRESULT CALLBACK GLSaver::staticWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  GLSaver* saver = current_;
  if (!saver) return DefWindowProcA(window, message, wParam, lParam);
  return saver->windowProc(window, message, wParam, lParam);
}

LRESULT GLSaver::windowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (!filterMessage(message, wParam, lParam)) {
    switch (message) {
      case WM_DESTROY:
        // Covering windows and views of monitors that went are destroyed while the saver goes on.
        if (window == mainWindow_) shutdown();
        break;
      case WM_DISPLAYCHANGE:
        if (window != mainWindow_) break;
        if (startingGL_ || followingDisplayChange_) {
          displayChangePending_ = true;
        } else {
          followDisplayChange();
        }
        break;
      case WM_PAINT: {
        PAINTSTRUCT paint;
        HDC dc = BeginPaint(window, &paint);
        if (mode_ == Preview) {
          RECT client;
          GetClientRect(window, &client);
          FillRect(dc, &client, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
        }
        EndPaint(window, &paint);
        return 0;
      }
      case WM_ACTIVATEAPP:
        if (wParam == FALSE && mode_ != Windowed) tryQuit();
        break;
      case WM_SETCURSOR:
        if (mode_ == FullScreen && !passwordDialogOpen_) {
          SetCursor(nullptr);
          return TRUE;
        }
        break;
      case WM_SYSCOMMAND:
        if ((wParam & 0xFFF0) == SC_MONITORPOWER) setSleepReason(DisplayOff, visibilityFromMonitorPower(lParam));
        if (mode_ == FullScreen) {
          switch (wParam & 0xFFF0) {
            case SC_NEXTWINDOW:
            case SC_PREVWINDOW:
            case SC_CLOSE:
            case SC_SCREENSAVE:
              return 0;
            default:
              break;
          }
        }
        break;
      case WM_TIMER:
        previewSettling_ = false;
        KillTimer(window, PreviewTimer);
        break;
      case WM_POWERBROADCAST:
        if (wParam == PBT_APMSUSPEND && !verifyPassword_) tryQuit();
        if (wParam == PBT_POWERSETTINGCHANGE) {
          const auto* setting = reinterpret_cast<const POWERBROADCAST_SETTING*>(lParam);
          setSleepReason(DisplayOff, visibilityFromPowerSetting(setting));
          if (followPowerSetting(setting, conditions_)) conditionsChanged();
        }
        // The older notice of a change of power source or battery state, which carries no state.
        if (wParam == PBT_APMPOWERSTATUSCHANGE) {
          const DrawingConditions now = conditionSource_->current();
          conditions_.onBattery = now.onBattery;
          conditions_.batterySaver = now.batterySaver;
          conditionsChanged();
        }
        break;
      case WM_WTSSESSION_CHANGE:
        setSleepReason(SessionLocked, visibilityFromSessionChange(wParam));
        if (followSessionChange(wParam, conditions_)) conditionsChanged();
        break;
      case WM_USER:
        SetTimer(window, PreviewTimer, 500, nullptr);
        break;
      case WM_KEYDOWN:
        if (basicBuild()) tryQuit();
        break;
      case WM_LBUTTONDOWN:
      case WM_RBUTTONDOWN:
      case WM_MBUTTONDOWN:
        if (basicBuild() && mode_ != Windowed) tryQuit();
        break;
      case WM_MOUSEMOVE:
        if (basicBuild()) handleMouseMove(lParam);
        break;
      default:
        break;
    }
  }
  return DefWindowProcA(window, message, wParam, lParam);
}

// A screensaver must survive the small pointer jitter some mice send; only real movement ends it.
void GLSaver::handleMouseMove(LPARAM lParam) {
  const int x = GET_X_LPARAM(lParam);
  const int y = GET_Y_LPARAM(lParam);
  if (x == lastMousePosition.x && y == lastMousePosition.y) return;
  lastMousePosition.x = x;
  lastMousePosition.y = y;
  if (++mouseMoves_ > ToleratedMouseMoves) tryQuit();
}

void GLSaver::tryQuit() {
  if (mode_ == Windowed) {
    shutdown();
    return;
  }
  if (mode_ != FullScreen || passwordDialogOpen_) return;
  if (win9x_ && verifyPassword_) {
    ShowWindow(mainWindow_, SW_RESTORE);
    ShowWindow(mainWindow_, SW_SHOWMAXIMIZED);
    passwordDialogOpen_ = true;
    const BOOL verified = verifyPassword_(mainWindow_);
    passwordDialogOpen_ = false;
    if (!verified) {
      SetCursor(nullptr);
      mouseMoves_ = 0;
      return;
    }
  }
  shutdown();
}

void GLSaver::shutdown() {
  if (shutdownDone_) return;
  // Sound and GL drivers may handle sent messages while they start, so a quit attempt can arrive in
  // the middle of building the scene or following a display change; releasing it then would pull
  // it away under the builder. The frame pump then ends before its next frame and the shutdown
  // runs after it.
  if (startingGL_ || followingDisplayChange_) {
    quitRequested_ = true;
    return;
  }
  shutdownDone_ = true;
  if (mode_ == FullScreen) SystemParametersInfoA(SPI_SETSCREENSAVERRUNNING, FALSE, nullptr, 0);
  stopPacing();
  releaseContext();
  releaseScene();
  releasePasswordVerifier();
  SDL_Quit();
  PostQuitMessage(0);
}

void GLSaver::drawFrame() {
  updateFrame();
  // The main window last: only its swap waits for the display (two waits a frame would halve the rate).
  for (int i = viewCount_ - 1; i >= 0; --i) {
    SaverView& view = views_[i];
    if (!view.context) continue;
    // After a wake from sleep or a driver reset the context is dead: drawing on would spin on it.
    // A saver then ends without a word; nobody may be there to read one.
    if (viewCount_ > 1 && !gl_->makeCurrent(view.deviceContext, view.context)) {
      shutdown();
      return;
    }
    renderFrame(i);
    if (!gl_->swapBuffers(view.deviceContext)) {
      shutdown();
      return;
    }
  }
  afterFrame();
}

void GLSaver::pumpFrames() {
  MSG msg = {};
  UINT lastMessage = 0;
  while (!quitRequested_) {
    if (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
      lastMessage = msg.message;
      TranslateMessage(&msg);
      DispatchMessageA(&msg);
    } else if (previewOrphaned()) {
      shutdown();
    } else if (asleep()) {
      // Nothing to draw: wake for messages only, and now and then to see whether a preview's host went.
      waitForMessages(SleepCheckMs);
    } else if (const int waitMs = pacer_.waitMsBefore(pacingNow())) {
      waitForMessages(waitMs);
    } else if (displayChangePending_) {
      displayChangePending_ = false;
      followDisplayChange();
    } else {
      pacer_.frameStarted(pacingNow());
      drawFrame();
    }
    if (lastMessage == WM_QUIT) break;
  }
}
