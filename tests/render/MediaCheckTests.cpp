// The header checks in front of SDL's BMP and WAV loaders: sound files pass, every way of
// stating more than a file holds is refused, and no check reads beyond the bytes it is given.
#include <gtest/gtest.h>

#include <SDL.h>

#include <string>
#include <vector>

#include "formats/BmpFormat.h"
#include "formats/WavFormat.h"
#include "render/BmpLoader.h"
#include "render/Terrain.h"
#include "render/Texture.h"
#include "tests/render/RenderTestSupport.h"
#include "world/MediaChecks.h"

using namespace rendertest;

namespace {

bool bmpPasses(const std::string& bytes) {
  GuardedBytes guarded(bytes);
  return bmpLooksSound(guarded.data(), guarded.size());
}

bool wavPasses(const std::string& bytes) {
  GuardedBytes guarded(bytes);
  return wavLooksSound(guarded.data(), guarded.size());
}

// Offsets inside a BMP with the 40-byte header.
constexpr size_t InfoAt = sizeof(formats::BmpFileHeader);
enum BmpField : size_t {
  PixelOffset = offsetof(formats::BmpFileHeader, pixelOffset),
  InfoSize = InfoAt + offsetof(formats::BmpInfoHeader, size),
  Width = InfoAt + offsetof(formats::BmpInfoHeader, width),
  Height = InfoAt + offsetof(formats::BmpInfoHeader, height),
  Bits = InfoAt + offsetof(formats::BmpInfoHeader, bitsPerPixel),
  Compression = InfoAt + offsetof(formats::BmpInfoHeader, compression),
  ColoursUsed = InfoAt + offsetof(formats::BmpInfoHeader, coloursUsed),
};

std::string text(const formats::Bytes& bytes) { return std::string(bytes.begin(), bytes.end()); }

std::string chunk(const std::string& id, const std::string& body) {
  formats::RiffChunkHeader header{};
  formats::setId(header.id, id.c_str());
  header.length = static_cast<uint32_t>(body.size());
  formats::Bytes out;
  formats::appendRecord(out, header);
  return text(out) + body;
}

std::string formatChunk(int tag, int channels, int rate, int bits) {
  formats::WavFormatChunk format = formats::pcmFormat(channels, rate, bits);
  format.formatTag = static_cast<uint16_t>(tag);
  formats::Bytes body;
  formats::appendRecord(body, format);
  return chunk(formats::WavFormatId, text(body));
}

std::string wavFile(const std::string& chunks) {
  formats::RiffHeader riff{};
  formats::setId(riff.riff, formats::RiffId);
  formats::setId(riff.wave, formats::WaveId);
  riff.size = static_cast<uint32_t>(sizeof riff.wave + chunks.size());
  formats::Bytes out;
  formats::appendRecord(out, riff);
  return text(out) + chunks;
}

std::string monoWav() { return wavFile(formatChunk(1, 1, 22050, 16) + chunk("data", std::string(64, '\x10'))); }

}  // namespace

TEST(BmpCheck, AcceptsTheLayoutsWeWriteAndTheirVariants) {
  for (const int bits : {8, 24, 32}) {
    EXPECT_TRUE(bmpPasses(bmpFile(5, 3, bits, std::vector<uint32_t>(15, 0xFF406080)))) << bits;
  }
  std::string topDown = bmpFile(4, 4, 24, std::vector<uint32_t>(16, 0));
  putInt32(topDown, Height, -4);
  EXPECT_TRUE(bmpPasses(topDown));
  // A palette smaller than 256 entries.
  std::string small = bmpFile(4, 2, 8, std::vector<uint32_t>(8, 1));
  putInt32(small, ColoursUsed, 16);
  EXPECT_TRUE(bmpPasses(small));
}

