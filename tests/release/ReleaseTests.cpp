// The released CD under Wine, end to end: the intro video plays through DirectShow, the menu shows
// our background, install runs the real setup program (driven through its own windows), the saver
// then runs from where it was installed, and the uninstaller takes everything away again. The
// manual and support buttons start stand-ins for the PDF reader and the browser.
#include <windows.h>
#include <gtest/gtest.h>

#include <commctrl.h>
#include <objbase.h>
#include <shlobj.h>

#include <cstdio>
#include <fstream>
#include <iterator>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include "launcher/IntroVideo.h"
#include "launcher/LauncherRules.h"
#include "launcher/resource.h"
#include "tests/support/ChildProcess.h"
#include "tests/support/ScreenCapture.h"

namespace {

const char kLauncherTitle[] = "Orvane Setup";
const char kSetupTitle[] = "Reefsaver-installatie";
const char kDesktopKey[] = "Control Panel\\Desktop";
const char kUninstallKey[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Reefsaver";
const char kRunKey[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";
const char kReaderKey[] = "Software\\Adobe\\Acrobat Reader\\9.0\\InstallPath";
const char kHttpsKey[] = "Software\\Classes\\https\\shell\\open\\command";
const DWORD kLongWait = 120000;

std::string hostPath(const std::string& unixPath) {
  std::string path = "Z:" + unixPath;
  for (char& c : path) {
    if (c == '/') c = '\\';
  }
  return path;
}

const std::string& cdFolder() {
  static const std::string folder = hostPath(REEF_CD_DIR) + "\\";
  return folder;
}

std::string artifact(const std::string& name) {
  const std::string folder = hostPath(REEF_ARTIFACT_DIR);
  CreateDirectoryA(hostPath(REEF_ARTIFACT_DIR "/..").c_str(), nullptr);
  CreateDirectoryA(folder.c_str(), nullptr);
  return folder + "\\" + name;
}

std::string shellFolder(int id) {
  char path[MAX_PATH] = {};
  SHGetFolderPathA(nullptr, id, nullptr, SHGFP_TYPE_CURRENT, path);
  return path;
}

std::string systemFolder() {
  char path[MAX_PATH] = {};
  GetSystemDirectoryA(path, sizeof path);
  return path;
}

bool exists(const std::string& path) { return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

std::string readFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

std::optional<std::string> registryString(HKEY root, const char* key, const char* value) {
  HKEY handle;
  if (RegOpenKeyExA(root, key, 0, KEY_READ, &handle) != ERROR_SUCCESS) return std::nullopt;
  char data[1024];
  DWORD size = sizeof data - 1;
  DWORD type = 0;
  std::optional<std::string> text;
  if (RegQueryValueExA(handle, value, nullptr, &type, reinterpret_cast<BYTE*>(data), &size) == ERROR_SUCCESS &&
      type == REG_SZ) {
    data[size] = '\0';
    text = data;
  }
  RegCloseKey(handle);
  return text;
}

bool keyExists(HKEY root, const char* key) {
  HKEY handle;
  if (RegOpenKeyExA(root, key, 0, KEY_READ, &handle) != ERROR_SUCCESS) return false;
  RegCloseKey(handle);
  return true;
}

void setRegistryString(HKEY root, const char* key, const char* value, const std::string& data) {
  HKEY handle;
  ASSERT_EQ(RegCreateKeyExA(root, key, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &handle, nullptr), ERROR_SUCCESS);
  RegSetValueExA(handle, value, 0, REG_SZ, reinterpret_cast<const BYTE*>(data.c_str()),
                 static_cast<DWORD>(data.size() + 1));
  RegCloseKey(handle);
}

// The visible top-level window whose title starts with `title` and that has (or lacks) a control
// with the id. The setup program puts the page's name after its title.
HWND dialogWith(const char* title, int controlId, bool withControl = true) {
  struct Search {
    const char* title;
    int id;
    bool with;
    HWND found;
  } search{title, controlId, withControl, nullptr};
  EnumWindows(
      [](HWND window, LPARAM data) -> BOOL {
        Search* s = reinterpret_cast<Search*>(data);
        char text[128] = {};
        GetWindowTextA(window, text, sizeof text);
        if (IsWindowVisible(window) && std::string(text).rfind(s->title, 0) == 0 &&
            (GetDlgItem(window, s->id) != nullptr) == s->with) {
          s->found = window;
          return FALSE;
        }
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&search));
  return search.found;
}

std::string controlText(HWND control) {
  char text[256] = {};
  GetWindowTextA(control, text, sizeof text);
  return text;
}

void clickButton(HWND dialog, int id) {
  PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(dialog, id)));
}

int progressPosition(HWND launcher) {
  return static_cast<int>(SendMessageA(GetDlgItem(launcher, IDC_PROGRESS), PBM_GETPOS, 0, 0));
}

// The launcher started from the CD the way autorun starts it: from the CD's root, no arguments.
class CdLauncher {
 public:
  CdLauncher() { started_ = process_.start("\"" + cdFolder() + "KvSetupX.exe\"", cdFolder()); }
  ~CdLauncher() {
    if (window_ != nullptr) clickButton(window_, IDC_EXIT);
    if (!process_.waitForExit(20000)) process_.kill();
  }
  // Waits for the menu window; null when it did not come.
  HWND window() {
    waitUntil(
        [this] {
          window_ = FindWindowA(nullptr, kLauncherTitle);
          return window_ != nullptr;
        },
        30000);
    return window_;
  }
  bool started() const { return started_; }

 private:
  ChildProcess process_;
  HWND window_ = nullptr;
  bool started_ = false;
};

// Lines the stand-in programs wrote: program, command line, folder, resume value, overlap.
std::vector<std::vector<std::string>> standInRuns(const std::string& log) {
  std::vector<std::vector<std::string>> runs;
  std::istringstream in(readFile(log));
  std::string line;
  while (std::getline(in, line)) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    std::vector<std::string> fields;
    std::istringstream columns(line);
    std::string field;
    while (std::getline(columns, field, '\t')) fields.push_back(field);
    if (fields.size() == 5) runs.push_back(fields);
  }
  return runs;
}

// Runs the installed uninstaller silently and waits until its work is done: it runs from a copy of
// itself, so the first process ends before the files are gone.
bool uninstallSilently(const std::string& installed) {
  ChildProcess uninstall;
  if (!uninstall.start("\"" + installed + "\\uninstall.exe\" /S", installed)) return false;
  uninstall.waitForExit(kLongWait);
  return waitUntil([&] { return !exists(installed) && !keyExists(HKEY_LOCAL_MACHINE, kUninstallKey); }, kLongWait);
}

class ReleaseTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(exists(cdFolder() + "KvSetupX.exe")) << cdFolder();
    char temp[MAX_PATH];
    GetTempPathA(sizeof temp, temp);
    log_ = std::string(temp) + "release-standin.log";
    DeleteFileA(log_.c_str());
    SetEnvironmentVariableA("KVSETUPX_STANDIN_LOG", log_.c_str());
    standIns_ = shellFolder(CSIDL_PROGRAM_FILES) + "\\ReefTest StandIns";
    CreateDirectoryA(standIns_.c_str(), nullptr);
    CopyFileA(hostPath(KV_STANDIN_EXE).c_str(), (standIns_ + "\\AcroRd32.exe").c_str(), FALSE);
    CopyFileA(hostPath(KV_STANDIN_EXE).c_str(), (standIns_ + "\\browser.exe").c_str(), FALSE);
    setRegistryString(HKEY_LOCAL_MACHINE, kReaderKey, nullptr, standIns_);
    // The user's browser, as Windows knows it for web addresses.
    setRegistryString(HKEY_LOCAL_MACHINE, kHttpsKey, nullptr, "\"" + standIns_ + "\\browser.exe\" \"%1\"");
  }
  void TearDown() override { SetEnvironmentVariableA("KVSETUPX_STANDIN_LOG", nullptr); }

  std::string log_;
  std::string standIns_;
};

