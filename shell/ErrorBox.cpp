#include "shell/ErrorBox.h"

#include <string>

#include "config/ProgramTexts.h"
#include "formats/FileOpen.h"

namespace {

constexpr UINT BoxStyle = MB_OK | MB_ICONERROR | MB_TOPMOST | MB_SETFOREGROUND;

// The one box waiting to be closed by its timer (boxes are modal, so there is never more than one).
DWORD boxThread = 0;
std::wstring boxCaption;

BOOL CALLBACK closeIfErrorBox(HWND window, LPARAM) {
  wchar_t className[16] = {};
  wchar_t caption[64] = {};
  GetClassNameW(window, className, 16);
  GetWindowTextW(window, caption, 64);
  if (lstrcmpW(className, L"#32770") == 0 && boxCaption == caption) {
    PostMessageW(window, WM_COMMAND, IDOK, 0);
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

void showError(HWND owner, textkeys::Language language, const char* text) {
  const std::wstring caption = fileopen::wide(programtexts::ErrorCaption.in(language));
  MessageBoxW(IsWindow(owner) ? owner : nullptr, fileopen::wide(text).c_str(), caption.c_str(), BoxStyle);
}

void showErrorFor(HWND owner, textkeys::Language language, const char* text, UINT timeoutMs) {
  boxThread = GetCurrentThreadId();
  boxCaption = fileopen::wide(programtexts::ErrorCaption.in(language));
  const UINT_PTR timer = SetTimer(nullptr, 0, timeoutMs, closeErrorBox);
  showError(owner, language, text);
  if (timer) KillTimer(nullptr, timer);
}
