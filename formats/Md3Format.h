#pragma once
// Models (.nlm) in the MD3 layout. Integers are 32-bit little-endian, floats IEEE; every offset
// counts bytes from the start of the record that holds it.
//
//   0            Md3Header                              108 bytes
//   ofsFrames    Md3Frame     x numFrames                56 bytes each
//   ofsTags      Md3Tag       x numFrames x numTags     112 bytes each
//   ofsSurfaces  surfaces, one after the other:
//                  0              Md3Surface            108 bytes
//                  ofsShaders     Md3Shader   x numShaders              68 bytes each
//                  ofsTriangles   Md3Triangle x numTriangles            12 bytes each
//                  ofsSt          Md3TexCoord x numVerts                 8 bytes each
//                  ofsXyzNormals  Md3Vertex   x numFrames x numVerts     8 bytes each, frame after frame
//                  ofsEnd         the next surface
//   ofsEnd       end of the file
//
// The saver reads only the first surface, and finds it right behind the frames and tags
// (108 + numFrames x 56 + numFrames x numTags x 112) rather than through ofsSurfaces.
#include <cstddef>
#include <cstdint>

namespace formats {

constexpr char Md3Ident[] = "IDP3";  // of the file and of every surface
constexpr int32_t Md3Version = 15;
constexpr size_t Md3NameSize = 64;
constexpr size_t Md3FrameNameSize = 16;
// Vertex coordinates are stored in steps of 1/64 unit.
constexpr float Md3StepsPerUnit = 64.0f;

// Limits of the published format; readers of the saver do not enforce them, our writer keeps
// within them so that other MD3 tools read our models.
constexpr int Md3MaxFrames = 1024;
constexpr int Md3MaxTags = 16;
constexpr int Md3MaxSurfaces = 32;
constexpr int Md3MaxShaders = 256;
constexpr int Md3MaxVertices = 4096;
constexpr int Md3MaxTriangles = 8192;

struct Md3Header {
  char ident[4];
  int32_t version;
  char name[Md3NameSize];
  int32_t flags;
  int32_t numFrames;
  int32_t numTags;
  int32_t numSurfaces;
  int32_t numSkins;
  int32_t ofsFrames;
  int32_t ofsTags;
  int32_t ofsSurfaces;
  int32_t ofsEnd;
};

struct Md3Frame {
  float bounds[2][3];  // lowest and highest corner
  float localOrigin[3];
  float radius;
  char name[Md3FrameNameSize];
};

struct Md3Tag {
  char name[Md3NameSize];
  float origin[3];
  float axis[3][3];
};

struct Md3Surface {
  char ident[4];
  char name[Md3NameSize];
  int32_t flags;
  int32_t numFrames;
  int32_t numShaders;
  int32_t numVerts;
  int32_t numTriangles;
  int32_t ofsTriangles;
  int32_t ofsShaders;
  int32_t ofsSt;
  int32_t ofsXyzNormals;
  int32_t ofsEnd;
};

struct Md3Shader {
  char name[Md3NameSize];  // the skin
  int32_t shaderIndex;
};

struct Md3Triangle {
  int32_t indexes[3];  // vertices of the surface
};

struct Md3TexCoord {
  float st[2];
};

struct Md3Vertex {
  int16_t xyz[3];  // in 1/64 steps
  int16_t normal;  // latitude in the high byte, longitude in the low byte, each 256 steps a turn
};

static_assert(sizeof(Md3Header) == 108 && offsetof(Md3Header, numFrames) == 76 && offsetof(Md3Header, numTags) == 80 &&
                  offsetof(Md3Header, ofsSurfaces) == 100,
              "MD3 header layout");
static_assert(sizeof(Md3Frame) == 56 && sizeof(Md3Tag) == 112, "MD3 frame and tag sizes");
static_assert(sizeof(Md3Surface) == 108 && offsetof(Md3Surface, numFrames) == 72 &&
                  offsetof(Md3Surface, numVerts) == 80 && offsetof(Md3Surface, numTriangles) == 84 &&
                  offsetof(Md3Surface, ofsTriangles) == 88 && offsetof(Md3Surface, ofsSt) == 96 &&
                  offsetof(Md3Surface, ofsXyzNormals) == 100,
              "MD3 surface layout");
static_assert(sizeof(Md3Shader) == 68 && sizeof(Md3Triangle) == 12 && sizeof(Md3TexCoord) == 8 &&
                  sizeof(Md3Vertex) == 8,
              "MD3 record sizes");

}  // namespace formats
