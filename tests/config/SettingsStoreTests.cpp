// The settings records against the real (Wine) registry, checked with reg.exe as a user would.
#include <windows.h>
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "config/DataFolder.h"
#include "config/SettingFields.h"
#include "config/SettingsStore.h"
#include "scene/SeaSceneApp.h"
#include "tests/support/ChildProcess.h"
#include "tests/support/TestEnvironment.h"

namespace {

const char* const TestKey = "Software\\ReefsaverTests\\Settings";

std::string programFolder() {
  char path[MAX_PATH] = {};
  GetModuleFileNameA(nullptr, path, MAX_PATH);
  std::string folder = path;
  return folder.substr(0, folder.rfind('\\') + 1);
}

// The application reads its registry path from Reefglass\Directory.dat beside the program.
void writeDirectoryFile(const std::string& win32reg) {
  const std::string folder = programFolder() + "Reefglass";
  CreateDirectoryA(folder.c_str(), nullptr);
  testenv::writeFile(folder + "\\Directory.dat", "[NL]\nwin32reg = {" + win32reg + "}\nappname_long = {Reefsaver}\n");
}

std::string runReg(const std::string& arguments) {
  const std::string output = testenv::scratchFolder("reg") + "out.txt";
  ChildProcess reg;
  if (!reg.start("reg.exe " + arguments, std::string(), output)) return "reg.exe did not start";
  reg.waitForExit(30000);
  return testenv::readFile(output);
}

void regAdd(const char* name, const char* type, const std::string& data) {
  runReg(std::string("add \"HKCU\\") + TestKey + "\" /v " + name + " /t " + type + " /d " + data + " /f");
}

int countOccurrences(const std::string& text, const std::string& what) {
  int n = 0;
  for (size_t at = text.find(what); at != std::string::npos; at = text.find(what, at + 1)) ++n;
  return n;
}

class SettingsRecords : public ::testing::Test {
 protected:
  void SetUp() override {
    RegDeleteTreeA(HKEY_CURRENT_USER, "Software\\ReefsaverTests");
    writeDirectoryFile(TestKey);
  }
  void TearDown() override { RegDeleteTreeA(HKEY_CURRENT_USER, "Software\\ReefsaverTests"); }
};

// A read with no key open keeps what the caller had, as a missing value does.
TEST_F(SettingsRecords, AStoreWithoutAnOpenKeyGivesTheFallback) {
  ::SettingsStore store;
  EXPECT_EQ(store.readDword("BoidCount", 15), 15);
  EXPECT_TRUE(store.readBool("FishRed", true));
  EXPECT_FALSE(store.writeDword("BoidCount", 3));
  EXPECT_FALSE(store.close());

  ASSERT_TRUE(store.open(TestKey));
  EXPECT_TRUE(store.writeDword("BoidCount", 3));
  EXPECT_EQ(store.readDword("BoidCount", 15), 3);
  EXPECT_EQ(store.readDword("Missing", -7), -7);
  EXPECT_TRUE(store.close());
  EXPECT_EQ(store.readDword("BoidCount", 15), 15);
}

TEST_F(SettingsRecords, TheFrameRateLimitIsReadOnlyFromADword) {
  HKEY key = nullptr;
  ASSERT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, TestKey, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr),
            ERROR_SUCCESS);
  RegSetValueExA(key, "MaxFrameRate", 0, REG_SZ, reinterpret_cast<const BYTE*>("30"), 3);
  EXPECT_EQ(loadMaxFrameRate(TestKey), -1) << "not 12339";
  const BYTE binary[4] = {30, 0, 0, 0};
  RegSetValueExA(key, "MaxFrameRate", 0, REG_BINARY, binary, sizeof(binary));
  EXPECT_EQ(loadMaxFrameRate(TestKey), -1);
  const DWORD rate = 30;
  RegSetValueExA(key, "MaxFrameRate", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&rate), sizeof(rate));
  RegCloseKey(key);
  EXPECT_EQ(loadMaxFrameRate(TestKey), 30);
}

