#include "tests/support/SoundSamples.h"

#include <cstdint>

std::string samplesAtVolume(const std::string& samples, int volume) {
  std::string scaled = samples;
  for (size_t i = 0; i + 1 < scaled.size(); i += 2) {
    const auto sample =
        static_cast<int16_t>(static_cast<uint8_t>(scaled[i]) | static_cast<uint8_t>(scaled[i + 1]) << 8);
    const auto quieter = static_cast<int16_t>(sample * volume / 128);
    scaled[i] = static_cast<char>(quieter & 0xFF);
    scaled[i + 1] = static_cast<char>((quieter >> 8) & 0xFF);
  }
  return scaled;
}
