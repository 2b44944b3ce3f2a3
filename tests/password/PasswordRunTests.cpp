// The Windows 9x password services, end to end: the real deliverables under Wine with the Windows 9x
// platform reported to them, and stand-in system modules that log their calls. A copy of each
// stand-in is also planted beside the program (its folder is the current folder too); only the copy
// in the system folder may ever be loaded.
#include <windows.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <cstdint>
#include <string>

#include "tests/password/SaverFixture.h"
#include "tests/support/ScreenCapture.h"
#include "tests/support/TestEnvironment.h"

namespace {

using namespace savertest;

std::string lower(std::string text) {
  std::transform(text.begin(), text.end(), text.begin(), [](unsigned char c) { return std::tolower(c); });
  return text;
}

std::string number(HWND window) { return std::to_string(reinterpret_cast<uintptr_t>(window)); }

class StandInFixture : public ::testing::Test {
 protected:
  StandInFixture()
      : scratch_(testenv::scratchFolder("password")),
        logPath_(scratch_ + "calls.log"),
        answerPath_(scratch_ + "answer.txt"),
        logEnvironment_("REEF_STANDIN_LOG", logPath_),
        answerEnvironment_("REEF_STANDIN_ANSWER", answerPath_) {}

  void answer(char verdict) { testenv::writeFile(answerPath_, std::string(1, verdict)); }
  std::vector<std::string> log() const { return logLines(logPath_); }
  void clearLog() { DeleteFileA(logPath_.c_str()); }

  // Every load of a stand-in named the copy in the system folder.
  void expectOnlySystemCopies(const std::string& kind, const std::string& file) {
    for (const std::string& line : linesStartingWith(log(), kind + " attach ")) {
      EXPECT_EQ(lower(line.substr(kind.size() + 8)), lower(systemFolder() + file)) << line;
    }
  }

  std::string scratch_, logPath_, answerPath_;
  testenv::ScopedEnvironment logEnvironment_, answerEnvironment_;
};

class PasswordCheck : public StandInFixture {
 protected:
  PasswordCheck()
      : inSystem_(standInPath("password", "PASSWORD.CPL"), systemFolder() + "PASSWORD.CPL"),
        besideProgram_(standInPath("password", "PASSWORD.CPL"), testenv::buildFolder() + "PASSWORD.CPL"),
        usePassword_("Control Panel\\Desktop", "ScreenSaveUsePassword") {}

  void SetUp() override {
    ASSERT_TRUE(inSystem_.placed());
    ASSERT_TRUE(besideProgram_.placed());
  }

