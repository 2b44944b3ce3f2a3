#pragma once
// The scene's sounds at 22050 Hz: the underwater ambience loop and four gull calls.

#include <vector>

// Interleaved stereo, a whole number of frames that loops without a seam: every noise is
// filtered circularly and every envelope repeats a whole number of times per loop. Long, and its
// waves and bubbles come unevenly, so that it plays for hours without being heard to repeat.
std::vector<float> waterLoop();
constexpr int WaterLoopSeconds = 64;

// Mono; `call` 0 to 3: a long "kyow", a laughing series, a short pair, a distant call.
std::vector<float> gullCall(int call);
