#pragma once
#include <cstdint>

#include "formats/TextureLoadFlags.h"

// Environment flags of a texture: decal instead of modulate.
enum TextureEnvFlags : unsigned {
  TexDecal = 2,
};

// One OpenGL texture from an .nlt (BMP) file, with an offset and scale applied to every texture
// coordinate emitted through it. Offset and scale are shared by every object that draws it.
class Texture {
 public:
  Texture() { coverAll(); }
  ~Texture() { release(); }
  Texture(const Texture&) = delete;
  Texture& operator=(const Texture&) = delete;

  // Needs a current GL context. A picture with other than 3 or 4 bytes per pixel creates the
  // texture name and its parameters but uploads no image, and still counts as loaded.
  bool loadBMP(const char* path, unsigned flags);
  void release();

  void setOffset(float s, float t) {
    offsetS_ = s;
    offsetT_ = t;
  }
  void setScale(float v) { scaleS_ = scaleT_ = v; }
  void setEnvFlags(unsigned flags) { envFlags_ = flags; }

  void bind(bool multi, int unit) const;
  void unbind(int unit) const;
  void texCoord(float u, float v, bool multi, int unit) const;
  // Feeds (u, v) pairs from a client array to the texture's unit, with the offset and scale
  // applied through that unit's texture matrix; the end call puts the matrix back to identity.
  // The model-view matrix mode is assumed current.
  void beginCoordArray(const float* coords, int stride, bool multi, int unit) const;
  void endCoordArray(bool multi, int unit) const;

  // Where the picture shows through blending: the picture cut into CoverCells x CoverCells cells,
  // a cell clear when it and one texel around it (what linear filtering reaches, wrapping as
  // GL_REPEAT does) hold only alpha 0. Pictures without alpha cover every cell.
  static constexpr int CoverCells = 16;
  bool cellCovered(int column, int row) const { return covered_[row][column]; }
  bool fullyCovered() const { return coveredCells_ == CoverCells * CoverCells; }
  int coveredCells() const { return coveredCells_; }
  // The texture coordinates t between which a linear sample reads only fully opaque texels: the
  // picture's longest run of rows that are opaque from edge to edge. False when it has none.
  bool opaqueRows(float& tTop, float& tBottom) const;

  uint32_t id() const { return id_; }
  bool loaded() const { return loaded_; }
  float offsetS() const { return offsetS_; }
  float offsetT() const { return offsetT_; }
  float scaleS() const { return scaleS_; }
  float scaleT() const { return scaleT_; }

 private:
  bool selectCoordUnit(bool multi, int unit) const;
  void findCover(const uint8_t* pixels, int width, int height, int pitch);
  static void premultiply(void* pixels, int width, int height, int pitch);
  void coverAll();
  bool transformsCoords() const;

  uint32_t id_ = 0;
  float offsetS_ = 0.0f, offsetT_ = 0.0f;
  float scaleS_ = 1.0f, scaleT_ = 1.0f;
  bool loaded_ = false;
  unsigned envFlags_ = 1;
  bool covered_[CoverCells][CoverCells];
  int coveredCells_ = CoverCells * CoverCells;
  int opaqueFirst_ = -1, opaqueLast_ = -1, pictureHeight_ = 0;  // rows of that run
};

// Looks the GL_ARB_multitexture entry points up once (a GL context must be current); later calls
// return the first answer.
bool initMultitexture();
bool multitextureAvailable();
// Whether units can combine their inputs otherwise than by modulating (GL_ARB_texture_env_combine).
bool textureCombineAvailable();
int maxTextureUnits();

// Replaces the answer of the one-time query, so tests can play a driver without the extension
// (available false) or with few units.
void overrideMultitexture(bool available, int maxUnits);
