#pragma once
#include <cstddef>
#include <cstdint>
#include <vector>

// One glyph record of an .nlf font file.
struct FontGlyph {
  uint16_t code = 0;
  int32_t width = 0;     // pixels; also the pen advance
  int32_t height = 0;    // pixels; also the line advance
  float s0 = 0, s1 = 0;  // left and right texture coordinates
  float t0 = 0, t1 = 0;  // texture coordinates of the bottom and top edges
};

// An .nlf font held in memory: the glyph table (sorted by code, first record of a code kept)
// and its luminance-alpha texels.
struct FontFile {
  int width = 0;  // texture size in texels
  int height = 0;
  std::vector<FontGlyph> glyphs;
  std::vector<uint8_t> texels;  // width x height pairs (luminance, alpha), row after row
};

// Parses an .nlf file. Rejects, without reading outside data, any file whose sizes or counts run
// past its end or are negative.
bool parseFont(const uint8_t* data, size_t size, FontFile& font);
