// The settings and display-mode dialogs, opened for real and driven with window messages.
#include <windows.h>
#include <gtest/gtest.h>

#include <commctrl.h>

#include <algorithm>
#include <string>
#include <vector>

#include "config/DialogIds.h"
#include "config/TextTable.h"
#include "scene/SeaSceneApp.h"
#include "tests/support/ChildProcess.h"
#include "tests/support/DialogDriver.h"
#include "tests/support/ScreenCapture.h"
#include "tests/support/TestEnvironment.h"

using namespace dialogs;

namespace {

const char* const DialogKey = "Software\\ReefsaverTests\\Dialogs";
const int CameraMotion[] = {IDC_CAMERA_SPEED,     IDC_CAMERA_TOP,        IDC_CAMERA_BOTTOM,   IDC_CAMERA_SPEEDTEXT,
                            IDC_CAMERA_TOPTEXT,   IDC_CAMERA_BOTTOMTEXT, IDC_CAMERA_SPEEDLOW, IDC_CAMERA_TOPLOW,
                            IDC_CAMERA_BOTTOMLOW, IDC_CAMERA_SPEEDHIGH,  IDC_CAMERA_TOPHIGH,  IDC_CAMERA_BOTTOMHIGH};

std::string dataFolder() {
  char path[MAX_PATH] = {};
  GetModuleFileNameA(nullptr, path, MAX_PATH);
  std::string folder = path;
  return folder.substr(0, folder.rfind('\\') + 1) + "Reefglass\\";
}

void writeTexts(bool language, bool screenLanguage) {
  CreateDirectoryA(dataFolder().c_str(), nullptr);
  testenv::writeFile(dataFolder() + "Directory.dat", std::string("[NL]\nwin32reg = {") + DialogKey + "}\n");
  const std::string languagePath = dataFolder() + "Language.dat";
  const std::string screenPath = dataFolder() + "ScreenLanguage.dat";
  DeleteFileA(languagePath.c_str());
  DeleteFileA(screenPath.c_str());
  if (language) {
    testenv::writeFile(languagePath,
                       "[NL]\ncaption = {Instellingen}\ncancel = {Annuleren}\nscreensettings = {Beeldscherm}\n"
                       "intro = {Introductie}\nboid = {School}\nfish = {Vissen}\nbirds = {Vogels}\nsky = {Lucht}\n"
                       "camera = {Camera}\nsound = {Geluid}\nboidtype = {Soort}\nfishcount = {Aantal vissen}\n"
                       "automatic = {Automatisch}\ntop = {Boven}\nmiddle = {Midden}\nbottom = {Onder}\n"
                       "birdtype = {Meeuwen}\ncloudy = {Bewolkt}\non_off = {Aan/uit}\n");
  }
  if (screenLanguage) {
    testenv::writeFile(screenPath,
                       "[NL]\ncaption = {Beeldscherm}\nleaveresolution = {Instellingen behouden}\n"
                       "cancel = {Annuleren}\n");
  }
}

DWORD storedValueCount() {
  HKEY key = nullptr;
  if (RegOpenKeyExA(HKEY_CURRENT_USER, DialogKey, 0, KEY_READ, &key) != ERROR_SUCCESS) return 0;
  DWORD values = 0;
  RegQueryInfoKeyA(key, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, &values, nullptr, nullptr, nullptr,
                   nullptr);
  RegCloseKey(key);
  return values;
}

int storedValue(const char* name) {
  HKEY key = nullptr;
  if (RegOpenKeyExA(HKEY_CURRENT_USER, DialogKey, 0, KEY_READ, &key) != ERROR_SUCCESS) return -999;
  DWORD value = 0, size = sizeof(value);
  const LONG result = RegQueryValueExA(key, name, nullptr, nullptr, reinterpret_cast<BYTE*>(&value), &size);
  RegCloseKey(key);
  return result == ERROR_SUCCESS ? static_cast<int>(value) : -999;
}

void store(const char* name, DWORD value) {
  HKEY key = nullptr;
  RegCreateKeyExA(HKEY_CURRENT_USER, DialogKey, 0, nullptr, 0, KEY_WRITE, nullptr, &key, nullptr);
  RegSetValueExA(key, name, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value), sizeof(value));
  RegCloseKey(key);
}

HWND pageOf(HWND dialog, int id) { return GetParent(control(dialog, id)); }

