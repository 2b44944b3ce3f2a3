#pragma once
#include <windows.h>

#include <vector>

// Keeps the pictures of a dialog in their size relation to its text. The dialog's text grows with
// the display's DPI, while a picture control shows its bitmap pixel for pixel; so each picture is
// shown scaled by DPI / 96, and scaled anew from its original when the DPI changes.
class DialogPictures {
 public:
  DialogPictures() = default;
  DialogPictures(const DialogPictures&) = delete;
  DialogPictures& operator=(const DialogPictures&) = delete;
  ~DialogPictures();

  // Every bitmap picture control among the children of window.
  void addAll(HWND window);
  // One picture control; its current bitmap is the original (owned by whoever set it).
  void add(HWND control);
  void rescale(UINT dpi);

 private:
  struct Picture {
    HWND control;
    HBITMAP original;
    HBITMAP scaled;  // ours; nullptr while the original is shown
  };
  void show(Picture& picture, UINT dpi);

  std::vector<Picture> pictures_;
};

// The DPI a window is shown at: the window's own where the system tells it, else the system's.
UINT dpiOfWindow(HWND window);
