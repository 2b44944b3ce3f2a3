// The saver in the user's language, as Wine gives it from the locale (LANG and LC_ALL): run once
// per language the saver speaks and once in Italian, which it does not (English).
// REEF_EXPECTED_SECTION names the section that language reads.
#include <windows.h>
#include <gtest/gtest.h>

#include <commctrl.h>

#include <cstdlib>
#include <string>

#include "config/DialogIds.h"
#include "config/ProgramTexts.h"
#include "config/TextTable.h"
#include "config/UiLanguage.h"
#include "formats/FileOpen.h"
#include "launcher/MenuLanguage.h"
#include "launcher/resource.h"
#include "scene/SeaSceneApp.h"
#include "tests/support/DialogDriver.h"
#include "tests/support/SaverDriver.h"
#include "tests/support/TestEnvironment.h"

using namespace dialogs;
using textkeys::Language;

namespace {

const char* const TestKey = "Software\\ReefsaverTests\\Language";

Language expectedLanguage() {
  const char* section = std::getenv("REEF_EXPECTED_SECTION");
  for (const Language language : textkeys::Languages) {
    if (section && std::string(section) == textkeys::sectionName(language)) return language;
  }
  ADD_FAILURE() << "REEF_EXPECTED_SECTION names no section: " << (section ? section : "(none)");
  return Language::Dutch;
}

std::string ownFolder() {
  char path[MAX_PATH] = {};
  GetModuleFileNameA(nullptr, path, MAX_PATH);
  const std::string program = path;
  return program.substr(0, program.rfind('\\') + 1);
}

std::string dataFolder() { return ownFolder() + "Reefglass\\"; }

// The data folder beside this program: the product's text files, or Dutch-only ones, under the
// tests' own settings key.
void useTexts(bool product) {
  CreateDirectoryA(dataFolder().c_str(), nullptr);
  testenv::writeFile(dataFolder() + "Directory.dat", std::string("[NL]\nwin32reg = {") + TestKey + "}\n");
  for (const char* file : {textkeys::language::File, textkeys::screenlanguage::File}) {
    if (product) {
      CopyFileA((testenv::buildFolder() + "Reefglass\\" + file).c_str(), (dataFolder() + file).c_str(), FALSE);
    }
  }
  if (!product) {
    testenv::writeFile(dataFolder() + textkeys::language::File,
                       "; as every file was before the saver spoke other languages\n"
                       "[NL]\ncaption = {Reefglass instellingen}\ncancel = {Annuleren}\nscreensettings = {Scherm}\n"
                       "sound = {Geluid}\non_off = {aan/uit}\n");
    testenv::writeFile(dataFolder() + textkeys::screenlanguage::File,
                       "[NL]\ncaption = {Beeldscherminstellingen}\nresolution = {Resolutie:}\n");
  }
}

std::string productText(const char* file, const char* key) {
  TextTable texts;
  texts.setSection(textkeys::sectionName(expectedLanguage()));
  texts.openFile((testenv::buildFolder() + "Reefglass\\" + file).c_str());
  return texts.lookup(key);
}

// The texts a control shows, in UTF-8.
std::string wideText(HWND window) {
  wchar_t text[1024] = {};
  GetWindowTextW(window, text, 1024);
  char bytes[2048] = {};
  WideCharToMultiByte(CP_UTF8, 0, text, -1, bytes, sizeof(bytes), nullptr, nullptr);
  return bytes;
}

std::string wideComboItem(HWND dialog, int id, int item) {
  wchar_t text[256] = {};
  SendMessageW(control(dialog, id), CB_GETLBTEXT, item, reinterpret_cast<LPARAM>(text));
  char bytes[512] = {};
  WideCharToMultiByte(CP_UTF8, 0, text, -1, bytes, sizeof(bytes), nullptr, nullptr);
  return bytes;
}

// The product's texts as the ANSI calls show them (Windows-1252 on these systems), in UTF-8.
std::string asShown(const std::string& windows1252) {
  wchar_t wide[1024] = {};
  MultiByteToWideChar(1252, 0, windows1252.c_str(), -1, wide, 1024);
  char bytes[2048] = {};
  WideCharToMultiByte(CP_UTF8, 0, wide, -1, bytes, sizeof(bytes), nullptr, nullptr);
  return bytes;
}

class LanguageTest : public ::testing::Test {
 protected:
  void TearDown() override { RegDeleteTreeA(HKEY_CURRENT_USER, "Software\\ReefsaverTests"); }