std::wstring wideText(HWND dialog, int id) {
  wchar_t text[128] = {};
  GetWindowTextW(control(dialog, id), text, 128);
  return text;
}

// The control's text, 40 % longer (German and French run so much longer than Dutch), still fits
// beside the box a check box draws.
bool roomForLongerText(HWND dialog, int id, int besides) {
  HWND window = control(dialog, id);
  const std::wstring shown = wideText(dialog, id);
  HDC device = GetDC(window);
  HGDIOBJ old = SelectObject(device, reinterpret_cast<HGDIOBJ>(SendMessageW(window, WM_GETFONT, 0, 0)));
  SIZE extent = {};
  GetTextExtentPoint32W(device, shown.c_str(), static_cast<int>(shown.size()), &extent);
  SelectObject(device, old);
  ReleaseDC(window, device);
  RECT client;
  GetClientRect(window, &client);
  return extent.cx > 0 && extent.cx * 14 / 10 + besides <= client.right;
}

// The texts and the intro picture that ship with the product, under the tests' settings key.
void useProductTexts() {
  const std::string product = testenv::buildFolder() + "Reefglass\\";
  for (const char* file : {"Language.dat", "ScreenLanguage.dat", "intro.bmp"}) {
    CopyFileA((product + file).c_str(), (dataFolder() + file).c_str(), FALSE);
  }
  testenv::writeFile(dataFolder() + "Directory.dat",
                     std::string("[NL]\nwin32reg = {") + DialogKey + "}\nmainbitmap = {intro.bmp}\n");
}

std::string productText(const char* key) {
  TextTable texts;
  texts.setSection("NL");
  texts.openFile((dataFolder() + "Language.dat").c_str());
  return texts.lookup(key);
}

// Many colours: a picture, not an empty control.
bool showsAPicture(const Capture& shot) {
  std::vector<uint32_t> colours(shot.pixels);
  std::sort(colours.begin(), colours.end());
  return std::unique(colours.begin(), colours.end()) - colours.begin() > 100;
}

void screenshot(HWND window, const std::string& name) {
  settledCapture(window).saveBmp(testenv::artifactFolder("dialogs") + name + ".bmp");
}

class Dialogs : public ::testing::Test {
 protected:
  void SetUp() override {
    RegDeleteTreeA(HKEY_CURRENT_USER, "Software\\ReefsaverTests");
    writeTexts(true, true);
  }
  void TearDown() override { RegDeleteTreeA(HKEY_CURRENT_USER, "Software\\ReefsaverTests"); }

  // Opens the settings dialog as "reefsaver-basic /c" does and lets drive work on it.
  void configure(const std::function<void(HWND)>& drive) {
    SeaSceneApp app(SaverBuild::Basic);
    ASSERT_TRUE(app.init(GetModuleHandleA(nullptr), "reef.scr /c"));
    driveWhile(IDC_PAGELIST, drive, [&] { app.run(); });
    settings = app.settings();
    screen = app.screenSettings();
  }

  SaverSettings settings;
  ScreenSettings screen;
};

