#include "world/Clock.h"

#include <SDL.h>

namespace {

uint32_t sdlTicks() { return SDL_GetTicks(); }

ClockSource source = sdlTicks;
uint32_t stoppedFor = 0;  // time the clock has stood still, taken off the source's reading
bool stopped = false;
uint32_t stoppedAt = 0;

}  // namespace

uint32_t clockNow() { return stopped ? stoppedAt : source() - stoppedFor; }

void setClockSource(ClockSource newSource) {
  source = newSource ? newSource : sdlTicks;
  stoppedFor = 0;
  stopped = false;
}

void stopClock() {
  if (stopped) return;
  stoppedAt = clockNow();
  stopped = true;
}

void restartClock() {
  if (!stopped) return;
  stoppedFor = source() - stoppedAt;
  stopped = false;
}
