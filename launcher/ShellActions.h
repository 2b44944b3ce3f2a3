// What the menu's buttons open through the shell: a product's manuals, the support page, the
// CD's folder and the home page. Each action starts its programs through the starter it is given
// and returns the text the status line shows when something could not be started.
#pragma once

#include <windows.h>

#include <string>

#include "launcher/LauncherConfig.h"
#include "launcher/LauncherRules.h"
#include "launcher/ProgramStarter.h"

namespace launcher {

class ShellActions {
 public:
  // owner: the window any prompt of the shell belongs to.
  ShellActions(ProgramStarter& starter, const LauncherConfig& config, HWND owner);

  // Each returns the failure text, empty when everything it asked for started. None waits for
  // what it started: a manual, a web page or a folder stays open as long as the user likes.
  // With the installed PDF reader, else the CD's, else whatever program opens PDF files.
  std::string openManuals(const Product* product);
  // The support address with the common reference, else the product's, from the target folder.
  std::string openSupportPage(const Product* product);
  std::string browseCd();
  std::string openHomePage();

 private:
  // With the web browser that the CD names, else with the user's own.
  std::string openAddress(const std::string& address);
  std::string run(StartKind kind, const StartRequest& request);

  ProgramStarter& starter_;
  const LauncherConfig& config_;
  HWND owner_;
};

}  // namespace launcher
