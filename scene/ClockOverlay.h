#pragma once
#include "render/TextObject.h"

// Where the clock's text stands: its top-left corner in window pixels, rows from the top.
struct ClockPlace {
  int x, y;
};

// The clock's place at a minute of the day, for a text of the given size in a window of the
// given size. On OLED panels a picture that stays put burns in: the text drifts a few pixels every
// minute within its corner, and moves to another corner every hour. The top-left corner is the
// interactive build's help and frame-rate lines', so the clock takes the other three.
ClockPlace clockPlace(int minuteOfDay, int width, int height, int textWidth, int textHeight);

// The time of day over the scene, small, in the scene's font.
class ClockOverlay {
 public:
  // Needs a current GL context; the text gets its own copy of the font.
  void build(const char* fontPath, int width, int height);
  void setScreenSize(int width, int height);
  // The time to show, as the locale writes it, and the minute of the day it is.
  void show(const char* text, int minuteOfDay);
  void draw();

  const char* text() const { return text_.lineCount() ? text_.line(0).c_str() : ""; }
  ClockPlace place() const { return place_; }
  int textWidth() const;
  int textHeight() const;

 private:
  void settle();

  TextObject text_;
  int width_ = 0, height_ = 0;
  int minuteOfDay_ = 0;
  ClockPlace place_ = {0, 0};
};
