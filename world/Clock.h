#pragma once
#include <cstdint>

// The one time source of every timed piece of the scene, in milliseconds. It reads SDL's tick
// counter unless a test drives it.
using ClockSource = uint32_t (*)();

uint32_t clockNow();
void setClockSource(ClockSource source);  // nullptr restores SDL's counter, and a stopped clock runs

// While the picture cannot be seen the scene's time stands still, so that nothing jumps ahead
// when it can be seen again.
void stopClock();
void restartClock();
