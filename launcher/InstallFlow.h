// The staged installation: WMI, MDAC and .NET from the CD when missing, the program files with a
// version check, the product's own setup programs; a resume marker before each stage.
#pragma once

#include <string>

namespace launcher {

class CWaitDlg;
class MenuWindow;

class InstallFlow {
 public:
  explicit InstallFlow(MenuWindow& menu) : menu_(menu) {}

  // Runs on the calling thread until the flow ends, pumping that thread's messages while it waits.
  void run();

 private:
  void wmiStage();
  void mdacStage();
  void dotNetStage();
  void filesStage(CWaitDlg& wait);
  void productSetup();
  void finish(const std::string& savedFolder);

  // Steps the bar up to the position so that it moves visibly, then sets it.
  void advanceProgress(int position);
  // Runs a prerequisite installer in a worker thread, stepping the bar every 300 ms meanwhile.
  void runWithProgress(const std::string& program, const std::string& parameters);
  void copyProgramFiles();
  std::string onCd(const std::string& relative) const;

  MenuWindow& menu_;
};

}  // namespace launcher
