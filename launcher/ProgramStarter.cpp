#include "launcher/ProgramStarter.h"

#include <shellapi.h>

namespace launcher {

Started ShellStarter::start(HWND owner, const StartRequest& request) {
  SHELLEXECUTEINFOA info{};
  info.cbSize = sizeof info;
  // Failures are reported by the menu in its own words, so the shell shows no message box of its
  // own; the elevation prompt is not an error and still appears. The start completes before the
  // call returns, as the calling thread may end soon after.
  info.fMask = SEE_MASK_NOCLOSEPROCESS | SEE_MASK_FLAG_NO_UI | SEE_MASK_NOASYNC;
  info.hwnd = owner;
  info.lpVerb = request.verb.empty() ? nullptr : request.verb.c_str();
  info.lpFile = request.file.c_str();
  info.lpParameters = request.parameters.empty() ? nullptr : request.parameters.c_str();
  info.lpDirectory = request.folder.empty() ? nullptr : request.folder.c_str();
  info.nShow = SW_SHOWNORMAL;
  Started started;
  if (!ShellExecuteExA(&info)) {
    started.error = GetLastError();
    // A failure without a reason still is one.
    if (started.error == ERROR_SUCCESS) started.error = ERROR_GEN_FAILURE;
    return started;
  }
  started.process = info.hProcess;
  return started;
}

ProgramStarter& shellStarter() {
  static ShellStarter starter;
  return starter;
}

}  // namespace launcher
