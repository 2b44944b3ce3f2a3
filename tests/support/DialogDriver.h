#pragma once
// Drives a modal dialog of the calling thread from a second thread, with window messages only,
// the way a user's clicks would arrive.
#include <windows.h>

#include <functional>
#include <string>

namespace dialogs {

// Runs drive(dialog) on a worker thread as soon as a dialog window of this thread that holds a
// control markerId appears, while run() (which shows the dialog modally) blocks this thread.
// drive must end the dialog (press OK or Cancel).
void driveWhile(int markerId, const std::function<void(HWND)>& drive, const std::function<void()>& run);

// A visible dialog of thread that holds markerId, waiting up to timeoutMs (from a worker thread).
HWND waitForDialog(DWORD thread, int markerId, DWORD timeoutMs = 10000);

// The control id of the dialog or of one of its child dialogs (pages).
HWND control(HWND dialog, int id);
std::string text(HWND window);
std::string controlText(HWND dialog, int id);
bool isChecked(HWND dialog, int id);
bool isShown(HWND dialog, int id);

void setCheck(HWND dialog, int id, bool on);
void moveTrackbar(HWND dialog, int id, int position);
int trackbarPosition(HWND dialog, int id);
void chooseComboItem(HWND dialog, int id, int item);
int comboSelection(HWND dialog, int id);
int comboCount(HWND dialog, int id);
std::string comboItemText(HWND dialog, int id, int item);
// Selects a list-view item; posted, since the selection may open a nested modal dialog.
void selectListItem(HWND dialog, int id, int item);
void press(HWND dialog, int id);  // posted WM_COMMAND, e.g. IDOK

}  // namespace dialogs
