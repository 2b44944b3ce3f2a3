// The menu's shell actions without a window: what each asks the shell for, in which order, and
// the status text it gives back when something cannot be started.
#include <windows.h>
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "launcher/ProgramRunner.h"
#include "launcher/ShellActions.h"

namespace {

using launcher::StartRequest;

constexpr DWORD ElevationRequired = 740;  // ERROR_ELEVATION_REQUIRED, which mingw's headers lack

// Answers every request at once, with no process to wait for; files ending as told fail.
class AnsweringStarter : public launcher::ProgramStarter {
 public:
  void refuse(std::string fileEnd, DWORD error) {
    refusals_.push_back({std::move(fileEnd), error});
  }
  launcher::Started start(HWND, const StartRequest& request) override {
    requests.push_back(request);
    std::string file = request.file;
    if (file.size() >= 2 && file.front() == '"' && file.back() == '"')
      file = file.substr(1, file.size() - 2);
    for (const auto& refusal : refusals_) {
      if (file.size() >= refusal.first.size() &&
          file.compare(file.size() - refusal.first.size(), refusal.first.size(), refusal.first) ==
              0) {
        return {nullptr, refusal.second};
      }
    }
    return {};
  }
  std::vector<StartRequest> requests;

 private:
  std::vector<std::pair<std::string, DWORD>> refusals_;
};

launcher::LauncherConfig cdConfig() {
  launcher::LauncherConfig config;
  config.baseFolder = "D:\\";
  config.readText(
      "ref=RS1\nname=Reefsaver\nmanual=docs\\Reefsaver.pdf\nmanual=docs\\Extra.pdf\n"
      "ref=RS2\nname=Other\n");
  return config;
}

std::string failureFor(const char* file, bool program, DWORD error) {
  const std::string reason = launcher::systemMessage(error);
  const std::string code = std::to_string(error);
  return std::string("Kan ") + file + (program ? " niet starten.\n" : " niet openen.\n") +
         (reason.empty() ? "Foutcode " + code : reason + " (foutcode " + code + ")");
}

TEST(ShellActions, ManualsTryTheInstalledReaderTheCdsReaderThenTheUsersPdfProgram) {
  const launcher::LauncherConfig config = cdConfig();
  AnsweringStarter starter;
  starter.refuse("AcroRd32.exe", ERROR_FILE_NOT_FOUND);
  starter.refuse("Acrobat.exe", ERROR_FILE_NOT_FOUND);
  launcher::ShellActions actions(starter, config, nullptr);
  EXPECT_EQ(actions.openManuals(config.product(0)), "");
  ASSERT_EQ(starter.requests.size(), 6u);  // two documents, three tries each
  EXPECT_EQ(starter.requests[1].file, "\"D:\\Acrobat\\AcroRd32.exe\"");
  EXPECT_EQ(starter.requests[1].parameters, "\"D:\\docs\\Reefsaver.pdf\"");
  EXPECT_EQ(starter.requests[2].file, "D:\\docs\\Reefsaver.pdf");
  EXPECT_EQ(starter.requests[5].file, "D:\\docs\\Extra.pdf");

  // Nothing opens PDF files at all: the status names the document that could not be opened.
  starter.refuse(".pdf", ERROR_NO_ASSOCIATION);
  starter.requests.clear();
  EXPECT_EQ(actions.openManuals(config.product(0)),
            failureFor("Extra.pdf", false, ERROR_NO_ASSOCIATION));
  // A product without manuals, or none chosen, asks for nothing.
  starter.requests.clear();
  EXPECT_EQ(actions.openManuals(config.product(1)), "");
  EXPECT_EQ(actions.openManuals(nullptr), "");
  EXPECT_TRUE(starter.requests.empty());
}

TEST(ShellActions, TheSupportPageCarriesTheReferenceAndOpensWithTheCdsBrowserWhenItNamesOne) {
  launcher::LauncherConfig config = cdConfig();
  AnsweringStarter starter;
  launcher::ShellActions actions(starter, config, nullptr);
  const std::string folder = launcher::currentFolder();
  EXPECT_EQ(actions.openSupportPage(config.product(1)), "");
  ASSERT_EQ(starter.requests.size(), 1u);
  EXPECT_EQ(starter.requests[0].file, config.supportPage + "RS2");
  EXPECT_EQ(launcher::currentFolder(), folder) << "the folder is given back";

  config.commonReference = "ALL";
  config.browser = "browser\\surf.exe";
  starter.refuse("surf.exe", ElevationRequired);
  EXPECT_EQ(actions.openSupportPage(config.product(1)),
            failureFor("surf.exe", true, ElevationRequired));
  ASSERT_EQ(starter.requests.size(), 2u);
  EXPECT_EQ(starter.requests[1].file, "\"D:\\browser\\surf.exe\"");
  EXPECT_EQ(starter.requests[1].parameters, "\"" + config.supportPage + "ALL\"");

  config.browser.clear();
  EXPECT_EQ(actions.openHomePage(), "");
  EXPECT_EQ(starter.requests.back().file, config.homePage);
}

TEST(ShellActions, BrowsingTheCdOpensExplorerOnTheCurrentFolder) {
  const launcher::LauncherConfig config = cdConfig();
  AnsweringStarter starter;
  launcher::ShellActions actions(starter, config, nullptr);
  EXPECT_EQ(actions.browseCd(), "");
  ASSERT_EQ(starter.requests.size(), 1u);
  EXPECT_EQ(starter.requests[0].file, "explorer.exe");
  EXPECT_EQ(starter.requests[0].parameters, "\"" + launcher::currentFolder() + "\"");
  starter.refuse("explorer.exe", ERROR_ACCESS_DENIED);
  EXPECT_EQ(actions.browseCd(), failureFor("explorer.exe", true, ERROR_ACCESS_DENIED));
}

// Gives every start a "process" that runs for ten seconds: a timer, so that an action that waits
// for it still ends.
class LingeringStarter : public launcher::ProgramStarter {
 public:
  LingeringStarter() : running_(CreateWaitableTimerA(nullptr, TRUE, nullptr)) {
    LARGE_INTEGER due;
    due.QuadPart = -10LL * 10000000;  // relative, in 100 ns
    SetWaitableTimer(running_, &due, 0, nullptr, nullptr, FALSE);
  }
  ~LingeringStarter() override { CloseHandle(running_); }
  launcher::Started start(HWND, const StartRequest&) override {
    HANDLE copy = nullptr;
    DuplicateHandle(GetCurrentProcess(), running_, GetCurrentProcess(), &copy, 0, FALSE,
                    DUPLICATE_SAME_ACCESS);
    given.push_back(copy);
    return {copy, ERROR_SUCCESS};
  }
  bool stillRunning() const { return WaitForSingleObject(running_, 0) == WAIT_TIMEOUT; }
  std::vector<HANDLE> given;

 private:
  HANDLE running_;
};

TEST(ShellActions, NoActionWaitsForWhatItOpened) {
  const launcher::LauncherConfig config = cdConfig();
  const launcher::Product* product = &config.products().front();
  const std::vector<std::function<std::string(launcher::ShellActions&)>> actions = {
      [&](launcher::ShellActions& a) { return a.openManuals(product); },
      [&](launcher::ShellActions& a) { return a.openSupportPage(product); },
      [](launcher::ShellActions& a) { return a.browseCd(); },
      [](launcher::ShellActions& a) { return a.openHomePage(); }};
  for (size_t k = 0; k < actions.size(); ++k) {
    LingeringStarter starter;
    launcher::ShellActions shell(starter, config, nullptr);
    EXPECT_EQ(actions[k](shell), "") << k;
    EXPECT_TRUE(starter.stillRunning()) << "action " << k << " waited for its program to end";
    EXPECT_FALSE(starter.given.empty()) << k;
  }
}

}  // namespace
