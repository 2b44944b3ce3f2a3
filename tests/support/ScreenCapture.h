#pragma once
#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

// Pixels read back from the screen (what the X server shows, GL content included).
struct Capture {
  int width = 0;
  int height = 0;
  std::vector<uint32_t> pixels;  // 0x00RRGGBB, top row first

  uint32_t at(int x, int y) const { return pixels[static_cast<size_t>(y) * width + x]; }
  // Fraction of pixels in the rectangle whose brightest channel exceeds threshold.
  double brightFraction(const RECT& area, int threshold) const;
  bool saveBmp(const std::string& path) const;
};

Capture captureScreen(const RECT& area);
Capture captureWindowClient(HWND window);

// The window's client area once it has finished painting: two looks in a row show the same.
Capture settledCapture(HWND window);

// Waits until the window's picture, showing more than black, changes between two looks: the scene
// is being drawn (it moves all the time). False when it stood still until timeoutMs passed.
bool picturesMove(HWND window, DWORD timeoutMs);
// The picture keeps moving for at least ms (from its first move on): the scene has been drawn for
// that long, by the program's own clock too.
bool picturesMoveFor(HWND window, DWORD ms);

inline int red(uint32_t p) { return static_cast<int>((p >> 16) & 0xFF); }
inline int green(uint32_t p) { return static_cast<int>((p >> 8) & 0xFF); }
inline int blue(uint32_t p) { return static_cast<int>(p & 0xFF); }
