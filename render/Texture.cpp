#include "render/Texture.h"

#include <windows.h>
#include <GL/gl.h>
#include <GL/glext.h>
#include <GL/glu.h>
#include <SDL.h>

#include <cstdio>
#include <cstring>

#include "render/BmpLoader.h"

namespace {

// The one-time multitexture query, shared by the whole program.
struct MultitextureState {
  bool tried = false;
  bool available = false;
  PFNGLACTIVETEXTUREARBPROC activeTexture = nullptr;
  PFNGLMULTITEXCOORD2FARBPROC multiTexCoord2f = nullptr;
  PFNGLCLIENTACTIVETEXTUREARBPROC clientActiveTexture = nullptr;
  int maxUnits = 0;
  bool combine = false;  // GL_ARB_texture_env_combine: units that interpolate, not only modulate
};

MultitextureState& multitexture() {
  static MultitextureState state;
  return state;
}

GLenum textureUnit(int unit) {
  return unit >= 0 && unit <= 31 ? GL_TEXTURE0_ARB + static_cast<GLenum>(unit) : GL_TEXTURE0_ARB;
}

bool unitUsable(int unit) { return unit >= 0 && unit < multitexture().maxUnits; }

}  // namespace

bool initMultitexture() {
  MultitextureState& state = multitexture();
  if (state.available) return true;
  if (state.tried) return false;
  state.tried = true;
  state.activeTexture =
      reinterpret_cast<PFNGLACTIVETEXTUREARBPROC>(reinterpret_cast<void*>(wglGetProcAddress("glActiveTextureARB")));
  state.multiTexCoord2f =
      reinterpret_cast<PFNGLMULTITEXCOORD2FARBPROC>(reinterpret_cast<void*>(wglGetProcAddress("glMultiTexCoord2fARB")));
  state.clientActiveTexture = reinterpret_cast<PFNGLCLIENTACTIVETEXTUREARBPROC>(
      reinterpret_cast<void*>(wglGetProcAddress("glClientActiveTextureARB")));
  if (!state.activeTexture || !state.multiTexCoord2f || !state.clientActiveTexture) return false;
  GLint units = 0;
  glGetIntegerv(GL_MAX_TEXTURE_UNITS_ARB, &units);
  state.maxUnits = units;
  const char* extensions = reinterpret_cast<const char*>(glGetString(GL_EXTENSIONS));
  state.combine = extensions && std::strstr(extensions, "GL_ARB_texture_env_combine");
  state.available = true;
  return true;
}

bool multitextureAvailable() { return multitexture().available; }

bool textureCombineAvailable() { return multitexture().available && multitexture().combine; }

int maxTextureUnits() { return multitexture().maxUnits; }

void overrideMultitexture(bool available, int maxUnits) {
  initMultitexture();  // the entry points are still needed when the override allows them
  MultitextureState& state = multitexture();
  state.available = available && state.activeTexture && state.multiTexCoord2f && state.clientActiveTexture;
  state.maxUnits = maxUnits;
}

