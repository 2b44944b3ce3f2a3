#include "render/TextObject.h"

#include <windows.h>
#include <GL/gl.h>

#include <cstring>
#include <vector>

#include "world/FileBytes.h"

TextObject::~TextObject() { releaseFont(); }

void TextObject::releaseFont() {
  if (texture_ != 0) {
    GLuint name = texture_;
    glDeleteTextures(1, &name);
    texture_ = 0;
  }
  glyphs_ = {};
  runs_ = {};
  lineHeight_ = 0;
}

bool TextObject::loadFont(const char* path) {
  std::vector<uint8_t> bytes;
  if (!readFileBytes(path, bytes)) {
    releaseFont();
    return false;
  }
  return loadFont(bytes.data(), bytes.size());
}

bool TextObject::loadFont(const uint8_t* data, size_t size) {
  releaseFont();
  FontFile font;
  if (!parseFont(data, size, font)) return false;

  GLuint name = 0;
  glGenTextures(1, &name);
  texture_ = name;
  glBindTexture(GL_TEXTURE_2D, texture_);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_CLAMP);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_CLAMP);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
  glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_MODULATE);
  if (font.width > 0 && font.height > 0) {
    // Texel rows are 2 x W bytes, packed without padding: with the default alignment of 4 an odd
    // width would make OpenGL read past the end of the texels.
    GLint alignment = 4;
    glGetIntegerv(GL_UNPACK_ALIGNMENT, &alignment);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    glTexImage2D(GL_TEXTURE_2D, 0, 2, font.width, font.height, 0, GL_LUMINANCE_ALPHA, GL_UNSIGNED_BYTE,
                 font.texels.data());
    glPixelStorei(GL_UNPACK_ALIGNMENT, alignment);
  }

  glyphs_ = std::move(font.glyphs);
  for (size_t i = 0; i < glyphs_.size(); ++i) {
    const unsigned code = glyphs_[i].code;
    if (runs_.empty() || code != runs_.back().last + 1) {
      runs_.push_back({code, code, i});
    } else {
      runs_.back().last = code;
    }
    if (glyphs_[i].height > lineHeight_) lineHeight_ = glyphs_[i].height;
  }
  return true;
}

const FontGlyph* TextObject::glyph(unsigned code) const {
  for (const Run& run : runs_) {
    if (run.first <= code && code <= run.last) return &glyphs_[run.start + (code - run.first)];
  }
  return nullptr;
}

std::string& TextObject::nextLine() {
  if (lineCount_ == lines_.size()) lines_.emplace_back();
  std::string& line = lines_[lineCount_++];
  line.clear();
  return line;
}

void TextObject::setText(const char* text) {
  lineCount_ = 0;
  if (!text) return;
  const char* start = text;
  for (const char* feed = std::strchr(start, '\n'); feed; feed = std::strchr(start, '\n')) {
    nextLine().assign(start, feed);
    start = feed + 1;
  }
  if (*start) nextLine().assign(start);
}

void TextObject::setLine(const char* text) {
  lineCount_ = 0;
  nextLine().assign(text ? text : "");
}

void TextObject::begin() {
  glEnable(GL_TEXTURE_2D);
  glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
  glEnable(GL_BLEND);
  glMatrixMode(GL_PROJECTION);
  glPushMatrix();
  glLoadIdentity();
  glOrtho(0.0, screenWidth_, screenHeight_, 0.0, 0.0, 1.0);
  glMatrixMode(GL_MODELVIEW);
  glPushMatrix();
  glLoadIdentity();
  const Vector3 s = scale();
  glScalef(s.x, s.y, s.z);
  glDisable(GL_DEPTH_TEST);
  const float* c = colour();
  glColor4f(c[0], c[1], c[2], c[3]);
}

// Every glyph lies on the font's one texture: one bind and one batch of quads for all the text.
void TextObject::draw() {
  if (glyphs_.empty()) return;
  const Vector3 pen = position();
  float y = pen.y;
  int lastHeight = -1;  // none drawn yet
  glBindTexture(GL_TEXTURE_2D, texture_);
  glBegin(GL_QUADS);
  for (size_t l = 0; l < lineCount_; ++l) {
    float x = pen.x;
    for (const char ch : lines_[l]) {
      const FontGlyph* g = glyph(static_cast<unsigned char>(ch));
      if (!g) continue;
      const float w = static_cast<float>(g->width);
      const float h = static_cast<float>(g->height);
      glTexCoord2f(g->s1, g->t0);
      glVertex3f(x + w, y + h, 0.0f);
      glTexCoord2f(g->s0, g->t0);
      glVertex3f(x, y + h, 0.0f);
      glTexCoord2f(g->s0, g->t1);
      glVertex3f(x, y, 0.0f);
      glTexCoord2f(g->s1, g->t1);
      glVertex3f(x + w, y, 0.0f);
      x += w;
      lastHeight = g->height;
    }
    // Before any glyph has been drawn, the font's tallest glyph gives the line advance.
    y += static_cast<float>(lastHeight >= 0 ? lastHeight : lineHeight_);
  }
  glEnd();
}

void TextObject::end() {
  glEnable(GL_DEPTH_TEST);
  glPopMatrix();
  glMatrixMode(GL_PROJECTION);
  glPopMatrix();
  glMatrixMode(GL_MODELVIEW);
  glDisable(GL_BLEND);
}
