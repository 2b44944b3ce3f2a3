#include "render/BmpLoader.h"

#include <SDL.h>

#include <climits>
#include <vector>

#include "world/FileBytes.h"
#include "world/MediaChecks.h"

SDL_Surface* loadCheckedBmp(const uint8_t* data, size_t size) {
  if (size > INT_MAX || !bmpLooksSound(data, size)) return nullptr;
  // SDL copies the pixels into the surface, so the bytes may go when this returns.
  SDL_RWops* stream = SDL_RWFromConstMem(data, static_cast<int>(size));
  return stream ? SDL_LoadBMP_RW(stream, 1) : nullptr;
}

SDL_Surface* loadCheckedBmp(const char* path) {
  std::vector<uint8_t> bytes;
  return readFileBytes(path, bytes) ? loadCheckedBmp(bytes.data(), bytes.size()) : nullptr;
}