TEST_F(Dialogs, OpensWithDefaultsAndCancelStoresNothing) {
  configure([](HWND dialog) {
    EXPECT_EQ(text(dialog), "Instellingen");
    EXPECT_EQ(controlText(dialog, IDCANCEL), "Annuleren");
    EXPECT_FALSE(IsWindowVisible(GetDlgItem(dialog, IDC_SCREENSETTINGS)));
    HWND list = GetDlgItem(dialog, IDC_PAGELIST);
    EXPECT_EQ(SendMessageA(list, LVM_GETITEMCOUNT, 0, 0), 8);
    EXPECT_TRUE(IsWindowVisible(pageOf(dialog, IDC_INTRO_PICTURE)));
    EXPECT_FALSE(IsWindowVisible(pageOf(dialog, IDC_BOID_COUNT)));
    RECT page;
    GetWindowRect(pageOf(dialog, IDC_INTRO_TEXT), &page);
    POINT corner = {page.left, page.top};
    ScreenToClient(dialog, &corner);
    EXPECT_EQ(corner.x, 133);
    EXPECT_EQ(corner.y, 11);
    // The intro picture comes from the file named by "mainbitmap"; none is named here.
    EXPECT_EQ(SendMessageA(control(dialog, IDC_INTRO_PICTURE), STM_GETIMAGE, IMAGE_BITMAP, 0), 0);

    EXPECT_EQ(trackbarPosition(dialog, IDC_BOID_COUNT), 2);
    EXPECT_EQ(controlText(dialog, IDC_BOID_COUNTTEXT), "10");
    EXPECT_TRUE(isChecked(dialog, IDC_BOID_SILVER));
    EXPECT_FALSE(isChecked(dialog, IDC_BOID_ANGLE));
    for (int id : {IDC_FISH_RED, IDC_FISH_BLUE, IDC_FISH_STRIPE, IDC_FISH_DOT, IDC_FISH_YELLBLU, IDC_FISH_BIGGREY,
                   IDC_FISH_BIGRED, IDC_FISH_MANTA, IDC_BIRD_GULL}) {
      EXPECT_TRUE(isChecked(dialog, id)) << id;
    }
    EXPECT_EQ(trackbarPosition(dialog, IDC_FISH_COUNT), 10);
    EXPECT_EQ(controlText(dialog, IDC_FISH_COUNTTEXT), "10");
    EXPECT_EQ(comboSelection(dialog, IDC_CAMERA_POS), 0);
    EXPECT_EQ(comboItemText(dialog, IDC_CAMERA_POS, 3), "Onder");
    EXPECT_EQ(trackbarPosition(dialog, IDC_CAMERA_SPEED), 4);
    EXPECT_EQ(trackbarPosition(dialog, IDC_CAMERA_TOP), 30);
    EXPECT_EQ(trackbarPosition(dialog, IDC_CAMERA_BOTTOM), 30);
    EXPECT_TRUE(isChecked(dialog, IDC_SKY_CLOUDY));
    EXPECT_EQ(controlText(dialog, IDC_SKY_CLOUDY), "Bewolkt");
    EXPECT_EQ(controlText(dialog, IDC_SKY_CLEAR), "");  // no text for "cloudless" in this file
    EXPECT_TRUE(isChecked(dialog, IDC_SOUND_ON));
    EXPECT_EQ(controlText(dialog, IDC_SOUND_ON), "Aan/uit");
    EXPECT_EQ(trackbarPosition(dialog, IDC_SOUND_VOLUME), 100);
    EXPECT_FALSE(isChecked(dialog, IDC_SHOW_CLOCK));
    // This file is older than the volume and the clock: their controls keep the template's names.
    EXPECT_EQ(wideText(dialog, IDC_SOUND_VOLUMETEXT), L"Lautst\u00e4rke");
    EXPECT_EQ(wideText(dialog, IDC_SHOW_CLOCK), L"Uhrzeit anzeigen");
    press(dialog, IDCANCEL);
  });
  EXPECT_EQ(storedValueCount(), 0u);
}

TEST_F(Dialogs, SlidersShowTheirNumbersAndOkWritesAllTwenty) {
  store("BoidCount", 7);
  configure([](HWND dialog) {
    EXPECT_EQ(trackbarPosition(dialog, IDC_BOID_COUNT), 1);
    EXPECT_EQ(controlText(dialog, IDC_BOID_COUNTTEXT), "7");
    moveTrackbar(dialog, IDC_BOID_COUNT, 3);
    EXPECT_EQ(controlText(dialog, IDC_BOID_COUNTTEXT), "15");
    moveTrackbar(dialog, IDC_FISH_COUNT, 4);
    EXPECT_EQ(controlText(dialog, IDC_FISH_COUNTTEXT), "4");
    moveTrackbar(dialog, IDC_CAMERA_SPEED, 9);
    moveTrackbar(dialog, IDC_CAMERA_BOTTOM, 60);
    setCheck(dialog, IDC_FISH_MANTA, false);
    setCheck(dialog, IDC_BOID_ANGLE, true);
    setCheck(dialog, IDC_SKY_CLEAR, true);
    setCheck(dialog, IDC_SOUND_ON, false);
    moveTrackbar(dialog, IDC_SOUND_VOLUME, 55);
    setCheck(dialog, IDC_SHOW_CLOCK, true);
    press(dialog, IDOK);
  });
  EXPECT_EQ(storedValueCount(), 20u);
  EXPECT_EQ(storedValue("SoundVolume"), 55);
  EXPECT_EQ(storedValue("ShowClock"), 1);
  EXPECT_EQ(settings.SoundVolume, 55);
  EXPECT_TRUE(settings.ShowClock);
  EXPECT_EQ(storedValue("BoidCount"), 15);
  EXPECT_EQ(storedValue("FishCount"), 4);
  EXPECT_EQ(storedValue("CameraSpeed"), 9);
  EXPECT_EQ(storedValue("CameraFixBottom"), 60);
  EXPECT_EQ(storedValue("CameraFixTop"), 30);
  EXPECT_EQ(storedValue("FishManta"), 0);
  EXPECT_EQ(storedValue("FishRed"), 1);
  EXPECT_EQ(storedValue("BoidModel"), 1);
  EXPECT_EQ(storedValue("SkyType"), 1);
  EXPECT_EQ(storedValue("SoundOn"), 0);
  EXPECT_EQ(settings.BoidCount, 15);
}

