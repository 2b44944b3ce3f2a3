#include "config/DialogPictures.h"

namespace {

constexpr UINT BaseDpi = 96;

using DpiForWindowFn = UINT(WINAPI*)(HWND);

// A 24-bit copy of source at size x dpi / 96, smoothed; nullptr when it would not differ in size.
HBITMAP scaledCopy(HBITMAP source, UINT dpi) {
  BITMAP info = {};
  if (!GetObjectA(source, sizeof(info), &info) || info.bmWidth <= 0 || info.bmHeight <= 0) return nullptr;
  const int width = MulDiv(info.bmWidth, static_cast<int>(dpi), BaseDpi);
  const int height = MulDiv(info.bmHeight, static_cast<int>(dpi), BaseDpi);
  if ((width == info.bmWidth && height == info.bmHeight) || width <= 0 || height <= 0) return nullptr;

  BITMAPINFO header = {};
  header.bmiHeader.biSize = sizeof(header.bmiHeader);
  header.bmiHeader.biWidth = width;
  header.bmiHeader.biHeight = height;
  header.bmiHeader.biPlanes = 1;
  header.bmiHeader.biBitCount = 24;
  header.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  HDC screen = GetDC(nullptr);
  HBITMAP scaled = CreateDIBSection(screen, &header, DIB_RGB_COLORS, &bits, nullptr, 0);
  HDC from = CreateCompatibleDC(screen);
  HDC to = CreateCompatibleDC(screen);
  ReleaseDC(nullptr, screen);
  if (scaled && from && to) {
    HGDIOBJ oldFrom = SelectObject(from, source);
    HGDIOBJ oldTo = SelectObject(to, scaled);
    SetStretchBltMode(to, HALFTONE);
    SetBrushOrgEx(to, 0, 0, nullptr);
    StretchBlt(to, 0, 0, width, height, from, 0, 0, info.bmWidth, info.bmHeight, SRCCOPY);
    SelectObject(from, oldFrom);
    SelectObject(to, oldTo);
  }
  if (from) DeleteDC(from);
  if (to) DeleteDC(to);
  return scaled;
}

bool isBitmapPicture(HWND window) {
  char className[16] = {};
  GetClassNameA(window, className, sizeof(className));
  return lstrcmpiA(className, "Static") == 0 && (GetWindowLongA(window, GWL_STYLE) & SS_TYPEMASK) == SS_BITMAP;
}

}  // namespace

UINT dpiOfWindow(HWND window) {
  static const auto dpiForWindow = reinterpret_cast<DpiForWindowFn>(
      reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("USER32"), "GetDpiForWindow")));
  if (dpiForWindow) {
    const UINT dpi = dpiForWindow(window);
    if (dpi) return dpi;
  }
  HDC dc = GetDC(window);
  const int dpi = GetDeviceCaps(dc, LOGPIXELSX);
  ReleaseDC(window, dc);
  return dpi > 0 ? static_cast<UINT>(dpi) : BaseDpi;
}

DialogPictures::~DialogPictures() {
  for (Picture& picture : pictures_) {
    if (picture.scaled) DeleteObject(picture.scaled);
  }
}

void DialogPictures::addAll(HWND window) {
  for (HWND child = GetWindow(window, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
    if (isBitmapPicture(child)) add(child);
  }
}

void DialogPictures::add(HWND control) {
  const auto original = reinterpret_cast<HBITMAP>(SendMessageA(control, STM_GETIMAGE, IMAGE_BITMAP, 0));
  if (!original) return;
  for (Picture& picture : pictures_) {
    if (picture.control == control) {
      // A new original for a control already kept (the intro picture is set once per page).
      if (picture.scaled) DeleteObject(picture.scaled);
      picture = {control, original, nullptr};
      show(picture, dpiOfWindow(control));
      return;
    }
  }
  pictures_.push_back({control, original, nullptr});
  show(pictures_.back(), dpiOfWindow(control));
}

void DialogPictures::rescale(UINT dpi) {
  for (Picture& picture : pictures_) show(picture, dpi);
}

void DialogPictures::show(Picture& picture, UINT dpi) {
  HBITMAP previous = picture.scaled;
  picture.scaled = scaledCopy(picture.original, dpi);
  SendMessageA(picture.control, STM_SETIMAGE, IMAGE_BITMAP,
               reinterpret_cast<LPARAM>(picture.scaled ? picture.scaled : picture.original));
  if (previous) DeleteObject(previous);
}
