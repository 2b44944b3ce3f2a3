#include "PdfWriter.h"

#include <cstdio>

namespace cdcontent {
namespace {

constexpr double kPageWidth = 595.0;  // A4 in points
constexpr double kPageHeight = 842.0;
constexpr double kMargin = 64.0;

struct StyleMetrics {
  const char* font;  // resource name
  double size;
  double spaceBefore;
  double indent;
};

StyleMetrics metrics(TextStyle style) {
  switch (style) {
    case TextStyle::Title:
      return {"F2", 22.0, 0.0, 0.0};
    case TextStyle::Heading:
      return {"F2", 14.0, 14.0, 0.0};
    case TextStyle::Item:
      return {"F1", 11.0, 3.0, 14.0};
    case TextStyle::Body:
      break;
  }
  return {"F1", 11.0, 6.0, 0.0};
}

// Helvetica advance widths in 1/1000 em; the common letters are close to 556, the narrow ones listed.
double charWidth(char c) {
  switch (c) {
    case ' ':
    case '.':
    case ',':
    case ':':
    case ';':
    case '!':
    case '\'':
    case 'i':
    case 'j':
    case 'l':
    case 'I':
    case 'f':
    case 't':
    case '/':
    case '(':
    case ')':
    case '[':
    case ']':
    case '-':
    case '"':
      return 278.0;
    case 'r':
      return 333.0;
    case 'm':
    case 'M':
    case 'W':
    case 'w':
      return 833.0;
    default:
      return (c >= 'A' && c <= 'Z') ? 667.0 : 556.0;
  }
}

// A literal string: backslash, parentheses and anything outside printable ASCII (the accented
// letters of the encoding among them) are escaped.
std::string literal(const std::string& text) {
  std::string out = "(";
  for (unsigned char c : text) {
    if (c == '(' || c == ')' || c == '\\') {
      out += '\\';
      out += static_cast<char>(c);
    } else if (c < 32 || c > 126) {
      char octal[8];
      std::snprintf(octal, sizeof octal, "\\%03o", c);
      out += octal;
    } else {
      out += static_cast<char>(c);
    }
  }
  return out + ")";
}

std::string number(double value) {
  char text[32];
  std::snprintf(text, sizeof text, "%.2f", value);
  return text;
}

}  // namespace

std::vector<std::string> PdfWriter::wrap(const std::string& text, double size, double width) {
  std::vector<std::string> lines;
  std::string line;
  double lineWidth = 0.0;
  size_t at = 0;
  while (at < text.size()) {
    const size_t end = text.find(' ', at);
    const std::string word = text.substr(at, end == std::string::npos ? std::string::npos : end - at);
    at = end == std::string::npos ? text.size() : end + 1;
    if (word.empty()) continue;
    double wordWidth = 0.0;
    for (char c : word) wordWidth += charWidth(c) * size / 1000.0;
    const double space = line.empty() ? 0.0 : charWidth(' ') * size / 1000.0;
    if (!line.empty() && lineWidth + space + wordWidth > width) {
      lines.push_back(line);
      line.clear();
      lineWidth = 0.0;
    }
    lineWidth += (line.empty() ? 0.0 : space) + wordWidth;
    line += (line.empty() ? "" : " ") + word;
  }
  if (!line.empty()) lines.push_back(line);
  return lines;
}

std::vector<std::string> PdfWriter::layoutPages() const {
  std::vector<std::string> pages;
  std::string page;
  double y = kPageHeight - kMargin;
  for (const Paragraph& paragraph : paragraphs_) {
    const StyleMetrics m = metrics(paragraph.style);
    const double leading = m.size * 1.35;
    const double indent = m.indent;
    std::vector<std::string> lines = wrap(paragraph.text, m.size, kPageWidth - 2 * kMargin - indent);
    y -= m.spaceBefore;
    for (size_t i = 0; i < lines.size(); ++i) {
      // A heading never stays alone at the foot of a page.
      const double needed = paragraph.style == TextStyle::Heading ? leading * 3 : leading;
      if (y - needed < kMargin && !page.empty()) {
        pages.push_back(page);
        page.clear();
        y = kPageHeight - kMargin;
      }
      y -= leading;
      const bool bullet = paragraph.style == TextStyle::Item && i == 0;
      page += "BT /" + std::string(m.font) + " " + number(m.size) + " Tf " + number(kMargin + indent) + " " +
              number(y) + " Td " + literal(lines[i]) + " Tj ET\n";
      if (bullet) {
        page += "BT /F1 " + number(m.size) + " Tf " + number(kMargin + 3) + " " + number(y) + " Td (-) Tj ET\n";
      }
    }
  }
  if (!page.empty() || pages.empty()) pages.push_back(page);
  return pages;
}

std::vector<uint8_t> PdfWriter::finish() const {
  const std::vector<std::string> pages = layoutPages();
  // Objects: 1 catalog, 2 page tree, 3 and 4 fonts, 5 info, then a page and its content per page.
  std::vector<std::string> objects;
  std::string kids;
  for (size_t i = 0; i < pages.size(); ++i) kids += std::to_string(6 + 2 * i) + " 0 R ";
  objects.push_back("<< /Type /Catalog /Pages 2 0 R >>");
  objects.push_back("<< /Type /Pages /Kids [" + kids + "] /Count " + std::to_string(pages.size()) + " >>");
  objects.push_back("<< /Type /Font /Subtype /Type1 /BaseFont /Helvetica /Encoding /WinAnsiEncoding >>");
  objects.push_back("<< /Type /Font /Subtype /Type1 /BaseFont /Helvetica-Bold /Encoding /WinAnsiEncoding >>");
  objects.push_back("<< /Title " + literal(title_) + " /Producer (Reefsaver cdcontent) >>");
  for (size_t i = 0; i < pages.size(); ++i) {
    objects.push_back(
        "<< /Type /Page /Parent 2 0 R /MediaBox [0 0 595 842] "
        "/Resources << /Font << /F1 3 0 R /F2 4 0 R >> >> /Contents " +
        std::to_string(7 + 2 * i) + " 0 R >>");
    objects.push_back("<< /Length " + std::to_string(pages[i].size()) + " >>\nstream\n" + pages[i] + "endstream");
  }

  std::string out = "%PDF-1.4\n%\xE2\xE3\xCF\xD3\n";
  std::vector<size_t> offsets;
  for (size_t i = 0; i < objects.size(); ++i) {
    offsets.push_back(out.size());
    out += std::to_string(i + 1) + " 0 obj\n" + objects[i] + "\nendobj\n";
  }
  const size_t xref = out.size();
  out += "xref\n0 " + std::to_string(objects.size() + 1) + "\n0000000000 65535 f \n";
  for (size_t offset : offsets) {
    char entry[24];
    std::snprintf(entry, sizeof entry, "%010zu 00000 n \n", offset);
    out += entry;
  }
  out += "trailer\n<< /Size " + std::to_string(objects.size() + 1) + " /Root 1 0 R /Info 5 0 R >>\n";
  out += "startxref\n" + std::to_string(xref) + "\n%%EOF\n";
  return std::vector<uint8_t>(out.begin(), out.end());
}

}  // namespace cdcontent
