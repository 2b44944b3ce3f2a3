#pragma once
#include <windows.h>

// Puts a dialog where the user looks: centred on its owner (the Display control panel that asked
// for it), or on the primary monitor's work area when it has none, and kept within the work area
// of that monitor.
void centreDialog(HWND dialog);
