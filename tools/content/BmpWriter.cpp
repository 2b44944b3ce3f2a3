#include "BmpWriter.h"

#include <cmath>

#include "formats/BmpFormat.h"

namespace {

using formats::bmpRowBytes;

Bytes headers(int width, int height, int bitsPerPixel, size_t paletteEntries) {
  Bytes out;
  out.reserve(sizeof(formats::BmpFileHeader) + sizeof(formats::BmpInfoHeader) + 4 * paletteEntries +
              bmpRowBytes(width, bitsPerPixel) * height);
  formats::appendBmpHeaders(out, width, height, bitsPerPixel, static_cast<uint32_t>(paletteEntries));
  return out;
}

Bytes encodeTrueColour(const Image& image, bool withAlpha) {
  int bytesPerPixel = withAlpha ? 4 : 3;
  Bytes out = headers(image.width(), image.height(), bytesPerPixel * 8, 0);
  const size_t padding = bmpRowBytes(image.width(), bytesPerPixel * 8) - image.width() * bytesPerPixel;
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

Bytes encodeBmp(const Image& image, int bitsPerPixel) { return encodeTrueColour(image, bitsPerPixel == 32); }

Bytes encodeBmp8(int width, int height, const std::vector<uint8_t>& indices, const std::vector<Rgba>& palette) {
  Bytes out = headers(width, height, 8, palette.size());
  for (const Rgba& entry : palette) {
    out.push_back(toByte(entry.b));
    out.push_back(toByte(entry.g));
    out.push_back(toByte(entry.r));
    out.push_back(0);
  }
  const size_t padding = bmpRowBytes(width, 8) - width;
  for (int y = height - 1; y >= 0; --y) {
    out.insert(out.end(), indices.begin() + static_cast<long>(y) * width,
               indices.begin() + static_cast<long>(y + 1) * width);
    out.insert(out.end(), padding, 0);
  }
  return out;
}