TEST_F(SettingsRecords, FirstRunCreatesTheEmptyKeyAndKeepsDefaults) {
  SeaSceneApp app(SaverBuild::Basic);
  EXPECT_STREQ(app.registryPath(), TestKey);
  EXPECT_STREQ(app.applicationName(), "Reefsaver");
  EXPECT_TRUE(app.loadSettings());
  app.loadScreenSettings();
  HKEY key = nullptr;
  ASSERT_EQ(RegOpenKeyExA(HKEY_CURRENT_USER, TestKey, 0, KEY_READ, &key), ERROR_SUCCESS);
  DWORD values = 99;
  RegQueryInfoKeyA(key, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, &values, nullptr, nullptr, nullptr,
                   nullptr);
  RegCloseKey(key);
  EXPECT_EQ(values, 0u);

  const SaverSettings& s = app.settings();
  EXPECT_EQ(s.BoidModel, 0);
  EXPECT_EQ(s.BoidCount, 10);
  EXPECT_TRUE(s.FishRed && s.FishBlue && s.FishStripe && s.FishYellBlu && s.FishDot && s.FishBigGrey && s.FishBigRed &&
              s.FishManta && s.BirdGull && s.SoundOn);
  EXPECT_EQ(s.FishCount, 10);
  EXPECT_EQ(s.CameraPos, 0);
  EXPECT_EQ(s.CameraSpeed, 4);
  EXPECT_EQ(s.CameraFixTop, 30);
  EXPECT_EQ(s.CameraFixBottom, 30);
  EXPECT_EQ(s.SkyType, 0);
  const ScreenSettings& screen = app.screenSettings();
  EXPECT_TRUE(screen.LeaveRes);
  EXPECT_EQ(screen.Width, -1);
  EXPECT_EQ(screen.Height, -1);
  EXPECT_EQ(screen.Bpp, 16);
  EXPECT_TRUE(screen.ShadeScecondary);
}

TEST_F(SettingsRecords, SavingWritesAllTwentyValuesAsNumbers) {
  SeaSceneApp app(SaverBuild::Basic);
  app.settings().FishCount = 3;
  app.settings().FishManta = false;
  app.settings().SoundVolume = 35;
  app.saveSettings();
  const std::string listing = runReg(std::string("query \"HKCU\\") + TestKey + "\"");
  EXPECT_EQ(countOccurrences(listing, "REG_DWORD"), 20) << listing;
  EXPECT_EQ(countOccurrences(listing, "REG_SZ") + countOccurrences(listing, "REG_BINARY"), 0) << listing;
  for (const SettingField& field : SaverSettingFields) {
    EXPECT_NE(listing.find(std::string(field.name) + "    REG_DWORD"), std::string::npos) << field.name;
  }
  EXPECT_NE(listing.find("SoundVolume    REG_DWORD    0x23"), std::string::npos) << listing;
  EXPECT_NE(listing.find("ShowClock    REG_DWORD    0x0"), std::string::npos) << listing;
  EXPECT_EQ(listing.find("SoundYields"), std::string::npos) << "no dialog offers it: " << listing;
  EXPECT_NE(listing.find("FishCount    REG_DWORD    0x3"), std::string::npos) << listing;
  EXPECT_NE(listing.find("FishManta    REG_DWORD    0x0"), std::string::npos) << listing;

  app.screenSettings().LeaveRes = false;
  app.screenSettings().Width = 1024;
  app.saveScreenSettings();
  SeaSceneApp reader(SaverBuild::Basic);
  reader.loadSettings();
  reader.loadScreenSettings();
  EXPECT_EQ(reader.settings().FishCount, 3);
  EXPECT_FALSE(reader.settings().FishManta);
  EXPECT_FALSE(reader.screenSettings().LeaveRes);
  EXPECT_EQ(reader.screenSettings().Width, 1024);
}

TEST_F(SettingsRecords, OutOfRangeValuesLoadUnchangedAndFlagsNormalise) {
  regAdd("BoidCount", "REG_DWORD", "7");
  regAdd("CameraSpeed", "REG_DWORD", "0");
  regAdd("FishCount", "REG_DWORD", "25");
  regAdd("FishRed", "REG_DWORD", "2");
  regAdd("SoundOn", "REG_DWORD", "0");
  SeaSceneApp app(SaverBuild::Basic);
  app.loadSettings();
  EXPECT_EQ(app.settings().BoidCount, 7);
  EXPECT_EQ(app.settings().CameraSpeed, 0);
  EXPECT_EQ(app.settings().FishCount, 25);
  EXPECT_TRUE(app.settings().FishRed);
  EXPECT_FALSE(app.settings().SoundOn);
  app.saveSettings();
  const std::string listing = runReg(std::string("query \"HKCU\\") + TestKey + "\" /v FishRed");
  EXPECT_NE(listing.find("REG_DWORD    0x1"), std::string::npos) << listing;
  const std::string count = runReg(std::string("query \"HKCU\\") + TestKey + "\" /v FishCount");
  EXPECT_NE(count.find("REG_DWORD    0x19"), std::string::npos) << count;
}

