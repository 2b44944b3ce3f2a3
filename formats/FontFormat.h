#pragma once
// The overlay font (.nlf): a glyph table and one luminance-alpha texture. Integers are 32-bit
// little-endian, floats IEEE.
//
//   0              FontHeader               560 bytes: ident, version and description (not read
//                                           by the saver), texture width W and height H, count N
//   560            N entries of 2 bytes     not read
//   560 + 2N       int32 glyph count G
//   564 + 2N       FontGlyphRecord x G      28 bytes each
//   then           W x H texels             2 bytes each: luminance, alpha; rows in the order
//                                           OpenGL counts t (the first row at t = 0)
#include <cstddef>
#include <cstdint>

namespace formats {

// What our writer puts into the fields the saver does not read.
constexpr char FontIdent[] = "NLF";  // with its NUL, four bytes
constexpr int32_t FontVersion = 1;
constexpr size_t FontDescriptionSize = 540;

constexpr size_t FontSkippedEntrySize = 2;
constexpr size_t FontTexelSize = 2;

struct FontHeader {
  char ident[4];
  int32_t version;
  char description[FontDescriptionSize];
  int32_t width;  // texture size in texels
  int32_t height;
  int32_t skippedCount;  // entries of 2 bytes behind the header
};

struct FontGlyphRecord {
  uint16_t code;
  uint16_t unused;
  int32_t width;   // pixels; also the pen advance
  int32_t height;  // pixels; also the line advance
  float s0, s1;    // left and right texture coordinates
  float t0, t1;    // texture coordinates of the bottom and top edges
};

static_assert(sizeof(FontHeader) == 560 && offsetof(FontHeader, width) == 548, "font header layout");
static_assert(sizeof(FontGlyphRecord) == 28 && offsetof(FontGlyphRecord, s0) == 12, "font glyph layout");

}  // namespace formats
