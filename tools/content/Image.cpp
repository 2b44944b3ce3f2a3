#include "Image.h"

#include <cmath>

Rgba rgb(float r, float g, float b, float a) { return Rgba{r, g, b, a}; }

Rgba hexColor(unsigned value, float a) {
  return Rgba{((value >> 16) & 0xFF) / 255.0f, ((value >> 8) & 0xFF) / 255.0f, (value & 0xFF) / 255.0f, a};
}

Rgba mixColor(const Rgba& from, const Rgba& to, float t) {
  return Rgba{from.r + (to.r - from.r) * t, from.g + (to.g - from.g) * t, from.b + (to.b - from.b) * t,
              from.a + (to.a - from.a) * t};
}

Rgba scaleColor(const Rgba& c, float factor) { return Rgba{c.r * factor, c.g * factor, c.b * factor, c.a}; }

Rgba overColor(const Rgba& bottom, const Rgba& top, float coverage) {
  Rgba result = mixColor(bottom, top, coverage);
  result.a = bottom.a;
  return result;
}

void paintOver(Rgba& bottom, const Rgba& top, float coverage) {
  if (coverage <= 0.0f) return;
  const float alpha = coverage + bottom.a * (1.0f - coverage);
  const float keep = bottom.a * (1.0f - coverage);
  bottom = Rgba{(top.r * coverage + bottom.r * keep) / alpha, (top.g * coverage + bottom.g * keep) / alpha,
                (top.b * coverage + bottom.b * keep) / alpha, alpha};
}

Image::Image(int width, int height, const Rgba& fill)
    : width_(width), height_(height), pixels_(static_cast<size_t>(width) * height, fill) {}

void Image::paint(const std::function<Rgba(float u, float v)>& painter) {
  for (int y = 0; y < height_; ++y) {
    for (int x = 0; x < width_; ++x) at(x, y) = painter((x + 0.5f) / width_, (y + 0.5f) / height_);
  }
}

Rgba Image::sampleWrap(float u, float v) const {
  float x = u * width_ - 0.5f;
  float y = v * height_ - 0.5f;
  float fx = std::floor(x);
  float fy = std::floor(y);
  float tx = x - fx;
  float ty = y - fy;
  auto wrap = [](int i, int n) { return ((i % n) + n) % n; };
  int x0 = wrap(static_cast<int>(fx), width_), x1 = wrap(static_cast<int>(fx) + 1, width_);
  int y0 = wrap(static_cast<int>(fy), height_), y1 = wrap(static_cast<int>(fy) + 1, height_);
  Rgba top = mixColor(at(x0, y0), at(x1, y0), tx);
  Rgba bottom = mixColor(at(x0, y1), at(x1, y1), tx);
  return mixColor(top, bottom, ty);
}

void Image::blur(int radius, bool wrap) {
  if (radius <= 0) return;
  auto pass = [&](bool horizontal) {
    std::vector<Rgba> source = pixels_;
    int length = horizontal ? width_ : height_;
    int lines = horizontal ? height_ : width_;
    for (int line = 0; line < lines; ++line) {
      for (int i = 0; i < length; ++i) {
        Rgba sum{0, 0, 0, 0};
        int count = 0;
        for (int k = -radius; k <= radius; ++k) {
          int j = i + k;
          if (wrap) {
            j = ((j % length) + length) % length;
          } else if (j < 0 || j >= length) {
            continue;
          }
          const Rgba& p = horizontal ? source[static_cast<size_t>(line) * width_ + j]
                                     : source[static_cast<size_t>(j) * width_ + line];
          sum.r += p.r;
          sum.g += p.g;
          sum.b += p.b;
          sum.a += p.a;
          ++count;
        }
        Rgba& out = horizontal ? pixels_[static_cast<size_t>(line) * width_ + i]
                               : pixels_[static_cast<size_t>(i) * width_ + line];
        out = Rgba{sum.r / count, sum.g / count, sum.b / count, sum.a / count};
      }
    }
  };
  pass(true);
  pass(false);
}
