// Helpers for the launcher tests: a fake CD folder with stand-in programs, the stand-ins' log,
// saved registry state, and the menu window running on its own thread inside the test.
#pragma once

#include <windows.h>

#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <utility>
#include <vector>

#include "launcher/MenuWindow.h"
#include "launcher/ProgramStarter.h"
#include "tests/support/TestEnvironment.h"
#include "tests/support/Wait.h"

namespace kvtest {

// A Windows path for a path of the build machine (Wine maps "/" to drive Z:).
std::string hostPath(const std::string& unixPath);
// Programs built beside the tests.
std::string standInProgram();
std::string versionedProgram(int major, int minor, int build, int patch);
std::string launcherProgram();

void writeFile(const std::string& path, const std::string& content);
std::string readFile(const std::string& path);
void copyFileTo(const std::string& from, const std::string& to);
using testenv::makeFolders;
using testenv::removeTree;
// A 640 x 480 24-bit picture with a lighter band and a logo box where the logo area lies.
void writeBackground(const std::string& path);
// The screen area of the window as a 24-bit BMP under build/artifacts/launcher/.
std::string saveScreenshot(HWND window, const std::string& name);

// Waits for the condition, a minute at most: a launcher installing runs several programs in turn.
inline bool waitFor(const std::function<bool()>& condition, DWORD timeoutMs = 60000) {
  return waitUntil(condition, timeoutMs);
}

struct StandInRun {
  std::string program;
  std::string commandLine;
  std::string folder;
  std::string resumeValue;
  std::string overlap;
};

// A folder with a blank in its name, laid out like a CD, removed again at the end.
class FakeCd {
 public:
  FakeCd();
  ~FakeCd();
  FakeCd(const FakeCd&) = delete;
  FakeCd& operator=(const FakeCd&) = delete;

  const std::string& base() const { return base_; }  // ends in "\"
  std::string path(const std::string& relative) const { return base_ + relative; }
  void writeIni(const std::string& text) const { writeFile(path("KvSetupX.ini"), text); }
  void put(const std::string& relative, const std::string& content) const;
  void putStandIn(const std::string& relative) const;

  // What the stand-ins logged so far, in order.
  std::vector<StandInRun> runs() const;
  std::string logPath() const { return base_ + "standin.log"; }

 private:
  std::string base_;
};

// Starts what the launcher asks for with the real shell, except the files it was told to refuse:
// those fail with the given Windows error, as a declined elevation prompt (1223) or a start that
// needs elevation (740) would. Keeps every request, from any thread.
class ScriptedStarter : public launcher::ProgramStarter {
 public:
  // Requests whose file (without quotes) ends with fileEnd fail with the error.
  void refuse(std::string fileEnd, DWORD error);
  launcher::Started start(HWND owner, const launcher::StartRequest& request) override;
  std::vector<launcher::StartRequest> requests() const;

 private:
  mutable std::mutex mutex_;
  std::vector<std::pair<std::string, DWORD>> refusals_;
  std::vector<launcher::StartRequest> requests_;
};

// The system's own text for a Windows error code, as FormatMessage gives it, without the line end.
std::string systemText(DWORD error);

// Runs a program (reg.exe, say) with the command line and waits for it; its exit code.
DWORD runAndWait(const std::string& commandLine);

// The visible popup menu of this process, if one is open.
HWND openPopupMenu();

// Asks the window to look at the resume value when it next dispatches messages, as a stand-in
// started with KVSETUPX_STANDIN_POKE does.
void poke(HWND window);

// The Run key's resume value, or "(none)".
std::string resumeValue();

// Keeps a registry key as it was: copied aside on construction, put back on destruction.
class SavedRegistryKey {
 public:
  SavedRegistryKey(HKEY root, std::string key);
  ~SavedRegistryKey();
  SavedRegistryKey(const SavedRegistryKey&) = delete;
  SavedRegistryKey& operator=(const SavedRegistryKey&) = delete;

  void remove() const;
  void create() const;
  void setString(const char* value, const std::string& data) const;

 private:
  HKEY root_;
  std::string key_;
  std::string backup_;
  bool existed_ = false;
};

// The menu window on its own thread, as the launcher runs it, with the given command line.
class LauncherUnderTest {
 public:
  // beforeLoop runs on the window's thread after the window exists and before messages flow.
  // uiLanguage is the Windows UI language (a LANGID) the menu is told.
  explicit LauncherUnderTest(std::string commandLine,
                             std::function<void(launcher::MenuWindow&)> beforeLoop = {},
                             LANGID uiLanguage = GetUserDefaultUILanguage());
  ~LauncherUnderTest();
  LauncherUnderTest(const LauncherUnderTest&) = delete;
  LauncherUnderTest& operator=(const LauncherUnderTest&) = delete;

  HWND window() const { return window_; }
  HWND item(int id) const { return GetDlgItem(window_, id); }
  launcher::MenuWindow& menu() { return *menu_; }
  bool idle() const { return menu_ != nullptr && !menu_->isBusy(); }
  // The status text as shown.
  std::string status() const;
  // A button's rectangle in the window's client coordinates.
  RECT childRect(int id) const;
  // Clicks a button the way the dialog hears it, without waiting for the action.
  void click(int id) const;

  // Positions given to the progress bar, recorded from the start.
  std::vector<int> progressPositions() const;
  // The resume value seen each time a stand-in poked the window.
  std::vector<std::string> pokedResumeValues() const;
  // Every text the status area was given, recorded from the start: an action's text stays in it
  // only until the pointer next crosses the window, which Wine reports of its own accord too.
  std::vector<std::string> statusTexts() const;
  bool statusShowed(const std::string& text) const;

 private:
  static LRESULT CALLBACK recorder(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam,
                                   UINT_PTR id, DWORD_PTR data);

  std::thread thread_;
  HWND window_ = nullptr;
  launcher::MenuWindow* menu_ = nullptr;
  mutable std::mutex mutex_;
  std::vector<int> progress_;
  std::vector<std::string> pokes_;
  std::vector<std::string> statusTexts_;
};

}  // namespace kvtest
