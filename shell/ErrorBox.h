#pragma once
#include <windows.h>

#include "formats/TextTableKeys.h"

// The saver's "Error" message boxes, captioned in the saver's language ("Fehler", "Erreur"). They
// are owned by the saver window when there is one and kept above it, so a topmost full-screen
// window can never hide them. Texts are UTF-8: a path in any script shows as it is.
void showError(HWND owner, textkeys::Language language, const char* text);

// The same box, closed by itself after timeoutMs when nobody answers it: a saver that starts
// unattended must not wait at it for ever.
void showErrorFor(HWND owner, textkeys::Language language, const char* text, UINT timeoutMs);
