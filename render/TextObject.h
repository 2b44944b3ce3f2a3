#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "render/FontReader.h"
#include "render/SceneObject.h"

// Lines of text drawn with a bitmap font (.nlf) as textured quads in a pixel-addressed overlay
// over the finished scene. The position's x and y are the pen start in pixels from the top-left
// corner; colour and scale apply to the text.
class TextObject : public SceneObject {
 public:
  ~TextObject() override;

  // Needs a current GL context. A missing or malformed file leaves the object without glyphs.
  bool loadFont(const char* path);
  bool loadFont(const uint8_t* data, size_t size);
  void setScreenSize(int width, int height) {
    screenWidth_ = width;
    screenHeight_ = height;
  }
  // Every line feed ends a line; the rest after the last one is a line only when not empty.
  void setText(const char* text);
  void setLine(const char* text);  // one line, not split
  int lineCount() const { return static_cast<int>(lineCount_); }
  const std::string& line(int index) const { return lines_[index]; }

  // The glyph of a character code, or nullptr when the font has none.
  const FontGlyph* glyph(unsigned code) const;
  int runCount() const { return static_cast<int>(runs_.size()); }
  unsigned runFirst(int run) const { return runs_[run].first; }
  unsigned runLast(int run) const { return runs_[run].last; }
  uint32_t fontTexture() const { return texture_; }

  void begin() override;
  void draw() override;
  void end() override;

 private:
  struct Run {
    unsigned first, last;
    size_t start;  // index of the first glyph of the run
  };

  void releaseFont();
  std::string& nextLine();

  std::vector<FontGlyph> glyphs_;
  std::vector<Run> runs_;
  int lineHeight_ = 0;  // the tallest glyph: the line advance before any glyph is drawn
  uint32_t texture_ = 0;
  // Lines are reused between calls so that setting the text every frame does not allocate once
  // the strings have grown to their size.
  std::vector<std::string> lines_;
  size_t lineCount_ = 0;
  int screenWidth_ = 800, screenHeight_ = 600;
};
