#include "render/Md3Reader.h"

#include "formats/FileRecords.h"
#include "formats/Md3Format.h"

using namespace formats;

bool parseMd3(const uint8_t* data, size_t size, Md3Mesh& mesh) {
  mesh = Md3Mesh{};
  if (!data || !fits(0, 1, sizeof(Md3Header), size)) return false;
  const Md3Header header = readRecord<Md3Header>(data);
  if (header.numFrames < 0 || header.numTags < 0) return false;
  const uint64_t headerFrames = static_cast<uint64_t>(header.numFrames);
  const uint64_t headerTags = static_cast<uint64_t>(header.numTags);

  // The first surface lies behind the header, the frames and frames x tags tags, each term
  // checked against the file.
  uint64_t surface = sizeof(Md3Header);
  if (!fits(surface, headerFrames, sizeof(Md3Frame), size)) return false;
  surface += headerFrames * sizeof(Md3Frame);
  if (headerFrames > 0 && headerTags > 0) {
    if (!fits(surface, headerTags, sizeof(Md3Tag), size)) return false;
    const uint64_t tagRecords = headerTags * sizeof(Md3Tag);
    if (!fits(surface, headerFrames, tagRecords, size)) return false;
    surface += headerFrames * tagRecords;
  }
  if (!fits(surface, 1, sizeof(Md3Surface), size)) return false;

  const Md3Surface s = readRecord<Md3Surface>(data + surface);
  const int32_t frames = s.numFrames;
  const int32_t vertices = s.numVerts;
  const int32_t triangles = s.numTriangles;
  if (frames <= 0 || vertices < 0 || triangles < 0) return false;
  if (vertices > Md3IndexedVertices) return false;
  if (s.ofsTriangles < 0 || s.ofsSt < 0 || s.ofsXyzNormals < 0) return false;

  const uint64_t triangleStart = surface + static_cast<uint64_t>(s.ofsTriangles);
  const uint64_t texCoordStart = surface + static_cast<uint64_t>(s.ofsSt);
  const uint64_t vertexStart = surface + static_cast<uint64_t>(s.ofsXyzNormals);
  if (!fits(triangleStart, static_cast<uint64_t>(triangles), sizeof(Md3Triangle), size)) return false;
  if (!fits(texCoordStart, static_cast<uint64_t>(vertices), sizeof(Md3TexCoord), size)) return false;
  if (vertices > 0) {
    const uint64_t frameBytes = static_cast<uint64_t>(vertices) * sizeof(Md3Vertex);
    if (!fits(vertexStart, static_cast<uint64_t>(frames), frameBytes, size)) return false;
  }

  const uint8_t* triangleData = data + triangleStart;
  for (int32_t t = 0; t < triangles; ++t) {
    for (const int32_t index : readRecord<Md3Triangle>(triangleData + t * sizeof(Md3Triangle)).indexes) {
      if (index < 0 || index >= vertices) return false;
    }
  }

  mesh.frameCount = frames;
  mesh.vertexCount = vertices;
  mesh.triangleCount = triangles;
  mesh.indices.reserve(static_cast<size_t>(triangles) * 3);
  for (int32_t t = 0; t < triangles; ++t) {
    for (const int32_t index : readRecord<Md3Triangle>(triangleData + t * sizeof(Md3Triangle)).indexes) {
      mesh.indices.push_back(static_cast<uint16_t>(index & 0xFFFF));
    }
  }
  mesh.texCoords.reserve(static_cast<size_t>(vertices) * 2);
  for (int32_t v = 0; v < vertices; ++v) {
    const Md3TexCoord st = readRecord<Md3TexCoord>(data + texCoordStart + v * sizeof(Md3TexCoord));
    mesh.texCoords.push_back(st.st[0]);
    mesh.texCoords.push_back(st.st[1]);
  }
  mesh.positions.resize(static_cast<size_t>(frames) * static_cast<size_t>(vertices));
  for (size_t k = 0; k < mesh.positions.size(); ++k) {
    const Md3Vertex v = readRecord<Md3Vertex>(data + vertexStart + k * sizeof(Md3Vertex));
    const float x = v.xyz[0] / Md3StepsPerUnit;
    const float y = v.xyz[1] / Md3StepsPerUnit;
    const float z = v.xyz[2] / Md3StepsPerUnit;
    mesh.positions[k] = {x, z, -y};
  }
  return true;
}
