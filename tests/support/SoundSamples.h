#pragma once
#include <string>

// Interleaved signed 16-bit little-endian samples as SDL_mixer plays them at volume (of 128): each
// scaled and rounded toward zero, as its mixing does.
std::string samplesAtVolume(const std::string& samples, int volume);
