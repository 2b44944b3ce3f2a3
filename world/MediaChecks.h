#pragma once
#include <cstddef>
#include <cstdint>

// Header checks for the BMP and WAV files handed to SDL 1.2 and SDL_mixer, whose loaders trust
// the sizes and counts a header states. A file that passes holds everything its header names,
// in a layout those loaders handle; anything else is refused before it reaches them.

// Windows bitmaps: 1, 4, 8, 16, 24 or 32 bits, uncompressed (or bit fields at 16 and 32), at
// most 8192 pixels a side, with palette and pixel rows inside the file.
bool bmpLooksSound(const uint8_t* data, size_t size);

// RIFF WAVE: 8- or 16-bit PCM, mono or stereo, 8000 to 48000 samples a second, a format chunk
// before a data chunk, and every chunk up to the data inside the file. SDL 1.2 converts rates in
// steps of two, each taking a slot of a fixed filter list: a rate far from the device's overruns
// that list.
bool wavLooksSound(const uint8_t* data, size_t size);
