#include "tests/render/RenderTestSupport.h"
#include "render/Transforms.h"

#include <GL/gl.h>
#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>

#include "formats/BmpFormat.h"
#include "formats/FontFormat.h"
#include "formats/Md3Format.h"
#include "tests/support/TestEnvironment.h"

namespace rendertest {

GLTestContext& gl() {
  static GLTestContext context(256, 256);
  context.makeCurrent();
  return context;
}

void putInt32(std::string& bytes, size_t offset, int32_t value) {
  if (bytes.size() < offset + 4) bytes.resize(offset + 4);
  const uint32_t v = static_cast<uint32_t>(value);
  for (int i = 0; i < 4; ++i) bytes[offset + i] = static_cast<char>((v >> (8 * i)) & 0xFF);
}

void putInt16(std::string& bytes, size_t offset, int16_t value) {
  if (bytes.size() < offset + 2) bytes.resize(offset + 2);
  const uint16_t v = static_cast<uint16_t>(value);
  bytes[offset] = static_cast<char>(v & 0xFF);
  bytes[offset + 1] = static_cast<char>(v >> 8);
}

void putFloat(std::string& bytes, size_t offset, float value) {
  int32_t bits;
  std::memcpy(&bits, &value, sizeof bits);
  putInt32(bytes, offset, bits);
}

void appendInt32(std::string& bytes, int32_t value) { putInt32(bytes, bytes.size(), value); }

void appendFloat(std::string& bytes, float value) { putFloat(bytes, bytes.size(), value); }

namespace {

std::string text(const formats::Bytes& bytes) { return std::string(bytes.begin(), bytes.end()); }

}  // namespace

std::string bmpFile(int width, int height, int bitsPerPixel, const std::vector<uint32_t>& pixels) {
  const int bytesPerPixel = bitsPerPixel / 8;
  const size_t rowSize = formats::bmpRowBytes(width, bitsPerPixel);
  const uint32_t paletteEntries = bitsPerPixel == 8 ? 256 : 0;
  formats::Bytes file;
  formats::appendBmpHeaders(file, width, height, bitsPerPixel, paletteEntries);
  for (uint32_t i = 0; i < paletteEntries; ++i) {
    const uint8_t grey = static_cast<uint8_t>(i);
    file.insert(file.end(), {grey, grey, grey, 0});
  }
  for (int row = height - 1; row >= 0; --row) {
    formats::Bytes line(rowSize, 0);
    for (int x = 0; x < width; ++x) {
      const uint32_t p = pixels[static_cast<size_t>(row) * width + x];
      for (int b = 0; b < bytesPerPixel; ++b) line[x * bytesPerPixel + b] = static_cast<uint8_t>((p >> (8 * b)) & 0xFF);
    }
    file.insert(file.end(), line.begin(), line.end());
  }
  return text(file);
}

Md3Builder sheetModel(int side, int frames) {
  Md3Builder model;
  model.frames = frames;
  for (int v = 0; v < side * side; ++v) {
    model.texCoords.push_back(static_cast<float>(v % side) / side);
    model.texCoords.push_back(static_cast<float>(v / side) / side);
  }
  for (int y = 0; y + 1 < side; ++y) {
    for (int x = 0; x + 1 < side; ++x) {
      const int b = y * side + x;
      model.indices.insert(model.indices.end(), {b, b + 1, b + side, b + 1, b + side + 1, b + side});
    }
  }
  for (int f = 0; f < frames; ++f) {
    for (int v = 0; v < side * side; ++v) {
      model.vertices.push_back(static_cast<int16_t>((v % side) * 16));
      model.vertices.push_back(static_cast<int16_t>(f * (v % side)));
      model.vertices.push_back(static_cast<int16_t>((v / side) * 16));
    }
  }
  return model;
}

std::string Md3Builder::bytes() const {
  using namespace formats;
  const int vertexCount = static_cast<int>(texCoords.size() / 2);
  const int triangles = static_cast<int>(indices.size() / 3);
  Md3Header header{};
  setId(header.ident, Md3Ident);
  header.numFrames = frames;
  header.numTags = tags;
  header.numSurfaces = 1;
  header.ofsSurfaces = headerSurfaceOffset;
  formats::Bytes file;
  appendRecord(file, header);
  file.resize(surfaceStart(), 0);  // frames and tags, zero

  // No shader: the triangles follow the surface header.
  Md3Surface surface{};
  setId(surface.ident, Md3Ident);
  surface.numFrames = frames;
  surface.numVerts = vertexCount;
  surface.numTriangles = triangles;
  surface.ofsTriangles = sizeof(Md3Surface);
  surface.ofsSt = surface.ofsTriangles + triangles * static_cast<int32_t>(sizeof(Md3Triangle));
  surface.ofsXyzNormals = surface.ofsSt + vertexCount * static_cast<int32_t>(sizeof(Md3TexCoord));
  appendRecord(file, surface);
  for (int32_t index : indices) appendRecord(file, index);
  for (float st : texCoords) appendRecord(file, st);
  for (size_t v = 0; v + 2 < vertices.size(); v += 3) {
    appendRecord(file, Md3Vertex{{vertices[v], vertices[v + 1], vertices[v + 2]}, 0});
  }
  return text(file);
}

size_t Md3Builder::surfaceStart() const {
  return sizeof(formats::Md3Header) + sizeof(formats::Md3Frame) * frames + sizeof(formats::Md3Tag) * frames * tags;
}

std::string fontFile(int width, int height, int skipped, const std::vector<GlyphRecord>& glyphs,
                     const std::string& texels) {
  using namespace formats;
  // The fields the reader skips hold a pattern, to show that nothing depends on them.
  FontHeader header;
  std::memset(&header, 0x55, sizeof header);
  header.width = width;
  header.height = height;
  header.skippedCount = skipped;
  formats::Bytes file;
  appendRecord(file, header);
  file.resize(file.size() + FontSkippedEntrySize * skipped, 0x33);
  appendRecord(file, static_cast<int32_t>(glyphs.size()));
  for (const GlyphRecord& g : glyphs) {
    appendRecord(file, FontGlyphRecord{g.code, 0x7777, g.width, g.height, g.s0, g.s1, g.t0, g.t1});
  }
  return text(file) + texels;
}

GuardedBytes::GuardedBytes(const std::string& bytes) : size_(bytes.size()) {
  SYSTEM_INFO info;
  GetSystemInfo(&info);
  const size_t page = info.dwPageSize;
  const size_t dataPages = (bytes.size() + page - 1) / page;
  block_ =
      static_cast<uint8_t*>(VirtualAlloc(nullptr, (dataPages + 1) * page, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE));
  DWORD old;
  VirtualProtect(block_ + dataPages * page, page, PAGE_NOACCESS, &old);
  uint8_t* start = block_ + dataPages * page - bytes.size();
  std::memcpy(start, bytes.data(), bytes.size());
  data_ = start;
}

GuardedBytes::~GuardedBytes() { VirtualFree(block_, 0, MEM_RELEASE); }

void objectSpaceView() {
  transforms::setViewport(0, 0, 2000, 2000);
  // glOrtho(-1000, 1000, -1000, 1000, -1000, 1000): every axis scaled by 1 / 1000, z mirrored.
  transforms::setProjection(Matrix4x4::scaling(0.001f, 0.001f, -0.001f));
  transforms::loadModelview(Matrix4x4::identity());
}

namespace {

FeedbackVertex readVertex(const std::vector<GLfloat>& buffer, size_t& at) {
  // GL_4D_COLOR_TEXTURE: x, y, z, w, then r, g, b, a, then s, t, r, q.
  FeedbackVertex v;
  v.x = buffer[at] - 1000.0f;
  v.y = buffer[at + 1] - 1000.0f;
  v.z = 1000.0f * (1.0f - 2.0f * buffer[at + 2]);
  v.r = buffer[at + 4];
  v.g = buffer[at + 5];
  v.b = buffer[at + 6];
  v.a = buffer[at + 7];
  const float q = buffer[at + 11] != 0.0f ? buffer[at + 11] : 1.0f;
  v.s = buffer[at + 8] / q;
  v.t = buffer[at + 9] / q;
  at += 12;
  return v;
}

}  // namespace

unsigned long long verticesSent(const std::function<void()>& draw) {
  const auto entry = [](const char* name) { return reinterpret_cast<void*>(wglGetProcAddress(name)); };
  const auto genQueries = reinterpret_cast<void(APIENTRY*)(GLsizei, GLuint*)>(entry("glGenQueries"));
  const auto deleteQueries = reinterpret_cast<void(APIENTRY*)(GLsizei, const GLuint*)>(entry("glDeleteQueries"));
  const auto beginQuery = reinterpret_cast<void(APIENTRY*)(GLenum, GLuint)>(entry("glBeginQuery"));
  const auto endQuery = reinterpret_cast<void(APIENTRY*)(GLenum)>(entry("glEndQuery"));
  const auto result =
      reinterpret_cast<void(APIENTRY*)(GLuint, GLenum, unsigned long long*)>(entry("glGetQueryObjectui64v"));
  if (!genQueries || !deleteQueries || !beginQuery || !endQuery || !result) {
    ADD_FAILURE() << "the driver does not count vertices";
    return 0;
  }
  constexpr GLenum VerticesSubmitted = 0x82EE, QueryResult = 0x8866;
  GLuint query = 0;
  genQueries(1, &query);
  beginQuery(VerticesSubmitted, query);
  draw();
  endQuery(VerticesSubmitted);
  unsigned long long count = 0;
  result(query, QueryResult, &count);
  deleteQueries(1, &query);
  return count;
}

std::vector<FeedbackPrimitive> captureFeedback(const std::function<void()>& draw) {
  std::vector<GLfloat> buffer(1 << 20);
  glFeedbackBuffer(static_cast<GLsizei>(buffer.size()), GL_4D_COLOR_TEXTURE, buffer.data());
  glRenderMode(GL_FEEDBACK);
  draw();
  const GLint count = glRenderMode(GL_RENDER);
  std::vector<FeedbackPrimitive> primitives;
  size_t at = 0;
  while (count > 0 && at < static_cast<size_t>(count)) {
    const GLint token = static_cast<GLint>(buffer[at++]);
    FeedbackPrimitive primitive;
    int vertices = 0;
    if (token == GL_POLYGON_TOKEN) {
      vertices = static_cast<int>(buffer[at++]);
    } else if (token == GL_POINT_TOKEN || token == GL_BITMAP_TOKEN || token == GL_DRAW_PIXEL_TOKEN ||
               token == GL_COPY_PIXEL_TOKEN) {
      vertices = 1;
    } else if (token == GL_LINE_TOKEN || token == GL_LINE_RESET_TOKEN) {
      vertices = 2;
    } else if (token == GL_PASS_THROUGH_TOKEN) {
      ++at;
      continue;
    } else {
      break;
    }
    for (int i = 0; i < vertices; ++i) primitive.vertices.push_back(readVertex(buffer, at));
    primitives.push_back(primitive);
  }
  return primitives;
}

std::vector<FeedbackVertex> feedbackVertices(const std::vector<FeedbackPrimitive>& primitives) {
  std::vector<FeedbackVertex> all;
  for (const FeedbackPrimitive& p : primitives) all.insert(all.end(), p.vertices.begin(), p.vertices.end());
  return all;
}

std::string scratch() {
  static const std::string folder = testenv::scratchFolder("render");
  return folder;
}

std::string writeScratch(const std::string& name, const std::string& bytes) {
  const std::string path = scratch() + name;
  testenv::writeFile(path, bytes);
  return path;
}

}  // namespace rendertest
