#include "render/FontReader.h"

#include <algorithm>

#include "formats/FileRecords.h"
#include "formats/FontFormat.h"

using namespace formats;

bool parseFont(const uint8_t* data, size_t size, FontFile& font) {
  font = FontFile{};
  if (!data || !fits(0, 1, sizeof(FontHeader), size)) return false;
  const FontHeader header = readRecord<FontHeader>(data);
  if (header.width < 0 || header.height < 0 || header.skippedCount < 0) return false;

  const uint64_t glyphCountAt = sizeof(FontHeader) + FontSkippedEntrySize * static_cast<uint64_t>(header.skippedCount);
  if (!fits(glyphCountAt, 1, sizeof(int32_t), size)) return false;
  const int32_t glyphCount = readRecord<int32_t>(data + glyphCountAt);
  if (glyphCount < 0) return false;
  const uint64_t glyphsAt = glyphCountAt + sizeof(int32_t);
  if (!fits(glyphsAt, static_cast<uint64_t>(glyphCount), sizeof(FontGlyphRecord), size)) return false;
  const uint64_t texelsAt = glyphsAt + static_cast<uint64_t>(glyphCount) * sizeof(FontGlyphRecord);
  const uint64_t rowBytes = FontTexelSize * static_cast<uint64_t>(header.width);
  if (header.width > 0 && !fits(texelsAt, static_cast<uint64_t>(header.height), rowBytes, size)) return false;

  font.width = header.width;
  font.height = header.height;
  font.glyphs.reserve(static_cast<size_t>(glyphCount));
  for (int32_t g = 0; g < glyphCount; ++g) {
    const FontGlyphRecord record = readRecord<FontGlyphRecord>(data + glyphsAt + g * sizeof(FontGlyphRecord));
    font.glyphs.push_back({record.code, record.width, record.height, record.s0, record.s1, record.t0, record.t1});
  }
  // Sorted by code; of several records with one code the first in the file is kept (the sort is
  // stable and unique keeps the first of equals).
  std::stable_sort(font.glyphs.begin(), font.glyphs.end(),
                   [](const FontGlyph& a, const FontGlyph& b) { return a.code < b.code; });
  font.glyphs.erase(std::unique(font.glyphs.begin(), font.glyphs.end(),
                                [](const FontGlyph& a, const FontGlyph& b) { return a.code == b.code; }),
                    font.glyphs.end());
  const uint8_t* texels = data + texelsAt;
  font.texels.assign(texels, texels + rowBytes * static_cast<uint64_t>(header.height));
  return true;
}
