#include "tests/support/ScreenCapture.h"

#include <algorithm>
#include <fstream>
#include <utility>

#include "formats/BmpFormat.h"
#include "tests/support/ChildProcess.h"

double Capture::brightFraction(const RECT& area, int threshold) const {
  long bright = 0, total = 0;
  for (int y = std::max(0, static_cast<int>(area.top)); y < std::min(height, static_cast<int>(area.bottom)); ++y) {
    for (int x = std::max(0, static_cast<int>(area.left)); x < std::min(width, static_cast<int>(area.right)); ++x) {
      const uint32_t p = at(x, y);
      if (std::max({red(p), green(p), blue(p)}) > threshold) ++bright;
      ++total;
    }
  }
  return total ? static_cast<double>(bright) / static_cast<double>(total) : 0.0;
}

bool Capture::saveBmp(const std::string& path) const {
  formats::Bytes file;
  formats::appendBmpHeaders(file, width, height, 32, 0);
  // Stored bottom row first, each pixel as blue, green, red and an unused byte: 0x00RRGGBB as it lies.
  for (int y = height - 1; y >= 0; --y) {
    const auto* row = reinterpret_cast<const uint8_t*>(&pixels[static_cast<size_t>(y) * width]);
    file.insert(file.end(), row, row + static_cast<size_t>(width) * 4);
  }
  std::ofstream out(path, std::ios::binary);
  out.write(reinterpret_cast<const char*>(file.data()), static_cast<std::streamsize>(file.size()));
  return static_cast<bool>(out);
}

Capture captureScreen(const RECT& area) {
  Capture capture;
  capture.width = area.right - area.left;
  capture.height = area.bottom - area.top;
  if (capture.width <= 0 || capture.height <= 0) return capture;
  HDC screen = GetDC(nullptr);
  HDC memory = CreateCompatibleDC(screen);
  BITMAPINFO info = {};
  info.bmiHeader.biSize = sizeof(info.bmiHeader);
  info.bmiHeader.biWidth = capture.width;
  info.bmiHeader.biHeight = -capture.height;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  HBITMAP bitmap = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  HGDIOBJ old = SelectObject(memory, bitmap);
  BitBlt(memory, 0, 0, capture.width, capture.height, screen, area.left, area.top, SRCCOPY);
  GdiFlush();
  const auto* source = static_cast<const uint32_t*>(bits);
  capture.pixels.assign(source, source + static_cast<size_t>(capture.width) * capture.height);
  for (uint32_t& p : capture.pixels) p &= 0x00FFFFFF;
  SelectObject(memory, old);
  DeleteObject(bitmap);
  DeleteDC(memory);
  ReleaseDC(nullptr, screen);
  return capture;
}

Capture captureWindowClient(HWND window) {
  RECT client = {};
  GetClientRect(window, &client);
  POINT origin = {0, 0};
  ClientToScreen(window, &origin);
  OffsetRect(&client, origin.x, origin.y);
  return captureScreen(client);
}

namespace {

// More than black: a window cleared before its first frame, or not yet drawn at all, is not a scene.
bool showsSomething(const Capture& shot) { return shot.brightFraction(RECT{0, 0, shot.width, shot.height}, 24) > 0.1; }

}  // namespace

bool picturesMove(HWND window, DWORD timeoutMs) {
  Capture last = captureWindowClient(window);
  return waitUntil(
      [&] {
        pumpMessagesFor(20);  // a preview's host may be a window of this thread
        Capture now = captureWindowClient(window);
        const bool moved = now.pixels != last.pixels && showsSomething(now) && showsSomething(last);
        last = std::move(now);
        return moved;
      },
      timeoutMs);
}

bool picturesMoveFor(HWND window, DWORD ms) {
  const DWORD moveTimeout = 20000;
  if (!picturesMove(window, moveTimeout)) return false;
  const ULONGLONG end = GetTickCount64() + ms;
  while (GetTickCount64() < end) {
    if (!picturesMove(window, moveTimeout)) return false;
  }
  return true;
}

Capture settledCapture(HWND window) {
  RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
  Capture last = captureWindowClient(window);
  waitUntil(
      [&] {
        Capture now = captureWindowClient(window);
        const bool settled = now.pixels == last.pixels;
        last = std::move(now);
        return settled;
      },
      5000);
  return last;
}
