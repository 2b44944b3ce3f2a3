#include "render/Md3Reader.h"

#include <cstring>

// Layout (all integers 32-bit little-endian):
//   header    108 bytes; frame count at 76, tag count at 80
//   frames    56 bytes each, then tags: frames x tags records of 112 bytes
//   surface   frame count at 72, vertex count at 80, triangle count at 84, and offsets from the
//             surface start: triangles at 88 (3 x int32), texture coordinates at 96
//             (2 x float), vertices at 100 (frames x vertices records: int16 x, y, z, normal)
namespace {

constexpr uint64_t HeaderSize = 108;
constexpr uint64_t FrameSize = 56;
constexpr uint64_t TagSize = 112;
constexpr uint64_t SurfaceFieldsEnd = 104;
constexpr uint64_t TriangleSize = 12;
constexpr uint64_t TexCoordSize = 8;
constexpr uint64_t VertexSize = 8;

int32_t readInt32(const uint8_t* p) {
  const uint32_t v = uint32_t(p[0]) | uint32_t(p[1]) << 8 | uint32_t(p[2]) << 16 | uint32_t(p[3]) << 24;
  return static_cast<int32_t>(v);
}

int16_t readInt16(const uint8_t* p) { return static_cast<int16_t>(uint16_t(p[0]) | uint16_t(p[1]) << 8); }

float readFloat(const uint8_t* p) {
  const uint32_t bits = static_cast<uint32_t>(readInt32(p));
  float value;
  std::memcpy(&value, &bits, sizeof value);
  return value;
}

// True when count records of recordSize bytes starting at offset lie inside size bytes. Written
// with a division so that no product can overflow.
bool fits(uint64_t offset, uint64_t count, uint64_t recordSize, uint64_t size) {
  if (offset > size) return false;
  return count <= (size - offset) / recordSize;
}

}  // namespace

bool parseMd3(const uint8_t* data, size_t size, Md3Mesh& mesh) {
  mesh = Md3Mesh{};
  if (!data || size < HeaderSize) return false;
  const int32_t headerFrames = readInt32(data + 76);
  const int32_t headerTags = readInt32(data + 80);
  if (headerFrames < 0 || headerTags < 0) return false;

  // surface = 108 + frames x 56 + frames x tags x 112, each term checked against the file.
  uint64_t surface = HeaderSize;
  if (!fits(surface, static_cast<uint64_t>(headerFrames), FrameSize, size)) return false;
  surface += static_cast<uint64_t>(headerFrames) * FrameSize;
  if (headerFrames > 0 && headerTags > 0) {
    if (static_cast<uint64_t>(headerTags) > (size - surface) / TagSize) return false;
    const uint64_t tagRecords = static_cast<uint64_t>(headerTags) * TagSize;
    if (static_cast<uint64_t>(headerFrames) > (size - surface) / tagRecords) return false;
    surface += static_cast<uint64_t>(headerFrames) * tagRecords;
  }
  if (!fits(surface, 1, SurfaceFieldsEnd, size)) return false;

  const uint8_t* s = data + surface;
  const int32_t frames = readInt32(s + 72);
  const int32_t vertices = readInt32(s + 80);
  const int32_t triangles = readInt32(s + 84);
  const int32_t triangleOffset = readInt32(s + 88);
  const int32_t texCoordOffset = readInt32(s + 96);
  const int32_t vertexOffset = readInt32(s + 100);
  if (frames <= 0 || vertices < 0 || triangles < 0) return false;
  if (triangleOffset < 0 || texCoordOffset < 0 || vertexOffset < 0) return false;

  const uint64_t triangleStart = surface + static_cast<uint64_t>(triangleOffset);
  const uint64_t texCoordStart = surface + static_cast<uint64_t>(texCoordOffset);
  const uint64_t vertexStart = surface + static_cast<uint64_t>(vertexOffset);
  if (!fits(triangleStart, static_cast<uint64_t>(triangles), TriangleSize, size)) return false;
  if (!fits(texCoordStart, static_cast<uint64_t>(vertices), TexCoordSize, size)) return false;
  if (vertices > 0) {
    const uint64_t frameBytes = static_cast<uint64_t>(vertices) * VertexSize;
    if (!fits(vertexStart, static_cast<uint64_t>(frames), frameBytes, size)) return false;
  }

  const uint64_t indexCount = static_cast<uint64_t>(triangles) * 3;
  const uint8_t* indexData = data + triangleStart;
  for (uint64_t k = 0; k < indexCount; ++k) {
    const int32_t index = readInt32(indexData + 4 * k);
    if (index < 0 || index >= vertices) return false;
  }

  mesh.frameCount = frames;
  mesh.vertexCount = vertices;
  mesh.triangleCount = triangles;
  mesh.indices.resize(indexCount);
  for (uint64_t k = 0; k < indexCount; ++k) {
    mesh.indices[k] = static_cast<uint16_t>(readInt32(indexData + 4 * k) & 0xFFFF);
  }
  mesh.texCoords.resize(static_cast<size_t>(vertices) * 2);
  for (size_t k = 0; k < mesh.texCoords.size(); ++k) mesh.texCoords[k] = readFloat(data + texCoordStart + 4 * k);
  mesh.positions.resize(static_cast<size_t>(frames) * static_cast<size_t>(vertices));
  for (size_t k = 0; k < mesh.positions.size(); ++k) {
    const uint8_t* v = data + vertexStart + VertexSize * k;
    const float x = readInt16(v) / 64.0f;
    const float y = readInt16(v + 2) / 64.0f;
    const float z = readInt16(v + 4) / 64.0f;
    mesh.positions[k] = {x, z, -y};
  }
  return true;
}
