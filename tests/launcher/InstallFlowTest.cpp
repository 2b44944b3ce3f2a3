// The installation flow against a fake CD whose installers and setup programs are stand-ins that
// log what they saw; prerequisites are switched with the real registry keys the launcher checks.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "LauncherTestSupport.h"
#include "launcher/LauncherRules.h"
#include "launcher/ProgramRunner.h"
#include "launcher/SetupRegistry.h"
#include "launcher/resource.h"

using kvtest::FakeCd;
using kvtest::LauncherUnderTest;
using kvtest::openPopupMenu;
using kvtest::SavedRegistryKey;
using kvtest::StandInRun;

namespace {

const char kRunKey[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";
// A start that needs administrator rights, from an unelevated program (not in every winerror.h).
const DWORD kElevationRequired = 740;
const char kAppPaths[] = "Software\\Microsoft\\Windows\\CurrentVersion\\App Paths\\";

uint64_t version(int major, int minor, int build, int patch) {
  return (static_cast<uint64_t>(major) << 48) | (static_cast<uint64_t>(minor) << 32) |
         (static_cast<uint64_t>(build) << 16) | static_cast<uint64_t>(patch);
}

std::string registryString(const std::string& key, const char* value) {
  HKEY handle;
  if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, key.c_str(), 0, KEY_READ, &handle) != ERROR_SUCCESS) {
    return "(no key)";
  }
  char data[1024];
  DWORD size = sizeof data - 1;
  std::string text = "(none)";
  if (RegQueryValueExA(handle, value, nullptr, nullptr, reinterpret_cast<BYTE*>(data), &size) ==
      ERROR_SUCCESS) {
    data[size] = '\0';
    text = data;
  }
  RegCloseKey(handle);
  return text;
}

// The launcher's command line for a resumed start from the fake CD.
std::string resumeArguments(const FakeCd& cd, const std::string& stage) {
  return launcher::quoteArgument(cd.base()) + " " + stage;
}

std::string fileName(const std::string& path) { return path.substr(path.rfind('\\') + 1); }

class InstallFlowTest : public ::testing::Test {
 protected:
  void TearDown() override {
    SetEnvironmentVariableA("KVSETUPX_STANDIN_POKE", nullptr);
    SetEnvironmentVariableA("KVSETUPX_STANDIN_MS", nullptr);
  }

  // A CD whose every prerequisite installer exists, so that skipping one is the launcher's choice.
  void putInstallers() const {
    cd.putStandIn("wmi\\wmicore.exe");
    cd.putStandIn("mdac\\mdac_typ.exe");
    cd.putStandIn("dotnet\\dotnetfx.exe");
  }

  std::vector<std::string> programsRun() const {
    std::vector<std::string> names;
    for (const StandInRun& run : cd.runs()) names.push_back(fileName(run.program));
    return names;
  }

  FakeCd cd;
  SavedRegistryKey runKey{HKEY_CURRENT_USER, kRunKey};
  SavedRegistryKey dotNet{HKEY_LOCAL_MACHINE, "Software\\Microsoft\\.NETFramework"};
  SavedRegistryKey mdac{HKEY_LOCAL_MACHINE, "SOFTWARE\\Microsoft\\DataAccess"};
};

