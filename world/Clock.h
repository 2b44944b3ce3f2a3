#pragma once
#include <cstdint>

// The one time source of every timed piece of the scene, in milliseconds. It reads SDL's tick
// counter unless a test drives it.
using ClockSource = uint32_t (*)();

uint32_t clockNow();
void setClockSource(ClockSource source);  // nullptr restores SDL's counter, and a stopped clock runs

// Milliseconds from an earlier reading of the clock to a later one. The counter wraps after 2^32
// ms (49.7 days): the unsigned difference is right across the wrap, where comparing readings
// (now > start + length) or subtracting them as int (past 2^31 ms) goes wrong. Every timing of
// the scene measures time this way.
inline uint32_t elapsedMs(uint32_t earlier, uint32_t later) { return later - earlier; }

// While the picture cannot be seen the scene's time stands still, so that nothing jumps ahead
// when it can be seen again.
void stopClock();
void restartClock();
