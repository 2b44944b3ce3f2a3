#pragma once
#include <windows.h>

// The saver's "Error" message boxes. They are owned by the saver window when there is one and
// kept above it, so a topmost full-screen window can never hide them.
void showError(HWND owner, const char* text);

// The same box, closed by itself after timeoutMs when nobody answers it: a saver that starts
// unattended must not wait at it for ever.
void showErrorFor(HWND owner, const char* text, UINT timeoutMs);