TEST_F(Dialogs, CancelAfterChangesKeepsRecordAndRegistry) {
  store("FishCount", 25);
  configure([](HWND dialog) {
    EXPECT_EQ(trackbarPosition(dialog, IDC_FISH_COUNT), 10);  // the nearest end
    EXPECT_EQ(controlText(dialog, IDC_FISH_COUNTTEXT), "25");
    moveTrackbar(dialog, IDC_FISH_COUNT, 2);
    setCheck(dialog, IDC_FISH_RED, false);
    PostMessageA(dialog, WM_CLOSE, 0, 0);
  });
  EXPECT_EQ(settings.FishCount, 25);
  EXPECT_TRUE(settings.FishRed);
  EXPECT_EQ(storedValueCount(), 1u);
  EXPECT_EQ(storedValue("FishCount"), 25);
}

TEST_F(Dialogs, FixedCameraPositionsHideTheMotionControls) {
  configure([](HWND dialog) {
    // Set up as shown before the page is ever shown.
    for (int id : CameraMotion) EXPECT_TRUE(GetWindowLongA(control(dialog, id), GWL_STYLE) & WS_VISIBLE) << id;
    selectListItem(dialog, IDC_PAGELIST, 5);
    waitUntil([&] { return IsWindowVisible(pageOf(dialog, IDC_CAMERA_POS)) != FALSE; }, 5000);
    for (int id : CameraMotion) EXPECT_TRUE(isShown(dialog, id)) << id;
    screenshot(dialog, "page-camera");
    chooseComboItem(dialog, IDC_CAMERA_POS, 2);
    for (int id : CameraMotion) EXPECT_FALSE(isShown(dialog, id)) << id;
    EXPECT_TRUE(isShown(dialog, IDC_CAMERA_POS));
    chooseComboItem(dialog, IDC_CAMERA_POS, 0);
    for (int id : CameraMotion) EXPECT_TRUE(isShown(dialog, id)) << id;
    chooseComboItem(dialog, IDC_CAMERA_POS, 3);
    press(dialog, IDOK);
  });
  EXPECT_EQ(storedValue("CameraPos"), 3);

  configure([](HWND dialog) {
    EXPECT_EQ(comboSelection(dialog, IDC_CAMERA_POS), 3);
    for (int id : CameraMotion) EXPECT_FALSE(GetWindowLongA(control(dialog, id), GWL_STYLE) & WS_VISIBLE) << id;
    selectListItem(dialog, IDC_PAGELIST, 5);
    waitUntil([&] { return IsWindowVisible(pageOf(dialog, IDC_CAMERA_POS)) != FALSE; }, 5000);
    for (int id : CameraMotion) EXPECT_FALSE(isShown(dialog, id)) << id;
    press(dialog, IDCANCEL);
  });

  store("CameraPos", 9);
  configure([](HWND dialog) {
    selectListItem(dialog, IDC_PAGELIST, 5);
    waitUntil([&] { return IsWindowVisible(pageOf(dialog, IDC_CAMERA_POS)) != FALSE; }, 5000);
    EXPECT_EQ(comboSelection(dialog, IDC_CAMERA_POS), CB_ERR);
    for (int id : CameraMotion) EXPECT_FALSE(isShown(dialog, id)) << id;
    press(dialog, IDOK);
  });
  EXPECT_EQ(storedValue("CameraPos"), 9);
}

