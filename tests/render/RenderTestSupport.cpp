#include "tests/render/RenderTestSupport.h"

#include <GL/gl.h>
#include <io.h>

#include <cstdio>
#include <cstring>

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

std::string bmpFile(int width, int height, int bitsPerPixel, const std::vector<uint32_t>& pixels) {
  const int bytesPerPixel = bitsPerPixel / 8;
  const int rowSize = (width * bytesPerPixel + 3) & ~3;
  const int paletteSize = bitsPerPixel == 8 ? 256 * 4 : 0;
  const int offBits = 14 + 40 + paletteSize;
  std::string file;
  file += "BM";
  appendInt32(file, offBits + rowSize * height);
  appendInt32(file, 0);
  appendInt32(file, offBits);
  appendInt32(file, 40);
  appendInt32(file, width);
  appendInt32(file, height);  // positive: rows stored bottom-up
  putInt16(file, file.size(), 1);
  putInt16(file, file.size(), static_cast<int16_t>(bitsPerPixel));
  appendInt32(file, 0);  // BI_RGB
  appendInt32(file, rowSize * height);
  appendInt32(file, 2835);
  appendInt32(file, 2835);
  appendInt32(file, 0);
  appendInt32(file, 0);
  for (int i = 0; i < paletteSize / 4; ++i) {
    file += static_cast<char>(i);
    file += static_cast<char>(i);
    file += static_cast<char>(i);
    file += '\0';
  }
  for (int row = height - 1; row >= 0; --row) {
    std::string line(rowSize, '\0');
    for (int x = 0; x < width; ++x) {
      const uint32_t p = pixels[static_cast<size_t>(row) * width + x];
      for (int b = 0; b < bytesPerPixel; ++b) line[x * bytesPerPixel + b] = static_cast<char>((p >> (8 * b)) & 0xFF);
    }
    file += line;
  }
  return file;
}

std::string Md3Builder::bytes() const {
  const int vertexCount = static_cast<int>(texCoords.size() / 2);
  const int triangles = static_cast<int>(indices.size() / 3);
  std::string file(surfaceStart(), '\0');
  file.replace(0, 4, "IDP3");
  putInt32(file, 76, frames);
  putInt32(file, 80, tags);
  putInt32(file, 84, 1);
  putInt32(file, 100, headerSurfaceOffset);
  const size_t surface = file.size();
  const size_t surfaceHeader = 108;
  const size_t triangleOffset = surfaceHeader;
  const size_t texCoordOffset = triangleOffset + 12 * triangles;
  const size_t vertexOffset = texCoordOffset + 8 * vertexCount;
  file.resize(surface + surfaceHeader, '\0');
  file.replace(surface, 4, "IDP3");
  putInt32(file, surface + SurfaceFrames, frames);
  putInt32(file, surface + SurfaceVertices, vertexCount);
  putInt32(file, surface + SurfaceTriangles, triangles);
  putInt32(file, surface + SurfaceTriangleOffset, static_cast<int32_t>(triangleOffset));
  putInt32(file, surface + SurfaceTexCoordOffset, static_cast<int32_t>(texCoordOffset));
  putInt32(file, surface + SurfaceVertexOffset, static_cast<int32_t>(vertexOffset));
  for (int32_t index : indices) appendInt32(file, index);
  for (float st : texCoords) appendFloat(file, st);
  for (size_t v = 0; v + 2 < vertices.size(); v += 3) {
    for (int c = 0; c < 3; ++c) putInt16(file, file.size(), vertices[v + c]);
    putInt16(file, file.size(), 0);  // packed normal
  }
  return file;
}

std::string fontFile(int width, int height, int skipped, const std::vector<GlyphSpec>& glyphs,
                     const std::string& texels) {
  std::string file(548, '\x55');
  appendInt32(file, width);
  appendInt32(file, height);
  appendInt32(file, skipped);
  file.append(2 * static_cast<size_t>(skipped), '\x33');
  appendInt32(file, static_cast<int32_t>(glyphs.size()));
  for (const GlyphSpec& g : glyphs) {
    putInt16(file, file.size(), static_cast<int16_t>(g.code));
    putInt16(file, file.size(), 0x7777);
    appendInt32(file, g.width);
    appendInt32(file, g.height);
    appendFloat(file, g.s0);
    appendFloat(file, g.s1);
    appendFloat(file, g.t0);
    appendFloat(file, g.t1);
  }
  return file + texels;
}

GuardedBytes::GuardedBytes(const std::string& bytes) : size_(bytes.size()) {
  SYSTEM_INFO info;
  GetSystemInfo(&info);
  const size_t page = info.dwPageSize;
  const size_t dataPages = (bytes.size() + page - 1) / page;
  block_ = static_cast<uint8_t*>(VirtualAlloc(nullptr, (dataPages + 1) * page, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE));
  DWORD old;
  VirtualProtect(block_ + dataPages * page, page, PAGE_NOACCESS, &old);
  uint8_t* start = block_ + dataPages * page - bytes.size();
  std::memcpy(start, bytes.data(), bytes.size());
  data_ = start;
}

GuardedBytes::~GuardedBytes() { VirtualFree(block_, 0, MEM_RELEASE); }

void objectSpaceView() {
  glViewport(0, 0, 2000, 2000);
  glMatrixMode(GL_PROJECTION);
  glLoadIdentity();
  glOrtho(-1000, 1000, -1000, 1000, -1000, 1000);
  glMatrixMode(GL_MODELVIEW);
  glLoadIdentity();
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

std::string captureStdout(const std::function<void()>& run) {
  const std::string path = scratch() + "stdout.txt";
  std::fflush(stdout);
  const int saved = _dup(_fileno(stdout));
  FILE* capture = std::fopen(path.c_str(), "wb");
  _dup2(_fileno(capture), _fileno(stdout));
  run();
  std::fflush(stdout);
  _dup2(saved, _fileno(stdout));
  _close(saved);
  std::fclose(capture);
  return testenv::readFile(path);
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
