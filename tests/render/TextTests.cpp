#include <gtest/gtest.h>

#include <GL/gl.h>

#include <algorithm>
#include <array>

#include "formats/FontFormat.h"
#include "render/FontReader.h"
#include "render/TextObject.h"
#include "tests/render/RenderTestSupport.h"

using namespace rendertest;

namespace {

// 4 x 4 texels, all white and opaque, so every glyph draws in the text colour.
std::string whiteTexels() {
  std::string texels;
  for (int i = 0; i < 16; ++i) texels += "\xFF\xFF";
  return texels;
}

std::vector<GlyphRecord> asciiAndUmlaut() {
  std::vector<GlyphRecord> glyphs;
  glyphs.push_back({196, 9, 14, 0, 1, 0, 1});
  for (uint16_t code = 126; code >= 32; --code) glyphs.push_back({code, 8, 14, 0, 1, 0, 1});
  return glyphs;
}

bool parse(const std::string& bytes, FontFile& font) {
  GuardedBytes guarded(bytes);
  return parseFont(guarded.data(), guarded.size(), font);
}

class TextDraw : public ::testing::Test {
 protected:
  void SetUp() override {
    GLTestContext& context = gl();
    context.resetFrame();
    while (glGetError() != GL_NO_ERROR) {
    }
    text_.setScreenSize(context.width(), context.height());
  }

  bool load(const std::vector<GlyphRecord>& glyphs) {
    const std::string bytes = fontFile(4, 4, 3, glyphs, whiteTexels());
    return text_.loadFont(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size());
  }

  // Glyph quads of a draw, in pixels from the top-left corner: (left, top, right, bottom).
  // Feedback may hand a quad back as one polygon or as two triangles.
  std::vector<std::array<float, 4>> quads() {
    std::vector<std::array<float, 4>> boxes;
    const std::vector<FeedbackPrimitive> primitives = captureFeedback([&] { text_.render(); });
    const bool triangles = !primitives.empty() && primitives[0].vertices.size() == 3;
    for (size_t i = 0; i < primitives.size(); ++i) {
      std::array<float, 4> box = {1e9f, 1e9f, -1e9f, -1e9f};
      if (!triangles || i % 2 == 0) boxes.push_back(box);
      for (const FeedbackVertex& v : primitives[i].vertices) {
        const float x = v.x + 1000.0f;
        const float y = gl().height() - (v.y + 1000.0f);
        std::array<float, 4>& b = boxes.back();
        b = {std::min(b[0], x), std::min(b[1], y), std::max(b[2], x), std::max(b[3], y)};
      }
    }
    return boxes;
  }

  TextObject text_;
};

}  // namespace

TEST(FontReader, SortsGlyphsKeepsTheFirstOfACodeAndReadsTexels) {
  std::vector<GlyphRecord> glyphs = asciiAndUmlaut();
  glyphs.push_back({65, 99, 99, 0, 0, 0, 0});  // a second 'A': dropped
  FontFile font;
  ASSERT_TRUE(parse(fontFile(4, 4, 7, glyphs, whiteTexels()), font));
  EXPECT_EQ(font.width, 4);
  EXPECT_EQ(font.height, 4);
  ASSERT_EQ(font.glyphs.size(), 96u);
  EXPECT_EQ(font.glyphs.front().code, 32);
  EXPECT_EQ(font.glyphs.back().code, 196);
  EXPECT_EQ(font.glyphs[65 - 32].width, 8);
  EXPECT_EQ(font.texels.size(), 32u);
}

