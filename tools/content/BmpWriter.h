#pragma once
// Windows BMP files as SDL 1.2's loader and the Windows picture loader read them: the file header,
// a 40-byte info header, rows stored bottom-up and padded to 4 bytes (formats/BmpFormat.h).

#include "Image.h"

#include <cstdint>
#include <vector>

#include "formats/FileRecords.h"

using formats::Bytes;

// 24-bit blue-green-red, alpha dropped.
Bytes encodeBmp24(const Image& image);

// 32-bit blue-green-red-alpha with BI_RGB and no masks: SDL 1.2 copies the four bytes of every
// pixel unchanged, so the alpha byte reaches the texture upload.
Bytes encodeBmp32(const Image& image);

// 24 or 32 bits, as a catalogue entry asks.
Bytes encodeBmp(const Image& image, int bitsPerPixel);

// 8-bit palette picture; `indices` holds width x height bytes, top row first.
Bytes encodeBmp8(int width, int height, const std::vector<uint8_t>& indices, const std::vector<Rgba>& palette);

uint8_t toByte(float value);
