#pragma once
// A small PDF 1.4 writer for text documents: A4 pages, the standard Helvetica fonts (no embedding)
// in the Windows Western encoding, word-wrapped paragraphs and a cross-reference table with exact
// offsets.

#include <cstdint>
#include <string>
#include <vector>

#include "Windows1252.h"

namespace cdcontent {

enum class TextStyle { Title, Heading, Body, Item };

struct Paragraph {
  TextStyle style;
  std::string text;  // in the fonts' encoding (Windows-1252)
};

class PdfWriter {
 public:
  explicit PdfWriter(const std::string& title) : title_(windows1252::fromUtf8(title)) {}

  // text is UTF-8; characters the fonts' encoding lacks become "?".
  void add(TextStyle style, const std::string& text) { paragraphs_.push_back({style, windows1252::fromUtf8(text)}); }
  // The whole file.
  std::vector<uint8_t> finish() const;

  // Splits text into lines of at most `width` points in Helvetica of the given size.
  static std::vector<std::string> wrap(const std::string& text, double size, double width);

 private:
  std::vector<std::string> layoutPages() const;

  std::string title_;
  std::vector<Paragraph> paragraphs_;
};

}  // namespace cdcontent
