#pragma once
// Encoders for the launcher's media: a 24-bit BMP, an uncompressed 32-bit (DIB) AVI that
// DirectShow's AVI splitter feeds straight to the video renderer, and 16-bit mono PCM WAV sounds.

#include <cstdint>
#include <vector>

#include "Picture.h"

namespace cdcontent {

using Bytes = std::vector<uint8_t>;

constexpr int kSoundRate = 22050;

Bytes encodeBmp(const Picture& picture);
// All frames must have the size of the first.
Bytes encodeAvi(const std::vector<Picture>& frames, int framesPerSecond);
Bytes encodeWav(const std::vector<float>& samples);

}  // namespace cdcontent
