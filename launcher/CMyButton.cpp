#include "launcher/CMyButton.h"

#include <commctrl.h>
#include <mmsystem.h>

#include "launcher/LauncherRules.h"

namespace launcher {
namespace {

const COLORREF kFace = RGB(255, 255, 255);
const COLORREF kText = RGB(0, 90, 171);
const COLORREF kHoverFace = RGB(191, 215, 234);
const COLORREF kHoverText = RGB(0, 46, 91);

}  // namespace

CMyButton::~CMyButton() {
  if (hwnd_ != nullptr && IsWindow(hwnd_)) RemoveWindowSubclass(hwnd_, subclassProc, 0);
}

void CMyButton::attach(HWND button, HWND statusText) {
  hwnd_ = button;
  statusText_ = statusText;
  SetWindowSubclass(button, subclassProc, 0, reinterpret_cast<DWORD_PTR>(this));
}

void CMyButton::onMouseMove() {
  if (armed_) {
    // A missing or silent sound (empty name) and a machine without audio are both fine.
    sndPlaySoundA(sound_.c_str(), SND_ASYNC | SND_NODEFAULT);
    const std::string name = productName_ ? productName_() : std::string();
    SetWindowTextA(statusText_, withProductName(hoverText_, name).c_str());
    armed_ = false;
  }
  hover_ = true;
  SetCursor(LoadCursor(nullptr, IDC_HAND));
  InvalidateRect(hwnd_, nullptr, FALSE);
}

void CMyButton::drawItem(const DRAWITEMSTRUCT& item) {
  HDC dc = item.hDC;
  RECT rc = item.rcItem;
  const bool pressed = (item.itemState & ODS_SELECTED) != 0;
  DrawFrameControl(dc, &rc, DFC_BUTTON, DFCS_BUTTONPUSH | DFCS_FLAT | (pressed ? DFCS_PUSHED : 0));

  const COLORREF face = hover_ ? kHoverFace : kFace;
  RECT inner = rc;
  InflateRect(&inner, -2, -2);
  HBRUSH brush = CreateSolidBrush(face);
  FillRect(dc, &inner, brush);
  DeleteObject(brush);

  char caption[256];
  GetWindowTextA(hwnd_, caption, sizeof caption);
  const int oldMode = SetBkMode(dc, TRANSPARENT);
  const COLORREF oldColor = SetTextColor(dc, hover_ ? kHoverText : kText);
  if (pressed) OffsetRect(&rc, 1, 1);
  DrawTextA(dc, caption, -1, &rc, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
  SetTextColor(dc, oldColor);
  SetBkMode(dc, oldMode);
  hover_ = false;
}

LRESULT CALLBACK CMyButton::subclassProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam,
                                         UINT_PTR, DWORD_PTR data) {
  CMyButton* self = reinterpret_cast<CMyButton*>(data);
  switch (message) {
    case WM_MOUSEMOVE:
      self->onMouseMove();
      break;
    case WM_NCDESTROY:
      RemoveWindowSubclass(hwnd, subclassProc, 0);
      self->hwnd_ = nullptr;
      break;
    default:
      break;
  }
  return DefSubclassProc(hwnd, message, wParam, lParam);
}

}  // namespace launcher
