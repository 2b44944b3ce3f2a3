#pragma once
#include <windows.h>

#include <vector>

#include "config/DataFolder.h"
#include "config/DialogPictures.h"
#include "config/Settings.h"
#include "config/TextTable.h"

// Opens the display-mode dialog for the settings dialog (the saver application does).
class ScreenSettingsEditor {
 public:
  virtual void editScreenSettings(HWND owner) = 0;

 protected:
  ~ScreenSettingsEditor() = default;
};

// The settings dialog: a page list on the left and the chosen page beside it. It edits a working
// copy of the settings and copies it back only on OK.
class SettingsDialog {
 public:
  static constexpr int PageX = 133;
  static constexpr int PageY = 11;

  SettingsDialog(SaverSettings& settings, ScreenSettingsEditor& editor, TextTable& language, TextTable& directory,
                 const char* dataFolder);
  SettingsDialog(const SettingsDialog&) = delete;
  SettingsDialog& operator=(const SettingsDialog&) = delete;
  ~SettingsDialog();

  // Runs the dialog modally over owner (none: the desktop), centred on it; 1 means OK, 2 Cancel.
  INT_PTR run(HINSTANCE module, HWND owner);

  const SaverSettings& workingCopy() const { return working_; }
  // The dialog now open, for the dialog procedures (one settings dialog at a time).
  static SettingsDialog* active() { return active_; }

 private:
  struct Page {
    char label[128];
    int templateId;
    HWND window;
  };

  static INT_PTR CALLBACK dialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
  static INT_PTR CALLBACK pageProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam);

  void openDialog(HWND dialog);
  void listNotified(const NMHDR* header);
  void choosePage(int index);
  void openPage(HWND page);
  void pageCommand(HWND page, int id);
  void trackbarMoved(HWND page, HWND trackbar);
  void showCameraMotion(HWND page, bool show);
  void setText(HWND window, int id, const char* key);
  void setLaterText(HWND window, int id, const char* key);

  static SettingsDialog* active_;

  SaverSettings working_;
  SaverSettings& caller_;
  ScreenSettingsEditor& editor_;
  TextTable& language_;
  TextTable& directory_;
  char dataFolder_[PathSize] = {};
  HINSTANCE module_ = nullptr;
  HWND dialog_ = nullptr;
  std::vector<Page> pages_;
  int chosen_ = -1;
  HBITMAP introPicture_ = nullptr;
  DialogPictures pictures_;
};
