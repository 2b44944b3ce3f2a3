#include "scene/InputState.h"

#include <windowsx.h>

#include <SDL.h>

void InputState::setDrawingSize(int width, int height) {
  width_ = width;
  height_ = height;
  centreX_ = width / 2;
  centreY_ = height / 2;
  if (options_ & HideCursor) SDL_ShowCursor(0);
  active_ = true;
}

int InputState::find(KeyCode code) const {
  for (int i = 0; i < heldCount_; ++i) {
    if (held_[i].code == code) return i;
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
        if (find(code) < 0 && heldCount_ < MaxHeldKeys) held_[heldCount_++] = {code, 0};
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
    for (int i = 0; i < heldCount_; ++i) ++held_[i].frames;
  }
  if ((options_ & TrackMouse) && (mouseX_ < EdgeMargin || mouseX_ > width_ - EdgeMargin || mouseY_ < EdgeMargin ||
                                  mouseY_ > height_ - EdgeMargin)) {
    SDL_WarpMouse(static_cast<Uint16>(centreX_), static_cast<Uint16>(centreY_));
  }
}

bool InputState::isKeyDown(KeyCode code, bool held) const {
  const int at = find(code);
  if (at < 0) return false;
  return held || held_[at].frames < 1;
}
