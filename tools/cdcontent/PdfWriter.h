#pragma once
// A small PDF 1.4 writer for text documents: A4 pages, the standard Helvetica fonts (no embedding),
// word-wrapped paragraphs and a cross-reference table with exact offsets.

#include <cstdint>
#include <string>
#include <vector>

namespace cdcontent {

enum class TextStyle { Title, Heading, Body, Item };

struct Paragraph {
    TextStyle style;
    std::string text;  // printable ASCII
};

class PdfWriter {
public:
    explicit PdfWriter(std::string title) : title_(std::move(title)) {}

    void add(TextStyle style, std::string text) { paragraphs_.push_back({style, std::move(text)}); }
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
