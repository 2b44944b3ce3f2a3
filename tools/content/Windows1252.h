#pragma once
// Windows-1252, the 8-bit code page of the saver's text files, its font and the manual's PDF fonts:
// Latin-1 with letters, quotes and dashes in 128-159 (œ, Œ, €, „ ...).

#include <string>

namespace windows1252 {

// The Unicode code point of a byte; 0 for the five bytes the code page leaves undefined.
char32_t unicodeOf(unsigned char byte);

// UTF-8 text in Windows-1252; a character the code page lacks, or a malformed sequence (one per
// byte it spoils), becomes "?".
std::string fromUtf8(const std::string& utf8);

}  // namespace windows1252
