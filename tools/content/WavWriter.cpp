#include "WavWriter.h"

#include <cmath>

namespace {

// Appends fixed tag bytes (the counted length allows a NUL inside).
void putTag(Bytes& out, const char* tag, size_t length) {
  for (size_t i = 0; i < length; ++i) out.push_back(static_cast<uint8_t>(tag[i]));
}

void put16(Bytes& out, uint32_t value) {
  out.push_back(static_cast<uint8_t>(value));
  out.push_back(static_cast<uint8_t>(value >> 8));
}

void put32(Bytes& out, uint32_t value) {
  put16(out, value & 0xFFFF);
  put16(out, value >> 16);
}

}  // namespace

Bytes encodeWav(const std::vector<float>& samples, int channels) {
  const uint32_t dataBytes = static_cast<uint32_t>(samples.size() * 2);
  Bytes out;
  out.reserve(44 + dataBytes);
  putTag(out, "RIFF", 4);
  put32(out, 36 + dataBytes);
  putTag(out, "WAVEfmt ", 8);
  put32(out, 16);
  put16(out, 1);  // PCM
  put16(out, static_cast<uint32_t>(channels));
  put32(out, SampleRate);
  put32(out, SampleRate * channels * 2);
  put16(out, static_cast<uint32_t>(channels * 2));
  put16(out, 16);
  putTag(out, "data", 4);
  put32(out, dataBytes);
  for (float sample : samples) {
    float scaled = std::round(sample * 32767.0f);
    scaled = scaled < -32768.0f ? -32768.0f : (scaled > 32767.0f ? 32767.0f : scaled);
    put16(out, static_cast<uint16_t>(static_cast<int16_t>(scaled)));
  }
  return out;
}
