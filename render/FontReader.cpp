#include "render/FontReader.h"

#include <algorithm>
#include <cstring>

// Layout (integers 32-bit little-endian, floats IEEE):
//   0..547      not used
//   548         texture width W, 552 texture height H, 556 count N
//   560         N entries of 2 bytes, not used
//   560 + 2N    glyph count G, then G records of 28 bytes:
//               code (uint16), 2 unused bytes, width, height (int32), s0, s1, t0, t1 (float)
//   then        W x H x 2 texel bytes
namespace {

constexpr uint64_t CountsOffset = 548;
constexpr uint64_t SkippedOffset = 560;
constexpr uint64_t GlyphSize = 28;

uint32_t readUint32(const uint8_t* p) {
  return uint32_t(p[0]) | uint32_t(p[1]) << 8 | uint32_t(p[2]) << 16 | uint32_t(p[3]) << 24;
}

int32_t readInt32(const uint8_t* p) { return static_cast<int32_t>(readUint32(p)); }

float readFloat(const uint8_t* p) {
  const uint32_t bits = readUint32(p);
  float value;
  std::memcpy(&value, &bits, sizeof value);
  return value;
}

bool fits(uint64_t offset, uint64_t count, uint64_t recordSize, uint64_t size) {
  if (offset > size) return false;
  return count <= (size - offset) / recordSize;
}

}  // namespace

bool parseFont(const uint8_t* data, size_t size, FontFile& font) {
  font = FontFile{};
  if (!data || size < SkippedOffset) return false;
  const int32_t width = readInt32(data + CountsOffset);
  const int32_t height = readInt32(data + CountsOffset + 4);
  const int32_t skipped = readInt32(data + CountsOffset + 8);
  if (width < 0 || height < 0 || skipped < 0) return false;

  const uint64_t glyphCountAt = SkippedOffset + 2 * static_cast<uint64_t>(skipped);
  if (!fits(glyphCountAt, 1, 4, size)) return false;
  const int32_t glyphCount = readInt32(data + glyphCountAt);
  if (glyphCount < 0) return false;
  const uint64_t glyphsAt = glyphCountAt + 4;
  if (!fits(glyphsAt, static_cast<uint64_t>(glyphCount), GlyphSize, size)) return false;
  const uint64_t texelsAt = glyphsAt + static_cast<uint64_t>(glyphCount) * GlyphSize;
  const uint64_t rowBytes = 2 * static_cast<uint64_t>(width);
  if (width > 0 && !fits(texelsAt, static_cast<uint64_t>(height), rowBytes, size)) return false;

  font.width = width;
  font.height = height;
  font.glyphs.reserve(static_cast<size_t>(glyphCount));
  for (int32_t g = 0; g < glyphCount; ++g) {
    const uint8_t* record = data + glyphsAt + GlyphSize * static_cast<uint64_t>(g);
    FontGlyph glyph;
    glyph.code = static_cast<uint16_t>(record[0] | record[1] << 8);
    glyph.width = readInt32(record + 4);
    glyph.height = readInt32(record + 8);
    glyph.s0 = readFloat(record + 12);
    glyph.s1 = readFloat(record + 16);
    glyph.t0 = readFloat(record + 20);
    glyph.t1 = readFloat(record + 24);
    font.glyphs.push_back(glyph);
  }
  // Sorted by code; of several records with one code the first in the file is kept (the sort is
  // stable and unique keeps the first of equals).
  std::stable_sort(font.glyphs.begin(), font.glyphs.end(),
                   [](const FontGlyph& a, const FontGlyph& b) { return a.code < b.code; });
  font.glyphs.erase(std::unique(font.glyphs.begin(), font.glyphs.end(),
                                [](const FontGlyph& a, const FontGlyph& b) { return a.code == b.code; }),
                    font.glyphs.end());
  const uint8_t* texels = data + texelsAt;
  font.texels.assign(texels, texels + rowBytes * static_cast<uint64_t>(height));
  return true;
}
