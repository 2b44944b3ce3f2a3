#include "Picture.h"

#include <algorithm>
#include <cmath>
#include <cstring>

#include "formats/BmpFormat.h"

namespace cdcontent {
namespace {

// Rows of 5 bits, top row first, for the letters of the product's name and its captions.
struct Glyph {
  char letter;
  uint8_t rows[7];
};

const Glyph kGlyphs[] = {
    {'A', {0x0E, 0x11, 0x11, 0x1F, 0x11, 0x11, 0x11}}, {'C', {0x0E, 0x11, 0x10, 0x10, 0x10, 0x11, 0x0E}},
    {'D', {0x1E, 0x11, 0x11, 0x11, 0x11, 0x11, 0x1E}}, {'E', {0x1F, 0x10, 0x10, 0x1E, 0x10, 0x10, 0x1F}},
    {'F', {0x1F, 0x10, 0x10, 0x1E, 0x10, 0x10, 0x10}}, {'G', {0x0E, 0x11, 0x10, 0x17, 0x11, 0x11, 0x0F}},
    {'L', {0x10, 0x10, 0x10, 0x10, 0x10, 0x10, 0x1F}}, {'R', {0x1E, 0x11, 0x11, 0x1E, 0x14, 0x12, 0x11}},
    {'S', {0x0F, 0x10, 0x10, 0x0E, 0x01, 0x01, 0x1E}}, {'V', {0x11, 0x11, 0x11, 0x11, 0x11, 0x0A, 0x04}},
};

const uint8_t* glyphRows(char letter) {
  for (const Glyph& glyph : kGlyphs) {
    if (glyph.letter == letter) return glyph.rows;
  }
  return nullptr;  // blanks and letters without a glyph leave a gap
}

uint8_t channel(double value) { return static_cast<uint8_t>(std::clamp(std::lround(value), 0L, 255L)); }

}  // namespace

Rgb mix(const Rgb& a, const Rgb& b, double t) {
  return {a.r + (b.r - a.r) * t, a.g + (b.g - a.g) * t, a.b + (b.b - a.b) * t};
}

Picture::Picture(int width, int height)
    : width_(width), height_(height), pixels_(static_cast<size_t>(width) * height, Rgb{0, 0, 0}) {}

void Picture::set(int x, int y, const Rgb& colour) {
  if (x >= 0 && y >= 0 && x < width_ && y < height_) pixels_[static_cast<size_t>(y) * width_ + x] = colour;
}

void Picture::blend(int x, int y, const Rgb& colour, double cover) {
  if (x < 0 || y < 0 || x >= width_ || y >= height_) return;
  Rgb& pixel = pixels_[static_cast<size_t>(y) * width_ + x];
  pixel = mix(pixel, colour, std::clamp(cover, 0.0, 1.0));
}

void Picture::fillRect(int x0, int y0, int x1, int y1, const Rgb& colour, double cover) {
  for (int y = y0; y <= y1; ++y) {
    for (int x = x0; x <= x1; ++x) blend(x, y, colour, cover);
  }
}

void Picture::fillEllipse(double cx, double cy, double rx, double ry, const Rgb& colour, double cover) {
  for (int y = static_cast<int>(cy - ry) - 1; y <= static_cast<int>(cy + ry) + 1; ++y) {
    for (int x = static_cast<int>(cx - rx) - 1; x <= static_cast<int>(cx + rx) + 1; ++x) {
      const double dx = (x + 0.5 - cx) / rx;
      const double dy = (y + 0.5 - cy) / ry;
      // One pixel of soft edge keeps the outline from stair-stepping.
      const double edge = (1.0 - std::sqrt(dx * dx + dy * dy)) * std::min(rx, ry);
      if (edge > 0.0) blend(x, y, colour, cover * std::min(edge, 1.0));
    }
  }
}

void Picture::drawText(int x, int y, const std::string& text, int scale, const Rgb& colour, double cover) {
  for (char letter : text) {
    if (const uint8_t* rows = glyphRows(letter)) {
      for (int row = 0; row < 7; ++row) {
        for (int column = 0; column < 5; ++column) {
          if (rows[row] & (0x10 >> column)) {
            fillRect(x + column * scale, y + row * scale, x + (column + 1) * scale - 1, y + (row + 1) * scale - 1,
                     colour, cover);
          }
        }
      }
    }
    x += 6 * scale;
  }
}

int Picture::textWidth(const std::string& text, int scale) {
  return text.empty() ? 0 : static_cast<int>(text.size()) * 6 * scale - scale;
}

std::vector<uint8_t> Picture::bottomUpRows(int bytesPerPixel) const {
  const size_t rowBytes = formats::bmpRowBytes(static_cast<uint64_t>(width_), static_cast<uint64_t>(bytesPerPixel) * 8);
  std::vector<uint8_t> out(rowBytes * height_, 0);
  for (int y = 0; y < height_; ++y) {
    uint8_t* row = &out[rowBytes * (height_ - 1 - y)];
    for (int x = 0; x < width_; ++x) {
      const Rgb& pixel = at(x, y);
      uint8_t* out = row + static_cast<size_t>(x) * bytesPerPixel;
      out[0] = channel(pixel.b);
      out[1] = channel(pixel.g);
      out[2] = channel(pixel.r);
    }
  }
  return out;
}

}  // namespace cdcontent