TEST_F(InstallFlowTest, ResumeAtStageThreeRunsSetupProgramsInTurnAndClearsTheMarker) {
  cd.writeIni(
      "[Reef]\n"
      "ref=REEF\n"
      "name=Reef Saver\n"
      "path=setup one\\setup.exe\n"
      "path=missing\\setup.exe\n"
      "path=setup two\\setup.exe\n");
  putInstallers();
  cd.putStandIn("setup one\\setup.exe");
  cd.putStandIn("setup two\\setup.exe");
  // Nothing is installed, yet stage 3 must not look at the prerequisites again.
  dotNet.remove();
  mdac.remove();
  SetEnvironmentVariableA("KVSETUPX_STANDIN_POKE", "1");
  SetEnvironmentVariableA("KVSETUPX_STANDIN_MS", "150");

  LauncherUnderTest ui(resumeArguments(cd, "3"));
  ASSERT_NE(ui.window(), nullptr);
  ASSERT_TRUE(kvtest::waitFor([&] { return ui.idle(); }));

  const std::vector<StandInRun> runs = cd.runs();
  ASSERT_EQ(runs.size(), 2u) << kvtest::readFile(cd.logPath());
  const char* folders[] = {"setup one", "setup two"};
  for (size_t i = 0; i < 2; ++i) {
    EXPECT_EQ(runs[i].program, cd.path(std::string(folders[i]) + "\\setup.exe"));
    EXPECT_EQ(runs[i].commandLine, "\"" + cd.path(std::string(folders[i]) + "\\setup.exe") + "\"");
    EXPECT_EQ(runs[i].folder, cd.path(folders[i]));
    EXPECT_EQ(runs[i].resumeValue, launcher::resumeCommand(cd.base(), "3"));
    EXPECT_EQ(runs[i].overlap, "alone");
  }
  // The bar starts at 950 and ends full; the window answered the setup programs while they ran.
  EXPECT_EQ(ui.progressPositions(), (std::vector<int>{950, 1000}));
  const std::vector<std::string> pokes = ui.pokedResumeValues();
  ASSERT_FALSE(pokes.empty());
  for (const std::string& seen : pokes) EXPECT_EQ(seen, launcher::resumeCommand(cd.base(), "3"));
  EXPECT_EQ(kvtest::resumeValue(), "(none)");
  EXPECT_TRUE(IsWindowEnabled(ui.item(IDC_INSTALL)));
  EXPECT_TRUE(IsWindowEnabled(ui.item(IDC_EXIT)));
}

// The last marker before the end names stage 4; the end removes it.
TEST_F(InstallFlowTest, ResumeAtStageFourWritesTheLastMarkerAndEnds) {
  cd.writeIni("ref=REEF\nname=Reef\npath=setup\\setup.exe\n");
  cd.putStandIn("setup\\setup.exe");
  // Looked at when the flow first lets messages through, after its marker and before its end.
  LauncherUnderTest ui(resumeArguments(cd, "4"),
                       [](launcher::MenuWindow& menu) { kvtest::poke(menu.hwnd()); });
  ASSERT_TRUE(kvtest::waitFor([&] { return ui.idle(); }));
  EXPECT_EQ(ui.pokedResumeValues(),
            (std::vector<std::string>{launcher::resumeCommand(cd.base(), "4")}));
  EXPECT_EQ(kvtest::resumeValue(), "(none)");
  EXPECT_TRUE(cd.runs().empty());
}

