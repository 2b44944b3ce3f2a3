// Sounds: the WAV header check and SDL_mixer's loader behind it, on arbitrary bytes. The mixer
// runs on SDL's dummy audio driver.
#include <SDL.h>
#include <SDL_mixer.h>

#include <cstdlib>

#include "world/SoundPlayer.h"

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  setenv("SDL_AUDIODRIVER", "dummy", 1);
  if (Mix_OpenAudio(22050, AUDIO_S16SYS, 2, 1024) != 0) std::abort();
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  Mix_Chunk* chunk = loadCheckedWav(data, size);
  if (chunk) Mix_FreeChunk(chunk);
  return 0;
}
