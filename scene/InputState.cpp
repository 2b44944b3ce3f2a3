#include "scene/InputState.h"

#include <windowsx.h>

namespace {

// More presses than this between two frames only say "many".
constexpr int MaxPresses = 1000;

bool numbered(KeyCode code) { return code >= 0 && code < KeyCodeCount; }

}  // namespace

void InputState::setDrawingSize(HWND window, int width, int height) {
  window_ = window;
  setSize(width, height);
  if (options_ & HideCursor) ShowCursor(FALSE);
  active_ = true;
  confine();
}

InputState::~InputState() {
  if (confined_) ClipCursor(nullptr);
}

// The pointer stays over the window: on a desktop of several monitors a quick flick would
// otherwise leave it on another one.
void InputState::confine() {
  RECT rect = {};
  if (!(options_ & TrackMouse) || !window_ || !GetWindowRect(window_, &rect)) return;
  confined_ = ClipCursor(&rect) != FALSE;
}

void InputState::setSize(int width, int height) {
  width_ = width;
  height_ = height;
  centreX_ = width / 2;
  centreY_ = height / 2;
  // The window moved or changed its size with the display: the pointer's bounds follow it.
  if (active_) confine();
}

int InputState::find(KeyCode code) const {
  for (int i = 0; i < heldCount_; ++i) {
    if (held_[i] == code) return i;
  }
  return -1;
}

bool InputState::handleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  if (!active_) return false;
  switch (message) {
    case WM_KEYDOWN:
      if (options_ & TrackKeys) {
        const KeyCode code = keyCodeFromVirtualKey(static_cast<unsigned>(wParam));
        // Auto-repeat adds nothing while the key is listed.
        if (find(code) < 0) {
          if (heldCount_ < MaxHeldKeys) held_[heldCount_++] = code;
          if (numbered(code) && presses_[code] < MaxPresses) ++presses_[code];
        }
      }
      return true;
    case WM_KEYUP:
      if (options_ & TrackKeys) {
        const int at = find(keyCodeFromVirtualKey(static_cast<unsigned>(wParam)));
        if (at >= 0) {
          for (int i = at + 1; i < heldCount_; ++i) held_[i - 1] = held_[i];
          --heldCount_;
        }
      }
      return true;
    case WM_MOUSEMOVE:
      if (options_ & TrackMouse) {
        mouseX_ = GET_X_LPARAM(lParam);
        mouseY_ = GET_Y_LPARAM(lParam);
      }
      return true;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONUP:
    case WM_RBUTTONDOWN:
    case WM_RBUTTONUP:
    case WM_MBUTTONDOWN:
    case WM_MBUTTONUP:
      return true;
    default:
      return false;
  }
}

void InputState::endFrame() {
  if (!active_) return;
  if (options_ & TrackKeys) {
    for (int& count : presses_) count = 0;
  }
  // Where the pointer is now, also when it left the window in one step and sent it no move.
  POINT pointer = {};
  if ((options_ & TrackMouse) && window_ && GetCursorPos(&pointer) && ScreenToClient(window_, &pointer)) {
    mouseX_ = pointer.x;
    mouseY_ = pointer.y;
  }
  if ((options_ & TrackMouse) && (mouseX_ < EdgeMargin || mouseX_ > width_ - EdgeMargin || mouseY_ < EdgeMargin ||
                                  mouseY_ > height_ - EdgeMargin)) {
    // Back to the middle of the window, in screen coordinates, so the pointer cannot wander off
    // onto another monitor. The move reported for it arrives later; until then the pointer is
    // known to be there.
    POINT centre = {centreX_, centreY_};
    if (window_ && ClientToScreen(window_, &centre)) SetCursorPos(centre.x, centre.y);
    confine();
    mouseX_ = centreX_;
    mouseY_ = centreY_;
  }
}

bool InputState::isKeyDown(KeyCode code, bool held) const {
  if (pressCount(code) > 0) return true;
  return held && find(code) >= 0;
}

int InputState::pressCount(KeyCode code) const { return numbered(code) ? presses_[code] : 0; }