bool Texture::loadBMP(const char* path, unsigned flags) {
  release();
  SDL_Surface* surface = loadCheckedBmp(path);
  if (!surface) {
    std::printf("Texture::loadBMP SDL_LoadBMP %s failed\n", path);
    return false;
  }

  GLuint name = 0;
  glGenTextures(1, &name);
  id_ = name;
  glBindTexture(GL_TEXTURE_2D, id_);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, (flags & TexClampS) ? GL_CLAMP : GL_REPEAT);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, (flags & TexClampT) ? GL_CLAMP : GL_REPEAT);

  GLint minFilter = GL_LINEAR;
  GLint magFilter = GL_LINEAR;
  if (flags & TexNearest) {
    minFilter = magFilter = GL_NEAREST;
  } else if (flags & TexNearestMin) {
    minFilter = GL_NEAREST;
  } else if (flags & TexLinear) {
    minFilter = GL_LINEAR;
  } else if (flags & TexMipmap) {
    minFilter = GL_LINEAR_MIPMAP_NEAREST;
  }
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, minFilter);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, magFilter);

  // SDL pads decoded rows to 4 bytes, which is OpenGL's default unpack alignment. Rows come top
  // first, so t = 0 is the top of the picture.
  const int bytesPerPixel = surface->format->BytesPerPixel;
  if (bytesPerPixel == 4 && (flags & TexPremultiply))
    premultiply(surface->pixels, surface->w, surface->h, surface->pitch);
  coverAll();
  if (bytesPerPixel == 4) {
    findCover(static_cast<const uint8_t*>(surface->pixels), surface->w, surface->h, surface->pitch);
  } else if (bytesPerPixel == 3) {
    opaqueFirst_ = 0;
    opaqueLast_ = surface->h - 1;
    pictureHeight_ = surface->h;
  }
  if (bytesPerPixel == 3 || bytesPerPixel == 4) {
    const GLint components = bytesPerPixel == 3 ? GL_RGB : GL_RGBA;
    const GLenum format = bytesPerPixel == 3 ? GL_BGR_EXT : GL_BGRA_EXT;
    if (flags & TexMipmap) {
      gluBuild2DMipmaps(GL_TEXTURE_2D, components, surface->w, surface->h, format, GL_UNSIGNED_BYTE, surface->pixels);
    } else {
      glTexImage2D(GL_TEXTURE_2D, 0, components, surface->w, surface->h, 0, format, GL_UNSIGNED_BYTE, surface->pixels);
    }
  }
  SDL_FreeSurface(surface);
  loaded_ = true;
  return true;
}

// Blue-green-red-alpha texels: each colour times its alpha, rounded.
void Texture::premultiply(void* pixels, int width, int height, int pitch) {
  for (int y = 0; y < height; ++y) {
    uint8_t* row = static_cast<uint8_t*>(pixels) + static_cast<size_t>(y) * pitch;
    for (int x = 0; x < width; ++x) {
      uint8_t* texel = row + 4 * x;
      for (int c = 0; c < 3; ++c) texel[c] = static_cast<uint8_t>((texel[c] * texel[3] + 127) / 255);
    }
  }
}

void Texture::coverAll() {
  for (auto& row : covered_) {
    for (bool& cell : row) cell = true;
  }
  coveredCells_ = CoverCells * CoverCells;
  opaqueFirst_ = opaqueLast_ = -1;
}

bool Texture::opaqueRows(float& tTop, float& tBottom) const {
  if (opaqueFirst_ < 0 || opaqueLast_ <= opaqueFirst_) return false;
  // A linear sample at t reads the rows around t * height - 0.5.
  tTop = (static_cast<float>(opaqueFirst_) + 0.5f) / static_cast<float>(pictureHeight_);
  tBottom = (static_cast<float>(opaqueLast_) + 0.5f) / static_cast<float>(pictureHeight_);
  return true;
}

// Blue-green-red-alpha texels, rows top first; a cell of the picture is clear when no texel that
// a linear sample inside it can reach has any alpha.
void Texture::findCover(const uint8_t* pixels, int width, int height, int pitch) {
  pictureHeight_ = height;
  int run = 0;
  for (int y = 0; y < height; ++y) {
    const uint8_t* row = pixels + static_cast<size_t>(y) * pitch;
    bool opaque = true;
    for (int x = 0; x < width && opaque; ++x) opaque = row[x * 4 + 3] == 255;
    run = opaque ? run + 1 : 0;
    if (run > 0 && run > opaqueLast_ - opaqueFirst_ + 1) {
      opaqueFirst_ = y - run + 1;
      opaqueLast_ = y;
    }
  }
  if (width < CoverCells || height < CoverCells) return;
  bool anyAlpha[CoverCells][CoverCells] = {};
  for (int y = 0; y < height; ++y) {
    const uint8_t* row = pixels + static_cast<size_t>(y) * pitch;
    for (int x = 0; x < width; ++x) {
      if (row[x * 4 + 3] == 0) continue;
      // The texel reaches the cells of its neighbours too, across the picture's edges.
      for (int dy = -1; dy <= 1; ++dy) {
        const int ty = (y + dy + height) % height;
        for (int dx = -1; dx <= 1; ++dx) {
          const int tx = (x + dx + width) % width;
          anyAlpha[ty * CoverCells / height][tx * CoverCells / width] = true;
        }
      }
    }
  }
  coveredCells_ = 0;
  for (int r = 0; r < CoverCells; ++r) {
    for (int c = 0; c < CoverCells; ++c) {
      covered_[r][c] = anyAlpha[r][c];
      if (anyAlpha[r][c]) ++coveredCells_;
    }
  }
}

