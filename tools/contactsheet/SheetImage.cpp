#include "tools/contactsheet/SheetImage.h"

#include <cstdio>

#include "formats/BmpFormat.h"

SheetImage::SheetImage(int width, int height)
    : width_(width), height_(height), rgb_(static_cast<size_t>(width) * height * 3, 0) {}

void SheetImage::paste(const std::vector<uint8_t>& rgba, int windowWidth, int windowHeight, int left, int top) {
  for (int row = 0; row < windowHeight; ++row) {
    const int y = top + row;
    if (y < 0 || y >= height_) continue;
    const uint8_t* source = rgba.data() + static_cast<size_t>(windowHeight - 1 - row) * windowWidth * 4;
    for (int column = 0; column < windowWidth; ++column) {
      const int x = left + column;
      if (x < 0 || x >= width_) continue;
      uint8_t* target = rgb_.data() + (static_cast<size_t>(y) * width_ + x) * 3;
      target[0] = source[column * 4];
      target[1] = source[column * 4 + 1];
      target[2] = source[column * 4 + 2];
    }
  }
}

bool SheetImage::writeBmp(const std::string& path) const {
  const size_t rowSize = formats::bmpRowBytes(static_cast<uint64_t>(width_), 24);
  formats::Bytes header;
  formats::appendBmpHeaders(header, width_, height_, 24, 0);
  std::string file(header.begin(), header.end());
  std::string row(rowSize, '\0');
  for (int y = height_ - 1; y >= 0; --y) {
    const uint8_t* source = rgb_.data() + static_cast<size_t>(y) * width_ * 3;
    for (int x = 0; x < width_; ++x) {
      row[x * 3] = static_cast<char>(source[x * 3 + 2]);
      row[x * 3 + 1] = static_cast<char>(source[x * 3 + 1]);
      row[x * 3 + 2] = static_cast<char>(source[x * 3]);
    }
    file += row;
  }
  std::FILE* out = std::fopen(path.c_str(), "wb");
  if (!out) return false;
  const bool written = std::fwrite(file.data(), 1, file.size(), out) == file.size();
  return std::fclose(out) == 0 && written;
}