  PlacedFile inSystem_, besideProgram_;
  ScopedValue usePassword_;
};

TEST_F(PasswordCheck, Windows9xWithoutThePasswordValueEndsOnTheFirstAttempt) {
  Windows98Program win98("reefsaver-basic.scr");
  for (int value : {-1, 0}) {
    if (value < 0) {
      usePassword_.remove();
    } else {
      usePassword_.setDword(static_cast<DWORD>(value));
    }
    ChildProcess saver;
    HWND window = startSaver(saver, basic("/s"));
    ASSERT_NE(window, nullptr);
    send(window, WM_KEYDOWN, 'A');
    EXPECT_TRUE(endsWithCode(saver, 1)) << value;
    EXPECT_TRUE(log().empty()) << value;
  }
}

TEST_F(PasswordCheck, Windows9xAsksTheVerifierAndKeepsRunningOnAWrongPassword) {
  Windows98Program win98("reefsaver-basic.scr");
  usePassword_.setDword(1);
  answer('0');
  ChildProcess saver;
  HWND window = startSaver(saver, basic("/s"));
  ASSERT_NE(window, nullptr);
  // The verifier is loaded right after the window appeared.
  ASSERT_TRUE(waitUntil([&] { return !linesStartingWith(log(), "password attach").empty(); }, StartTimeout));
  EXPECT_EQ(linesStartingWith(log(), "password attach").size(), 1u);

  // A suspend notice does not end a saver that guards a password.
  send(window, WM_POWERBROADCAST, PBT_APMSUSPEND);
  EXPECT_TRUE(stillRunning(saver, window));
  EXPECT_TRUE(linesStartingWith(log(), "password verify").empty());

  // The sixth move is a quit attempt: the verifier is asked with the main window, maximised.
  // Wine may report a move once more itself, late, so that it comes sooner: the moves stop then.
  POINT pointer;
  GetCursorPos(&pointer);
  movePointer(window, pointer.x, pointer.y);
  for (int i = 0; i < 5 && linesStartingWith(log(), "password verify").empty(); ++i)
    movePointer(window, 100 + 10 * i, 200);
  auto verifications = linesStartingWith(log(), "password verify");
  ASSERT_EQ(verifications.size(), 1u);
  EXPECT_EQ(verifications[0], "password verify " + number(window) + " depth 1 zoomed 1 visible 1");
  // While it ran, the cursor was left alone and the nested key press asked nothing.
  EXPECT_EQ(linesStartingWith(log(), "password cursor"), std::vector<std::string>{"password cursor 1 answer 0"});

  // Refused: the scene goes on, and the move counter starts again from zero: without that the first
  // move would be a quit attempt. (Two moves: Wine may report each once more, and a busy machine
  // may deliver a report of an earlier one after the refusal.)
  EXPECT_TRUE(stillRunning(saver, window));
  for (int i = 0; i < 2; ++i) movePointer(window, 400 + 10 * i, 300);
  EXPECT_TRUE(stillRunning(saver, window));
  EXPECT_EQ(linesStartingWith(log(), "password verify").size(), 1u);

  answer('1');
  for (int i = 0; i < 8 && saver.running(); ++i) movePointer(window, 700 + 10 * i, 300);
  EXPECT_TRUE(endsWithCode(saver, 1));
  EXPECT_EQ(linesStartingWith(log(), "password verify").size(), 2u);
  // The shutdown frees the module before the process ends.
  EXPECT_EQ(linesStartingWith(log(), "password detach"), std::vector<std::string>{"password detach free"});
  expectOnlySystemCopies("password", "PASSWORD.CPL");
}

TEST_F(PasswordCheck, InteractiveBuildAsksOnFocusLossToo) {
  Windows98Program win98("reefsaver.exe");
  usePassword_.setDword(1);
  answer('0');
  ChildProcess saver;
  HWND window = startSaver(saver, interactive(""));
  ASSERT_NE(window, nullptr);
  send(window, WM_ACTIVATEAPP, FALSE);
  EXPECT_TRUE(stillRunning(saver, window));
  answer('1');
  send(window, WM_ACTIVATEAPP, FALSE);
  EXPECT_TRUE(endsWithCode(saver, 1));
  EXPECT_EQ(linesStartingWith(log(), "password verify").size(), 2u);
  expectOnlySystemCopies("password", "PASSWORD.CPL");
}

TEST_F(PasswordCheck, NtFamilyIgnoresThePasswordValue) {
  usePassword_.setDword(1);
  answer('0');
  for (const char* program : {"reefsaver-basic.scr", "reefsaver.exe"}) {
    ChildProcess saver;
    HWND window = startSaver(saver, programPath(program) + " /s");
    ASSERT_NE(window, nullptr) << program;
    send(window, WM_ACTIVATEAPP, FALSE);
    EXPECT_TRUE(endsWithCode(saver, 1)) << program;
  }
  EXPECT_TRUE(log().empty());
}

TEST_F(PasswordCheck, OtherModesNeverLoadTheVerifier) {
  Windows98Program win98("reefsaver-basic.scr");
  usePassword_.setDword(1);
  ChildProcess saver;
  HWND window = startSaver(saver, basic("/t"));
  ASSERT_NE(window, nullptr);
  send(window, WM_KEYDOWN, 'A');
  EXPECT_TRUE(endsWithCode(saver, 1));
  EXPECT_TRUE(log().empty());
}

class PasswordChange : public StandInFixture {
 protected:
  // Wine's own mpr.dll is built in; the stand-in over its file in the system folder is only used
  // when the native file is preferred.
  PasswordChange()
      : besideProgram_(standInPath("mpr", "MPR.DLL"), testenv::buildFolder() + "MPR.DLL"),
        preferNative_("reefsaver-basic.scr", "mpr", "native") {}

  void SetUp() override { ASSERT_TRUE(besideProgram_.placed()); }

  PlacedFile besideProgram_;
  DllOverride preferNative_;
};

TEST_F(PasswordChange, CallsTheSystemModuleWithTheWindowNumber) {
  PlacedFile inSystem(standInPath("mpr", "MPR.DLL"), systemFolder() + "MPR.DLL");
  ASSERT_TRUE(inSystem.placed());
  const struct {
    const char* switches;
    const char* window;
  } cases[] = {{"/a 77", "77"}, {"/a", "0"}, {"-A:4660", "4660"}};
  for (const auto& c : cases) {
    clearLog();
    ChildProcess saver;
    ASSERT_TRUE(saver.start(basic(c.switches), testenv::buildFolder()));
    EXPECT_TRUE(endsWithCode(saver, 1)) << c.switches;
    EXPECT_EQ(linesStartingWith(log(), "mpr change"),
              std::vector<std::string>{std::string("mpr change SCRSAVE ") + c.window + " 0 0"})
        << c.switches;
    EXPECT_EQ(linesStartingWith(log(), "mpr detach"), std::vector<std::string>{"mpr detach free"}) << c.switches;
    expectOnlySystemCopies("mpr", "MPR.DLL");
  }
}

TEST_F(PasswordChange, MissingFunctionOrModuleEndsAtOnce) {
  {
    PlacedFile inSystem(standInPath("mpr-bare", "MPR.DLL"), systemFolder() + "MPR.DLL");
    ASSERT_TRUE(inSystem.placed());
    ChildProcess saver;
    ASSERT_TRUE(saver.start(basic("/a 77"), testenv::buildFolder()));
    EXPECT_TRUE(endsWithCode(saver, 1));
    EXPECT_EQ(linesStartingWith(log(), "mpr attach").size(), 1u);
    EXPECT_TRUE(linesStartingWith(log(), "mpr change").empty());
    expectOnlySystemCopies("mpr", "MPR.DLL");
  }
  clearLog();
  DllOverride noModule("reefsaver-basic.scr", "mpr", "");
  ChildProcess saver;
  ASSERT_TRUE(saver.start(basic("/a 77"), testenv::buildFolder()));
  EXPECT_TRUE(endsWithCode(saver, 1));
  EXPECT_TRUE(log().empty());
}

}  // namespace
