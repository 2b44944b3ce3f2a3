#pragma once
#include <windows.h>

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "formats/Md3Format.h"
#include "tests/support/GLTestContext.h"
#include "tests/support/TestEnvironment.h"

// Test files built byte by byte, a guard page behind parsed data, the GL context shared by the
// render tests, vertex capture through GL_FEEDBACK and capture of standard output.
namespace rendertest {

using testenv::captureStdout;

// The shared 256 x 256 context, made current.
GLTestContext& gl();

void putInt32(std::string& bytes, size_t offset, int32_t value);
void putInt16(std::string& bytes, size_t offset, int16_t value);
void putFloat(std::string& bytes, size_t offset, float value);
void appendInt32(std::string& bytes, int32_t value);
void appendFloat(std::string& bytes, float value);

// A BMP file of 8 (palette index = pixel & 0xFF, grey palette), 24 or 32 bits per pixel.
// Pixels are 0xAARRGGBB, top row first.
std::string bmpFile(int width, int height, int bitsPerPixel, const std::vector<uint32_t>& pixels);

// An MD3 model with one surface. Vertices are (x, y, z) in file units, frame after frame.
struct Md3Builder {
  int tags = 0;
  int frames = 1;
  std::vector<int16_t> vertices;  // frames x vertexCount x 3
  std::vector<float> texCoords;   // vertexCount x 2
  std::vector<int32_t> indices;   // 3 per triangle
  int32_t headerSurfaceOffset = 0;

  std::string bytes() const;
  size_t surfaceStart() const;
};

// A side x side vertex sheet, 16 file units apart in x and y (two triangles a cell), in frames
// that bend it: frame f lifts vertex column x by f x units.
Md3Builder sheetModel(int side, int frames);

// Field offsets inside an MD3 surface.
enum Md3SurfaceField : size_t {
  SurfaceFrames = offsetof(formats::Md3Surface, numFrames),
  SurfaceVertices = offsetof(formats::Md3Surface, numVerts),
  SurfaceTriangles = offsetof(formats::Md3Surface, numTriangles),
  SurfaceTriangleOffset = offsetof(formats::Md3Surface, ofsTriangles),
  SurfaceTexCoordOffset = offsetof(formats::Md3Surface, ofsSt),
  SurfaceVertexOffset = offsetof(formats::Md3Surface, ofsXyzNormals),
};

struct GlyphRecord {
  uint16_t code;
  int32_t width, height;
  float s0, s1, t0, t1;
};

// An .nlf font with skipped 2-byte entries, glyph records and texels (luminance, alpha pairs).
std::string fontFile(int width, int height, int skipped, const std::vector<GlyphRecord>& glyphs,
                     const std::string& texels);

// Copies bytes so that they end exactly at a page that may not be read: parsing them reads
// nothing beyond their end without faulting.
class GuardedBytes {
 public:
  explicit GuardedBytes(const std::string& bytes);
  ~GuardedBytes();
  GuardedBytes(const GuardedBytes&) = delete;
  GuardedBytes& operator=(const GuardedBytes&) = delete;
  const uint8_t* data() const { return data_; }
  size_t size() const { return size_; }

 private:
  uint8_t* block_ = nullptr;
  const uint8_t* data_ = nullptr;
  size_t size_ = 0;
};

// One vertex of a feedback polygon, point or line: eye-space position (see objectSpaceView),
// colour and texture coordinate of unit 0.
struct FeedbackVertex {
  float x, y, z;
  float r, g, b, a;
  float s, t;
};
struct FeedbackPrimitive {
  std::vector<FeedbackVertex> vertices;
};

// Projection and viewport under which feedback positions equal eye coordinates within +-1000.
void objectSpaceView();
// Runs draw in GL_FEEDBACK mode and returns the primitives it produced.
std::vector<FeedbackPrimitive> captureFeedback(const std::function<void()>& draw);
std::vector<FeedbackVertex> feedbackVertices(const std::vector<FeedbackPrimitive>& primitives);
// The vertices the driver is sent while draw runs (GL_ARB_pipeline_statistics_query, which
// llvmpipe has): what leaves no trace in feedback, which sees only what survives clipping.
unsigned long long verticesSent(const std::function<void()>& draw);

// A scratch folder for this test program, and a file written into it.
std::string scratch();
std::string writeScratch(const std::string& name, const std::string& bytes);

}  // namespace rendertest
