#include "scene/TimeOfDay.h"

#include <windows.h>

#include <cwctype>

TimeOfDay localTimeOfDay() {
  SYSTEMTIME now = {};
  GetLocalTime(&now);
  return {now.wHour, now.wMinute};
}

bool formatTimeOfDay(const TimeOfDay& time, const wchar_t* locale, char* out, size_t size) {
  if (size == 0) return false;
  out[0] = '\0';
  SYSTEMTIME at = {};
  at.wYear = 2000;
  at.wMonth = 1;
  at.wDay = 1;
  at.wHour = static_cast<WORD>(time.hour);
  at.wMinute = static_cast<WORD>(time.minute);
  wchar_t wide[64] = {};
  if (GetTimeFormatEx(locale ? locale : LOCALE_NAME_USER_DEFAULT, TIME_NOSECONDS, &at, nullptr, wide, 64) == 0) {
    return false;
  }
  size_t length = 0;
  for (const wchar_t* c = wide; *c && length + 1 < size; ++c) {
    if (*c <= 0xFF) {
      out[length++] = static_cast<char>(*c);
    } else if (std::iswspace(static_cast<wint_t>(*c))) {
      out[length++] = ' ';
    }
  }
  out[length] = '\0';
  return true;
}