TEST_F(InstallFlowTest, CopiesProgramFilesByVersionAndRegistersPrograms) {
  const std::string folderName = "ReefTest Kv " + std::to_string(GetCurrentProcessId());
  const std::string target = launcher::joinPath(launcher::programFilesFolder(), folderName);
  kvtest::removeTree(target);
  std::vector<std::unique_ptr<SavedRegistryKey>> appPaths;
  for (const char* name :
       {"kvnew.exe", "kvkeep.exe", "kvlow.exe", "kvplain.exe", "kvreadonly.exe"}) {
    appPaths.push_back(
        std::make_unique<SavedRegistryKey>(HKEY_LOCAL_MACHINE, kAppPaths + std::string(name)));
    appPaths.back()->remove();
  }
  const std::string files =
      "sourcedir=program files\n"
      "file=kvnew.exe\n"
      "file=kvkeep.exe\n"
      "file=kvlow.exe\n"
      "file=kvplain.exe\n"
      "file=kvreadonly.exe\n"
      "file=data.txt\n"
      "file=absent.dll\n"
      "ref=REEF\n";
  cd.writeIni("targetdir=<ProgramFiles>\\" + folderName + "\n" + files);
  const std::string source = cd.path("program files\\");
  kvtest::copyFileTo(kvtest::versionedProgram(1, 0, 0, 2), source + "kvnew.exe");
  kvtest::copyFileTo(kvtest::versionedProgram(1, 0, 0, 2), source + "kvkeep.exe");
  kvtest::copyFileTo(kvtest::versionedProgram(1, 0, 0, 0), source + "kvlow.exe");
  kvtest::copyFileTo(kvtest::versionedProgram(1, 0, 0, 2), source + "kvplain.exe");
  kvtest::copyFileTo(kvtest::versionedProgram(2, 0, 0, 0), source + "kvreadonly.exe");
  kvtest::writeFile(source + "data.txt", "new data");
  // What an earlier installation left.
  kvtest::copyFileTo(kvtest::versionedProgram(2, 0, 0, 0), target + "\\kvkeep.exe");
  kvtest::copyFileTo(kvtest::versionedProgram(1, 0, 0, 2), target + "\\kvlow.exe");
  kvtest::writeFile(target + "\\kvplain.exe", "no version resource");
  kvtest::copyFileTo(kvtest::versionedProgram(1, 0, 0, 2), target + "\\kvreadonly.exe");
  SetFileAttributesA((target + "\\kvreadonly.exe").c_str(), FILE_ATTRIBUTE_READONLY);
  kvtest::writeFile(target + "\\data.txt", "old data");
  dotNet.create();

  {
    LauncherUnderTest ui(resumeArguments(cd, "3"));
    ASSERT_TRUE(kvtest::waitFor([&] { return ui.idle(); }));
  }

  EXPECT_EQ(launcher::fileVersion(target + "\\kvnew.exe"), version(1, 0, 0, 2));
  EXPECT_EQ(launcher::fileVersion(target + "\\kvkeep.exe"), version(2, 0, 0, 0)) << "higher kept";
  EXPECT_EQ(launcher::fileVersion(target + "\\kvlow.exe"), version(1, 0, 0, 2))
      << "low part counts";
  EXPECT_EQ(launcher::fileVersion(target + "\\kvplain.exe"), version(1, 0, 0, 2)) << "no version";
  EXPECT_EQ(launcher::fileVersion(target + "\\kvreadonly.exe"), version(2, 0, 0, 0));
  EXPECT_EQ(GetFileAttributesA((target + "\\kvreadonly.exe").c_str()) & FILE_ATTRIBUTE_READONLY,
            0u);
  EXPECT_EQ(kvtest::readFile(target + "\\data.txt"), "new data");
  EXPECT_FALSE(launcher::fileExists(target + "\\absent.dll"));

  for (const char* name : {"kvnew.exe", "kvkeep.exe", "kvplain.exe"}) {
    const std::string key = kAppPaths + std::string(name);
    EXPECT_EQ(registryString(key, nullptr), target + "\\" + name);
    EXPECT_EQ(registryString(key, "Path"), target);
  }
  EXPECT_EQ(registryString(kAppPaths + std::string("data.txt"), nullptr), "(no key)");
  kvtest::removeTree(target);
}

TEST_F(InstallFlowTest, WithoutDotNetNoFilesAreCopiedButSetupStillRuns) {
  const std::string folderName = "ReefTest KvNoNet " + std::to_string(GetCurrentProcessId());
  const std::string target = launcher::joinPath(launcher::programFilesFolder(), folderName);
  kvtest::removeTree(target);
  cd.writeIni("targetdir=<ProgramFiles>\\" + folderName +
              "\nfile=kvnew.exe\nref=REEF\npath=setup\\setup.exe\n");
  kvtest::copyFileTo(kvtest::versionedProgram(1, 0, 0, 2), cd.path("kvnew.exe"));
  cd.putStandIn("setup\\setup.exe");
  dotNet.remove();

  LauncherUnderTest ui(resumeArguments(cd, "3"));
  ASSERT_TRUE(kvtest::waitFor([&] { return ui.idle(); }));
  EXPECT_FALSE(launcher::fileExists(target + "\\kvnew.exe"));
  EXPECT_EQ(programsRun(), (std::vector<std::string>{"setup.exe"}));
}

