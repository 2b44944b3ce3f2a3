// The launcher's menu window: background picture, five flat buttons, status text, progress bar,
// the logo area, the intro video and the product menu, plus the operations the installation uses.
#pragma once

#include <windows.h>

#include <atomic>
#include <mutex>
#include <string>
#include <thread>

#include "launcher/CMyButton.h"
#include "launcher/DialogWindow.h"
#include "launcher/IntroVideo.h"
#include "launcher/LauncherConfig.h"
#include "launcher/LauncherRules.h"
#include "launcher/MenuLanguage.h"
#include "launcher/ProgramStarter.h"
#include "launcher/ShellActions.h"

namespace launcher {

class MenuWindow : public DialogWindow {
 public:
  // The command line is the launcher's own: base folder and optional stage. uiLanguage (a LANGID)
  // chooses the configuration file and the menu's own texts; the user's unless a test says.
  MenuWindow(HINSTANCE instance, std::string commandLine,
             LANGID uiLanguage = GetUserDefaultUILanguage());
  ~MenuWindow() override;

  static constexpr const char* kTitle = "Orvane Setup";
  // The layout's size at 96 DPI; it grows with the system's DPI (the menu is system-aware).
  static constexpr int kClientWidth = 640;
  static constexpr int kClientHeight = 480;

  LauncherConfig& config() { return config_; }
  int selectedProduct() const { return selected_; }
  int osMajorVersion() const { return osMajorVersion_; }
  bool isBusy() const { return busy_.load(); }
  void setBusy(bool busy) { busy_.store(busy); }
  // Where programs, documents and addresses are started; the tests put their own starter in.
  void setProgramStarter(ProgramStarter& starter) { starter_ = &starter; }

  // Operations for the installation flow; callable from any thread.
  void enableButtons(bool enable);
  void showButtons();
  void stackButtons();
  void setStatusText(const std::string& text);
  // Starts the request and waits for it; when it cannot be started, the status text says what and
  // why, and keeps saying so until the next action. Returns whether it was started.
  bool runReporting(StartKind kind, const StartRequest& request);
  const std::string& installActionText() const { return buttons_[kInstall].actionText(); }
  const MenuTexts& texts() const { return menuTexts(config_.language); }
  // The flat button with the given control id, or none.
  const CMyButton* buttonWithId(int id) const;
  int progressPosition() const;
  void setProgress(int position);
  void stepProgress();
  void repaint();

 private:
  enum ButtonIndex { kInstall, kManual, kSupport, kBrowse, kExit, kButtonCount };
  enum Action { kActionInstall = 0, kActionManual = 1, kActionSupport = 2 };

  bool onInitDialog() override;
  INT_PTR handleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

  // A length of the 96-DPI layout at the DPI the menu started at.
  int scaled(int pixels) const { return MulDiv(pixels, dpi_, 96); }
  // A point of the client area in the 96-DPI layout.
  POINT layoutPoint(POINT client) const {
    return {MulDiv(client.x, 96, dpi_), MulDiv(client.y, 96, dpi_)};
  }
  // Sizes the window for its client area and centres it on its monitor's work area.
  void placeWindow();
  // The configuration file of the UI language when the CD has one, else "KvSetupX.ini".
  void readConfiguration();
  void loadBackground();
  void setUpProductMenu();
  void onCommand(int id);
  void onMouseMove(POINT point);
  void onLeftButtonDown(POINT point);
  void onMenuSelect(int id);
  void onTimer(UINT_PTR id);
  INT_PTR onControlColor(HDC dc, HWND control);

  // Runs an action that waits for an outside program on the window thread: the window keeps
  // answering meanwhile, with its buttons disabled.
  void runBusy(void (MenuWindow::*action)());
  void reportFailure(const std::string& text);
  void reportIfFailed(const std::string& failure);
  void clearFailure();
  void onActionButton(Action action);
  // The product menu, centred under the action's button.
  void showProductMenu(Action action);
  void perform(Action action, bool fromMenu);
  void startInstallThread();
  void openManuals();
  void openSupportPage();
  void browseCd();
  void openHomePage();
  ShellActions shellActions();
  void playIntroVideo();
  void stopIntroVideo();
  std::string selectedProductName() const;
  CMyButton& buttonFor(Action action);

  std::string commandLine_;
  LANGID uiLanguage_;
  LauncherConfig config_;
  int selected_ = -1;
  Action pendingAction_ = kActionInstall;
  std::atomic<bool> busy_{false};
  bool videoPlaying_ = false;
  bool inLogo_ = false;
  int osMajorVersion_ = 0;
  int dpi_ = 96;
  CMyButton buttons_[kButtonCount];
  HBRUSH backgroundBrush_ = nullptr;
  HBRUSH pictureBrush_ = nullptr;
  HBITMAP background_ = nullptr;
  HPALETTE palette_ = nullptr;
  HMENU productMenu_ = nullptr;
  IntroVideo video_;
  std::thread installThread_;
  ProgramStarter* starter_ = &shellStarter();
  // The last start failure, shown whenever the status text would otherwise be empty.
  std::mutex failureMutex_;
  std::string failure_;
};

}  // namespace launcher
