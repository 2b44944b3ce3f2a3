#pragma once
#include <cstddef>
#include <cstdint>
#include <vector>

#include "world/Vector.h"

// The first surface of an MD3 model (.nlm), converted to scene axes.
struct Md3Mesh {
  int frameCount = 0;
  int vertexCount = 0;
  int triangleCount = 0;
  std::vector<Vector3> positions;  // frameCount x vertexCount, frame after frame
  std::vector<float> texCoords;    // vertexCount pairs (s, t), the same for every frame
  std::vector<uint16_t> indices;   // 3 x triangleCount, in file order
};

// The most vertices a surface may have: its indices are kept in 16 bits.
constexpr int32_t Md3IndexedVertices = 65536;

// Parses an MD3 file held in memory. Only the counts and offsets the model needs are read; the
// first surface is found behind the header, frames and tags (the header's surface offset is not
// used). A vertex (x, y, z) becomes (x / 64, z / 64, -y / 64).
// Rejects, without reading outside data, any file whose counts or offsets run past its end, a
// model without frames, a surface of more than Md3IndexedVertices vertices, and triangles whose
// indices do not name one of its vertices.
bool parseMd3(const uint8_t* data, size_t size, Md3Mesh& mesh);
