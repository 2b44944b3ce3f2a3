// The height-map reader on arbitrary bytes.
#include "render/HeightMapReader.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  HeightMap map;
  if (readHeightMap(data, size, "fuzz", map)) {
    if (map.heights.size() != static_cast<size_t>(map.width) * map.height) __builtin_trap();
  }
  return 0;
}