  // The settings dialog as "reefsaver-basic /c" opens it, in the language Windows gives.
  void configure(const std::function<void(HWND)>& drive) {
    SeaSceneApp app(SaverBuild::Basic);
    EXPECT_EQ(app.language(), expectedLanguage());
    ASSERT_TRUE(app.init(GetModuleHandleA(nullptr), "reef.scr /c"));
    driveWhile(IDC_PAGELIST, drive, [&] { app.run(); });
  }

  // Opens the display-mode dialog from the last list entry, lets drive read it, then cancels both.
  static void inDisplayModeDialog(HWND dialog, const std::function<void(HWND)>& drive) {
    selectListItem(dialog, IDC_PAGELIST, 7);
    HWND modes = waitForDialog(GetWindowThreadProcessId(dialog, nullptr), IDC_MODE_LEAVERES);
    ASSERT_NE(modes, nullptr);
    drive(modes);
    press(modes, IDCANCEL);
    waitUntil([&] { return !IsWindow(modes); }, 5000);
    press(dialog, IDCANCEL);
  }
};

TEST_F(LanguageTest, WindowsGivesTheUiLanguageOfTheLocale) {
  EXPECT_EQ(userLanguage(), expectedLanguage())
      << "UI language " << std::hex << GetUserDefaultUILanguage() << " (is the locale built? see tools/wine-env.sh)";
}

TEST_F(LanguageTest, TheDialogsSpeakIt) {
  useTexts(true);
  configure([](HWND dialog) {
    EXPECT_EQ(wideText(dialog), asShown(productText(textkeys::language::File, textkeys::language::Caption)));
    for (const auto& [id, key] : {std::pair{IDCANCEL, textkeys::language::Cancel},
                                  {IDC_INTRO_TEXT, textkeys::language::InfoText},
                                  {IDC_HYPERLINK, textkeys::language::HyperlinkText},
                                  {IDC_CAMERA_SPEEDTEXT, textkeys::language::ScrollSpeed},
                                  {IDC_SKY_CLOUDY, textkeys::language::Cloudy},
                                  {IDC_SOUND_ON, textkeys::language::OnOff}}) {
      EXPECT_EQ(wideText(control(dialog, id)), asShown(productText(textkeys::language::File, key))) << key;
    }
    EXPECT_EQ(wideComboItem(dialog, IDC_CAMERA_POS, 0),
              asShown(productText(textkeys::language::File, textkeys::language::Automatic)));
    inDisplayModeDialog(dialog, [](HWND modes) {
      EXPECT_EQ(wideText(modes),
                asShown(productText(textkeys::screenlanguage::File, textkeys::screenlanguage::Caption)));
      EXPECT_EQ(wideText(control(modes, IDC_MODE_RESTEXT)),
                asShown(productText(textkeys::screenlanguage::File, textkeys::screenlanguage::Resolution)));
      EXPECT_EQ(wideText(control(modes, IDC_MODE_LEAVERES)),
                asShown(productText(textkeys::screenlanguage::File, textkeys::screenlanguage::LeaveResolution)));
      // The depths are the program's own texts.
      EXPECT_EQ(wideComboItem(modes, IDC_MODE_BPP, 0), programtexts::Depth16.in(expectedLanguage()));
      EXPECT_EQ(wideComboItem(modes, IDC_MODE_BPP, 1), programtexts::Depth32.in(expectedLanguage()));
    });
  });
}

// Text files from before the saver spoke other languages have "[NL]" only: every language reads
// them as Dutch, as they always were; the program's own texts still follow the user's language.
TEST_F(LanguageTest, AFileWithOnlyDutchStillWorks) {
  useTexts(false);
  configure([](HWND dialog) {
    EXPECT_EQ(wideText(dialog), "Reefglass instellingen");
    EXPECT_EQ(wideText(control(dialog, IDCANCEL)), "Annuleren");
    EXPECT_EQ(wideText(control(dialog, IDC_SOUND_ON)), "aan/uit");
    EXPECT_EQ(wideText(control(dialog, IDC_SKY_CLOUDY)), "") << "a key no section has stays empty";
    inDisplayModeDialog(dialog, [](HWND modes) {
      EXPECT_EQ(wideText(modes), "Beeldscherminstellingen");
      EXPECT_EQ(wideText(control(modes, IDC_MODE_RESTEXT)), "Resolutie:");
      EXPECT_EQ(wideComboItem(modes, IDC_MODE_BPP, 1), programtexts::Depth32.in(expectedLanguage()));
    });
  });
}

// The real program, alone in a folder without its data, says so in a box captioned in the user's
// language, with the folder's path as it is.
TEST_F(LanguageTest, TheMissingDataFolderIsSaidInIt) {
  const std::string folder = testenv::scratchFolder("language-no-data");
  ASSERT_TRUE(CopyFileA((testenv::buildFolder() + "reefsaver-basic.scr").c_str(),
                        (folder + "reefsaver-basic.scr").c_str(), FALSE));
  ChildProcess saver;
  ASSERT_TRUE(saver.start("\"" + folder + "reefsaver-basic.scr\" /c", folder));
  const auto boxes = saver.topWindows("#32770", savertest::StartTimeout);
  ASSERT_EQ(boxes.size(), 1u);
  std::string text;
  EXPECT_TRUE(waitUntil(
      [&] {
        text = wideText(GetDlgItem(boxes.front(), 0xFFFF));
        return !text.empty();
      },
      10000));
  EXPECT_EQ(wideText(boxes.front()), programtexts::ErrorCaption.in(expectedLanguage()));
  char expected[1024];
  std::snprintf(expected, sizeof(expected), programtexts::MissingDataFolder.in(expectedLanguage()),
                (folder + "Reefglass/").c_str());
  EXPECT_EQ(text, expected);
  PostMessageA(boxes.front(), WM_COMMAND, IDOK, 0);
  ASSERT_TRUE(waitUntil([&] { return !IsWindow(boxes.front()); }, 10000));
  // The settings dialog follows the box.
  const auto dialogs = saver.topWindows("#32770", savertest::StartTimeout);
  ASSERT_FALSE(dialogs.empty());
  PostMessageA(dialogs.front(), WM_COMMAND, IDCANCEL, 0);
  EXPECT_TRUE(saver.waitForExit(savertest::EndTimeout));
}

// A stored display mode the screen cannot take: the box that says so, captioned in the user's
// language, still closes by itself, so the unattended saver goes on. (Captioned "Error", it is
// the scene run tests' box.)
TEST_F(LanguageTest, TheBoxThatClosesByItselfDoesSoInIt) {
  if (std::string(programtexts::ErrorCaption.in(expectedLanguage())) == "Error") GTEST_SKIP();
  savertest::ScopedValue leave(savertest::SettingsKey, "LeaveRes"), width(savertest::SettingsKey, "Width"),
      height(savertest::SettingsKey, "Height");
  leave.setDword(0);
  width.setDword(12345);
  height.setDword(777);
  ChildProcess saver;
  const HWND window = savertest::startSaver(saver, savertest::basic("/s"));
  ASSERT_NE(window, nullptr);
  const auto boxes = saver.topWindows("#32770", savertest::StartTimeout);
  ASSERT_FALSE(boxes.empty());
  std::string caption;
  EXPECT_TRUE(waitUntil(
      [&] {
        caption = wideText(boxes.front());
        return !caption.empty();
      },
      10000));
  EXPECT_EQ(caption, programtexts::ErrorCaption.in(expectedLanguage()));
  EXPECT_EQ(wideText(GetDlgItem(boxes.front(), 0xFFFF)), programtexts::ModeChangeFailed.in(expectedLanguage()));
  EXPECT_TRUE(waitUntil([&] { return !IsWindow(boxes.front()); }, 30000)) << "the box closes by itself";
  PostMessageA(window, WM_KEYDOWN, VK_SPACE, 0);
  EXPECT_TRUE(savertest::endsWithCode(saver, 1));
}

// The CD's menu and setup program, as the CD gives them: the menu's own texts and its file's in the
// language, and the setup's question of language, asked in it with it chosen.
TEST_F(LanguageTest, TheCdMenuAndTheSetupSpeakIt) {
  const size_t column = static_cast<size_t>(expectedLanguage());
  const launcher::MenuTexts& texts = launcher::menuTexts(static_cast<launcher::MenuLanguage>(column));
  const char* const installHover[] = {"Reefsaver op deze computer installeren", "Install Reefsaver on this computer",
                                      "Reefsaver auf diesem Computer installieren",
                                      "Installer Reefsaver sur cet ordinateur"};
  const char* const setupTitle[] = {"Reefsaver-installatie", "Reefsaver Setup", "Installation von Reefsaver",
                                    "Installation de Reefsaver"};
  const char* const languageName[] = {"Nederlands", "English", "Deutsch", "Français"};

  const std::string cd = testenv::buildFolder() + "release\\cd\\";
  ChildProcess menu;
  ASSERT_TRUE(menu.start("\"" + cd + "KvSetupX.exe\"", cd));
  HWND window = nullptr;
  ASSERT_TRUE(waitUntil([&] { return (window = FindWindowA(nullptr, "Orvane Setup")) != nullptr; }, 30000));
  for (const auto& [id, caption] : {std::pair{IDC_INSTALL, texts.install},
                                    {IDC_SUPPORT, texts.support},
                                    {IDC_BROWSE, texts.browse},
                                    {IDC_EXIT, texts.exit}}) {
    char shown[64] = {};
    GetWindowTextA(GetDlgItem(window, id), shown, sizeof shown);
    EXPECT_STREQ(shown, caption) << id;
  }
  // The pointer parked outside the window, so that Wine's own reports of it cannot clear the text.
  SetCursorPos(0, 0);
  std::string hover;
  EXPECT_TRUE(waitUntil(
      [&] {
        SendMessageA(GetDlgItem(window, IDC_INSTALL), WM_MOUSEMOVE, 0, MAKELPARAM(5, 5));
        hover = wideText(GetDlgItem(window, IDC_STATUS));
        return hover == installHover[column];
      },
      10000))
      << hover;

  // Install: the setup program asks its language first; cancelled, it installs nothing.
  PostMessageA(window, WM_COMMAND, MAKEWPARAM(IDC_INSTALL, BN_CLICKED), 0);
  HWND question = nullptr;
  ASSERT_TRUE(waitUntil(
      [&] {
        question = FindWindowW(nullptr, fileopen::wide(setupTitle[column]).c_str());
        return question != nullptr && FindWindowExA(question, nullptr, "ComboBox", nullptr) != nullptr;
      },
      60000))
      << setupTitle[column];
  HWND languages = FindWindowExA(question, nullptr, "ComboBox", nullptr);
  EXPECT_EQ(SendMessageA(languages, CB_GETCOUNT, 0, 0), 4);
  wchar_t chosen[64] = {};
  SendMessageW(languages, CB_GETLBTEXT, SendMessageW(languages, CB_GETCURSEL, 0, 0), reinterpret_cast<LPARAM>(chosen));
  EXPECT_EQ(fileopen::wide(languageName[column]), chosen);
  PostMessageA(question, WM_COMMAND, IDCANCEL, 0);
  // The menu ends once the installation has wound up (until then it ignores the exit button).
  EXPECT_TRUE(waitUntil(
      [&] {
        PostMessageA(window, WM_COMMAND, MAKEWPARAM(IDC_EXIT, BN_CLICKED), 0);
        return menu.waitForExit(500);
      },
      60000));
}

}  // namespace
