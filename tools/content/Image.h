#pragma once
// A picture in linear float RGBA, painted by the generators and encoded by BmpWriter.

#include <functional>
#include <vector>

struct Rgba {
  float r = 0.0f, g = 0.0f, b = 0.0f, a = 1.0f;
};

Rgba rgb(float r, float g, float b, float a = 1.0f);
// 0xRRGGBB to a colour.
Rgba hexColor(unsigned value, float a = 1.0f);
Rgba mixColor(const Rgba& from, const Rgba& to, float t);
Rgba scaleColor(const Rgba& c, float factor);
// Paints `top` over `bottom` with the given coverage.
Rgba overColor(const Rgba& bottom, const Rgba& top, float coverage);
// The same for pictures with alpha built up in layers (cut-outs, decals): where `bottom` is clear
// the result is `top` at that coverage.
void paintOver(Rgba& bottom, const Rgba& top, float coverage);

class Image {
 public:
  Image(int width, int height, const Rgba& fill = Rgba{});

  int width() const { return width_; }
  int height() const { return height_; }

  Rgba& at(int x, int y) { return pixels_[static_cast<size_t>(y) * width_ + x]; }
  const Rgba& at(int x, int y) const { return pixels_[static_cast<size_t>(y) * width_ + x]; }

  // Calls paint(u, v) with the pixel centre in [0, 1) (v = 0 is the top row) for every pixel.
  void paint(const std::function<Rgba(float u, float v)>& painter);

  // Bilinear sample with wrap-around at (u, v) in picture units.
  Rgba sampleWrap(float u, float v) const;

  // Separable box blur of the given radius (in pixels), wrapping at the borders when asked.
  void blur(int radius, bool wrap);

 private:
  int width_;
  int height_;
  std::vector<Rgba> pixels_;
};
