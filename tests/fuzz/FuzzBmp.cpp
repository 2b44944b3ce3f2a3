// Textures: the BMP header check and SDL's BMP loader behind it, on arbitrary bytes.
#include <SDL.h>

#include "render/BmpLoader.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  SDL_Surface* surface = loadCheckedBmp(data, size);
  if (surface) {
    // Touch every decoded row, as the texture upload does.
    const uint8_t* pixels = static_cast<const uint8_t*>(surface->pixels);
    volatile uint8_t last = 0;
    for (int row = 0; row < surface->h; ++row)
      last = pixels[static_cast<size_t>(row) * surface->pitch + surface->pitch - 1];
    (void)last;
    SDL_FreeSurface(surface);
  }
  return 0;
}