TEST(ReleaseCd, IntroVideoPlaysThroughDirectShow) {
  // Wine's Direct3D cannot make its GL context current on the renderer's child window on Xvfb, so
  // the video window would stay blank; its GDI renderer draws the same frames.
  setRegistryString(HKEY_CURRENT_USER, "Software\\Wine\\Direct3D", "renderer", "no3d");
  CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
  HWND window = CreateWindowExA(0, "STATIC", "", WS_POPUP | WS_VISIBLE | SS_BLACKRECT, 0, 0, 640, 480, nullptr, nullptr,
                                GetModuleHandleA(nullptr), nullptr);
  ASSERT_NE(window, nullptr);
  {
    launcher::IntroVideo video;
    ASSERT_TRUE(video.play(window, cdFolder() + "setup\\intro.avi"));
    // The sunlit water of the frames is bright where the black window was.
    EXPECT_TRUE(waitUntil(
        [&] {
          pumpMessagesFor(100);
          return captureScreen(RECT{0, 0, 640, 200}).brightFraction(RECT{0, 0, 640, 200}, 150) > 0.3;
        },
        20000));
    captureScreen(RECT{0, 0, 640, 480}).saveBmp(artifact("intro-video.bmp"));
    video.stop();
  }
  DestroyWindow(window);
  CoUninitialize();
}

