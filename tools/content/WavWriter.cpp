#include "WavWriter.h"

#include <cmath>

#include "formats/WavFormat.h"

Bytes encodeWav(const std::vector<float>& samples, int channels) {
  constexpr int BitsPerSample = 16;
  const uint32_t dataBytes = static_cast<uint32_t>(samples.size() * sizeof(int16_t));
  Bytes out;
  out.reserve(sizeof(formats::RiffHeader) + 2 * sizeof(formats::RiffChunkHeader) + sizeof(formats::WavFormatChunk) +
              dataBytes);
  formats::appendWavHeader(out, formats::pcmFormat(channels, SampleRate, BitsPerSample), dataBytes);
  for (float sample : samples) {
    float scaled = std::round(sample * 32767.0f);
    scaled = scaled < -32768.0f ? -32768.0f : (scaled > 32767.0f ? 32767.0f : scaled);
    formats::appendRecord(out, static_cast<int16_t>(scaled));
  }
  return out;
}
