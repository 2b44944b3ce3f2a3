#include "FileReaders.h"

#include <cstring>
#include <fstream>
#include <iterator>

#include "formats/BmpFormat.h"
#include "formats/FileRecords.h"
#include "formats/Md3Format.h"
#include "formats/WavFormat.h"

using namespace formats;

std::vector<uint8_t> readFile(const std::string& path) {
  std::ifstream file(path, std::ios::binary);
  return std::vector<uint8_t>(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

BmpPicture readBmp(const std::string& path) {
  BmpPicture picture;
  std::vector<uint8_t> data = readFile(path);
  BmpLayout layout;
  if (!readBmpLayout(data.data(), data.size(), layout) || layout.infoSize != BmpInfoHeaderSize ||
      layout.compression != BiRgb) {
    return picture;
  }
  const int64_t width = layout.width, height = layout.height;
  const int bits = static_cast<int>(layout.bitsPerPixel);
  if (width <= 0 || height <= 0 || (bits != 8 && bits != 24 && bits != 32)) return picture;
  const uint64_t bytesPerPixel = bits / 8;
  const uint64_t rowBytes = bmpRowBytes(width, bits);
  const uint64_t colours = bits == 8 ? (layout.coloursUsed ? layout.coloursUsed : 256) : 0;
  if (layout.pixelOffset < sizeof(BmpFileHeader) + sizeof(BmpInfoHeader) + colours * 4 ||
      !fits(layout.pixelOffset, height, rowBytes, data.size())) {
    return picture;
  }
  picture.width = static_cast<int>(width);
  picture.height = static_cast<int>(height);
  picture.bitsPerPixel = bits;
  picture.pixels.resize(width * height * bytesPerPixel);
  for (int64_t y = 0; y < height; ++y) {
    const uint8_t* row = data.data() + layout.pixelOffset + rowBytes * (height - 1 - y);
    std::memcpy(&picture.pixels[y * width * bytesPerPixel], row, width * bytesPerPixel);
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
  if (!fits(0, 1, sizeof(Md3Header), data.size())) return fail("shorter than the header");
  const Md3Header header = readRecord<Md3Header>(data.data());
  if (!sameId(header.ident, Md3Ident) || header.version != Md3Version) return fail("not an MD3 file");
  const uint64_t headerFrames = static_cast<uint32_t>(header.numFrames), tags = static_cast<uint32_t>(header.numTags);
  const uint64_t surface = sizeof(Md3Header) + headerFrames * sizeof(Md3Frame) + headerFrames * tags * sizeof(Md3Tag);
  if (surface != static_cast<uint32_t>(header.ofsSurfaces)) {
    return fail("surface offset field disagrees with the computed first surface");
  }
  if (!fits(surface, 1, sizeof(Md3Surface), data.size())) return fail("surface header past the end");
  const Md3Surface s = readRecord<Md3Surface>(data.data() + surface);
  model.frames = s.numFrames;
  model.vertices = s.numVerts;
  model.triangles = s.numTriangles;
  const uint64_t triangles = surface + static_cast<uint32_t>(s.ofsTriangles);
  const uint64_t uvs = surface + static_cast<uint32_t>(s.ofsSt);
  const uint64_t vertices = surface + static_cast<uint32_t>(s.ofsXyzNormals);
  if (static_cast<uint64_t>(model.frames) != headerFrames) return fail("surface and header frame counts differ");
  if (model.frames < 0 || model.vertices < 0 || model.triangles < 0 ||
      !fits(triangles, model.triangles, sizeof(Md3Triangle), data.size()) ||
      !fits(uvs, model.vertices, sizeof(Md3TexCoord), data.size()) ||
      !fits(vertices, static_cast<uint64_t>(model.vertices) * model.frames, sizeof(Md3Vertex), data.size())) {
    return fail("an array runs past the end");
  }
  for (int t = 0; t < model.triangles; ++t) {
    for (int32_t index : readRecord<Md3Triangle>(data.data() + triangles + t * sizeof(Md3Triangle)).indexes) {
      model.indices.push_back(static_cast<uint32_t>(index));
    }
  }
  for (int v = 0; v < model.vertices; ++v) {
    for (float st : readRecord<Md3TexCoord>(data.data() + uvs + v * sizeof(Md3TexCoord)).st) model.uvs.push_back(st);
  }
  for (int f = 0; f < model.frames; ++f) {
    std::vector<float> frame;
    for (int v = 0; v < model.vertices; ++v) {
      const uint64_t at = vertices + sizeof(Md3Vertex) * (static_cast<uint64_t>(f) * model.vertices + v);
      for (int16_t c : readRecord<Md3Vertex>(data.data() + at).xyz) frame.push_back(c / Md3StepsPerUnit);
    }
    model.positions.push_back(frame);
  }
  model.valid = true;
  return model;
}

WavSound readWav(const std::string& path) {
  WavSound sound;
  std::vector<uint8_t> data = readFile(path);
  WavLayout layout;
  if (!readWavLayout(data.data(), data.size(), layout) || layout.format.formatTag != WavPcm ||
      layout.dataLength % sizeof(int16_t) != 0) {
    return sound;
  }
  sound.channels = layout.format.channels;
  sound.rate = static_cast<int>(layout.format.sampleRate);
  sound.bits = layout.format.bitsPerSample;
  for (uint64_t i = 0; i < layout.dataLength / sizeof(int16_t); ++i) {
    sound.samples.push_back(readRecord<int16_t>(data.data() + layout.dataOffset + i * sizeof(int16_t)));
  }
  sound.valid = true;
  return sound;
}

FontAtlas readFont(const std::string& path) {
  FontAtlas font;
  std::vector<uint8_t> data = readFile(path);
  if (!fits(0, 1, sizeof(FontHeader), data.size())) return font;
  const FontHeader header = readRecord<FontHeader>(data.data());
  if (header.width < 0 || header.height < 0 || header.skippedCount < 0) return font;
  const uint64_t glyphsAt = sizeof(FontHeader) + FontSkippedEntrySize * static_cast<uint64_t>(header.skippedCount);
  if (!fits(glyphsAt, 1, sizeof(int32_t), data.size())) return font;
  const int32_t glyphs = readRecord<int32_t>(data.data() + glyphsAt);
  if (glyphs < 0) return font;
  const uint64_t texelsAt = glyphsAt + sizeof(int32_t) + sizeof(FontGlyphRecord) * static_cast<uint64_t>(glyphs);
  const uint64_t texels = FontTexelSize * static_cast<uint64_t>(header.width) * static_cast<uint64_t>(header.height);
  if (texelsAt > data.size() || data.size() - texelsAt != texels) return font;
  for (int32_t g = 0; g < glyphs; ++g) {
    font.glyphs.push_back(
        readRecord<FontGlyphRecord>(data.data() + glyphsAt + sizeof(int32_t) + g * sizeof(FontGlyphRecord)));
  }
  font.width = header.width;
  font.height = header.height;
  font.texels.assign(data.begin() + static_cast<long>(texelsAt), data.end());
  font.valid = true;
  return font;
}
