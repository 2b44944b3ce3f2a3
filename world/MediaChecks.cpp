#include "world/MediaChecks.h"

#include <cstring>

namespace {

// All sizes are worked out in 64 bits, so no header value can wrap a sum past the file size.
uint64_t read16(const uint8_t* p) { return p[0] | (static_cast<uint64_t>(p[1]) << 8); }
uint64_t read32(const uint8_t* p) { return read16(p) | (read16(p + 2) << 16); }
int64_t readSigned32(const uint8_t* p) { return static_cast<int32_t>(static_cast<uint32_t>(read32(p))); }

constexpr int64_t MaxBitmapSide = 8192;
constexpr uint64_t MinSampleRate = 8000;
constexpr uint64_t MaxSampleRate = 48000;

}  // namespace

bool bmpLooksSound(const uint8_t* data, size_t size) {
  constexpr uint64_t FileHeader = 14;
  if (!data || size < FileHeader + 12 || data[0] != 'B' || data[1] != 'M') return false;
  const uint64_t pixelOffset = read32(data + 10);
  const uint8_t* info = data + FileHeader;
  const uint64_t infoSize = read32(info);
  int64_t width = 0, height = 0;
  uint64_t bits = 0, compression = 0, colours = 0, paletteEntry = 4;
  if (infoSize == 12) {
    // The OS/2 header: 16-bit sizes and three-byte palette entries.
    width = static_cast<int16_t>(read16(info + 4));
    height = static_cast<int16_t>(read16(info + 6));
    bits = read16(info + 10);
    paletteEntry = 3;
  } else {
    if (infoSize < 40 || infoSize > 124 || FileHeader + 40 > size) return false;
    width = readSigned32(info + 4);
    height = readSigned32(info + 8);
    bits = read16(info + 14);
    compression = read32(info + 16);
    colours = read32(info + 32);
  }
  if (FileHeader + infoSize > size) return false;
  if (height < 0) height = -height;  // rows stored top-down
  if (width <= 0 || width > MaxBitmapSide || height == 0 || height > MaxBitmapSide) return false;
  if (bits != 1 && bits != 4 && bits != 8 && bits != 16 && bits != 24 && bits != 32) return false;
  const bool bitFields = compression == 3 && (bits == 16 || bits == 32);
  if (compression != 0 && !bitFields) return false;

  uint64_t headersEnd = FileHeader + infoSize;
  if (bitFields && infoSize == 40) headersEnd += 12;  // the three masks follow a short header
  if (bits <= 8) {
    const uint64_t most = uint64_t{1} << bits;
    if (colours == 0) colours = most;
    if (colours > most) return false;
    headersEnd += colours * paletteEntry;
  }
  if (headersEnd > size || pixelOffset < FileHeader + infoSize) return false;
  const uint64_t rowBytes = (static_cast<uint64_t>(width) * bits + 31) / 32 * 4;
  return pixelOffset + rowBytes * static_cast<uint64_t>(height) <= size;
}

bool wavLooksSound(const uint8_t* data, size_t size) {
  if (!data || size < 12 || std::memcmp(data, "RIFF", 4) != 0 || std::memcmp(data + 8, "WAVE", 4) != 0) {
    return false;
  }
  bool format = false;
  uint64_t at = 12;
  while (at + 8 <= size) {
    const uint8_t* chunk = data + at;
    const uint64_t length = read32(chunk + 4);
    const uint64_t body = at + 8;
    if (std::memcmp(chunk, "data", 4) == 0) return format && body + length <= size;
    if (body + length > size) return false;
    if (std::memcmp(chunk, "fmt ", 4) == 0) {
      if (format || length < 16) return false;
      const uint8_t* f = data + body;
      const uint64_t tag = read16(f), channels = read16(f + 2), rate = read32(f + 4);
      const uint64_t blockAlign = read16(f + 12), bits = read16(f + 14);
      if (tag != 1 || channels < 1 || channels > 2 || rate < MinSampleRate || rate > MaxSampleRate) return false;
      if ((bits != 8 && bits != 16) || blockAlign != channels * bits / 8) return false;
      format = true;
    }
    at = body + length + (length & 1);  // chunks are padded to an even length
  }
  return false;
}
