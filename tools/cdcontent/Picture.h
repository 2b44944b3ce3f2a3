#pragma once
// An RGB picture with the few drawing operations the CD pictures and the intro frames need, and a
// 5 x 7 block font for the product name.

#include <cstdint>
#include <string>
#include <vector>

namespace cdcontent {

struct Rgb {
  double r, g, b;  // 0..255
};

Rgb mix(const Rgb& a, const Rgb& b, double t);

class Picture {
 public:
  Picture(int width, int height);

  int width() const { return width_; }
  int height() const { return height_; }
  const Rgb& at(int x, int y) const { return pixels_[static_cast<size_t>(y) * width_ + x]; }
  void set(int x, int y, const Rgb& colour);
  // Blends colour over the pixel with the given cover (0..1); outside pixels are ignored.
  void blend(int x, int y, const Rgb& colour, double cover);

  void fillRect(int x0, int y0, int x1, int y1, const Rgb& colour, double cover = 1.0);
  void fillEllipse(double cx, double cy, double rx, double ry, const Rgb& colour, double cover = 1.0);
  // Text in the block font, top-left at (x, y), each font pixel drawn as a scale x scale block.
  void drawText(int x, int y, const std::string& text, int scale, const Rgb& colour, double cover = 1.0);
  static int textWidth(const std::string& text, int scale);

  // Bottom-up rows padded to 4 bytes, as BMP files and uncompressed AVI frames hold them: BGR
  // with 3 bytes per pixel, BGR and an unused byte with 4.
  std::vector<uint8_t> bottomUpRows(int bytesPerPixel) const;

 private:
  int width_;
  int height_;
  std::vector<Rgb> pixels_;
};

}  // namespace cdcontent
