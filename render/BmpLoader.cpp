#include "render/BmpLoader.h"

#include <SDL.h>

#include <climits>
#include <cstdint>
#include <vector>

#include "world/FileBytes.h"
#include "world/MediaChecks.h"

SDL_Surface* loadCheckedBmp(const char* path) {
  std::vector<uint8_t> bytes;
  if (!readFileBytes(path, bytes) || bytes.size() > INT_MAX || !bmpLooksSound(bytes.data(), bytes.size())) {
    return nullptr;
  }
  // SDL copies the pixels into the surface, so the bytes may go when this returns.
  SDL_RWops* stream = SDL_RWFromConstMem(bytes.data(), static_cast<int>(bytes.size()));
  return stream ? SDL_LoadBMP_RW(stream, 1) : nullptr;
}
