#include "BmpWriter.h"

#include <cmath>

namespace {

void put16(Bytes& out, uint32_t value) {
  out.push_back(static_cast<uint8_t>(value));
  out.push_back(static_cast<uint8_t>(value >> 8));
}

void put32(Bytes& out, uint32_t value) {
  put16(out, value & 0xFFFF);
  put16(out, value >> 16);
}

Bytes headers(int width, int height, int bitsPerPixel, int paletteEntries) {
  uint32_t rowBytes = (static_cast<uint32_t>(width) * bitsPerPixel / 8 + 3) & ~3u;
  uint32_t pixelOffset = 14 + 40 + paletteEntries * 4;
  uint32_t imageSize = rowBytes * height;
  Bytes out;
  out.reserve(pixelOffset + imageSize);
  out.push_back('B');
  out.push_back('M');
  put32(out, pixelOffset + imageSize);
  put32(out, 0);
  put32(out, pixelOffset);
  put32(out, 40);
  put32(out, static_cast<uint32_t>(width));
  put32(out, static_cast<uint32_t>(height));
  put16(out, 1);
  put16(out, static_cast<uint32_t>(bitsPerPixel));
  put32(out, 0);  // BI_RGB
  put32(out, imageSize);
  put32(out, 2835);  // 72 dpi
  put32(out, 2835);
  put32(out, static_cast<uint32_t>(paletteEntries));
  put32(out, 0);
  return out;
}

Bytes encodeTrueColour(const Image& image, bool withAlpha) {
  int bytesPerPixel = withAlpha ? 4 : 3;
  Bytes out = headers(image.width(), image.height(), bytesPerPixel * 8, 0);
  int padding = (4 - (image.width() * bytesPerPixel) % 4) % 4;
  for (int y = image.height() - 1; y >= 0; --y) {
    for (int x = 0; x < image.width(); ++x) {
      const Rgba& p = image.at(x, y);
      out.push_back(toByte(p.b));
      out.push_back(toByte(p.g));
      out.push_back(toByte(p.r));
      if (withAlpha) out.push_back(toByte(p.a));
    }
    out.insert(out.end(), padding, 0);
  }
  return out;
}

}  // namespace

uint8_t toByte(float value) {
  float scaled = std::round(value * 255.0f);
  return static_cast<uint8_t>(scaled < 0.0f ? 0.0f : (scaled > 255.0f ? 255.0f : scaled));
}

Bytes encodeBmp24(const Image& image) { return encodeTrueColour(image, false); }

Bytes encodeBmp32(const Image& image) { return encodeTrueColour(image, true); }

Bytes encodeBmp8(int width, int height, const std::vector<uint8_t>& indices, const std::vector<Rgba>& palette) {
  Bytes out = headers(width, height, 8, static_cast<int>(palette.size()));
  for (const Rgba& entry : palette) {
    out.push_back(toByte(entry.b));
    out.push_back(toByte(entry.g));
    out.push_back(toByte(entry.r));
    out.push_back(0);
  }
  int padding = (4 - width % 4) % 4;
  for (int y = height - 1; y >= 0; --y) {
    out.insert(out.end(), indices.begin() + static_cast<long>(y) * width,
               indices.begin() + static_cast<long>(y + 1) * width);
    out.insert(out.end(), padding, 0);
  }
  return out;
}
