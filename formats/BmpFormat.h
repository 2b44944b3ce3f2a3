#pragma once
// Windows bitmaps: the textures and the height map (.nlt), the intro and dialog pictures (.bmp).
// Integers are little-endian.
//
//   0            BmpFileHeader          14 bytes: "BM", file size, 2 reserved words, pixelOffset
//   14           info header            its first 4 bytes give its size:
//                  12        BmpCoreHeader (OS/2): 16-bit sizes, palette entries of 3 bytes
//                  40..124   BmpInfoHeader and its longer versions: palette entries of 4 bytes
//                [3 colour masks of 4 bytes, after a 40-byte header with BI_BITFIELDS]
//                palette                for 1, 4 and 8 bits: coloursUsed entries (0: 2^bits),
//                                       blue, green, red [, unused]
//   pixelOffset  rows of width x bits, each padded to 4 bytes; the bottom row first, or the top
//                row first when the height is negative
#include <cstddef>
#include <cstdint>

#include "formats/FileRecords.h"

namespace formats {

constexpr char BmpSignature[] = "BM";
constexpr uint32_t BmpCoreHeaderSize = 12;
constexpr uint32_t BmpInfoHeaderSize = 40;
constexpr uint32_t BmpLargestInfoHeaderSize = 124;  // the fifth version
constexpr uint32_t BmpMasksSize = 12;
constexpr uint32_t BiRgb = 0;                // uncompressed
constexpr uint32_t BiBitFields = 3;          // uncompressed, channels named by masks (16 and 32 bits)
constexpr int32_t BmpPixelsPerMetre = 2835;  // 72 dots per inch

// Two-byte packing, as Windows declares it: the file header's 32-bit fields follow a 16-bit one.
#pragma pack(push, 2)
struct BmpFileHeader {
  char type[2];
  uint32_t fileSize;
  uint16_t reserved[2];
  uint32_t pixelOffset;
};
#pragma pack(pop)

struct BmpCoreHeader {
  uint32_t size;
  int16_t width;
  int16_t height;
  uint16_t planes;
  uint16_t bitsPerPixel;
};

struct BmpInfoHeader {
  uint32_t size;
  int32_t width;
  int32_t height;  // negative: rows top-down
  uint16_t planes;
  uint16_t bitsPerPixel;
  uint32_t compression;
  uint32_t imageSize;
  int32_t xPixelsPerMetre;
  int32_t yPixelsPerMetre;
  uint32_t coloursUsed;
  uint32_t coloursImportant;
};

static_assert(sizeof(BmpFileHeader) == 14 && offsetof(BmpFileHeader, pixelOffset) == 10, "BMP file header layout");
static_assert(sizeof(BmpCoreHeader) == BmpCoreHeaderSize, "BMP core header layout");
static_assert(sizeof(BmpInfoHeader) == BmpInfoHeaderSize && offsetof(BmpInfoHeader, bitsPerPixel) == 14 &&
                  offsetof(BmpInfoHeader, coloursUsed) == 32,
              "BMP info header layout");

// Bytes of one stored row: padded to a multiple of 4.
constexpr uint64_t bmpRowBytes(uint64_t width, uint64_t bitsPerPixel) { return (width * bitsPerPixel + 31) / 32 * 4; }

// The headers of a bitmap, whichever kind of info header it has.
struct BmpLayout {
  uint64_t pixelOffset = 0;
  uint32_t infoSize = 0;
  int64_t width = 0;
  int64_t height = 0;  // negative: rows top-down
  uint32_t bitsPerPixel = 0;
  uint32_t compression = BiRgb;
  uint32_t coloursUsed = 0;
  uint32_t paletteEntrySize = 4;
};

// Reads the file header and the info header. False when the bytes do not start with "BM", the
// info header has a size no version has, or the headers run past size. Sizes, bits and the
// pixels are the caller's to check.
inline bool readBmpLayout(const uint8_t* data, size_t size, BmpLayout& layout) {
  layout = BmpLayout{};
  if (!data || !fits(0, 1, sizeof(BmpFileHeader) + 4, size)) return false;
  const BmpFileHeader file = readRecord<BmpFileHeader>(data);
  if (file.type[0] != BmpSignature[0] || file.type[1] != BmpSignature[1]) return false;
  const uint8_t* info = data + sizeof file;
  layout.pixelOffset = file.pixelOffset;
  layout.infoSize = readRecord<uint32_t>(info);
  if (layout.infoSize == BmpCoreHeaderSize) {
    if (!fits(sizeof file, 1, BmpCoreHeaderSize, size)) return false;
    const BmpCoreHeader core = readRecord<BmpCoreHeader>(info);
    layout.width = core.width;
    layout.height = core.height;
    layout.bitsPerPixel = core.bitsPerPixel;
    layout.paletteEntrySize = 3;
    return true;
  }
  if (layout.infoSize < BmpInfoHeaderSize || layout.infoSize > BmpLargestInfoHeaderSize) return false;
  if (!fits(sizeof file, 1, layout.infoSize, size)) return false;
  const BmpInfoHeader header = readRecord<BmpInfoHeader>(info);
  layout.width = header.width;
  layout.height = header.height;
  layout.bitsPerPixel = header.bitsPerPixel;
  layout.compression = header.compression;
  layout.coloursUsed = header.coloursUsed;
  return true;
}

// The 40-byte info header of an uncompressed picture stored bottom row first.
inline BmpInfoHeader bmpInfoHeader(int width, int height, int bitsPerPixel, uint32_t coloursUsed) {
  BmpInfoHeader header{};
  header.size = BmpInfoHeaderSize;
  header.width = width;
  header.height = height;
  header.planes = 1;
  header.bitsPerPixel = static_cast<uint16_t>(bitsPerPixel);
  header.compression = BiRgb;
  header.imageSize = static_cast<uint32_t>(
      bmpRowBytes(static_cast<uint64_t>(width), static_cast<uint64_t>(bitsPerPixel)) * static_cast<uint64_t>(height));
  header.xPixelsPerMetre = BmpPixelsPerMetre;
  header.yPixelsPerMetre = BmpPixelsPerMetre;
  header.coloursUsed = coloursUsed;
  return header;
}

// The file and info headers of such a picture, with room for paletteEntries 4-byte palette
// entries; the palette and the rows follow.
inline void appendBmpHeaders(Bytes& out, int width, int height, int bitsPerPixel, uint32_t paletteEntries) {
  const BmpInfoHeader info = bmpInfoHeader(width, height, bitsPerPixel, paletteEntries);
  BmpFileHeader file{};
  setId(file.type, BmpSignature);
  file.pixelOffset = static_cast<uint32_t>(sizeof file + sizeof info + 4 * paletteEntries);
  file.fileSize = file.pixelOffset + info.imageSize;
  appendRecord(out, file);
  appendRecord(out, info);
}

}  // namespace formats
