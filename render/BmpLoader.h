#pragma once
#include <cstddef>
#include <cstdint>

struct SDL_Surface;

// SDL_LoadBMP for bytes that passed bmpLooksSound; nullptr for refused bytes or a missing or
// unreadable file. The caller frees the surface.
SDL_Surface* loadCheckedBmp(const uint8_t* data, size_t size);
SDL_Surface* loadCheckedBmp(const char* path);
