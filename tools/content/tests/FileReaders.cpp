#include "FileReaders.h"

#include <cstring>
#include <fstream>
#include <iterator>

std::vector<uint8_t> readFile(const std::string& path) {
  std::ifstream file(path, std::ios::binary);
  return std::vector<uint8_t>(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

uint32_t le32(const std::vector<uint8_t>& data, size_t offset) {
  return data[offset] | (data[offset + 1] << 8) | (data[offset + 2] << 16) |
         (static_cast<uint32_t>(data[offset + 3]) << 24);
}

uint16_t le16(const std::vector<uint8_t>& data, size_t offset) {
  return static_cast<uint16_t>(data[offset] | (data[offset + 1] << 8));
}

float leFloat(const std::vector<uint8_t>& data, size_t offset) {
  uint32_t bits = le32(data, offset);
  float value;
  std::memcpy(&value, &bits, 4);
  return value;
}

BmpPicture readBmp(const std::string& path) {
  BmpPicture picture;
  std::vector<uint8_t> data = readFile(path);
  if (data.size() < 54 || data[0] != 'B' || data[1] != 'M' || le32(data, 14) != 40 || le32(data, 30) != 0) {
    return picture;
  }
  int32_t width = static_cast<int32_t>(le32(data, 18));
  int32_t height = static_cast<int32_t>(le32(data, 22));
  int bits = le16(data, 28);
  uint64_t offset = le32(data, 10);
  if (width <= 0 || height <= 0 || (bits != 8 && bits != 24 && bits != 32)) return picture;
  uint64_t bytesPerPixel = bits / 8;
  uint64_t rowBytes = (static_cast<uint64_t>(width) * bytesPerPixel + 3) & ~3ull;
  uint64_t colours = bits == 8 ? (le32(data, 46) ? le32(data, 46) : 256) : 0;
  if (offset < 54 + colours * 4 || offset + rowBytes * height > data.size()) return picture;
  picture.width = width;
  picture.height = height;
  picture.bitsPerPixel = bits;
  picture.pixels.resize(static_cast<size_t>(width) * height * bytesPerPixel);
  for (int y = 0; y < height; ++y) {
    const uint8_t* row = data.data() + offset + rowBytes * (height - 1 - y);
    std::memcpy(&picture.pixels[static_cast<size_t>(y) * width * bytesPerPixel], row, width * bytesPerPixel);
  }
  picture.valid = true;
  return picture;
}

Md3Model readMd3(const std::string& path) {
  Md3Model model;
  std::vector<uint8_t> data = readFile(path);
  auto fail = [&](const char* why) {
    model.error = why;
    return model;
  };
  if (data.size() < 108) return fail("shorter than the header");
  uint64_t headerFrames = le32(data, 76), tags = le32(data, 80);
  uint64_t surface = 108 + headerFrames * 56 + headerFrames * tags * 112;
  if (surface != le32(data, 100)) return fail("surface offset field disagrees with the computed first surface");
  if (surface + 108 > data.size()) return fail("surface header past the end");
  model.frames = static_cast<int>(le32(data, surface + 72));
  model.vertices = static_cast<int>(le32(data, surface + 80));
  model.triangles = static_cast<int>(le32(data, surface + 84));
  uint64_t triangles = surface + le32(data, surface + 88);
  uint64_t uvs = surface + le32(data, surface + 96);
  uint64_t vertices = surface + le32(data, surface + 100);
  if (static_cast<uint64_t>(model.frames) != headerFrames) return fail("surface and header frame counts differ");
  if (triangles + 12ull * model.triangles > data.size() || uvs + 8ull * model.vertices > data.size() ||
      vertices + 8ull * model.vertices * model.frames > data.size()) {
    return fail("an array runs past the end");
  }
  for (uint64_t i = 0; i < 3ull * model.triangles; ++i) model.indices.push_back(le32(data, triangles + 4 * i));
  for (uint64_t i = 0; i < 2ull * model.vertices; ++i) model.uvs.push_back(leFloat(data, uvs + 4 * i));
  for (int f = 0; f < model.frames; ++f) {
    std::vector<float> frame;
    for (int v = 0; v < model.vertices; ++v) {
      uint64_t at = vertices + 8ull * (static_cast<uint64_t>(f) * model.vertices + v);
      for (int c = 0; c < 3; ++c) frame.push_back(static_cast<int16_t>(le16(data, at + 2 * c)) / 64.0f);
    }
    model.positions.push_back(frame);
  }
  model.valid = true;
  return model;
}

WavSound readWav(const std::string& path) {
  WavSound sound;
  std::vector<uint8_t> data = readFile(path);
  if (data.size() < 44 || std::memcmp(data.data(), "RIFF", 4) != 0 ||
      std::memcmp(data.data() + 8, "WAVEfmt ", 8) != 0 || le16(data, 20) != 1 ||
      std::memcmp(data.data() + 36, "data", 4) != 0) {
    return sound;
  }
  sound.channels = le16(data, 22);
  sound.rate = static_cast<int>(le32(data, 24));
  sound.bits = le16(data, 34);
  uint64_t bytes = le32(data, 40);
  if (44 + bytes > data.size() || bytes % 2 != 0) return sound;
  for (uint64_t i = 0; i < bytes / 2; ++i) sound.samples.push_back(static_cast<int16_t>(le16(data, 44 + 2 * i)));
  sound.valid = true;
  return sound;
}
