#include "Windows1252.h"

#include <cstddef>

namespace windows1252 {
namespace {

// Bytes 128 to 159.
constexpr char32_t Upper[32] = {0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
                                0x2039, 0x0152, 0,      0x017D, 0,      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
                                0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};

char byteOf(char32_t code) {
  if (code < 0x80 || (code >= 0xA0 && code <= 0xFF)) return static_cast<char>(code);
  for (int i = 0; i < 32; ++i) {
    if (Upper[i] != 0 && Upper[i] == code) return static_cast<char>(0x80 + i);
  }
  return '?';
}

}  // namespace

char32_t unicodeOf(unsigned char byte) { return byte >= 0x80 && byte < 0xA0 ? Upper[byte - 0x80] : byte; }

std::string fromUtf8(const std::string& utf8) {
  std::string out;
  size_t at = 0;
  while (at < utf8.size()) {
    const unsigned char lead = static_cast<unsigned char>(utf8[at]);
    const size_t length = lead < 0x80           ? 1
                          : (lead >> 5) == 0x6  ? 2
                          : (lead >> 4) == 0xE  ? 3
                          : (lead >> 3) == 0x1E ? 4
                                                : 0;
    bool whole = length > 0 && at + length <= utf8.size();
    for (size_t i = 1; whole && i < length; ++i) whole = (static_cast<unsigned char>(utf8[at + i]) >> 6) == 0x2;
    if (!whole) {
      out += '?';
      ++at;
      continue;
    }
    char32_t code = length == 1 ? lead : lead & (0x7F >> length);
    for (size_t i = 1; i < length; ++i) code = (code << 6) | (static_cast<unsigned char>(utf8[at + i]) & 0x3F);
    at += length;
    out += byteOf(code);
  }
  return out;
}

}  // namespace windows1252
