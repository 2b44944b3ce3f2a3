#pragma once
#include <cstdint>
#include <string>
#include <vector>

// An RGB picture, top row first, assembled from pieces read back from the GL window and written
// as a 24-bit BMP.
class SheetImage {
 public:
  SheetImage(int width, int height);

  int width() const { return width_; }
  int height() const { return height_; }
  // Copies rows read with glReadPixels (RGBA, bottom row first) of a window of the given size whose
  // top-left corner shows the sheet's point (left, top); parts outside the sheet are dropped.
  void paste(const std::vector<uint8_t>& rgba, int windowWidth, int windowHeight, int left, int top);
  bool writeBmp(const std::string& path) const;

 private:
  int width_, height_;
  std::vector<uint8_t> rgb_;
};