// The OS/2 header: 16-bit sizes and a palette of three-byte entries, which a file of 256 such
// entries only holds if they are counted as three bytes each.
TEST(BmpCheck, AcceptsTheOs2HeaderWithItsThreeBytePalette) {
  using namespace formats;
  const BmpCoreHeader core{BmpCoreHeaderSize, 4, 2, 1, 8};
  BmpFileHeader file{};
  setId(file.type, BmpSignature);
  file.pixelOffset = static_cast<uint32_t>(sizeof file + sizeof core + 256 * 3);
  file.fileSize = static_cast<uint32_t>(file.pixelOffset + bmpRowBytes(4, 8) * 2);
  Bytes bytes;
  appendRecord(bytes, file);
  appendRecord(bytes, core);
  bytes.resize(file.fileSize, 7);
  const std::string os2 = text(bytes);
  EXPECT_TRUE(bmpPasses(os2));
  for (size_t cut = 0; cut < os2.size(); ++cut) EXPECT_FALSE(bmpPasses(os2.substr(0, cut))) << cut;

  SDL_Surface* surface = loadCheckedBmp(reinterpret_cast<const uint8_t*>(os2.data()), os2.size());
  ASSERT_NE(surface, nullptr) << SDL_GetError();
  EXPECT_EQ(surface->w, 4);
  EXPECT_EQ(surface->h, 2);
  SDL_FreeSurface(surface);
}

TEST(BmpCheck, RefusesHeadersThatStateMoreThanTheFileHolds) {
  const std::string good = bmpFile(6, 6, 24, std::vector<uint32_t>(36, 0x123456));
  for (size_t cut = 0; cut < good.size(); ++cut) EXPECT_FALSE(bmpPasses(good.substr(0, cut))) << cut;

  const auto with = [&](size_t field, int32_t value, const std::string& base) {
    std::string bytes = base;
    putInt32(bytes, field, value);
    return bytes;
  };
  EXPECT_FALSE(bmpPasses("BX" + good.substr(2)));
  EXPECT_FALSE(bmpPasses(with(Width, 0, good)));
  EXPECT_FALSE(bmpPasses(with(Width, -6, good)));
  EXPECT_FALSE(bmpPasses(with(Width, 0x7FFFFFFF, good)));
  EXPECT_FALSE(bmpPasses(with(Height, 0, good)));
  EXPECT_FALSE(bmpPasses(with(Height, static_cast<int32_t>(0x80000000u), good)));
  EXPECT_FALSE(bmpPasses(with(Width, 7, good)));  // one more column than the rows hold
  EXPECT_FALSE(bmpPasses(with(PixelOffset, 0x7FFFFFF0, good)));
  EXPECT_FALSE(bmpPasses(with(PixelOffset, -1, good)));
  EXPECT_FALSE(bmpPasses(with(PixelOffset, 20, good)));  // inside the headers
  EXPECT_FALSE(bmpPasses(with(InfoSize, 0x10000, good)));
  EXPECT_FALSE(bmpPasses(with(InfoSize, 20, good)));
  EXPECT_FALSE(bmpPasses(with(Compression, 1, good)));  // run-length data
  EXPECT_FALSE(bmpPasses(with(Compression, 3, good)));  // bit fields only at 16 and 32 bits

  std::string bits = good;
  putInt16(bits, Bits, 7);
  EXPECT_FALSE(bmpPasses(bits));
  putInt16(bits, Bits, 48);
  EXPECT_FALSE(bmpPasses(bits));

  // More palette entries than the bits can index, or than the file holds.
  const std::string palette = bmpFile(4, 4, 8, std::vector<uint32_t>(16, 2));
  EXPECT_FALSE(bmpPasses(with(ColoursUsed, 257, palette)));
  EXPECT_FALSE(bmpPasses(with(ColoursUsed, -1, palette)));
  std::string oneBit = palette;
  putInt16(oneBit, Bits, 1);
  EXPECT_FALSE(bmpPasses(with(ColoursUsed, 3, oneBit)));
}

TEST(BmpCheck, RefusedFilesAreReportedByTheirLoaders) {
  std::string bytes = bmpFile(8, 8, 8, std::vector<uint32_t>(64, 9));
  putInt32(bytes, ColoursUsed, 100000);
  const std::string path = writeScratch("palette-too-long.nlt", bytes);
  EXPECT_EQ(loadCheckedBmp(path.c_str()), nullptr);

  gl();
  Texture texture;
  EXPECT_EQ(captureStdout([&] { EXPECT_FALSE(texture.loadBMP(path.c_str(), TexLinear)); }),
            "Texture::loadBMP SDL_LoadBMP " + path + " failed\n");
  Terrain terrain;
  EXPECT_EQ(captureStdout([&] { EXPECT_FALSE(terrain.loadHeightMap(path.c_str())); }),
            "Could not load height map: " + path + "\n");

  // The same picture with a sound header loads.
  const std::string sound = writeScratch("palette.nlt", bmpFile(8, 8, 8, std::vector<uint32_t>(64, 9)));
  SDL_Surface* surface = loadCheckedBmp(sound.c_str());
  ASSERT_NE(surface, nullptr);
  EXPECT_EQ(surface->w, 8);
  EXPECT_EQ(surface->format->BytesPerPixel, 1);
  SDL_FreeSurface(surface);
}

