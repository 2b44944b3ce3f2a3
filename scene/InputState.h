#pragma once
#include <windows.h>

#include "scene/KeyCode.h"

// Turns window messages into a per-frame view of the keys for the interactive build, and keeps
// the pointer away from the screen edges.
class InputState {
 public:
  enum Options { TrackKeys = 1, TrackMouse = 2, HideCursor = 4 };
  static constexpr int MaxHeldKeys = 32;
  static constexpr int EdgeMargin = 80;

  InputState() = default;
  InputState(const InputState&) = delete;
  InputState& operator=(const InputState&) = delete;
  ~InputState();

  // Stores the window and its drawing size, hides the cursor over it if asked, keeps the pointer
  // within the window and starts tracking.
  void setDrawingSize(HWND window, int width, int height);
  // The drawing size after a display change; the pointer is kept within the window where it is now.
  void setSize(int width, int height);
  // True when the message was an input message and is consumed.
  bool handleMessage(UINT message, WPARAM wParam, LPARAM lParam);
  // Once per frame, after drawing.
  void endFrame();
  // held = false: whether the key went down since the previous frame. held = true: whether it is
  // down now or went down since then, so a tap between two frames still counts once.
  bool isKeyDown(KeyCode code, bool held) const;
  // How often the key went down since the previous frame: quick taps between two frames each count.
  int pressCount(KeyCode code) const;

  bool active() const { return active_; }
  int mouseX() const { return mouseX_; }
  int mouseY() const { return mouseY_; }
  int heldCount() const { return heldCount_; }

 private:
  int find(KeyCode code) const;
  void confine();

  bool active_ = false;
  int options_ = TrackKeys | TrackMouse | HideCursor;
  HWND window_ = nullptr;
  // In the order the keys went down; a fixed list, since input must not allocate per frame.
  KeyCode held_[MaxHeldKeys] = {};
  int heldCount_ = 0;
  // Presses since the last frame. A key pressed and released between two frames has left the
  // held list before the frame looks, but not this count.
  int presses_[KeyCodeCount] = {};
  int mouseX_ = 0, mouseY_ = 0;
  int width_ = 800, height_ = 600;
  int centreX_ = 400, centreY_ = 300;
  bool confined_ = false;
};
