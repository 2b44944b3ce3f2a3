#include "shell/ErrorBox.h"

namespace {

const char* const Caption = "Error";
constexpr UINT BoxStyle = MB_OK | MB_ICONERROR | MB_TOPMOST | MB_SETFOREGROUND;

// The one box waiting to be closed by its timer (boxes are modal, so there is never more than one).
DWORD boxThread = 0;

BOOL CALLBACK closeIfErrorBox(HWND window, LPARAM) {
  char className[16] = {};
  char caption[16] = {};
  GetClassNameA(window, className, sizeof(className));
  GetWindowTextA(window, caption, sizeof(caption));
  if (lstrcmpA(className, "#32770") == 0 && lstrcmpA(caption, Caption) == 0) {
    PostMessageA(window, WM_COMMAND, IDOK, 0);
    return FALSE;
  }
  return TRUE;
}

// A thread timer: the box's own message loop dispatches it.
void CALLBACK closeErrorBox(HWND, UINT, UINT_PTR timer, DWORD) {
  KillTimer(nullptr, timer);
  EnumThreadWindows(boxThread, closeIfErrorBox, 0);
}

}  // namespace

void showError(HWND owner, const char* text) {
  MessageBoxA(IsWindow(owner) ? owner : nullptr, text, Caption, BoxStyle);
}

void showErrorFor(HWND owner, const char* text, UINT timeoutMs) {
  boxThread = GetCurrentThreadId();
  const UINT_PTR timer = SetTimer(nullptr, 0, timeoutMs, closeErrorBox);
  showError(owner, text);
  if (timer) KillTimer(nullptr, timer);
}
