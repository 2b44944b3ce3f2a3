#include "render/HeightMapReader.h"

#include <SDL.h>

#include <cstdio>
#include <cstring>

#include "render/BmpLoader.h"

namespace {

bool readSurface(SDL_Surface* surface, const char* name, HeightMap& map) {
  map = HeightMap{};
  if (!surface) {
    std::printf("Could not load height map: %s\n", name);
    return false;
  }
  if (surface->format->BytesPerPixel != 1) {
    std::printf("sdlsurf->format->BytesPerPixel != 1\n");
    SDL_FreeSurface(surface);
    return false;
  }
  // Copied row by row through the pitch, so a width that is not a multiple of 4 (whose decoded
  // rows carry padding) still gives the right heights.
  map.width = surface->w;
  map.height = surface->h;
  map.heights.resize(static_cast<size_t>(surface->w) * surface->h);
  const uint8_t* pixels = static_cast<const uint8_t*>(surface->pixels);
  for (int row = 0; row < surface->h; ++row) {
    std::memcpy(map.heights.data() + static_cast<size_t>(row) * surface->w,
                pixels + static_cast<size_t>(row) * surface->pitch, surface->w);
  }
  SDL_FreeSurface(surface);
  return true;
}

}  // namespace

bool readHeightMap(const uint8_t* data, size_t size, const char* name, HeightMap& map) {
  return readSurface(loadCheckedBmp(data, size), name, map);
}

bool readHeightMap(const char* path, HeightMap& map) { return readSurface(loadCheckedBmp(path), path, map); }
