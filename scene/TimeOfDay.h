#pragma once
#include <cstddef>

// The time of day the clock shows, to the minute.
struct TimeOfDay {
  int hour;    // 0 to 23
  int minute;  // 0 to 59
};

// Where the clock reads the time: the system's local time unless a test gives another.
using TimeOfDaySource = TimeOfDay (*)();
TimeOfDay localTimeOfDay();

// The time as the locale writes it without seconds (24-hour or 12-hour with its own marks), in the
// font's characters (codes 0 to 255; a wider space becomes a plain one, anything else wider is left
// out). locale is a locale name such as "en-US"; nullptr: the user's own. Returns false and an
// empty text when the locale cannot say.
bool formatTimeOfDay(const TimeOfDay& time, const wchar_t* locale, char* out, size_t size);
