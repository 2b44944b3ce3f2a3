#pragma once
// RIFF WAVE files, 16-bit PCM, as SDL_mixer's WAV loader reads them.

#include <vector>

#include "formats/FileRecords.h"

using formats::Bytes;

constexpr int SampleRate = 22050;

// `samples` are interleaved frames in [-1, 1]; values outside are clipped.
Bytes encodeWav(const std::vector<float>& samples, int channels);