TEST_F(ReleaseTest, MenuShowsOurBackgroundAndOpensTheManualAndSupportPage) {
  CdLauncher launcher;
  ASSERT_TRUE(launcher.started());
  HWND window = launcher.window();
  ASSERT_NE(window, nullptr);
  // A click ends the intro video, if it still plays, and shows the menu.
  PostMessageA(window, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(300, 100));
  EXPECT_TRUE(IsWindowVisible(GetDlgItem(window, IDC_MANUAL)));

  // The picture as written on the CD: 24-bit rows, bottom-up.
  const std::string bmp = readFile(cdFolder() + "setup\\bg.bmp");
  ASSERT_EQ(bmp.size(), 54u + 640u * 480u * 3u);
  auto expected = [&](int x, int y) {
    const size_t at = 54 + (static_cast<size_t>(479 - y) * 640 + x) * 3;
    return static_cast<uint32_t>(static_cast<unsigned char>(bmp[at + 2]) << 16 |
                                 static_cast<unsigned char>(bmp[at + 1]) << 8 | static_cast<unsigned char>(bmp[at]));
  };
  POINT origin{0, 0};
  ClientToScreen(window, &origin);
  const int points[][2] = {{600, 100}, {530, 440}, {560, 449}, {300, 30}, {25, 45}, {450, 150}};
  auto matches = [&] {
    const Capture shot = captureScreen(RECT{origin.x, origin.y, origin.x + 640, origin.y + 480});
    for (const auto& p : points) {
      const uint32_t seen = shot.at(p[0], p[1]);
      const uint32_t want = expected(p[0], p[1]);
      if (std::abs(red(seen) - red(want)) > 8 || std::abs(green(seen) - green(want)) > 8 ||
          std::abs(blue(seen) - blue(want)) > 8) {
        return false;
      }
    }
    return true;
  };
  EXPECT_TRUE(waitUntil(matches, 20000));
  captureScreen(RECT{origin.x, origin.y, origin.x + 640, origin.y + 480}).saveBmp(artifact("cd-menu.bmp"));

  clickButton(window, IDC_MANUAL);
  ASSERT_TRUE(waitUntil([&] { return standInRuns(log_).size() == 1; }, 30000));
  // The menu waits for the reader and takes clicks again once it has ended.
  ASSERT_TRUE(waitUntil([&] { return IsWindowEnabled(GetDlgItem(window, IDC_SUPPORT)) != FALSE; }, 30000));
  clickButton(window, IDC_SUPPORT);
  ASSERT_TRUE(waitUntil([&] { return standInRuns(log_).size() == 2; }, 30000));
  const auto runs = standInRuns(log_);
  EXPECT_EQ(runs[0][0], standIns_ + "\\AcroRd32.exe");
  EXPECT_EQ(runs[0][1], "\"" + standIns_ + "\\AcroRd32.exe\" \"" + cdFolder() + "docs\\Reefsaver.pdf\"");
  EXPECT_EQ(runs[1][0], standIns_ + "\\browser.exe");
  EXPECT_EQ(runs[1][1],
            "\"" + standIns_ + "\\browser.exe\" \"https://www.reefsaver.example/support/?ref=REEFSAVER-1\"");
}

