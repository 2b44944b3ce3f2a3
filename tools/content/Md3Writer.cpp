#include "Md3Writer.h"

#include <cmath>
#include <cstdio>
#include <cstring>

namespace {

constexpr int HeaderSize = 108;
constexpr int FrameSize = 56;
constexpr int SurfaceHeaderSize = 108;
constexpr int ShaderSize = 68;
constexpr float StepsPerUnit = 64.0f;
constexpr float Pi = 3.14159265358979f;

// Appends fixed tag bytes (the counted length allows a NUL inside).
void putTag(Bytes& out, const char* tag, size_t length) {
  for (size_t i = 0; i < length; ++i) out.push_back(static_cast<uint8_t>(tag[i]));
}

void put32(Bytes& out, uint32_t value) {
  for (int i = 0; i < 4; ++i) out.push_back(static_cast<uint8_t>(value >> (8 * i)));
}

void putFloat(Bytes& out, float value) {
  uint32_t bits;
  std::memcpy(&bits, &value, 4);
  put32(out, bits);
}

void put16(Bytes& out, uint16_t value) {
  out.push_back(static_cast<uint8_t>(value));
  out.push_back(static_cast<uint8_t>(value >> 8));
}

void putName(Bytes& out, const std::string& name, size_t size) {
  for (size_t i = 0; i < size; ++i) out.push_back(i + 1 < size && i < name.size() ? static_cast<uint8_t>(name[i]) : 0);
}

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

bool encodeMd3(const AnimatedModel& model, const std::string& name, Bytes& out) {
  const Mesh& mesh = model.mesh;
  const uint32_t frames = static_cast<uint32_t>(model.frames.size());
  const uint32_t vertices = static_cast<uint32_t>(mesh.vertexCount());
  const uint32_t triangles = static_cast<uint32_t>(mesh.triangles().size());
  if (frames == 0 || vertices == 0) {
    std::fprintf(stderr, "reefcontent: model %s has no frames or vertices\n", name.c_str());
    return false;
  }

  const uint32_t surfaceStart = HeaderSize + frames * FrameSize;
  const uint32_t shadersOffset = SurfaceHeaderSize;
  const uint32_t trianglesOffset = shadersOffset + ShaderSize;
  const uint32_t uvOffset = trianglesOffset + triangles * 12;
  const uint32_t vertexOffset = uvOffset + vertices * 8;
  const uint32_t surfaceEnd = vertexOffset + frames * vertices * 8;

  out.clear();
  out.reserve(surfaceStart + surfaceEnd);
  putTag(out, "IDP3", 4);
  put32(out, 15);
  putName(out, name, 64);
  put32(out, 0);  // flags
  put32(out, frames);
  put32(out, 0);                          // tags
  put32(out, 1);                          // surfaces
  put32(out, 0);                          // skins
  put32(out, HeaderSize);                 // frames offset
  put32(out, surfaceStart);               // tags offset (none)
  put32(out, surfaceStart);               // surfaces offset
  put32(out, surfaceStart + surfaceEnd);  // end

  for (uint32_t f = 0; f < frames; ++f) {
    Vec3 low{1e9f, 1e9f, 1e9f}, high{-1e9f, -1e9f, -1e9f};
    float radius = 0.0f;
    for (const Vec3& p : model.frames[f]) {
      low = Vec3{std::fmin(low.x, p.x), std::fmin(low.y, p.y), std::fmin(low.z, p.z)};
      high = Vec3{std::fmax(high.x, p.x), std::fmax(high.y, p.y), std::fmax(high.z, p.z)};
      radius = std::fmax(radius, length(p));
    }
    for (float v : {low.x, low.y, low.z, high.x, high.y, high.z, 0.0f, 0.0f, 0.0f, radius}) putFloat(out, v);
    putName(out, "frame" + std::to_string(f), 16);
  }

  putTag(out, "IDP3", 4);
  putName(out, "body", 64);
  put32(out, 0);
  put32(out, frames);
  put32(out, 1);  // shaders
  put32(out, vertices);
  put32(out, triangles);
  put32(out, trianglesOffset);
  put32(out, shadersOffset);
  put32(out, uvOffset);
  put32(out, vertexOffset);
  put32(out, surfaceEnd);

  putName(out, model.skinName, 64);
  put32(out, 0);

  for (const auto& tri : mesh.triangles()) {
    for (int corner : tri) put32(out, static_cast<uint32_t>(corner));
  }
  for (const Vec2& uv : mesh.uvs()) {
    putFloat(out, uv.s);
    putFloat(out, uv.t);
  }
  for (uint32_t f = 0; f < frames; ++f) {
    const std::vector<Vec3>& positions = model.frames[f];
    if (positions.size() != vertices) {
      std::fprintf(stderr, "reefcontent: model %s frame %u has the wrong vertex count\n", name.c_str(), f);
      return false;
    }
    std::vector<Vec3> normals = vertexNormals(mesh, positions);
    for (uint32_t v = 0; v < vertices; ++v) {
      for (float c : {positions[v].x, positions[v].y, positions[v].z}) {
        float steps = std::round(c * StepsPerUnit);
        if (steps < -32768.0f || steps > 32767.0f) {
          std::fprintf(stderr, "reefcontent: model %s is too large for 16-bit vertices\n", name.c_str());
          return false;
        }
        put16(out, static_cast<uint16_t>(static_cast<int16_t>(steps)));
      }
      put16(out, packNormal(normals[v]));
    }
  }
  return true;
}
