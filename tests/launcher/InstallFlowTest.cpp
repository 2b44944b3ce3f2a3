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
using kvtest::SavedRegistryKey;
using kvtest::StandInRun;

namespace {

const char kRunKey[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";
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
  // The bar starts at 950 and ends full; the last marker before the end names stage 4.
  EXPECT_EQ(ui.progressPositions(), (std::vector<int>{950, 1000}));
  const std::vector<std::string> pokes = ui.pokedResumeValues();
  ASSERT_FALSE(pokes.empty());
  for (const std::string& seen : pokes) EXPECT_EQ(seen, launcher::resumeCommand(cd.base(), "4"));
  EXPECT_EQ(kvtest::resumeValue(), "(none)");
  EXPECT_TRUE(IsWindowEnabled(ui.item(IDC_INSTALL)));
  EXPECT_TRUE(IsWindowEnabled(ui.item(IDC_EXIT)));
}

TEST_F(InstallFlowTest, CopiesProgramFilesByVersionAndRegistersPrograms) {
  const std::string folderName = "ReefTest Kv " + std::to_string(GetCurrentProcessId());
  const std::string target = launcher::joinPath(launcher::programFilesFolder(), folderName);
  kvtest::removeTree(target);
  std::vector<std::unique_ptr<SavedRegistryKey>> appPaths;
  for (const char* name : {"kvnew.exe", "kvkeep.exe", "kvlow.exe", "kvplain.exe", "kvreadonly.exe"}) {
    appPaths.push_back(std::make_unique<SavedRegistryKey>(HKEY_LOCAL_MACHINE, kAppPaths + std::string(name)));
    appPaths.back()->remove();
  }
  cd.writeIni(
      "targetdir=<ProgramFiles>\\" + folderName + "\n"
      "sourcedir=program files\n"
      "file=kvnew.exe\n"
      "file=kvkeep.exe\n"
      "file=kvlow.exe\n"
      "file=kvplain.exe\n"
      "file=kvreadonly.exe\n"
      "file=data.txt\n"
      "file=absent.dll\n"
      "ref=REEF\n");
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
  EXPECT_EQ(launcher::fileVersion(target + "\\kvlow.exe"), version(1, 0, 0, 2)) << "low part counts";
  EXPECT_EQ(launcher::fileVersion(target + "\\kvplain.exe"), version(1, 0, 0, 2)) << "no version";
  EXPECT_EQ(launcher::fileVersion(target + "\\kvreadonly.exe"), version(2, 0, 0, 0));
  EXPECT_EQ(GetFileAttributesA((target + "\\kvreadonly.exe").c_str()) & FILE_ATTRIBUTE_READONLY, 0u);
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

TEST_F(InstallFlowTest, MissingInstallersAreSkippedSilently) {
  cd.writeIni("mdac=nowhere\\mdac.exe\ndotnet=nowhere\\dotnetfx.exe\nref=REEF\npath=setup\\setup.exe\n");
  cd.putStandIn("setup\\setup.exe");
  dotNet.remove();
  mdac.remove();

  LauncherUnderTest ui(resumeArguments(cd, "1"));
  ASSERT_TRUE(kvtest::waitFor([&] { return ui.idle(); }));
  EXPECT_EQ(programsRun(), (std::vector<std::string>{"setup.exe"}));
  EXPECT_EQ(kvtest::resumeValue(), "(none)");
}

}  // namespace