TEST_F(ReleaseTest, InstallFromTheMenuRunTheSaverAndUninstall) {
  const std::string system = systemFolder();
  const std::string saver = system + "\\reefsaver-basic.scr";
  const std::string installed = shellFolder(CSIDL_PROGRAM_FILES) + "\\Reefsaver";
  const std::string menuFolder = shellFolder(CSIDL_COMMON_PROGRAMS) + "\\Reefsaver";
  HKEY desktop;
  ASSERT_EQ(RegOpenKeyExA(HKEY_CURRENT_USER, kDesktopKey, 0, KEY_ALL_ACCESS, &desktop), ERROR_SUCCESS);
  RegDeleteValueA(desktop, "SCRNSAVE.EXE");
  RegCloseKey(desktop);
  // An earlier run that stopped half-way left an installation behind.
  if (exists(installed + "\\uninstall.exe")) uninstallSilently(installed);
  ASSERT_FALSE(exists(saver));

  {
    CdLauncher launcher;
    ASSERT_TRUE(launcher.started());
    HWND window = launcher.window();
    ASSERT_NE(window, nullptr);
    HWND install = GetDlgItem(window, IDC_INSTALL);
    SendMessageA(window, WM_COMMAND, MAKEWPARAM(IDC_INSTALL, BN_CLICKED), reinterpret_cast<LPARAM>(install));

    // The setup program asks its language first, with Dutch, Windows' language here, chosen.
    HWND question = nullptr;
    ASSERT_TRUE(waitUntil(
        [&] {
          question = FindWindowA(nullptr, kSetupTitle);
          return question != nullptr && FindWindowExA(question, nullptr, "ComboBox", nullptr) != nullptr;
        },
        kLongWait));
    HWND languages = FindWindowExA(question, nullptr, "ComboBox", nullptr);
    EXPECT_EQ(SendMessageA(languages, CB_GETCOUNT, 0, 0), 4);
    // A Unicode list, read as one: Wine hands an ANSI reader of another process its first letter only.
    wchar_t chosen[64] = {};
    SendMessageW(languages, CB_GETLBTEXT, SendMessageW(languages, CB_GETCURSEL, 0, 0),
                 reinterpret_cast<LPARAM>(chosen));
    EXPECT_STREQ(chosen, L"Nederlands");
    clickButton(question, IDOK);

    // The setup program's directory page, in Dutch like the menu: Installeren.
    HWND setup = nullptr;
    ASSERT_TRUE(waitUntil(
        [&] {
          setup = dialogWith(kSetupTitle, IDOK);
          return setup != nullptr && IsWindowEnabled(GetDlgItem(setup, IDOK)) &&
                 controlText(GetDlgItem(setup, IDOK)) == "&Installeren";
        },
        kLongWait));
    // The launcher waits for it at stage 3 with the bar full.
    EXPECT_EQ(registryString(HKEY_CURRENT_USER, kRunKey, "KvSetupX.exe"), launcher::resumeCommand(cdFolder(), "3"));
    EXPECT_EQ(progressPosition(window), 1000);
    clickButton(setup, IDOK);

    // The offer to make Reefsaver the screensaver, asked in Dutch: yes.
    ASSERT_TRUE(waitUntil([&] { return (question = dialogWith(kSetupTitle, IDYES)) != nullptr; }, kLongWait));
    EXPECT_EQ(controlText(GetDlgItem(question, 0xFFFF)), "Wilt u Reefsaver nu als schermbeveiliging gebruiken?");
    clickButton(question, IDYES);
    ASSERT_TRUE(waitUntil(
        [&] {
          HWND button = GetDlgItem(setup, IDOK);
          return IsWindowEnabled(button) && controlText(button) == "&Afsluiten";
        },
        kLongWait));
    clickButton(setup, IDOK);

    // The flow ends: marker cleared, buttons back.
    EXPECT_TRUE(waitUntil(
        [&] { return !registryString(HKEY_CURRENT_USER, kRunKey, "KvSetupX.exe") && IsWindowEnabled(install); },
        kLongWait));
    EXPECT_EQ(progressPosition(window), 1000);
  }

  // What the setup installed.
  EXPECT_TRUE(exists(saver));
  EXPECT_TRUE(exists(system + "\\Reefglass\\Directory.dat"));
  EXPECT_TRUE(exists(system + "\\Reefglass\\font.nlf"));
  EXPECT_TRUE(exists(installed + "\\reefsaver.exe"));
  EXPECT_TRUE(exists(installed + "\\Reefglass\\Language.dat"));
  EXPECT_TRUE(exists(installed + "\\uninstall.exe"));
  EXPECT_TRUE(exists(menuFolder + "\\Reefsaver.lnk"));
  EXPECT_EQ(registryString(HKEY_CURRENT_USER, kDesktopKey, "SCRNSAVE.EXE"), saver);
  EXPECT_EQ(registryString(HKEY_LOCAL_MACHINE, kUninstallKey, "DisplayName"), std::string("Reefsaver"));
  EXPECT_EQ(registryString(HKEY_LOCAL_MACHINE, kUninstallKey, "UninstallString"),
            "\"" + installed + "\\uninstall.exe\"");

  // The saver file as the Display control panel sees it: name, icon and version.
  HMODULE module = LoadLibraryExA(saver.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
  ASSERT_NE(module, nullptr);
  char name[64] = {};
  EXPECT_GT(LoadStringA(module, 1, name, sizeof name), 0);
  EXPECT_STREQ(name, "Reefsaver");
  EXPECT_NE(FindResourceA(module, MAKEINTRESOURCEA(100), RT_GROUP_ICON), nullptr);
  FreeLibrary(module);
  DWORD ignored = 0;
  std::vector<char> info(GetFileVersionInfoSizeA(saver.c_str(), &ignored));
  ASSERT_FALSE(info.empty());
  ASSERT_TRUE(GetFileVersionInfoA(saver.c_str(), 0, static_cast<DWORD>(info.size()), info.data()));
  VS_FIXEDFILEINFO* fixed = nullptr;
  UINT fixedSize = 0;
  ASSERT_TRUE(VerQueryValueA(info.data(), "\\", reinterpret_cast<void**>(&fixed), &fixedSize));
  EXPECT_EQ(fixed->dwFileVersionMS, 0x00010000u);

  // The installed saver shows the sea full screen.
  {
    ChildProcess run;
    ASSERT_TRUE(run.start("\"" + saver + "\" /s", system));
    const auto windows = run.topWindows(SaverWindowClass, 30000);
    ASSERT_FALSE(windows.empty());
    const RECT screen{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    // Water, sand and sky: a lit picture, not a black or a single-coloured screen.
    EXPECT_TRUE(waitUntil(
        [&] {
          const Capture shot = captureScreen(screen);
          return shot.brightFraction(screen, 40) > 0.5 && shot.brightFraction(screen, 250) < 0.5;
        },
        60000));
    captureScreen(screen).saveBmp(artifact("installed-saver.bmp"));
    PostMessageA(windows.front(), WM_KEYDOWN, VK_SPACE, 0);
    EXPECT_TRUE(run.waitForExit(20000));
  }

  // The silent uninstall removes every file and value the setup added.
  EXPECT_TRUE(uninstallSilently(installed));
  EXPECT_FALSE(exists(saver));
  EXPECT_FALSE(exists(system + "\\Reefglass"));
  EXPECT_FALSE(exists(installed));
  EXPECT_FALSE(exists(menuFolder));
  EXPECT_FALSE(registryString(HKEY_CURRENT_USER, kDesktopKey, "SCRNSAVE.EXE"));
}

}  // namespace

namespace {

TEST_F(ReleaseTest, SilentSetupWithoutTheMenuGivesTheEarlierSaverBackOnRemoval) {
  const std::string saver = systemFolder() + "\\reefsaver-basic.scr";
  const std::string installed = shellFolder(CSIDL_PROGRAM_FILES) + "\\Reefsaver";
  const std::string earlier = systemFolder() + "\\earlier.scr";
  if (exists(installed + "\\uninstall.exe")) uninstallSilently(installed);
  setRegistryString(HKEY_CURRENT_USER, kDesktopKey, "SCRNSAVE.EXE", earlier);
  // Left by a menu whose CD image is gone: the setup program removes it; a live one it keeps.
  setRegistryString(HKEY_CURRENT_USER, kRunKey, "KvSetupX.exe",
                    "\"Q:\\gone image\\KvSetupX.exe\" \"Q:\\gone image\\\" 3");
  setRegistryString(HKEY_CURRENT_USER, "Software\\KvSetupX", "ResumeProduct", "REEF");

  {
    ChildProcess setup;
    ASSERT_TRUE(setup.start("\"" + cdFolder() + "setup\\ReefsaverSetup.exe\" /S", cdFolder() + "setup"));
    ASSERT_TRUE(setup.waitForExit(kLongWait));
  }
  EXPECT_TRUE(exists(saver));
  EXPECT_TRUE(exists(installed + "\\reefsaver.exe"));
  EXPECT_FALSE(registryString(HKEY_CURRENT_USER, kRunKey, "KvSetupX.exe"));
  EXPECT_FALSE(registryString(HKEY_CURRENT_USER, "Software\\KvSetupX", "ResumeProduct"));
  // Silent mode answers the offer with yes.
  EXPECT_EQ(registryString(HKEY_CURRENT_USER, kDesktopKey, "SCRNSAVE.EXE"), saver);

  EXPECT_TRUE(uninstallSilently(installed));
  EXPECT_FALSE(exists(saver));
  EXPECT_EQ(registryString(HKEY_CURRENT_USER, kDesktopKey, "SCRNSAVE.EXE"), earlier);
  HKEY desktop;
  ASSERT_EQ(RegOpenKeyExA(HKEY_CURRENT_USER, kDesktopKey, 0, KEY_ALL_ACCESS, &desktop), ERROR_SUCCESS);
  RegDeleteValueA(desktop, "SCRNSAVE.EXE");
  RegCloseKey(desktop);
}

}  // namespace
