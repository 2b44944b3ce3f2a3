#pragma once
#include <cstddef>
#include <cstdint>
#include <vector>

// An 8-bit palette bitmap read as heights, one byte a pixel, top row first.
struct HeightMap {
  int width = 0;
  int height = 0;
  std::vector<uint8_t> heights;
};

// Both report a failure on standard output: "Could not load height map: <name>" for a file SDL
// cannot read or that was refused, "sdlsurf->format->BytesPerPixel != 1" for other than 8 bits.
bool readHeightMap(const uint8_t* data, size_t size, const char* name, HeightMap& map);
bool readHeightMap(const char* path, HeightMap& map);
