#pragma once
// RIFF WAVE sounds (.wav). Integers are little-endian.
//
//   0    RiffHeader           "RIFF", bytes that follow, "WAVE"
//   12   chunks, one after the other, each a RiffChunkHeader (id, length) and length bytes,
//        padded to an even length:
//          "fmt "  WavFormatChunk, 16 bytes or more
//          "data"  the samples: frames of channels x bitsPerSample, interleaved
//          others  (LIST, cue ...) skipped, before or after either
//
// Our writers put out the shortest form: RiffHeader, a 16-byte "fmt " chunk and the "data" chunk.
#include <cstddef>
#include <cstdint>

#include "formats/FileRecords.h"

namespace formats {

constexpr char RiffId[] = "RIFF";
constexpr char WaveId[] = "WAVE";
constexpr char WavFormatId[] = "fmt ";
constexpr char WavDataId[] = "data";
constexpr uint16_t WavPcm = 1;

struct RiffHeader {
  char riff[4];
  uint32_t size;  // of everything after this field
  char wave[4];
};

struct RiffChunkHeader {
  char id[4];
  uint32_t length;  // of the body, without the padding byte
};

struct WavFormatChunk {
  uint16_t formatTag;
  uint16_t channels;
  uint32_t sampleRate;
  uint32_t byteRate;
  uint16_t blockAlign;  // bytes of one frame
  uint16_t bitsPerSample;
};

static_assert(sizeof(RiffHeader) == 12 && sizeof(RiffChunkHeader) == 8, "RIFF header layout");
static_assert(sizeof(WavFormatChunk) == 16 && offsetof(WavFormatChunk, blockAlign) == 12, "WAVE format layout");

inline WavFormatChunk pcmFormat(int channels, int sampleRate, int bitsPerSample) {
  WavFormatChunk format{};
  format.formatTag = WavPcm;
  format.channels = static_cast<uint16_t>(channels);
  format.sampleRate = static_cast<uint32_t>(sampleRate);
  format.blockAlign = static_cast<uint16_t>(channels * bitsPerSample / 8);
  format.byteRate = format.sampleRate * format.blockAlign;
  format.bitsPerSample = static_cast<uint16_t>(bitsPerSample);
  return format;
}

// Where the samples lie and in which format.
struct WavLayout {
  WavFormatChunk format{};
  uint64_t dataOffset = 0;
  uint64_t dataLength = 0;
};

// Walks the chunks up to the data chunk. False unless the bytes are RIFF WAVE with exactly one
// format chunk of at least 16 bytes before the data chunk, and every chunk up to and including
// the data chunk lies inside size bytes. What the format says is the caller's to check.
inline bool readWavLayout(const uint8_t* data, size_t size, WavLayout& layout) {
  layout = WavLayout{};
  if (!data || !fits(0, 1, sizeof(RiffHeader), size)) return false;
  const RiffHeader riff = readRecord<RiffHeader>(data);
  if (!sameId(riff.riff, RiffId) || !sameId(riff.wave, WaveId)) return false;
  bool haveFormat = false;
  uint64_t at = sizeof riff;
  while (fits(at, 1, sizeof(RiffChunkHeader), size)) {
    const RiffChunkHeader chunk = readRecord<RiffChunkHeader>(data + at);
    const uint64_t body = at + sizeof chunk;
    if (!fits(body, chunk.length, 1, size)) return false;
    if (sameId(chunk.id, WavDataId)) {
      layout.dataOffset = body;
      layout.dataLength = chunk.length;
      return haveFormat;
    }
    if (sameId(chunk.id, WavFormatId)) {
      if (haveFormat || chunk.length < sizeof(WavFormatChunk)) return false;
      layout.format = readRecord<WavFormatChunk>(data + body);
      haveFormat = true;
    }
    at = body + chunk.length + (chunk.length & 1);  // chunks are padded to an even length
  }
  return false;
}

// The shortest header of PCM samples: RIFF header, format chunk and the data chunk's header;
// dataLength bytes of samples follow.
inline void appendWavHeader(Bytes& out, const WavFormatChunk& format, uint32_t dataLength) {
  RiffHeader riff{};
  setId(riff.riff, RiffId);
  setId(riff.wave, WaveId);
  riff.size = static_cast<uint32_t>(sizeof riff.wave + 2 * sizeof(RiffChunkHeader) + sizeof format) + dataLength;
  RiffChunkHeader formatChunk{};
  setId(formatChunk.id, WavFormatId);
  formatChunk.length = sizeof format;
  RiffChunkHeader dataChunk{};
  setId(dataChunk.id, WavDataId);
  dataChunk.length = dataLength;
  appendRecord(out, riff);
  appendRecord(out, formatChunk);
  appendRecord(out, format);
  appendRecord(out, dataChunk);
}

}  // namespace formats
