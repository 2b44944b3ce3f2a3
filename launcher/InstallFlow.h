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

  // Runs on the calling thread until the flow ends, dispatching that thread's messages while it
  // waits. A program that is declined or cannot be started ends the flow at its stage: the status
  // text says why. Whichever way it ends, the resume marker goes.
  void run();

 private:
  // Stops at the first stage whose program could not be started; each stage returns false then.
  void runStages(CWaitDlg& wait);
  bool wmiStage();
  bool mdacStage();
  bool dotNetStage();
  void filesStage(CWaitDlg& wait);
  bool productSetup();
  void finish(const std::string& savedFolder);

  // Steps the bar up to the position so that it moves visibly, then sets it.
  void advanceProgress(int position);
  // Starts a program from its own folder and waits for it to end.
  bool runFromItsFolder(const std::string& program, const std::string& parameters);
  // Runs a prerequisite installer in a worker thread, stepping the bar every 300 ms meanwhile.
  bool runWithProgress(const std::string& program, const std::string& parameters);
  void copyProgramFiles();
  std::string onCd(const std::string& relative) const;
  void writeMarker(const char* stage) const;

  MenuWindow& menu_;
};

}  // namespace launcher
