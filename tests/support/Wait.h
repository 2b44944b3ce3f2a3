#pragma once
// Waiting in tests: always for a condition, always with a deadline, never for a fixed time. A wait
// that runs out says so through its result, so the caller can report what it waited for.
#include <windows.h>

// Polls until pred() holds or timeoutMs passed; returns the last value of pred().
template <typename Pred>
bool waitUntil(Pred pred, DWORD timeoutMs) {
  const ULONGLONG end = GetTickCount64() + timeoutMs;
  while (!pred()) {
    if (GetTickCount64() > end) return pred();
    Sleep(20);
  }
  return true;
}

// Handles the messages of the calling thread for about ms milliseconds, for windows of the test's
// own that another process sends to while the test waits (a preview's host, a dialog's owner).
inline void pumpMessagesFor(DWORD ms) {
  const ULONGLONG end = GetTickCount64() + ms;
  MSG msg;
  do {
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&msg);
      DispatchMessageA(&msg);
    }
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
  } while (GetTickCount64() < end);
}
