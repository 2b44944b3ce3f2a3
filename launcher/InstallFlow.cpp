#include "launcher/InstallFlow.h"

#include <windows.h>

#include <thread>

#include "launcher/CWaitDlg.h"
#include "launcher/LauncherRules.h"
#include "launcher/MenuWindow.h"
#include "launcher/ProgramRunner.h"
#include "launcher/SetupRegistry.h"
#include "launcher/WinApp.h"

namespace launcher {
namespace {

const char kPreparingText[] = "De installatie wordt voorbereid ...";

}  // namespace

std::string InstallFlow::onCd(const std::string& relative) const {
  return joinPath(menu_.config().baseFolder, relative);
}

void InstallFlow::run() {
  menu_.setBusy(true);
  HCURSOR oldCursor = SetCursor(LoadCursor(nullptr, IDC_WAIT));
  CWaitDlg wait(menu_.instance());
  wait.create(nullptr);
  wait.setText(kPreparingText);
  ShowWindow(wait.hwnd(), SW_SHOW);
  menu_.enableButtons(false);
  const std::string savedFolder = currentFolder();

  // Each stage falls through to the next; a resumed run enters at its stage.
  switch (flowStageFor(menu_.config().stage)) {
    case FlowStage::Wmi:
      wmiStage();
      [[fallthrough]];
    case FlowStage::Mdac:
      mdacStage();
      [[fallthrough]];
    case FlowStage::DotNet:
      dotNetStage();
      [[fallthrough]];
    case FlowStage::Files:
      filesStage(wait);
      productSetup();
      [[fallthrough]];
    case FlowStage::Finish:
      writeResumeMarker(menu_.config().baseFolder, "4");
      break;
  }
  wait.destroy();
  finish(savedFolder);
  SetCursor(oldCursor);
}

void InstallFlow::wmiStage() {
  writeResumeMarker(menu_.config().baseFolder, "0");
  const std::string installer = onCd(menu_.config().wmiInstaller);
  if (menu_.osMajorVersion() < 5 && fileExists(installer)) {
    enterFileFolder(installer);
    runProgram(installer, std::string());
  }
}

void InstallFlow::mdacStage() {
  const LauncherConfig& config = menu_.config();
  menu_.repaint();
  menu_.setProgress(0);
  menu_.setStatusText(menu_.installActionText() + "\n" + config.mdacDescription);
  pumpMessages();
  writeResumeMarker(config.baseFolder, "1");
  const std::string installer = onCd(config.mdacInstaller);
  if (fileExists(installer)) {
    enterFileFolder(installer);
    if (!mdacPresent()) runWithProgress(installer, config.mdacParameters);
  }
}

void InstallFlow::dotNetStage() {
  const LauncherConfig& config = menu_.config();
  advanceProgress(250);
  menu_.setStatusText(menu_.installActionText() + "\n" + config.dotNetDescription);
  pumpMessages();
  writeResumeMarker(config.baseFolder, "2");
  const std::string installer = onCd(config.dotNetInstaller);
  if (fileExists(installer)) {
    enterFileFolder(installer);
    if (!dotNetPresent()) runWithProgress(installer, config.dotNetParameters);
  }
}

void InstallFlow::filesStage(CWaitDlg& wait) {
  advanceProgress(950);
  menu_.setStatusText(menu_.installActionText());
  pumpMessages();
  writeResumeMarker(menu_.config().baseFolder, "3");
  if (dotNetPresent()) copyProgramFiles();
  menu_.repaint();
  wait.destroy();
  menu_.setProgress(1000);
  pumpMessages();
}

void InstallFlow::productSetup() {
  const Product* product = menu_.config().product(menu_.selectedProduct());
  if (product == nullptr) return;
  for (const std::string& entry : splitList(product->SetupAppPath)) {
    const std::string program = onCd(entry);
    if (!fileExists(program)) continue;
    enterFileFolder(program);
    runProgram(program, std::string());
  }
}

void InstallFlow::finish(const std::string& savedFolder) {
  pumpMessages();
  setCurrentFolder(savedFolder);
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

void InstallFlow::runWithProgress(const std::string& program, const std::string& parameters) {
  // Signalled by the worker when the installer has ended or could not start.
  HANDLE done = CreateEventA(nullptr, TRUE, FALSE, nullptr);
  if (done == nullptr) return;
  std::thread worker([&program, &parameters, done] {
    runProgram(program, parameters);
    SetEvent(done);
  });
  while (WaitForSingleObject(done, 300) == WAIT_TIMEOUT) {
    if (menu_.progressPosition() < 980) menu_.stepProgress();
    pumpMessages();
  }
  worker.join();
  CloseHandle(done);
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