TEST_F(InstallFlowTest, FreshInstallRunsMdacOnlyWhenOlderThan260) {
  cd.writeIni(
      "mdacparam=/Q:A /C:\"dasetup /l /q N\"  \n"
      "mdacdescr=Data access\n"
      "dlgbuttoninstallaction=Installing\n"
      "ref=REEF\n"
      "path=setup\\setup.exe\n");
  putInstallers();
  cd.putStandIn("setup\\setup.exe");
  dotNet.create();

  mdac.setString("FullInstallVer", "2.59.6200.0");
  {
    LauncherUnderTest ui("\"" + cd.base() + "\"");
    // One product: the install button runs the flow in a worker thread at once.
    SendMessageA(ui.window(), WM_COMMAND, MAKEWPARAM(IDC_INSTALL, BN_CLICKED),
                 reinterpret_cast<LPARAM>(ui.item(IDC_INSTALL)));
    ASSERT_TRUE(kvtest::waitFor([&] { return ui.idle(); }));
    EXPECT_EQ(ui.progressPositions().front(), 0);
    EXPECT_EQ(ui.progressPositions().back(), 1000);
  }
  std::vector<StandInRun> runs = cd.runs();
  // Windows 5 and later need no WMI installer, and .NET is present.
  ASSERT_EQ(programsRun(), (std::vector<std::string>{"mdac_typ.exe", "setup.exe"}));
  EXPECT_EQ(runs[0].commandLine,
            "\"" + cd.path("mdac\\mdac_typ.exe") + "\" /Q:A /C:\"dasetup /l /q N\"  ");
  EXPECT_EQ(runs[0].folder, cd.path("mdac"));
  EXPECT_EQ(runs[0].resumeValue, launcher::resumeCommand(cd.base(), "1"));
  EXPECT_EQ(runs[1].resumeValue, launcher::resumeCommand(cd.base(), "3"));
  EXPECT_EQ(kvtest::resumeValue(), "(none)");

  DeleteFileA(cd.logPath().c_str());
  mdac.setString("FullInstallVer", "2.60.6526.0");
  {
    LauncherUnderTest ui("\"" + cd.base() + "\"");
    SendMessageA(ui.window(), WM_COMMAND, MAKEWPARAM(IDC_INSTALL, BN_CLICKED),
                 reinterpret_cast<LPARAM>(ui.item(IDC_INSTALL)));
    ASSERT_TRUE(kvtest::waitFor([&] { return ui.idle(); }));
  }
  EXPECT_EQ(programsRun(), (std::vector<std::string>{"setup.exe"}));
}

// A program that cannot be started (elevation needed, the prompt declined) ends the flow at its
// stage: the status text names it with the system's reason, the stage's marker stays for a later
// start, and nothing after it runs.
TEST_F(InstallFlowTest, StartFailureEndsTheFlowAtItsStageAndRemovesItsMarker) {
  struct Case {
    const char* stage;
    const char* refused;
    DWORD error;
  } cases[] = {
      {"1", "mdac\\mdac_typ.exe", kElevationRequired},
      {"2", "dotnet\\dotnetfx.exe", ERROR_CANCELLED},
      {"3", "setup one\\setup.exe", ERROR_CANCELLED},
  };
  dotNet.remove();
  mdac.remove();
  for (const Case& c : cases) {
    FakeCd disc;
    disc.writeIni("ref=REEF\nname=Reef\npath=setup one\\setup.exe\npath=setup two\\setup.exe\n");
    for (const char* program : {"mdac\\mdac_typ.exe", "dotnet\\dotnetfx.exe",
                                "setup one\\setup.exe", "setup two\\setup.exe"}) {
      disc.putStandIn(program);
    }
    kvtest::ScriptedStarter starter;
    starter.refuse(c.refused, c.error);
    {
      LauncherUnderTest ui(resumeArguments(disc, c.stage),
                           [&](launcher::MenuWindow& menu) { menu.setProgramStarter(starter); });
      ASSERT_TRUE(kvtest::waitFor([&] { return ui.idle(); })) << c.stage;
      const std::string status = ui.status();
      EXPECT_NE(status.find("Kan " + fileName(c.refused) + " niet starten."), std::string::npos)
          << status;
      EXPECT_NE(status.find(kvtest::systemText(c.error)), std::string::npos) << status;
      EXPECT_NE(status.find(std::to_string(c.error)), std::string::npos) << status;
      // The reason stays in view when the pointer crosses the window.
      SendMessageA(ui.window(), WM_MOUSEMOVE, 0, MAKELPARAM(300, 100));
      EXPECT_EQ(ui.status(), status);
      EXPECT_TRUE(IsWindowEnabled(ui.item(IDC_INSTALL)));
    }
    // Declined or not started, it does not prompt again at every logon.
    EXPECT_EQ(kvtest::resumeValue(), "(none)") << c.stage;
    EXPECT_EQ(launcher::resumedProduct(), "") << c.stage;
    EXPECT_TRUE(disc.runs().empty()) << c.stage << "\n" << kvtest::readFile(disc.logPath());
    EXPECT_EQ(starter.requests().back().file, "\"" + disc.path(c.refused) + "\"");
  }
}