TEST(FontReader, RejectsEveryTruncationAndOutOfRangeCount) {
  const std::string good = fontFile(4, 4, 3, {{65, 10, 12, 0, 1, 0, 1}, {66, 12, 12, 0, 1, 0, 1}}, whiteTexels());
  FontFile font;
  for (size_t length = 0; length < good.size(); ++length) {
    EXPECT_FALSE(parse(good.substr(0, length), font)) << "length " << length;
    EXPECT_TRUE(font.glyphs.empty());
  }
  ASSERT_TRUE(parse(good, font));

  const size_t width = offsetof(formats::FontHeader, width), height = offsetof(formats::FontHeader, height);
  const size_t skipped = offsetof(formats::FontHeader, skippedCount);
  const size_t glyphCountAt = sizeof(formats::FontHeader) + formats::FontSkippedEntrySize * 3;
  struct Corruption {
    size_t offset;
    int32_t value;
  };
  const Corruption cases[] = {
      {width, -4},         {height, -1},         {skipped, -1},
      {width, 0x7FFFFFFF}, {height, 0x7FFFFFFF}, {skipped, 0x7FFFFFFF},
      {width, 5},  // one texel row more than stored
      {glyphCountAt, -1},  {glyphCountAt, 3},    {glyphCountAt, 0x7FFFFFFF},
  };
  for (const Corruption& c : cases) {
    std::string bytes = good;
    putInt32(bytes, c.offset, c.value);
    EXPECT_FALSE(parse(bytes, font)) << "offset " << c.offset << " value " << c.value;
  }

  // Zero glyphs and an empty texture are a valid, if useless, font.
  EXPECT_TRUE(parse(fontFile(0, 0, 0, {}, ""), font));
  EXPECT_TRUE(font.glyphs.empty());
}

TEST_F(TextDraw, RunsOfConsecutiveCodes) {
  ASSERT_TRUE(load(asciiAndUmlaut()));
  ASSERT_EQ(text_.runCount(), 2);
  EXPECT_EQ(text_.runFirst(0), 32u);
  EXPECT_EQ(text_.runLast(0), 126u);
  EXPECT_EQ(text_.runFirst(1), 196u);
  EXPECT_EQ(text_.runLast(1), 196u);
  EXPECT_EQ(text_.glyph(127), nullptr);
  ASSERT_NE(text_.glyph(196), nullptr);
  EXPECT_EQ(text_.glyph(196)->width, 9);
  EXPECT_EQ(text_.glyph('A')->code, 'A');
}

TEST_F(TextDraw, SplitsTextAtLineFeeds) {
  text_.setText("a\n\nb");
  ASSERT_EQ(text_.lineCount(), 3);
  EXPECT_EQ(text_.line(0), "a");
  EXPECT_EQ(text_.line(1), "");
  EXPECT_EQ(text_.line(2), "b");
  text_.setText("only\n");
  ASSERT_EQ(text_.lineCount(), 1);
  EXPECT_EQ(text_.line(0), "only");
  text_.setText("");
  EXPECT_EQ(text_.lineCount(), 0);
  text_.setLine("one\nline");
  ASSERT_EQ(text_.lineCount(), 1);
  EXPECT_EQ(text_.line(0), "one\nline");
}

TEST_F(TextDraw, PlacesGlyphsAlongThePenAndLinesDownTheScreen) {
  ASSERT_TRUE(load({{'A', 10, 16, 0, 1, 0, 1}, {'B', 12, 20, 0, 1, 0, 1}, {'C', 7, 9, 0, 1, 0, 1}}));
  text_.setPosition(20, 40, 0);
  text_.setText("AB?\nC\n\nC");
  const auto boxes = quads();
  ASSERT_EQ(boxes.size(), 4u);
  EXPECT_NEAR(boxes[0][0], 20, 1e-3);
  EXPECT_NEAR(boxes[0][2], 30, 1e-3);
  EXPECT_NEAR(boxes[0][1], 40, 1e-3);
  EXPECT_NEAR(boxes[0][3], 56, 1e-3);
  EXPECT_NEAR(boxes[1][0], 30, 1e-3);
  EXPECT_NEAR(boxes[1][2], 42, 1e-3);  // '?' has no glyph: skipped without moving the pen
  EXPECT_NEAR(boxes[2][0], 20, 1e-3);
  EXPECT_NEAR(boxes[2][1], 60, 1e-3);          // 40 + height of B, the last glyph of line one
  EXPECT_NEAR(boxes[3][1], 60 + 9 + 9, 1e-3);  // the empty line advances by the last glyph, C
}

