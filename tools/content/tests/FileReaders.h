#pragma once
// Readers for the generated files, written from the file layouts (formats/) rather than from the
// generator, so a writer bug shows up as a mismatch. Each checks every count and offset.

#include <cstdint>
#include <string>
#include <vector>

#include "formats/FontFormat.h"

std::vector<uint8_t> readFile(const std::string& path);

struct BmpPicture {
  bool valid = false;
  int width = 0, height = 0, bitsPerPixel = 0;
  // Decoded channels, top row first: 1 (palette index), 3 (B, G, R) or 4 (B, G, R, A) per pixel.
  std::vector<uint8_t> pixels;
  int channel(int x, int y, int c) const {
    return pixels[(static_cast<size_t>(y) * width + x) * (bitsPerPixel / 8) + c];
  }
};

// Parses the headers the way SDL 1.2 does (uncompressed, BI_RGB) and checks every size.
BmpPicture readBmp(const std::string& path);

struct Md3Model {
  bool valid = false;
  std::string error;
  int frames = 0, vertices = 0, triangles = 0;
  std::vector<uint32_t> indices;
  std::vector<float> uvs;                     // s, t pairs
  std::vector<std::vector<float>> positions;  // per frame: x, y, z in scene units before scale
};

// Finds the first surface where the scene's loader does and checks every offset against the size.
Md3Model readMd3(const std::string& path);

struct WavSound {
  bool valid = false;
  int channels = 0, rate = 0, bits = 0;
  std::vector<int16_t> samples;  // interleaved
};

WavSound readWav(const std::string& path);

struct FontAtlas {
  bool valid = false;
  int width = 0, height = 0;  // of the texture
  std::vector<formats::FontGlyphRecord> glyphs;
  std::vector<uint8_t> texels;  // luminance, alpha
  int alpha(int x, int y) const { return texels[(static_cast<size_t>(y) * width + x) * 2 + 1]; }
};

// Valid only when the texels end the file exactly.
FontAtlas readFont(const std::string& path);
