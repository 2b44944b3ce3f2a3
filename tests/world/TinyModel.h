#pragma once
#include <cstdint>
#include <string>

#include "render/QModel.h"

// An .nlm model of one vertex and frameCount frames, built in memory: enough for controllers
// that read and set a model's animation, with no file and no GL.
inline std::string tinyModelBytes(int frameCount) {
  std::string bytes;
  auto put32 = [&bytes](size_t at, int32_t value) {
    for (int i = 0; i < 4; ++i) bytes[at + i] = static_cast<char>((static_cast<uint32_t>(value) >> (8 * i)) & 0xFF);
  };
  const size_t surface = 108 + static_cast<size_t>(frameCount) * 56;
  bytes.assign(surface + 112 + static_cast<size_t>(frameCount) * 8, '\0');
  put32(76, frameCount);
  put32(80, 0);               // no tags
  put32(surface + 72, frameCount);
  put32(surface + 80, 1);     // vertices
  put32(surface + 84, 0);     // triangles
  put32(surface + 88, 104);   // triangle records
  put32(surface + 96, 104);   // texture coordinates
  put32(surface + 100, 112);  // vertices
  return bytes;
}

inline bool loadTinyModel(QModel& model, int frameCount) {
  const std::string bytes = tinyModelBytes(frameCount);
  return model.loadMD3(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size());
}