TEST(WavCheck, AcceptsPcmWithOtherChunksAroundIt) {
  EXPECT_TRUE(wavPasses(monoWav()));
  EXPECT_TRUE(wavPasses(wavFile(chunk("LIST", "abc") + std::string(1, '\0') + formatChunk(1, 2, 44100, 8) +
                                chunk("data", std::string(10, '\x80')) + chunk("cue ", "1234"))));
}

TEST(WavCheck, RefusesHeadersThatStateMoreThanTheFileHolds) {
  const std::string good = monoWav();
  // Every cut before the last sample leaves a data chunk longer than the file.
  for (size_t cut = 0; cut < good.size(); ++cut) EXPECT_FALSE(wavPasses(good.substr(0, cut))) << cut;

  EXPECT_FALSE(wavPasses("RIFX" + good.substr(4)));
  EXPECT_FALSE(wavPasses(wavFile(chunk("data", "abcd") + formatChunk(1, 1, 22050, 16))));   // no format yet
  EXPECT_FALSE(wavPasses(wavFile(formatChunk(1, 1, 22050, 16))));                           // no data
  EXPECT_FALSE(wavPasses(wavFile(formatChunk(2, 1, 22050, 16) + chunk("data", "ab"))));     // MS ADPCM
  EXPECT_FALSE(wavPasses(wavFile(formatChunk(0x11, 1, 22050, 16) + chunk("data", "ab"))));  // IMA ADPCM
  EXPECT_FALSE(wavPasses(wavFile(formatChunk(1, 0, 22050, 16) + chunk("data", "ab"))));
  EXPECT_FALSE(wavPasses(wavFile(formatChunk(1, 3, 22050, 16) + chunk("data", "ab"))));
  EXPECT_FALSE(wavPasses(wavFile(formatChunk(1, 1, 0, 16) + chunk("data", "ab"))));
  // Rates whose conversion to the device's would overrun SDL's filter list.
  EXPECT_FALSE(wavPasses(wavFile(formatChunk(1, 1, 1, 8) + chunk("data", "ab"))));
  EXPECT_FALSE(wavPasses(wavFile(formatChunk(1, 2, 384000, 16) + chunk("data", "abcd"))));
  EXPECT_TRUE(wavPasses(wavFile(formatChunk(1, 1, 8000, 8) + chunk("data", "ab"))));
  EXPECT_TRUE(wavPasses(wavFile(formatChunk(1, 2, 48000, 16) + chunk("data", "abcd"))));
  EXPECT_FALSE(wavPasses(wavFile(formatChunk(1, 1, 22050, 12) + chunk("data", "ab"))));
  EXPECT_FALSE(wavPasses(wavFile(formatChunk(1, 1, 22050, 16) + formatChunk(1, 1, 22050, 16) + chunk("data", "ab"))));

  const size_t formatAt = sizeof(formats::RiffHeader) + sizeof(formats::RiffChunkHeader);
  std::string misaligned = good;
  putInt16(misaligned, formatAt + offsetof(formats::WavFormatChunk, blockAlign), 3);  // 16-bit mono aligns to 2
  EXPECT_FALSE(wavPasses(misaligned));
  std::string shortFormat = wavFile(chunk("fmt ", std::string(14, '\1')) + chunk("data", "ab"));
  EXPECT_FALSE(wavPasses(shortFormat));
  // A chunk length that would wrap a 32-bit sum back inside the file.
  std::string wrapping = wavFile(chunk("LIST", "") + formatChunk(1, 1, 22050, 16) + chunk("data", "ab"));
  putInt32(wrapping, sizeof(formats::RiffHeader) + offsetof(formats::RiffChunkHeader, length), -4);
  EXPECT_FALSE(wavPasses(wrapping));
}
