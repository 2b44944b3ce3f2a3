#include "world/Clock.h"

#include <SDL.h>

namespace {

uint32_t sdlTicks() { return SDL_GetTicks(); }

ClockSource source = sdlTicks;

}  // namespace

uint32_t clockNow() { return source(); }

void setClockSource(ClockSource newSource) { source = newSource ? newSource : sdlTicks; }
