#include "Md3Writer.h"

#include <cmath>
#include <cstdio>

#include "formats/FileRecords.h"
#include "formats/Md3Format.h"

using namespace formats;

namespace {

constexpr float Pi = 3.14159265358979f;

std::vector<Vec3> vertexNormals(const Mesh& mesh, const std::vector<Vec3>& positions) {
  std::vector<Vec3> normals(positions.size());
  for (const auto& tri : mesh.triangles()) {
    Vec3 n = cross(positions[tri[1]] - positions[tri[0]], positions[tri[2]] - positions[tri[0]]);
    for (int corner : tri) normals[corner] = normals[corner] + n;
  }
  for (Vec3& n : normals) n = normalized(n);
  return normals;
}

uint16_t packNormal(const Vec3& n) {
  int lat = static_cast<int>(std::acos(std::fmax(-1.0f, std::fmin(1.0f, n.z))) * 255.0f / (2.0f * Pi));
  int lng = static_cast<int>(std::atan2(n.y, n.x) * 255.0f / (2.0f * Pi));
  return static_cast<uint16_t>(((lat & 255) << 8) | (lng & 255));
}

}  // namespace

bool encodeMd3(const AnimatedModel& model, const std::string& name, const std::string& skin, Bytes& out) {
  const Mesh& mesh = model.mesh;
  const int32_t frames = static_cast<int32_t>(model.frames.size());
  const int32_t vertices = mesh.vertexCount();
  const int32_t triangles = static_cast<int32_t>(mesh.triangles().size());
  if (frames == 0 || vertices == 0) {
    std::fprintf(stderr, "reefcontent: model %s has no frames or vertices\n", name.c_str());
    return false;
  }

  // No tags; one surface with one shader, then its triangles, texture coordinates and vertices.
  Md3Surface surface{};
  setId(surface.ident, Md3Ident);
  setName(surface.name, "body");
  surface.numFrames = frames;
  surface.numShaders = 1;
  surface.numVerts = vertices;
  surface.numTriangles = triangles;
  surface.ofsShaders = sizeof(Md3Surface);
  surface.ofsTriangles = surface.ofsShaders + sizeof(Md3Shader);
  surface.ofsSt = surface.ofsTriangles + triangles * static_cast<int32_t>(sizeof(Md3Triangle));
  surface.ofsXyzNormals = surface.ofsSt + vertices * static_cast<int32_t>(sizeof(Md3TexCoord));
  surface.ofsEnd = surface.ofsXyzNormals + frames * vertices * static_cast<int32_t>(sizeof(Md3Vertex));

  Md3Header header{};
  setId(header.ident, Md3Ident);
  header.version = Md3Version;
  setName(header.name, name.c_str());
  header.numFrames = frames;
  header.numSurfaces = 1;
  header.ofsFrames = sizeof(Md3Header);
  header.ofsTags = header.ofsFrames + frames * static_cast<int32_t>(sizeof(Md3Frame));
  header.ofsSurfaces = header.ofsTags;
  header.ofsEnd = header.ofsSurfaces + surface.ofsEnd;

  out.clear();
  out.reserve(static_cast<size_t>(header.ofsEnd));
  appendRecord(out, header);
  for (int32_t f = 0; f < frames; ++f) {
    Vec3 low{1e9f, 1e9f, 1e9f}, high{-1e9f, -1e9f, -1e9f};
    float radius = 0.0f;
    for (const Vec3& p : model.frames[f]) {
      low = Vec3{std::fmin(low.x, p.x), std::fmin(low.y, p.y), std::fmin(low.z, p.z)};
      high = Vec3{std::fmax(high.x, p.x), std::fmax(high.y, p.y), std::fmax(high.z, p.z)};
      radius = std::fmax(radius, length(p));
    }
    Md3Frame frame{{{low.x, low.y, low.z}, {high.x, high.y, high.z}}, {0.0f, 0.0f, 0.0f}, radius, {}};
    setName(frame.name, ("frame" + std::to_string(f)).c_str());
    appendRecord(out, frame);
  }

  appendRecord(out, surface);
  Md3Shader shader{};
  setName(shader.name, skin.c_str());
  appendRecord(out, shader);
  for (const auto& tri : mesh.triangles()) appendRecord(out, Md3Triangle{{tri[0], tri[1], tri[2]}});
  for (const Vec2& uv : mesh.uvs()) appendRecord(out, Md3TexCoord{{uv.s, uv.t}});
  for (int32_t f = 0; f < frames; ++f) {
    const std::vector<Vec3>& positions = model.frames[f];
    if (positions.size() != static_cast<size_t>(vertices)) {
      std::fprintf(stderr, "reefcontent: model %s frame %d has the wrong vertex count\n", name.c_str(), f);
      return false;
    }
    std::vector<Vec3> normals = vertexNormals(mesh, positions);
    for (int32_t v = 0; v < vertices; ++v) {
      Md3Vertex vertex{};
      const float coordinates[] = {positions[v].x, positions[v].y, positions[v].z};
      for (int c = 0; c < 3; ++c) {
        const float steps = std::round(coordinates[c] * Md3StepsPerUnit);
        if (steps < -32768.0f || steps > 32767.0f) {
          std::fprintf(stderr, "reefcontent: model %s is too large for 16-bit vertices\n", name.c_str());
          return false;
        }
        vertex.xyz[c] = static_cast<int16_t>(steps);
      }
      vertex.normal = static_cast<int16_t>(packNormal(normals[v]));
      appendRecord(out, vertex);
    }
  }
  return true;
}
