#pragma once
#include <cstdint>

// Keeps frame starts at least one period apart. Starts are kept on a steady grid, so the average
// rate holds although every wait is rounded to whole milliseconds; a pump that fell a whole period
// behind starts a new grid instead of drawing a burst of frames to catch up.
class FramePacer {
 public:
  // Frames per second at most; 0 or less sets no limit.
  void setRate(int framesPerSecond);
  bool limited() const { return periodUs_ > 0; }

  // Microseconds until the next frame may start; 0 when it may start now.
  int64_t waitBefore(int64_t nowUs) const;
  // Whole milliseconds to wait, rounded up so a wait never ends before the frame is due.
  int waitMsBefore(int64_t nowUs) const;
  void frameStarted(int64_t nowUs);

 private:
  int64_t periodUs_ = 0;
  int64_t nextUs_ = 0;
  bool started_ = false;
};

// The frame-rate limit of a run: the stored MaxFrameRate when there is one (0 = no limit, a negative
// value counts as none stored), else the display's refresh rate (60 when the display reports 0 or
// 1). While the driver synchronises swaps with the display, that limit sits one frame a second
// above the refresh rate, so it never holds a frame back past a vertical blank (displays of
// 59.94 Hz report 59). A preview in the control panel's small picture draws at most 30 frames a
// second.
int frameRateLimit(int storedMaxFrameRate, int refreshRate, bool swapSynced, bool preview);