// The real shell, under Wine: a setup "program" that is no program cannot start.
TEST_F(InstallFlowTest, SetupThatCannotStartIsReportedAndStopsTheFlow) {
  cd.writeIni("ref=REEF\nname=Reef\npath=broken\\setup.exe\npath=setup\\setup.exe\n");
  cd.put("broken\\setup.exe", "this is not a program");
  cd.putStandIn("setup\\setup.exe");

  LauncherUnderTest ui(resumeArguments(cd, "3"));
  ASSERT_TRUE(kvtest::waitFor([&] { return ui.idle(); }));
  EXPECT_EQ(ui.status().rfind("Kan setup.exe niet starten.\n", 0), 0u) << ui.status();
  EXPECT_TRUE(cd.runs().empty()) << kvtest::readFile(cd.logPath());
  EXPECT_EQ(kvtest::resumeValue(), "(none)");
}

// A resumed installation goes on with the product the user chose, kept beside the Run entry whose
// command keeps its form; a Run entry without a kept product asks which product to go on with.
// A start that does not return until the test lets it, as the shell's does while the elevation
// prompt shows.
class PromptingStarter : public launcher::ProgramStarter {
 public:
  PromptingStarter()
      : prompting_(CreateEventA(nullptr, TRUE, FALSE, nullptr)),
        answered_(CreateEventA(nullptr, TRUE, FALSE, nullptr)) {}
  ~PromptingStarter() override {
    CloseHandle(prompting_);
    CloseHandle(answered_);
  }
  launcher::Started start(HWND, const launcher::StartRequest&) override {
    SetEvent(prompting_);
    WaitForSingleObject(answered_, 30000);
    return {};
  }
  bool prompting() const { return WaitForSingleObject(prompting_, 0) == WAIT_OBJECT_0; }
  void answer() { SetEvent(answered_); }

 private:
  HANDLE prompting_, answered_;
};

// A product chosen from the menu installs on the window's own thread: the window goes on painting
// and answering while the prompt shows.
TEST_F(InstallFlowTest, TheMenuAnswersWhileTheElevationPromptShows) {
  dotNet.create();
  cd.writeIni(
      "[A]\nref=ONE\nname=Reef\npath=one\\setup.exe\n"
      "[B]\nref=TWO\nname=Reef Plus\npath=two\\setup.exe\n");
  cd.putStandIn("one\\setup.exe");
  cd.putStandIn("two\\setup.exe");
  PromptingStarter starter;
  LauncherUnderTest ui("\"" + cd.base() + "\"",
                       [&](launcher::MenuWindow& menu) { menu.setProgramStarter(starter); });
  PostMessageA(ui.window(), WM_COMMAND, 262, 0);
  ASSERT_TRUE(kvtest::waitFor([&] { return starter.prompting(); }));
  DWORD_PTR answer = 0;
  EXPECT_NE(SendMessageTimeoutA(ui.window(), WM_NULL, 0, 0, SMTO_NORMAL, 2000, &answer), 0);
  starter.answer();
  ASSERT_TRUE(kvtest::waitFor([&] { return ui.idle(); }));
}

