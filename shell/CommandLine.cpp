#include "shell/CommandLine.h"

#include <cctype>
#include <cstdlib>

namespace {

const char* skipProgramPath(const char* p) {
  if (*p == '"') {
    ++p;
    while (*p && *p != '"') ++p;
    return *p ? p + 1 : p;
  }
  while (*p && *p != ' ') ++p;
  return *p ? p + 1 : p;
}

long readWindowNumber(const char* afterLetter) {
  const char* p = afterLetter;
  while (*p && !std::isdigit(static_cast<unsigned char>(*p))) ++p;
  return *p ? std::atol(p) : 0;
}

}  // namespace

SaverMode parseCommandLine(const char* text, long& windowNumber) {
  windowNumber = 0;
  if (!text) return Configure;
  const char* p = skipProgramPath(text);
  while (*p && *p != '/' && *p != '-') ++p;
  if (!*p) return Configure;
  const char letter = static_cast<char>(std::toupper(static_cast<unsigned char>(p[1])));
  if (!letter) return FullScreen;
  const char* afterLetter = p + 2;
  switch (letter) {
    case 'A':
      windowNumber = readWindowNumber(afterLetter);
      return ChangePassword;
    case 'C':
      windowNumber = readWindowNumber(afterLetter);
      return Configure;
    case 'P':
      windowNumber = readWindowNumber(afterLetter);
      return Preview;
    case 'T':
      return Windowed;
    default:
      return FullScreen;
  }
}