TEST_F(Dialogs, EveryPageCanBeShownAndPhotographed) {
  useProductTexts();
  configure([](HWND dialog) {
    const int firstControl[] = {IDC_INTRO_TEXT, IDC_BOID_COUNT, IDC_FISH_COUNT, IDC_BIRD_GULL,
                                IDC_SKY_CLOUDY, IDC_CAMERA_POS, IDC_SOUND_ON};
    const char* names[] = {"intro", "boid", "fish", "birds", "sky", "camera", "sound"};
    for (int page = 0; page < 7; ++page) {
      selectListItem(dialog, IDC_PAGELIST, page);
      HWND shown = pageOf(dialog, firstControl[page]);
      EXPECT_TRUE(waitUntil([&] { return IsWindowVisible(shown) != FALSE; }, 5000)) << names[page];
      for (int other = 0; other < 7; ++other) {
        if (other != page) {
          EXPECT_FALSE(IsWindowVisible(pageOf(dialog, firstControl[other]))) << names[other];
        }
      }
      screenshot(dialog, std::string("page-") + names[page]);
      // What a user sees on the intro page: the picture, the text and the web button.
      if (page == 0) {
        EXPECT_TRUE(showsAPicture(settledCapture(control(dialog, IDC_INTRO_PICTURE))));
      }
    }
    EXPECT_EQ(controlText(dialog, IDC_INTRO_TEXT), productText("infotxt"));
    EXPECT_EQ(controlText(dialog, IDC_HYPERLINK), productText("hyperlink_txt"));
    EXPECT_FALSE(productText("infotxt").empty());
    // The birds page's unnumbered group box gets its text too.
    const std::string birds = productText("birdtype");
    ASSERT_FALSE(birds.empty());
    EXPECT_NE(FindWindowExA(pageOf(dialog, IDC_BIRD_GULL), nullptr, "Button", birds.c_str()), nullptr);
    // The sound page's later controls, named by the product's texts, with room for longer ones.
    EXPECT_EQ(controlText(dialog, IDC_SOUND_VOLUMETEXT), "Volume");
    EXPECT_EQ(controlText(dialog, IDC_SHOW_CLOCK), "Klok tonen");
    EXPECT_TRUE(roomForLongerText(dialog, IDC_SOUND_VOLUMETEXT, 0));
    EXPECT_TRUE(roomForLongerText(dialog, IDC_SHOW_CLOCK, GetSystemMetrics(SM_CXMENUCHECK) + 6));
    press(dialog, IDCANCEL);
  });
}

TEST_F(Dialogs, MissingTextFilesGiveEmptyLabels) {
  writeTexts(false, false);
  configure([](HWND dialog) {
    EXPECT_EQ(text(dialog), "");
    EXPECT_EQ(controlText(dialog, IDCANCEL), "");
    EXPECT_EQ(controlText(dialog, IDC_SOUND_ON), "");
    EXPECT_EQ(comboCount(dialog, IDC_CAMERA_POS), 4);
    moveTrackbar(dialog, IDC_BOID_COUNT, 4);
    selectListItem(dialog, IDC_PAGELIST, 7);
    HWND modes = waitForDialog(GetWindowThreadProcessId(dialog, nullptr), IDC_MODE_LEAVERES);
    ASSERT_NE(modes, nullptr);
    EXPECT_EQ(text(modes), "");
    EXPECT_EQ(controlText(modes, IDC_MODE_LEAVERES), "");
    EXPECT_EQ(comboItemText(modes, IDC_MODE_BPP, 1), "32 bit");
    press(modes, IDOK);
    waitUntil([&] { return !IsWindow(modes); }, 5000);
    press(dialog, IDOK);
  });
  EXPECT_EQ(storedValue("BoidCount"), 20);
  EXPECT_EQ(storedValue("LeaveRes"), 1);
}

