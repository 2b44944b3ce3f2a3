#include "launcher/InstallFlow.h"

#include <windows.h>

#include <objbase.h>

#include <thread>

#include "launcher/CWaitDlg.h"
#include "launcher/LauncherRules.h"
#include "launcher/MenuWindow.h"
#include "launcher/ProgramRunner.h"
#include "launcher/SetupRegistry.h"
#include "launcher/WinApp.h"

namespace launcher {

std::string InstallFlow::onCd(const std::string& relative) const {
  return joinPath(menu_.config().baseFolder, relative);
}

void InstallFlow::writeMarker(const char* stage) const {
  const Product* product = menu_.config().product(menu_.selectedProduct());
  writeResumeMarker(menu_.config().baseFolder, stage,
                    product != nullptr ? product->Reference : std::string());
}

void InstallFlow::run() {
  menu_.setBusy(true);
  HCURSOR oldCursor = SetCursor(LoadCursor(nullptr, IDC_WAIT));
  CWaitDlg wait(menu_.instance());
  wait.create(nullptr);
  SetWindowTextA(wait.hwnd(), menu_.texts().waitCaption);
  wait.setText(menu_.texts().preparing);
  ShowWindow(wait.hwnd(), SW_SHOW);
  menu_.enableButtons(false);
  const std::string savedFolder = currentFolder();
  runStages(wait);
  wait.destroy();
  finish(savedFolder);
  SetCursor(oldCursor);
}

void InstallFlow::runStages(CWaitDlg& wait) {
  // A resumed run enters at its stage and goes on through the later ones.
  const FlowStage first = flowStageFor(menu_.config().stage);
  if (first <= FlowStage::Wmi && !wmiStage()) return;
  if (first <= FlowStage::Mdac && !mdacStage()) return;
  if (first <= FlowStage::DotNet && !dotNetStage()) return;
  if (first <= FlowStage::Files) {
    filesStage(wait);
    if (!productSetup()) return;
  }
  writeMarker("4");
}

bool InstallFlow::wmiStage() {
  writeMarker("0");
  const std::string installer = onCd(menu_.config().wmiInstaller);
  if (menu_.osMajorVersion() >= 5 || !fileExists(installer)) return true;
  return runFromItsFolder(installer, std::string());
}

bool InstallFlow::mdacStage() {
  const LauncherConfig& config = menu_.config();
  menu_.repaint();
  menu_.setProgress(0);
  menu_.setStatusText(menu_.installActionText() + "\n" + config.mdacDescription);
  pumpMessages();
  writeMarker("1");
  const std::string installer = onCd(config.mdacInstaller);
  if (!fileExists(installer)) return true;
  enterFileFolder(installer);
  return mdacPresent() || runWithProgress(installer, config.mdacParameters);
}

bool InstallFlow::dotNetStage() {
  const LauncherConfig& config = menu_.config();
  advanceProgress(250);
  menu_.setStatusText(menu_.installActionText() + "\n" + config.dotNetDescription);
  pumpMessages();
  writeMarker("2");
  const std::string installer = onCd(config.dotNetInstaller);
  if (!fileExists(installer)) return true;
  enterFileFolder(installer);
  return dotNetPresent() || runWithProgress(installer, config.dotNetParameters);
}

void InstallFlow::filesStage(CWaitDlg& wait) {
  advanceProgress(950);
  menu_.setStatusText(menu_.installActionText());
  pumpMessages();
  writeMarker("3");
  if (dotNetPresent()) copyProgramFiles();
  menu_.repaint();
  wait.destroy();
  menu_.setProgress(1000);
  pumpMessages();
}

bool InstallFlow::productSetup() {
  const Product* product = menu_.config().product(menu_.selectedProduct());
  if (product == nullptr) return true;
  for (const std::string& entry : splitList(product->SetupAppPath)) {
    const std::string program = onCd(entry);
    if (fileExists(program) && !runFromItsFolder(program, std::string())) return false;
  }
  return true;
}

void InstallFlow::finish(const std::string& savedFolder) {
  pumpMessages();
  setCurrentFolder(savedFolder);
  // The marker only carries the flow across a restart an installer asks for; a flow that ends here,
  // done or stopped because a program was declined or could not start, must not come back at the
  // next logon (where the CD may be gone).
  clearResumeMarker();
  menu_.enableButtons(true);
  pumpMessages();
  menu_.repaint();
  menu_.showButtons();
  menu_.stackButtons();
  menu_.config().stage.clear();
  menu_.setBusy(false);
}

void InstallFlow::advanceProgress(int position) {
  menu_.repaint();
  for (int at = menu_.progressPosition(); at < position; ++at) menu_.stepProgress();
  menu_.setProgress(position);
}

bool InstallFlow::runFromItsFolder(const std::string& program, const std::string& parameters) {
  enterFileFolder(program);
  return menu_.runReporting(StartKind::Program,
                            programRequest(program, parameters, currentFolder()));
}

bool InstallFlow::runWithProgress(const std::string& program, const std::string& parameters) {
  // Signalled by the worker when the installer has ended or could not start.
  HANDLE done = CreateEventA(nullptr, TRUE, FALSE, nullptr);
  if (done == nullptr) return false;
  bool started = false;
  const std::string folder = currentFolder();
  std::thread worker([&] {
    // The shell may hand the start to COM objects on this thread.
    const bool com = SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED));
    started = menu_.runReporting(StartKind::Program, programRequest(program, parameters, folder));
    if (com) CoUninitialize();
    SetEvent(done);
  });
  while (!waitDispatching(done, 300)) {
    if (WaitForSingleObject(done, 0) == WAIT_OBJECT_0) break;
    if (menu_.progressPosition() < 980) menu_.stepProgress();
  }
  worker.join();
  CloseHandle(done);
  return started;
}

void InstallFlow::copyProgramFiles() {
  const LauncherConfig& config = menu_.config();
  const std::string target = expandProgramFiles(config.targetFolder, programFilesFolder());
  createFolder(target);
  const std::string source = onCd(config.sourceFolder);
  for (const std::string& name : config.files) {
    const std::string destinationPath = joinPath(target, name);
    const std::string sourcePath = joinPath(source, name);
    SetFileAttributesA(destinationPath.c_str(), FILE_ATTRIBUTE_NORMAL);
    if (!CopyFileA(sourcePath.c_str(), destinationPath.c_str(), TRUE)) {
      const DWORD error = GetLastError();
      if ((error == ERROR_FILE_EXISTS || error == ERROR_ALREADY_EXISTS) &&
          sourceReplacesDestination(fileVersion(sourcePath), fileVersion(destinationPath))) {
        CopyFileA(sourcePath.c_str(), destinationPath.c_str(), FALSE);
      }
    }
    SetFileAttributesA(destinationPath.c_str(), FILE_ATTRIBUTE_NORMAL);
    if (name.find(".exe") != std::string::npos) registerAppPath(name, destinationPath, target);
  }
}

}  // namespace launcher
