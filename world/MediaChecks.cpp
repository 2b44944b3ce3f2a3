#include "world/MediaChecks.h"

#include "formats/BmpFormat.h"
#include "formats/WavFormat.h"

using namespace formats;

namespace {

constexpr int64_t MaxBitmapSide = 8192;
constexpr uint64_t MinSampleRate = 8000;
constexpr uint64_t MaxSampleRate = 48000;

}  // namespace

// Sizes are worked out in 64 bits, so no header value can wrap a sum past the file size.
bool bmpLooksSound(const uint8_t* data, size_t size) {
  BmpLayout layout;
  if (!readBmpLayout(data, size, layout)) return false;
  const int64_t width = layout.width;
  const int64_t height = layout.height < 0 ? -layout.height : layout.height;  // rows stored top-down
  const uint64_t bits = layout.bitsPerPixel;
  if (width <= 0 || width > MaxBitmapSide || height == 0 || height > MaxBitmapSide) return false;
  if (bits != 1 && bits != 4 && bits != 8 && bits != 16 && bits != 24 && bits != 32) return false;
  const bool bitFields = layout.compression == BiBitFields && (bits == 16 || bits == 32);
  if (layout.compression != BiRgb && !bitFields) return false;

  const uint64_t infoEnd = sizeof(BmpFileHeader) + uint64_t{layout.infoSize};
  uint64_t headersEnd = infoEnd;
  if (bitFields && layout.infoSize == BmpInfoHeaderSize) headersEnd += BmpMasksSize;  // masks follow a short header
  if (bits <= 8) {
    const uint64_t most = uint64_t{1} << bits;
    const uint64_t colours = layout.coloursUsed == 0 ? most : layout.coloursUsed;
    if (colours > most) return false;
    headersEnd += colours * layout.paletteEntrySize;
  }
  if (headersEnd > size || layout.pixelOffset < infoEnd) return false;
  return fits(layout.pixelOffset, static_cast<uint64_t>(height), bmpRowBytes(static_cast<uint64_t>(width), bits), size);
}

bool wavLooksSound(const uint8_t* data, size_t size) {
  WavLayout layout;
  if (!readWavLayout(data, size, layout)) return false;
  const WavFormatChunk& f = layout.format;
  const uint64_t channels = f.channels, rate = f.sampleRate, bits = f.bitsPerSample;
  if (f.formatTag != WavPcm || channels < 1 || channels > 2 || rate < MinSampleRate || rate > MaxSampleRate) {
    return false;
  }
  return (bits == 8 || bits == 16) && f.blockAlign == channels * bits / 8;
}