// The values added since the eighteen are read only from a DWORD; a volume outside 0 to 100 is
// today's full loudness.
TEST_F(SettingsRecords, LaterValuesAreDwordsAndAVolumeOutOfRangeIsFull) {
  SeaSceneApp defaults(SaverBuild::Basic);
  defaults.loadSettings();
  EXPECT_EQ(defaults.settings().SoundVolume, 100);
  EXPECT_TRUE(defaults.settings().SoundYields);
  EXPECT_FALSE(defaults.settings().ShowClock);

  const struct {
    const char* type;
    const char* data;
    int volume;
  } volumes[] = {{"REG_DWORD", "40", 40},         {"REG_DWORD", "0", 0},     {"REG_DWORD", "100", 100},
                 {"REG_DWORD", "101", 100},       {"REG_DWORD", "250", 100}, {"REG_DWORD", "0xFFFFFFFF", 100},
                 {"REG_BINARY", "32000000", 100}, {"REG_SZ", "50", 100}};
  for (const auto& v : volumes) {
    regAdd("SoundVolume", v.type, v.data);
    SeaSceneApp app(SaverBuild::Basic);
    app.loadSettings();
    EXPECT_EQ(app.settings().SoundVolume, v.volume) << v.type << " " << v.data;
  }
  // Switched from their defaults by a DWORD only.
  for (const bool dword : {true, false}) {
    regAdd("SoundYields", dword ? "REG_DWORD" : "REG_SZ", "0");
    regAdd("ShowClock", dword ? "REG_DWORD" : "REG_BINARY", dword ? "1" : "01000000");
    SeaSceneApp app(SaverBuild::Basic);
    app.loadSettings();
    EXPECT_EQ(app.settings().SoundYields, !dword);
    EXPECT_EQ(app.settings().ShowClock, dword);
  }
}

TEST_F(SettingsRecords, ValuesLongerThanFourBytesAreIgnored) {
  regAdd("BoidCount", "REG_BINARY", "0102030405060708");
  regAdd("FishCount", "REG_SZ", "twenty");
  regAdd("CameraPos", "REG_BINARY", "02000000");  // exactly four bytes of any type count
  regAdd("BirdGull", "REG_SZ", "abcdefgh");
  SeaSceneApp app(SaverBuild::Basic);
  app.loadSettings();
  EXPECT_EQ(app.settings().BoidCount, 10);
  EXPECT_EQ(app.settings().FishCount, 10);
  EXPECT_EQ(app.settings().CameraPos, 2);
  EXPECT_TRUE(app.settings().BirdGull);
}

TEST_F(SettingsRecords, EmptyPathOpensTheCurrentUserKeyItself) {
  writeDirectoryFile("");
  SeaSceneApp app(SaverBuild::Basic);
  EXPECT_STREQ(app.registryPath(), "");
  app.settings().CameraFixBottom = 41;
  app.saveSettings();
  HKEY root = nullptr;
  ASSERT_EQ(RegOpenKeyExA(HKEY_CURRENT_USER, nullptr, 0, KEY_ALL_ACCESS, &root), ERROR_SUCCESS);
  DWORD value = 0, size = sizeof(value);
  EXPECT_EQ(RegQueryValueExA(root, "CameraFixBottom", nullptr, nullptr, reinterpret_cast<BYTE*>(&value), &size),
            ERROR_SUCCESS);
  EXPECT_EQ(value, 41u);
  for (const SettingField& field : SaverSettingFields) RegDeleteValueA(root, field.name);
  for (const char* name : LaterDialogValues) RegDeleteValueA(root, name);
  RegCloseKey(root);
}

TEST_F(SettingsRecords, OverlongRegistryPathIsCutNotOverflowed) {
  writeDirectoryFile(std::string(400, 'k'));
  SeaSceneApp app(SaverBuild::Basic);
  EXPECT_EQ(std::strlen(app.registryPath()), static_cast<size_t>(GLSaver::TextSize - 1));
}

TEST(DataFolder, BesideTheProgramOrRelativeWhenItCannotFit) {
  char folder[PathSize];
  dataFolderFor("C:\\Savers\\reef.scr", folder);
  EXPECT_STREQ(folder, "C:\\Savers\\Reefglass/");
  dataFolderFor("reef.scr", folder);
  EXPECT_STREQ(folder, "Reefglass/");
  const std::string deep = "C:\\" + std::string(PathSize, 'd') + "\\reef.scr";
  dataFolderFor(deep.c_str(), folder);
  EXPECT_STREQ(folder, "Reefglass/");

  char path[PathSize];
  EXPECT_TRUE(joinDataPath(path, "C:\\S\\Reefglass/", "sound/water.wav"));
  EXPECT_STREQ(path, "C:\\S\\Reefglass/sound/water.wav");
  EXPECT_FALSE(joinDataPath(path, std::string(PathSize - 10, 'f').c_str(), "caustics64/caust00.nlt"));
  EXPECT_STREQ(path, "");

  SeaSceneApp app(SaverBuild::Basic);
  EXPECT_EQ(std::string(app.dataFolder()), programFolder() + "Reefglass/");
}

}  // namespace
