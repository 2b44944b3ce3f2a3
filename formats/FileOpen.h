#pragma once
// Opens a file named in UTF-8, as the data folder's paths are kept. On Windows the name goes
// through the wide CRT call, so letters outside the ANSI code page reach the file system intact,
// and an absolute path of MAX_PATH characters or more is opened as a long path.
#include <cstdio>

#ifdef _WIN32
#include <cwchar>
#include <string>

namespace fileopen {

// UTF-8 to UTF-16; a malformed byte becomes U+FFFD, which names no file.
inline std::wstring wide(const char* text) {
  std::wstring result;
  const unsigned char* p = reinterpret_cast<const unsigned char*>(text);
  while (*p) {
    unsigned code = *p;
    int more = code < 0x80 ? 0 : (code >> 5) == 6 ? 1 : (code >> 4) == 14 ? 2 : (code >> 3) == 30 ? 3 : -1;
    if (more < 0) {
      result += L'\xFFFD';
      ++p;
      continue;
    }
    code &= more == 0 ? 0x7F : (0x3F >> more);
    ++p;
    for (; more > 0; --more) {
      if ((*p >> 6) != 2) break;  // a cut sequence: what came so far counts as one letter
      code = (code << 6) | (*p & 0x3F);
      ++p;
    }
    if (more > 0) code = 0xFFFD;
    if (code >= 0x10000) {
      code -= 0x10000;
      result += static_cast<wchar_t>(0xD800 + (code >> 10));
      result += static_cast<wchar_t>(0xDC00 + (code & 0x3FF));
    } else {
      result += static_cast<wchar_t>(code);
    }
  }
  return result;
}

constexpr size_t ShortPathLimit = 260;  // MAX_PATH

}  // namespace fileopen

// A UTF-8 path for the wide Windows calls; an absolute one of MAX_PATH characters or more as a
// long path ("\\?\").
inline std::wstring widePath(const char* utf8Path) {
  std::wstring path = fileopen::wide(utf8Path ? utf8Path : "");
  const bool absolute = path.size() > 2 && path[1] == L':' && (path[2] == L'\\' || path[2] == L'/');
  if (absolute && path.size() >= fileopen::ShortPathLimit) {
    // Long paths take no forward slashes.
    for (wchar_t& c : path) c = c == L'/' ? L'\\' : c;
    path = L"\\\\?\\" + path;
  }
  return path;
}

inline FILE* openFile(const char* utf8Path, const char* mode) {
  if (!utf8Path || !mode) return nullptr;
  return _wfopen(widePath(utf8Path).c_str(), fileopen::wide(mode).c_str());
}

#else

inline FILE* openFile(const char* utf8Path, const char* mode) {
  return utf8Path && mode ? std::fopen(utf8Path, mode) : nullptr;
}

#endif
