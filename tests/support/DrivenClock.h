#pragma once
#include <cstdint>

#include "world/Clock.h"

// Replaces the program's time source with a counter the test advances frame by frame; the real
// clock comes back when it goes out of scope.
class DrivenClock {
 public:
  explicit DrivenClock(uint32_t start = 1000) {
    now() = start;
    setClockSource(&read);
  }
  ~DrivenClock() { setClockSource(nullptr); }
  DrivenClock(const DrivenClock&) = delete;
  DrivenClock& operator=(const DrivenClock&) = delete;

  void advance(uint32_t ms) { now() += ms; }
  uint32_t value() const { return now(); }

 private:
  static uint32_t& now() {
    static uint32_t ticks = 0;
    return ticks;
  }
  static uint32_t read() { return now(); }
};