void Texture::release() {
  if (!loaded_) return;
  GLuint name = id_;
  glDeleteTextures(1, &name);
  // Name 0 holds no image, so an object whose texture failed to load draws in its colour.
  id_ = 0;
  loaded_ = false;
}

void Texture::bind(bool multi, int unit) const {
  const MultitextureState& state = multitexture();
  const GLint mode = (envFlags_ & TexDecal) ? GL_DECAL : GL_MODULATE;
  if (!multi || !state.available) {
    glEnable(GL_TEXTURE_2D);
    glBindTexture(GL_TEXTURE_2D, id_);
    glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, mode);
    return;
  }
  if (!unitUsable(unit)) return;
  state.activeTexture(textureUnit(unit));
  glEnable(GL_TEXTURE_2D);
  glBindTexture(GL_TEXTURE_2D, id_);
  glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, mode);
}

void Texture::unbind(int unit) const {
  const MultitextureState& state = multitexture();
  if (!state.available || !unitUsable(unit)) return;
  state.activeTexture(textureUnit(unit));
  glDisable(GL_TEXTURE_2D);
  state.activeTexture(GL_TEXTURE0_ARB);
}

void Texture::texCoord(float u, float v, bool multi, int unit) const {
  const float s = u * scaleS_ + offsetS_;
  const float t = v * scaleT_ + offsetT_;
  const MultitextureState& state = multitexture();
  if (!multi || !state.available) {
    glTexCoord2f(s, t);
    return;
  }
  if (!unitUsable(unit)) return;
  state.multiTexCoord2f(textureUnit(unit), s, t);
}

bool Texture::selectCoordUnit(bool multi, int unit) const {
  const MultitextureState& state = multitexture();
  if (!multi || !state.available) return true;
  if (!unitUsable(unit)) return false;
  state.activeTexture(textureUnit(unit));
  state.clientActiveTexture(textureUnit(unit));
  return true;
}

bool Texture::transformsCoords() const {
  return offsetS_ != 0.0f || offsetT_ != 0.0f || scaleS_ != 1.0f || scaleT_ != 1.0f;
}

void Texture::beginCoordArray(const float* coords, int stride, bool multi, int unit) const {
  if (!selectCoordUnit(multi, unit)) return;
  glEnableClientState(GL_TEXTURE_COORD_ARRAY);
  glTexCoordPointer(2, GL_FLOAT, stride, coords);
  if (transformsCoords()) {
    // s = u * scale + offset, as texCoord computes it for single coordinates.
    glMatrixMode(GL_TEXTURE);
    glLoadIdentity();
    glTranslatef(offsetS_, offsetT_, 0.0f);
    glScalef(scaleS_, scaleT_, 1.0f);
    glMatrixMode(GL_MODELVIEW);
  }
}

void Texture::endCoordArray(bool multi, int unit) const {
  if (!selectCoordUnit(multi, unit)) return;
  glDisableClientState(GL_TEXTURE_COORD_ARRAY);
  if (transformsCoords()) {
    glMatrixMode(GL_TEXTURE);
    glLoadIdentity();
    glMatrixMode(GL_MODELVIEW);
  }
  if (multi && multitexture().available) multitexture().clientActiveTexture(GL_TEXTURE0_ARB);
}