TEST_F(TextDraw, FirstLineWithoutGlyphsAdvancesByTheTallestGlyph) {
  ASSERT_TRUE(load({{'A', 10, 16, 0, 1, 0, 1}, {'B', 12, 20, 0, 1, 0, 1}}));
  text_.setPosition(0, 0, 0);
  text_.setText("\nA");
  const auto boxes = quads();
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_NEAR(boxes[0][1], 20, 1e-3);
}

TEST_F(TextDraw, DrawsInItsColourOverTheSceneAndRestoresState) {
  ASSERT_TRUE(load({{'A', 10, 16, 0, 1, 0, 1}, {'B', 12, 16, 0, 1, 0, 1}}));
  text_.setColour({1, 1, 0});
  text_.setPosition(20, 40, 0);
  text_.setLine("AB");
  glEnable(GL_DEPTH_TEST);
  text_.render();
  const uint32_t inA = gl().pixel(25, 48);
  const uint32_t inB = gl().pixel(36, 48);
  EXPECT_EQ(inA, 0xFFFF00u);
  EXPECT_EQ(inB, 0xFFFF00u);
  EXPECT_EQ(gl().pixel(45, 48), 0u);
  EXPECT_EQ(gl().pixel(25, 60), 0u);
  EXPECT_TRUE(glIsEnabled(GL_DEPTH_TEST));
  EXPECT_FALSE(glIsEnabled(GL_BLEND));
  GLint mode = 0;
  glGetIntegerv(GL_MATRIX_MODE, &mode);
  EXPECT_EQ(mode, GL_MODELVIEW);
  GLint depth = 0;
  glGetIntegerv(GL_PROJECTION_STACK_DEPTH, &depth);
  EXPECT_EQ(depth, 1);
}

TEST_F(TextDraw, MalformedOrMissingFontDrawsNothing) {
  ASSERT_TRUE(load({{'A', 10, 16, 0, 1, 0, 1}}));
  std::string bytes = fontFile(4, 4, 0, {{'A', 10, 16, 0, 1, 0, 1}}, whiteTexels());
  bytes.resize(bytes.size() - 1);
  EXPECT_FALSE(text_.loadFont(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size()));
  EXPECT_EQ(text_.fontTexture(), 0u);
  text_.setLine("AAA");
  EXPECT_TRUE(quads().empty());
  const std::string missing = scratch() + "no_font.nlf";
  EXPECT_EQ(captureStdout([&] { EXPECT_FALSE(text_.loadFont(missing.c_str())); }), "");
}

TEST_F(TextDraw, OddTextureWidthUploadsWithoutPadding) {
  // 3 x 2 texels: rows of 6 bytes. Row 1 must start right after row 0.
  std::string texels = "\x10\x11\x20\x21\x30\x31\x40\x41\x50\x51\x60\x61";
  const std::string bytes = fontFile(3, 2, 0, {{'A', 3, 2, 0, 1, 0, 1}}, texels);
  const std::string path = writeScratch("odd.nlf", bytes);
  ASSERT_TRUE(text_.loadFont(path.c_str()));
  glBindTexture(GL_TEXTURE_2D, text_.fontTexture());
  unsigned char read[12];
  glPixelStorei(GL_PACK_ALIGNMENT, 1);
  glGetTexImage(GL_TEXTURE_2D, 0, GL_LUMINANCE_ALPHA, GL_UNSIGNED_BYTE, read);
  EXPECT_EQ(read[6], 0x40);
  EXPECT_EQ(read[7], 0x41);
  GLint alignment = 0;
  glGetIntegerv(GL_UNPACK_ALIGNMENT, &alignment);
  EXPECT_EQ(alignment, 4);
}
