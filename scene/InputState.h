#pragma once
#include <windows.h>

#include "scene/KeyCode.h"

// Turns window messages into a per-frame view of held keys for the interactive build, and keeps
// the pointer away from the screen edges.
class InputState {
 public:
  enum Options { TrackKeys = 1, TrackMouse = 2, HideCursor = 4 };
  static constexpr int MaxHeldKeys = 32;
  static constexpr int EdgeMargin = 80;

  // Stores the drawing size, hides the cursor if asked and starts tracking.
  void setDrawingSize(int width, int height);
  // True when the message was an input message and is consumed.
  bool handleMessage(UINT message, WPARAM wParam, LPARAM lParam);
  // Once per frame, after drawing.
  void endFrame();
  // held = false: whether the key went down since the previous frame.
  bool isKeyDown(KeyCode code, bool held) const;

  bool active() const { return active_; }
  int mouseX() const { return mouseX_; }
  int mouseY() const { return mouseY_; }
  int heldCount() const { return heldCount_; }

 private:
  struct HeldKey {
    KeyCode code;
    int frames;
  };
  int find(KeyCode code) const;

  bool active_ = false;
  int options_ = TrackKeys | TrackMouse | HideCursor;
  // In the order the keys went down; a fixed list, since input must not allocate per frame.
  HeldKey held_[MaxHeldKeys] = {};
  int heldCount_ = 0;
  int mouseX_ = 0, mouseY_ = 0;
  int width_ = 800, height_ = 600;
  int centreX_ = 400, centreY_ = 300;
};
