#pragma once

struct SDL_Surface;

// SDL_LoadBMP for a file whose header passed bmpLooksSound; nullptr for a missing, unreadable
// or refused file. The caller frees the surface.
SDL_Surface* loadCheckedBmp(const char* path);