TEST_F(Dialogs, DisplayModeDialogFirstOpeningAndCancel) {
  configure([](HWND dialog) {
    selectListItem(dialog, IDC_PAGELIST, 7);
    HWND modes = waitForDialog(GetWindowThreadProcessId(dialog, nullptr), IDC_MODE_LEAVERES);
    ASSERT_NE(modes, nullptr);
    EXPECT_EQ(text(modes), "Beeldscherm");
    EXPECT_EQ(controlText(modes, IDC_MODE_LEAVERES), "Instellingen behouden");
    EXPECT_EQ(controlText(modes, IDC_MODE_SHADE), "");
    EXPECT_TRUE(isChecked(modes, IDC_MODE_LEAVERES));
    EXPECT_FALSE(IsWindowEnabled(control(modes, IDC_MODE_RES)));
    EXPECT_FALSE(IsWindowEnabled(control(modes, IDC_MODE_BPP)));
    EXPECT_EQ(comboSelection(modes, IDC_MODE_BPP), 0);
    EXPECT_EQ(comboItemText(modes, IDC_MODE_BPP, 0), "16 bit");
    EXPECT_EQ(comboSelection(modes, IDC_MODE_RES), comboCount(modes, IDC_MODE_RES) > 0 ? 0 : CB_ERR);
    // One monitor: the darkening box is disabled but shows the stored state.
    EXPECT_FALSE(IsWindowEnabled(control(modes, IDC_MODE_SHADE)));
    EXPECT_TRUE(isChecked(modes, IDC_MODE_SHADE));
    screenshot(modes, "display-mode");
    setCheck(modes, IDC_MODE_LEAVERES, false);
    press(modes, IDCANCEL);
    waitUntil([&] { return !IsWindow(modes); }, 5000);
    // The same entry again does nothing until another page was chosen. The selections are handled
    // in order: once the later one shows its page, the earlier one has opened what it opens.
    selectListItem(dialog, IDC_PAGELIST, 7);
    selectListItem(dialog, IDC_PAGELIST, 2);
    EXPECT_TRUE(waitUntil([&] { return IsWindowVisible(pageOf(dialog, IDC_FISH_COUNT)) != FALSE; }, 5000));
    EXPECT_EQ(waitForDialog(GetWindowThreadProcessId(dialog, nullptr), IDC_MODE_LEAVERES, 0), nullptr);
    selectListItem(dialog, IDC_PAGELIST, 7);
    modes = waitForDialog(GetWindowThreadProcessId(dialog, nullptr), IDC_MODE_LEAVERES);
    ASSERT_NE(modes, nullptr);
    EXPECT_TRUE(isChecked(modes, IDC_MODE_LEAVERES));
    press(modes, IDOK);
    waitUntil([&] { return !IsWindow(modes); }, 5000);
    EXPECT_TRUE(IsWindowVisible(pageOf(dialog, IDC_FISH_COUNT)));
    press(dialog, IDCANCEL);
  });
  // Cancel of the settings dialog keeps what the display-mode dialog stored on OK.
  EXPECT_EQ(storedValueCount(), 6u);
  EXPECT_EQ(storedValue("LeaveRes"), 1);
  EXPECT_EQ(storedValue("Width"), -1);
  EXPECT_EQ(storedValue("Height"), -1);
  EXPECT_EQ(storedValue("Bpp"), 16);
  EXPECT_EQ(storedValue("ShadeScecondary"), 1);
  EXPECT_EQ(storedValue("MonitorMode"), 0);
}

// The three ways to use several monitors, in the order of their values; a stored value the list
// does not offer shows as the first and is kept until another is chosen.
TEST_F(Dialogs, DisplayModeDialogOffersTheMonitorChoice) {
  useProductTexts();
  store("MonitorMode", 7);
  configure([](HWND dialog) {
    selectListItem(dialog, IDC_PAGELIST, 7);
    HWND modes = waitForDialog(GetWindowThreadProcessId(dialog, nullptr), IDC_MODE_LEAVERES);
    ASSERT_NE(modes, nullptr);
    ASSERT_EQ(comboCount(modes, IDC_MODE_MONITORS), 3);
    EXPECT_EQ(comboItemText(modes, IDC_MODE_MONITORS, 0), "Alleen het hoofdscherm");
    EXPECT_EQ(comboItemText(modes, IDC_MODE_MONITORS, 2), "Panorama over alle schermen");
    EXPECT_EQ(comboSelection(modes, IDC_MODE_MONITORS), 0);
    char label[64] = {};
    GetDlgItemTextA(modes, IDC_MODE_MONITORTEXT, label, sizeof label);
    EXPECT_STREQ(label, "Beeldschermen:");
    press(modes, IDOK);
    waitUntil([&] { return !IsWindow(modes); }, 5000);
    press(dialog, IDCANCEL);
  });
  EXPECT_EQ(storedValue("MonitorMode"), 7);
  configure([](HWND dialog) {
    selectListItem(dialog, IDC_PAGELIST, 7);
    HWND modes = waitForDialog(GetWindowThreadProcessId(dialog, nullptr), IDC_MODE_LEAVERES);
    ASSERT_NE(modes, nullptr);
    chooseComboItem(modes, IDC_MODE_MONITORS, 2);
    press(modes, IDOK);
    waitUntil([&] { return !IsWindow(modes); }, 5000);
    press(dialog, IDCANCEL);
  });
  EXPECT_EQ(storedValue("MonitorMode"), 2);
}