TEST_F(InstallFlowTest, ResumedInstallRunsTheChosenProduct) {
  SavedRegistryKey launcherKey{HKEY_CURRENT_USER, "Software\\KvSetupX"};
  cd.writeIni(
      "[A]\nref=ONE\nname=Reef\npath=one\\setup.exe\n"
      "[B]\nref=TWO\nname=Reef Plus\npath=two\\setup.exe\n");
  cd.putStandIn("one\\setup.exe");
  cd.putStandIn("two\\setup.exe");
  dotNet.create();
  {
    // While the chosen product's setup runs, the Run entry and the product beside it wait for a
    // restart; once the flow ends they go.
    const std::string hold = cd.logPath() + ".hold";
    kvtest::writeFile(hold, "");
    SetEnvironmentVariableA("KVSETUPX_STANDIN_HOLD", cd.path("two\\setup.exe").c_str());
    LauncherUnderTest ui("\"" + cd.base() + "\"");
    EXPECT_EQ(ui.menu().selectedProduct(), -1);
    PostMessageA(ui.window(), WM_COMMAND, 262, 0);
    ASSERT_TRUE(kvtest::waitFor([&] { return cd.runs().size() == 1; }));
    EXPECT_EQ(kvtest::resumeValue(), launcher::resumeCommand(cd.base(), "3"));
    EXPECT_EQ(launcher::resumedProduct(), "TWO");
    DeleteFileA(hold.c_str());
    SetEnvironmentVariableA("KVSETUPX_STANDIN_HOLD", nullptr);
    ASSERT_TRUE(kvtest::waitFor([&] { return ui.idle() && kvtest::resumeValue() == "(none)"; }));
  }
  // As a restart during that setup leaves them.
  DeleteFileA(cd.logPath().c_str());
  launcher::writeResumeMarker(cd.base(), "3", "TWO");
  {
    // Started again from the Run entry's command line.
    LauncherUnderTest ui(resumeArguments(cd, "3"));
    ASSERT_TRUE(kvtest::waitFor([&] { return ui.idle() && kvtest::resumeValue() == "(none)"; }));
    EXPECT_EQ(programsRun(), (std::vector<std::string>{"setup.exe"}));
    EXPECT_EQ(cd.runs()[0].program, cd.path("two\\setup.exe"));
    EXPECT_EQ(ui.menu().selectedProduct(), 1);
  }
  EXPECT_TRUE(launcher::resumedProduct().empty());

  // A Run entry that keeps no product: nothing runs until a product is chosen.
  DeleteFileA(cd.logPath().c_str());
  LauncherUnderTest ui(resumeArguments(cd, "3"));
  ASSERT_TRUE(kvtest::waitFor([] { return openPopupMenu() != nullptr; }));
  EXPECT_TRUE(cd.runs().empty());
  PostMessageA(openPopupMenu(), WM_KEYDOWN, VK_ESCAPE, 0);
  ASSERT_TRUE(kvtest::waitFor([] { return openPopupMenu() == nullptr; }));
  PostMessageA(ui.window(), WM_COMMAND, 261, 0);
  ASSERT_TRUE(kvtest::waitFor([&] { return cd.runs().size() == 1 && ui.idle(); }));
  EXPECT_EQ(cd.runs()[0].program, cd.path("one\\setup.exe"));
}

TEST_F(InstallFlowTest, MissingInstallersAreSkippedSilently) {
  cd.writeIni(
      "mdac=nowhere\\mdac.exe\ndotnet=nowhere\\dotnetfx.exe\nref=REEF\npath=setup\\setup.exe\n");
  cd.putStandIn("setup\\setup.exe");
  dotNet.remove();
  mdac.remove();

  LauncherUnderTest ui(resumeArguments(cd, "1"));
  ASSERT_TRUE(kvtest::waitFor([&] { return ui.idle(); }));
  EXPECT_EQ(programsRun(), (std::vector<std::string>{"setup.exe"}));
  EXPECT_EQ(kvtest::resumeValue(), "(none)");
}

}  // namespace
