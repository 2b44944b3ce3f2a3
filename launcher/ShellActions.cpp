#include "launcher/ShellActions.h"

#include "launcher/ProgramRunner.h"
#include "launcher/SetupRegistry.h"

namespace launcher {

ShellActions::ShellActions(ProgramStarter& starter, const LauncherConfig& config, HWND owner)
    : starter_(starter), config_(config), owner_(owner) {}

std::string ShellActions::run(StartKind kind, const StartRequest& request) {
  const DWORD error = startProgram(starter_, owner_, request);
  if (error == ERROR_SUCCESS) return std::string();
  return startFailureText(kind, request.file, systemMessage(error), error,
                          menuTexts(config_.language));
}

std::string ShellActions::openManuals(const Product* product) {
  if (product == nullptr) return std::string();
  const std::string reader = findPdfReader();
  const std::string cdReader = joinPath(config_.baseFolder, config_.acrobat);
  std::string failure;
  for (const std::string& document : splitList(product->UserGuide)) {
    const std::string path = joinPath(config_.baseFolder, document);
    const std::string argument = quoteArgument(path);
    if (startProgram(starter_, owner_, programRequest(reader, argument)) == ERROR_SUCCESS) continue;
    if (startProgram(starter_, owner_, programRequest(cdReader, argument)) == ERROR_SUCCESS)
      continue;
    // No reader of our own: whatever program the user opens PDF files with.
    const std::string text = run(StartKind::Open, openRequest(path));
    if (!text.empty()) failure = text;
  }
  return failure;
}

std::string ShellActions::openSupportPage(const Product* product) {
  const std::string saved = currentFolder();
  setCurrentFolder(expandProgramFiles(config_.targetFolder, programFilesFolder()));
  std::string reference = config_.commonReference;
  if (reference.empty() && product != nullptr) reference = product->Reference;
  const std::string failure = openAddress(config_.supportPage + reference);
  setCurrentFolder(saved);
  return failure;
}

std::string ShellActions::browseCd() {
  const StartRequest explorer{std::string(), "explorer.exe", quoteArgument(currentFolder()),
                              std::string()};
  return run(StartKind::Program, explorer);
}

std::string ShellActions::openHomePage() { return openAddress(config_.homePage); }

std::string ShellActions::openAddress(const std::string& address) {
  if (config_.browser.empty()) return run(StartKind::Open, openRequest(address));
  const std::string browser = isAbsolutePath(config_.browser)
                                  ? config_.browser
                                  : joinPath(config_.baseFolder, config_.browser);
  return run(StartKind::Program, programRequest(browser, quoteArgument(address)));
}

}  // namespace launcher