TEST_F(Dialogs, DisplayModeDialogPicksAStoredModeAndRefillsByDepth) {
  configure([](HWND dialog) {
    selectListItem(dialog, IDC_PAGELIST, 7);
    HWND modes = waitForDialog(GetWindowThreadProcessId(dialog, nullptr), IDC_MODE_LEAVERES);
    ASSERT_NE(modes, nullptr);
    const int count16 = comboCount(modes, IDC_MODE_RES);
    ASSERT_GT(count16, 0) << "the video layer offers no full-screen mode";
    setCheck(modes, IDC_MODE_LEAVERES, false);
    EXPECT_TRUE(IsWindowEnabled(control(modes, IDC_MODE_RES)));
    EXPECT_EQ(comboCount(modes, IDC_MODE_RES), count16);  // enabled, not refilled
    chooseComboItem(modes, IDC_MODE_BPP, 1);
    EXPECT_GT(comboCount(modes, IDC_MODE_RES), 0);
    const std::string chosen = comboItemText(modes, IDC_MODE_RES, comboCount(modes, IDC_MODE_RES) - 1);
    chooseComboItem(modes, IDC_MODE_RES, comboCount(modes, IDC_MODE_RES) - 1);
    press(modes, IDOK);
    waitUntil([&] { return !IsWindow(modes); }, 5000);
    testenv::writeFile(testenv::scratchFolder("dialogs") + "chosen.txt", chosen);
    press(dialog, IDOK);
  });
  EXPECT_EQ(storedValue("LeaveRes"), 0);
  EXPECT_EQ(storedValue("Bpp"), 32);
  const std::string chosen = testenv::readFile(testenv::buildFolder() + "scratch\\dialogs\\chosen.txt");
  const int width = storedValue("Width"), height = storedValue("Height");
  EXPECT_EQ(chosen, std::to_string(width) + " x " + std::to_string(height));

  // Opening again with that mode stored selects it at 32 bits.
  configure([&](HWND dialog) {
    selectListItem(dialog, IDC_PAGELIST, 7);
    HWND modes = waitForDialog(GetWindowThreadProcessId(dialog, nullptr), IDC_MODE_LEAVERES);
    ASSERT_NE(modes, nullptr);
    EXPECT_FALSE(isChecked(modes, IDC_MODE_LEAVERES));
    EXPECT_EQ(comboSelection(modes, IDC_MODE_BPP), 1);
    EXPECT_EQ(comboItemText(modes, IDC_MODE_RES, comboSelection(modes, IDC_MODE_RES)), chosen);
    press(modes, IDCANCEL);
    waitUntil([&] { return !IsWindow(modes); }, 5000);
    press(dialog, IDCANCEL);
  });
}

TEST_F(Dialogs, DisplayModeDialogShowsAStoredDepthItDoesNotOfferAs32Bits) {
  for (const DWORD bpp : {0xFFFFFFFFu, 0u, 40u, 0x80000000u}) {
    store("Bpp", bpp);
    store("LeaveRes", 0);
    configure([&](HWND dialog) {
      selectListItem(dialog, IDC_PAGELIST, 7);
      HWND modes = waitForDialog(GetWindowThreadProcessId(dialog, nullptr), IDC_MODE_LEAVERES);
      ASSERT_NE(modes, nullptr);
      EXPECT_EQ(comboSelection(modes, IDC_MODE_BPP), 1) << bpp;
      const int listed = comboCount(modes, IDC_MODE_RES);
      EXPECT_GT(listed, 0) << bpp;
      chooseComboItem(modes, IDC_MODE_BPP, 1);  // the 32-bit list, filled anew
      EXPECT_EQ(comboCount(modes, IDC_MODE_RES), listed) << bpp;
      press(modes, IDOK);
      waitUntil([&] { return !IsWindow(modes); }, 5000);
      press(dialog, IDCANCEL);
    });
    EXPECT_EQ(storedValue("Bpp"), 32) << bpp;
  }
}

}  // namespace
