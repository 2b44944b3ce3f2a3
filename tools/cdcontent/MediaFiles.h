#pragma once
// Encoders for the launcher's media: a 24-bit BMP and an uncompressed 32-bit (DIB) AVI that
// DirectShow's AVI splitter feeds straight to the video renderer. Sounds use the data folder's
// WAV writer.

#include <cstdint>
#include <vector>

#include "Picture.h"

namespace cdcontent {

using Bytes = std::vector<uint8_t>;

Bytes encodeBmp(const Picture& picture);
// All frames must have the size of the first.
Bytes encodeAvi(const std::vector<Picture>& frames, int framesPerSecond);

}  // namespace cdcontent
