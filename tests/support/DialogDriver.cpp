#include "tests/support/DialogDriver.h"

#include <commctrl.h>

#include <atomic>
#include <cstdio>
#include <thread>

#include <gtest/gtest.h>

#include "tests/support/ChildProcess.h"

namespace dialogs {
namespace {

struct Search {
  int markerId;
  HWND found;
};

BOOL CALLBACK findDialog(HWND window, LPARAM param) {
  auto* search = reinterpret_cast<Search*>(param);
  char name[16] = {};
  GetClassNameA(window, name, sizeof(name));
  if (lstrcmpA(name, "#32770") == 0 && IsWindowVisible(window) && control(window, search->markerId)) {
    search->found = window;
    return FALSE;
  }
  return TRUE;
}

BOOL CALLBACK findInPage(HWND child, LPARAM param) {
  auto* search = reinterpret_cast<Search*>(param);
  if (GetDlgCtrlID(child) == search->markerId) {
    search->found = child;
    return FALSE;
  }
  return TRUE;
}

BOOL CALLBACK findAnyDialog(HWND window, LPARAM param) {
  char name[16] = {};
  GetClassNameA(window, name, sizeof(name));
  if (lstrcmpA(name, "#32770") != 0 || !IsWindowVisible(window)) return TRUE;
  *reinterpret_cast<HWND*>(param) = window;
  return !IsWindowEnabled(window);  // an enabled one is the innermost: stop there
}

// A visible dialog of the thread, the innermost of nested modal dialogs when there is one.
HWND anyDialog(DWORD thread) {
  HWND found = nullptr;
  EnumThreadWindows(thread, findAnyDialog, reinterpret_cast<LPARAM>(&found));
  return found;
}

void notifyParent(HWND control, WORD code) {
  SendMessageA(GetParent(control), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(control), code),
               reinterpret_cast<LPARAM>(control));
}

}  // namespace

void driveWhile(int markerId, const std::function<void(HWND)>& drive, const std::function<void()>& run) {
  const DWORD ui = GetCurrentThreadId();
  std::atomic<bool> finished{false};
  std::thread worker([&] {
    if (HWND dialog = waitForDialog(ui, markerId)) {
      drive(dialog);
    } else {
      ADD_FAILURE() << "no dialog with control " << markerId << " appeared";
    }
    // A driver that stopped at a failed assertion leaves its dialogs open, and run() would wait for
    // them for ever: they are closed here, innermost first, and the test fails.
    if (waitUntil([&] { return finished.load(); }, 10000)) return;
    ADD_FAILURE() << "the dialogs were left open";
    const bool closed = waitUntil(
        [&] {
          if (HWND open = anyDialog(ui)) PostMessageA(open, WM_COMMAND, IDCANCEL, 0);
          return finished.load();
        },
        10000);
    // Dialogs that open again as fast as they are closed would hold run() for ever: the program
    // ends here, failed, instead of waiting for the test runner's time limit.
    if (!closed) {
      std::fprintf(stderr, "the dialogs cannot be closed: the test program ends\n");
      std::fflush(nullptr);
      TerminateProcess(GetCurrentProcess(), 1);
    }
  });
  run();
  finished = true;
  worker.join();
}

HWND waitForDialog(DWORD thread, int markerId, DWORD timeoutMs) {
  Search search{markerId, nullptr};
  waitUntil(
      [&] {
        search.found = nullptr;
        EnumThreadWindows(thread, findDialog, reinterpret_cast<LPARAM>(&search));
        return search.found != nullptr;
      },
      timeoutMs);
  return search.found;
}

HWND control(HWND dialog, int id) {
  if (HWND direct = GetDlgItem(dialog, id)) return direct;
  Search search{id, nullptr};
  EnumChildWindows(dialog, findInPage, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

std::string text(HWND window) {
  char buffer[1024] = {};
  SendMessageA(window, WM_GETTEXT, sizeof(buffer), reinterpret_cast<LPARAM>(buffer));
  return buffer;
}

std::string controlText(HWND dialog, int id) { return text(control(dialog, id)); }

bool isChecked(HWND dialog, int id) { return SendMessageA(control(dialog, id), BM_GETCHECK, 0, 0) == BST_CHECKED; }

bool isShown(HWND dialog, int id) { return IsWindowVisible(control(dialog, id)) != FALSE; }

void setCheck(HWND dialog, int id, bool on) {
  HWND box = control(dialog, id);
  SendMessageA(box, BM_SETCHECK, on ? BST_CHECKED : BST_UNCHECKED, 0);
  notifyParent(box, BN_CLICKED);
}

void moveTrackbar(HWND dialog, int id, int position) {
  HWND bar = control(dialog, id);
  SendMessageA(bar, TBM_SETPOS, TRUE, position);
  SendMessageA(GetParent(bar), WM_HSCROLL, MAKEWPARAM(TB_THUMBPOSITION, position), reinterpret_cast<LPARAM>(bar));
}

int trackbarPosition(HWND dialog, int id) {
  return static_cast<int>(SendMessageA(control(dialog, id), TBM_GETPOS, 0, 0));
}

void chooseComboItem(HWND dialog, int id, int item) {
  HWND combo = control(dialog, id);
  SendMessageA(combo, CB_SETCURSEL, item, 0);
  notifyParent(combo, CBN_SELCHANGE);
}

int comboSelection(HWND dialog, int id) {
  return static_cast<int>(SendMessageA(control(dialog, id), CB_GETCURSEL, 0, 0));
}

int comboCount(HWND dialog, int id) { return static_cast<int>(SendMessageA(control(dialog, id), CB_GETCOUNT, 0, 0)); }

std::string comboItemText(HWND dialog, int id, int item) {
  char buffer[256] = {};
  SendMessageA(control(dialog, id), CB_GETLBTEXT, item, reinterpret_cast<LPARAM>(buffer));
  return buffer;
}

void selectListItem(HWND dialog, int id, int item) {
  // Kept alive until the posted message is handled, whenever that is.
  static LVITEMA state;
  state = LVITEMA{};
  state.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
  state.state = LVIS_SELECTED | LVIS_FOCUSED;
  PostMessageA(control(dialog, id), LVM_SETITEMSTATE, item, reinterpret_cast<LPARAM>(&state));
}

void press(HWND dialog, int id) { PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), 0); }

}  // namespace dialogs
