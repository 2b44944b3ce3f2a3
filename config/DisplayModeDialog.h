#pragma once
#include <windows.h>

#include "config/DataFolder.h"
#include "config/Settings.h"
#include "config/TextTable.h"

struct SDL_Rect;

// The display mode of the full-screen saver: keep the desktop's mode or pick a resolution and
// depth from the modes the video layer offers, and whether secondary monitors are darkened.
class DisplayModeDialog {
 public:
  // language: the section of the text file and of the dialog's own texts.
  DisplayModeDialog(ScreenSettings& settings, const char* textFile, textkeys::Language language);
  DisplayModeDialog(const DisplayModeDialog&) = delete;
  DisplayModeDialog& operator=(const DisplayModeDialog&) = delete;
  ~DisplayModeDialog();

  // Runs the dialog modally; 1 means OK (the settings were copied back), 2 Cancel.
  INT_PTR run(HINSTANCE module, HWND owner);

  const ScreenSettings& workingCopy() const { return working_; }
  static DisplayModeDialog* active() { return active_; }

 private:
  static INT_PTR CALLBACK dialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
  void openDialog(HWND dialog);
  void command(HWND dialog, int id);
  void fillResolutions(HWND dialog);
  void enableLists(HWND dialog);

  static DisplayModeDialog* active_;

  ScreenSettings working_;
  ScreenSettings& caller_;
  char textFile_[PathSize] = {};
  const textkeys::Language language_;
  TextTable texts_;
  SDL_Rect** modes_ = nullptr;  // owned by the video layer
  DisplayModeDialog* previous_ = nullptr;
};
