// The menu window driven with window messages: layout, hover texts, the product menu, the manual
// and support actions; and the real KvSetupX program for a fresh installation and a second start.
#include <windows.h>

#include <commctrl.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "LauncherTestSupport.h"
#include "formats/WavFormat.h"
#include "launcher/CMyButton.h"
#include "launcher/LauncherRules.h"
#include "launcher/SetupRegistry.h"
#include "launcher/resource.h"

using kvtest::FakeCd;
using kvtest::LauncherUnderTest;
using kvtest::openPopupMenu;
using kvtest::SavedRegistryKey;
using kvtest::StandInRun;

namespace {

const char kRunKey[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";
const char kHttpsKey[] = "Software\\Classes\\https\\shell\\open\\command";
const char kReaderKey[] = "HKLM\\Software\\Adobe\\Acrobat Reader";

// A tenth of a second of silence, a sound the menu can play on hovering.
std::string silentWave() {
  const uint32_t samples = 2205 * 2;
  formats::Bytes file;
  formats::appendWavHeader(file, formats::pcmFormat(1, 22050, 16), samples);
  file.resize(file.size() + samples);
  return std::string(file.begin(), file.end());
}

std::vector<std::string> menuItems(HMENU menu) {
  std::vector<std::string> items;
  for (int i = 0; i < GetMenuItemCount(menu); ++i) {
    char text[128] = {};
    GetMenuStringA(menu, static_cast<UINT>(i), text, sizeof text, MF_BYPOSITION);
    items.push_back(text);
  }
  return items;
}

// The picture, logo area, progress bar and video need the whole 640 x 480 client area; the window
// stands in the middle of its monitor's work area.
void expectFullClientAreaCentred(HWND window) {
  RECT client;
  GetClientRect(window, &client);
  EXPECT_EQ(client.right, 640);
  EXPECT_EQ(client.bottom, 480);
  RECT frame;
  GetWindowRect(window, &frame);
  MONITORINFO monitor{};
  monitor.cbSize = sizeof monitor;
  GetMonitorInfoA(MonitorFromWindow(window, MONITOR_DEFAULTTONEAREST), &monitor);
  const RECT& work = monitor.rcWork;
  EXPECT_LE(std::abs((frame.left - work.left) - (work.right - frame.right)), 1);
  EXPECT_LE(std::abs((frame.top - work.top) - (work.bottom - frame.bottom)), 1);
}

void repaintNow(HWND window) {
  RedrawWindow(window, nullptr, nullptr,
               RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
  SendMessageA(window, WM_NULL, 0, 0);
}

class MenuWindowTest : public ::testing::Test {
 protected:
  // Wine reports the pointer's position again after a wait; parked outside the centred window,
  // those reports cannot clear the status text a test is about to read.
  void SetUp() override { SetCursorPos(0, 0); }

  void putCdContent() const {
    kvtest::writeBackground(cd.path("setup\\bg.bmp"));
    cd.put("setup\\Ballon.wav", silentWave());
    cd.put("docs\\manual one.pdf", "%PDF-1.4 manual");
    cd.putStandIn("Acrobat\\AcroRd32.exe");
    cd.putStandIn("browser dir\\iexplore.exe");
  }

  // Web addresses open with the stand-in browser on the CD, as with a user's default browser.
  void standInBrowserForHttps() const {
    https.setString(nullptr, "\"" + cd.path("browser dir\\iexplore.exe") + "\" \"%1\"");
  }
  // No PDF reader registered in either registry view.
  static void removeReaders() {
    for (const char* view : {"/reg:32", "/reg:64"}) {
      for (const char* key : {kReaderKey, "HKLM\\Software\\Adobe\\Adobe Acrobat"}) {
        kvtest::runAndWait(std::string("reg.exe delete \"") + key + "\" /f " + view);
      }
    }
  }

  FakeCd cd;
  SavedRegistryKey runKey{HKEY_CURRENT_USER, kRunKey};
  SavedRegistryKey https{HKEY_LOCAL_MACHINE, kHttpsKey};
  SavedRegistryKey acrobatReader{HKEY_LOCAL_MACHINE, "Software\\Adobe\\Acrobat Reader"};
  SavedRegistryKey adobeAcrobat{HKEY_LOCAL_MACHINE, "Software\\Adobe\\Adobe Acrobat"};
  SavedRegistryKey pdfType{HKEY_LOCAL_MACHINE, "Software\\Classes\\.pdf"};
  SavedRegistryKey pdfOpen{HKEY_LOCAL_MACHINE, "Software\\Classes\\ReefTest.Pdf"};
};

TEST_F(MenuWindowTest, LayoutStacksVisibleButtonsAndHidesManualWithoutDocuments) {
  putCdContent();
  cd.writeIni(
      "wav1=setup\\one.wav\nwav2=setup\\two.wav\nwav3=setup\\three.wav\nwav4=setup\\four.wav\n"
      "ref=REEF\nname=Reef\nmanual=docs\\not there.pdf\n");
  LauncherUnderTest ui("\"" + cd.base() + "\"");
  ASSERT_NE(ui.window(), nullptr);

  char title[64] = {};
  GetWindowTextA(ui.window(), title, sizeof title);
  EXPECT_STREQ(title, "Orvane Setup");
  expectFullClientAreaCentred(ui.window());

  const RECT bar = ui.childRect(IDC_PROGRESS);
  EXPECT_EQ(bar.left, 61);
  EXPECT_EQ(bar.top, 444);
  EXPECT_EQ(bar.right - bar.left, 445);
  EXPECT_EQ(bar.bottom - bar.top, 10);
  EXPECT_EQ(SendMessageA(ui.item(IDC_PROGRESS), PBM_GETRANGE, FALSE, 0), 1000);

  // The only manual is missing, so the button is hidden and the others move up.
  EXPECT_FALSE(IsWindowVisible(ui.item(IDC_MANUAL)));
  const int stacked[] = {IDC_INSTALL, IDC_SUPPORT, IDC_BROWSE};
  const char* sounds[] = {"setup\\one.wav", "setup\\two.wav", "setup\\three.wav"};
  for (int k = 0; k < 3; ++k) {
    const RECT rc = ui.childRect(stacked[k]);
    EXPECT_EQ(rc.left, 10);
    EXPECT_EQ(rc.top, 270 + 35 * k);
    EXPECT_EQ(rc.right - rc.left, 150);
    EXPECT_EQ(rc.bottom - rc.top, 25);
    EXPECT_TRUE(IsWindowVisible(ui.item(stacked[k])));
    EXPECT_EQ(ui.menu().buttonWithId(stacked[k])->sound(), cd.path(sounds[k]));
  }
  // The exit button keeps its place at the top right and the common sound.
  const RECT exit = ui.childRect(IDC_EXIT);
  EXPECT_TRUE(IsWindowVisible(ui.item(IDC_EXIT)));
  RECT client;
  GetClientRect(ui.window(), &client);
  EXPECT_EQ(exit.left, 574);
  EXPECT_EQ(exit.top, 6);
  EXPECT_LE(exit.right, client.right);
  EXPECT_EQ(ui.menu().buttonWithId(IDC_EXIT)->sound(), cd.path("setup\\Ballon.wav"));
}

TEST_F(MenuWindowTest, ManualButtonWithDocumentsAndManualCaption) {
  putCdContent();
  cd.writeIni(
      "dlgbuttonmanualcaption=&Manual\nref=A\nname=First\n[B]\nref=B\nname=Second\n"
      "manual=docs\\manual one.pdf\n");
  LauncherUnderTest ui("\"" + cd.base() + "\"");
  EXPECT_TRUE(IsWindowVisible(ui.item(IDC_MANUAL)));
  EXPECT_EQ(ui.childRect(IDC_MANUAL).top, 305);
  EXPECT_EQ(ui.childRect(IDC_BROWSE).top, 375);
  char caption[64] = {};
  GetWindowTextA(ui.item(IDC_MANUAL), caption, sizeof caption);
  EXPECT_STREQ(caption, "&Manual");
}

TEST_F(MenuWindowTest, HoverTextsNameTheProductAndReArmOverTheWindow) {
  putCdContent();
  cd.writeIni(
      "dlgbuttoninstall=Installeer %s nu\ndlgbuttonexit=Stoppen 100% %d\n"
      "ref=REEF\nname=Reef Saver\n");
  LauncherUnderTest ui("\"" + cd.base() + "\"");
  const launcher::CMyButton* install = ui.menu().buttonWithId(IDC_INSTALL);

  SendMessageA(ui.item(IDC_INSTALL), WM_MOUSEMOVE, 0, MAKELPARAM(5, 5));
  EXPECT_EQ(ui.status(), "Installeer Reef Saver nu");
  EXPECT_FALSE(install->armed());
  // Still over the button: no new sound, the text stays.
  SendMessageA(ui.item(IDC_INSTALL), WM_MOUSEMOVE, 0, MAKELPARAM(6, 5));
  EXPECT_EQ(ui.status(), "Installeer Reef Saver nu");

  SendMessageA(ui.item(IDC_EXIT), WM_MOUSEMOVE, 0, MAKELPARAM(3, 3));
  EXPECT_EQ(ui.status(), "Stoppen 100% %d");

  SendMessageA(ui.window(), WM_MOUSEMOVE, 0, MAKELPARAM(300, 100));
  EXPECT_EQ(ui.status(), "");
  EXPECT_TRUE(install->armed());
  SendMessageA(ui.window(), WM_MOUSEMOVE, 0, MAKELPARAM(518, 428));
  EXPECT_EQ(ui.status(), "Ga naar de Orvane website ...");
  SendMessageA(ui.window(), WM_MOUSEMOVE, 0, MAKELPARAM(631, 428));
  EXPECT_EQ(ui.status(), "");
}

std::string captionOf(HWND button) {
  char caption[64] = {};
  GetWindowTextA(button, caption, sizeof caption);
  return caption;
}

// Windows' UI language chooses the CD's file for it, beside "KvSetupX.ini", and with it the
// menu's own texts and the manual it opens; a language the CD has no file for gets
// "KvSetupX.ini" and the menu's Dutch, and one the menu does not speak is English.
TEST_F(MenuWindowTest, SpeaksTheUiLanguageWhereTheCdHasItsFile) {
  putCdContent();
  cd.put("docs\\Handbuch.pdf", "%PDF-1.4 Handbuch");
  cd.writeIni("dlgbuttoninstall=Installeer %s\nref=REEF\nname=Reef\nmanual=docs\\manual one.pdf\n");
  cd.put("KvSetupX.DE.ini",
         "dlgbuttoninstall=%s installieren\ndlgbuttonmanualaction=Handbuch wird ge\xF6"
         "ffnet\nref=REEF\nname=Reef\nmanual=docs\\Handbuch.pdf\n");
  cd.put("KvSetupX.EN.ini", "dlgbuttoninstall=Install %s\nref=REEF\nname=Reef\n");
  removeReaders();
  {
    LauncherUnderTest ui("\"" + cd.base() + "\"", {},
                         MAKELANGID(LANG_GERMAN, SUBLANG_GERMAN_SWISS));
    EXPECT_EQ(captionOf(ui.item(IDC_INSTALL)), "&Installieren");
    EXPECT_EQ(captionOf(ui.item(IDC_MANUAL)), "&Handbuch");
    EXPECT_EQ(captionOf(ui.item(IDC_BROWSE)), "&CD durchsuchen");
    EXPECT_EQ(captionOf(ui.item(IDC_EXIT)), "&Beenden");
    SendMessageA(ui.item(IDC_INSTALL), WM_MOUSEMOVE, 0, MAKELPARAM(5, 5));
    EXPECT_EQ(ui.status(), "Reef installieren");
    SendMessageA(ui.window(), WM_MOUSEMOVE, 0, MAKELPARAM(518, 428));
    EXPECT_EQ(ui.status(), "Zur Website von Orvane ...");
    ui.click(IDC_MANUAL);
    ASSERT_TRUE(kvtest::waitFor([&] { return !cd.runs().empty(); }));
    EXPECT_EQ(cd.runs()[0].commandLine, "\"" + cd.path("Acrobat\\AcroRd32.exe") + "\" \"" +
                                            cd.path("docs\\Handbuch.pdf") + "\"");
    EXPECT_TRUE(
        ui.statusShowed("Handbuch wird ge\xF6"
                        "ffnet"));
  }
  {
    LauncherUnderTest ui("\"" + cd.base() + "\"", {}, MAKELANGID(LANG_FRENCH, SUBLANG_FRENCH));
    EXPECT_EQ(captionOf(ui.item(IDC_INSTALL)), "&Installatie");
    EXPECT_EQ(captionOf(ui.item(IDC_EXIT)), "&Verlaten");
    SendMessageA(ui.item(IDC_INSTALL), WM_MOUSEMOVE, 0, MAKELPARAM(5, 5));
    EXPECT_EQ(ui.status(), "Installeer Reef");
  }
  {
    LauncherUnderTest ui("\"" + cd.base() + "\"", {}, MAKELANGID(LANG_ITALIAN, SUBLANG_ITALIAN));
    EXPECT_EQ(captionOf(ui.item(IDC_INSTALL)), "&Install");
    EXPECT_EQ(captionOf(ui.item(IDC_EXIT)), "E&xit");
    // That file names no manual.
    EXPECT_FALSE(IsWindowVisible(ui.item(IDC_MANUAL)));
    SendMessageA(ui.item(IDC_INSTALL), WM_MOUSEMOVE, 0, MAKELPARAM(5, 5));
    EXPECT_EQ(ui.status(), "Install Reef");
  }
}

TEST_F(MenuWindowTest, OneProductOpensNoMenuAndReadsTheManualWithTheCdReader) {
  putCdContent();
  cd.writeIni(
      "dlgbuttonmanualaction=Handleiding openen\nref=REEF\nname=Reef\n"
      "manual=docs\\manual one.pdf\n");
  removeReaders();
  LauncherUnderTest ui("\"" + cd.base() + "\"");
  ui.click(IDC_MANUAL);
  ASSERT_TRUE(kvtest::waitFor([&] { return !cd.runs().empty(); }));
  EXPECT_EQ(openPopupMenu(), nullptr);
  const StandInRun run = cd.runs()[0];
  EXPECT_EQ(run.program, cd.path("Acrobat\\AcroRd32.exe"));
  EXPECT_EQ(run.commandLine, "\"" + cd.path("Acrobat\\AcroRd32.exe") + "\" \"" +
                                 cd.path("docs\\manual one.pdf") + "\"");
  EXPECT_TRUE(ui.statusShowed("Handleiding openen"));
}

// Most readers are 32-bit programs: a 64-bit launcher finds them only by asking for that view.
TEST_F(MenuWindowTest, InstalledReaderIsFoundInEitherRegistryView) {
  putCdContent();
  cd.writeIni("ref=REEF\nname=Reef\nmanual=docs\\manual one.pdf\n");
  const std::string readerFolder =
      "C:\\Program Files\\ReefTest Reader " + std::to_string(GetCurrentProcessId());
  kvtest::copyFileTo(kvtest::standInProgram(), readerFolder + "\\AcroRd32.exe");
  for (const char* view : {"/reg:32", "/reg:64"}) {
    removeReaders();
    ASSERT_EQ(kvtest::runAndWait(std::string("reg.exe add \"") + kReaderKey +
                                 "\\9.0\\InstallPath\" /ve /d \"" + readerFolder + "\" /f " + view),
              0u);
    DeleteFileA(cd.logPath().c_str());
    LauncherUnderTest ui("\"" + cd.base() + "\"");
    ui.click(IDC_MANUAL);
    ASSERT_TRUE(kvtest::waitFor([&] { return !cd.runs().empty(); })) << view;
    const StandInRun run = cd.runs()[0];
    EXPECT_EQ(run.program, readerFolder + "\\AcroRd32.exe") << view;
    EXPECT_EQ(run.commandLine,
              "\"" + readerFolder + "\\AcroRd32.exe\" \"" + cd.path("docs\\manual one.pdf") + "\"")
        << view;
  }
  removeReaders();
  kvtest::removeTree(readerFolder);
}

// Without a reader of its own the manual opens with the program the user has for PDF files; when
// there is none either, the status text says so.
TEST_F(MenuWindowTest, ManualWithoutReaderOpensWithTheUsersPdfProgram) {
  putCdContent();
  cd.writeIni(
      "acrobat=not on this cd\\reader.exe\nref=REEF\nname=Reef\nmanual=docs\\manual one.pdf\n");
  removeReaders();
  pdfType.setString(nullptr, "ReefTest.Pdf");
  pdfOpen.remove();
  SavedRegistryKey openCommand{HKEY_LOCAL_MACHINE,
                               "Software\\Classes\\ReefTest.Pdf\\shell\\open\\command"};
  openCommand.setString(nullptr, "\"" + cd.path("Acrobat\\AcroRd32.exe") + "\" \"%1\"");
  {
    LauncherUnderTest ui("\"" + cd.base() + "\"");
    ui.click(IDC_MANUAL);
    ASSERT_TRUE(kvtest::waitFor([&] { return !cd.runs().empty(); }));
    EXPECT_EQ(cd.runs()[0].commandLine, "\"" + cd.path("Acrobat\\AcroRd32.exe") + "\" \"" +
                                            cd.path("docs\\manual one.pdf") + "\"");
  }

  kvtest::ScriptedStarter starter;
  starter.refuse("manual one.pdf", ERROR_NO_ASSOCIATION);
  LauncherUnderTest ui("\"" + cd.base() + "\"",
                       [&](launcher::MenuWindow& menu) { menu.setProgramStarter(starter); });
  ui.click(IDC_MANUAL);
  ASSERT_TRUE(kvtest::waitFor([&] { return starter.requests().size() == 3 && ui.idle(); }));
  const std::vector<launcher::StartRequest> requests = starter.requests();
  EXPECT_EQ(requests[1].file, "\"" + cd.path("not on this cd\\reader.exe") + "\"");
  EXPECT_EQ(requests[2].verb, "open");
  EXPECT_EQ(requests[2].file, cd.path("docs\\manual one.pdf"));
  SendMessageA(ui.window(), WM_NULL, 0, 0);
  EXPECT_EQ(ui.status().rfind("Kan manual one.pdf niet openen.\n", 0), 0u) << ui.status();
  EXPECT_NE(ui.status().find(kvtest::systemText(ERROR_NO_ASSOCIATION)), std::string::npos)
      << ui.status();
}

// A manual opens and the menu is free again at once, however long the reader stays open: only
// installers are waited for (StartedFromAnotherFolderShowsItsMenuAndAnswersWhileSetupRuns).
TEST_F(MenuWindowTest, AnOpenManualLeavesTheMenuFree) {
  putCdContent();
  cd.writeIni("ref=ONE\nname=Reef\nmanual=docs\\manual one.pdf\npath=setup\\setup.exe\n");
  cd.putStandIn("setup\\setup.exe");
  removeReaders();
  const std::string hold = cd.logPath() + ".hold";
  kvtest::writeFile(hold, "");
  SetEnvironmentVariableA("KVSETUPX_STANDIN_HOLD", cd.path("Acrobat\\AcroRd32.exe").c_str());
  LauncherUnderTest ui("\"" + cd.base() + "\"");
  ui.click(IDC_MANUAL);
  ASSERT_TRUE(kvtest::waitFor([&] { return cd.runs().size() == 1; }));
  EXPECT_TRUE(kvtest::waitFor([&] { return ui.idle(); })) << "the menu waits for the reader";
  EXPECT_TRUE(IsWindowEnabled(ui.item(IDC_INSTALL)));
  DeleteFileA(hold.c_str());
  SetEnvironmentVariableA("KVSETUPX_STANDIN_HOLD", nullptr);
}

// An installation stopped by a restart leaves its Run entry; when the CD image it points at is
// unmounted for good, the entry would start nothing at every logon. The next menu removes it; an
// entry whose program is there stays.
TEST_F(MenuWindowTest, ARunEntryWhoseProgramIsGoneIsRemoved) {
  EXPECT_EQ(launcher::commandProgram("\"C:\\a b\\KvSetupX.exe\" \"C:\\a b\\\" 3"),
            "C:\\a b\\KvSetupX.exe");
  EXPECT_EQ(launcher::commandProgram("  C:\\cd\\KvSetupX.exe 3"), "C:\\cd\\KvSetupX.exe");
  EXPECT_EQ(launcher::commandProgram("\"C:\\open quote"), "C:\\open quote");
  EXPECT_EQ(launcher::commandProgram(""), "");

  putCdContent();
  cd.writeIni("ref=REEF\nname=Reef\n");
  launcher::writeResumeMarker("Q:\\unmounted image\\", "3", "REEF");
  {
    LauncherUnderTest ui("\"" + cd.base() + "\"");
    ASSERT_NE(ui.window(), nullptr);
  }
  EXPECT_EQ(kvtest::resumeValue(), "(none)");
  EXPECT_EQ(launcher::resumedProduct(), "");

  launcher::writeResumeMarker(cd.base(), "3", "REEF");
  {
    LauncherUnderTest ui("\"" + cd.base() + "\"");
    ASSERT_NE(ui.window(), nullptr);
  }
  EXPECT_EQ(kvtest::resumeValue(), launcher::resumeCommand(cd.base(), "3"));
  EXPECT_EQ(launcher::resumedProduct(), "REEF");
  launcher::clearResumeMarker();
}

TEST_F(MenuWindowTest, TwoProductsShowTheMenuWithTheirNames) {
  putCdContent();
  const std::string target = cd.path("installed here");
  kvtest::makeFolders(target);
  const std::string products =
      "[Eerste]\nref=ONE\nname=Reef Saver\n[Tweede]\nref=TWO\nname=Reef Saver Plus\n";
  cd.writeIni("dlgbuttoninstall=Installeer %s\ndlgbuttonregister=Registreer %s\ntargetdir=" +
              target + "\n" + products);
  standInBrowserForHttps();
  LauncherUnderTest ui("\"" + cd.base() + "\"");
  // Nothing is chosen before the user picks a product.
  EXPECT_EQ(ui.menu().selectedProduct(), -1);
  repaintNow(ui.window());
  kvtest::saveScreenshot(ui.window(), "menu-window.bmp");

  SendMessageA(ui.item(IDC_INSTALL), WM_MOUSEMOVE, 0, MAKELPARAM(5, 5));
  repaintNow(ui.window());
  SendMessageA(ui.item(IDC_INSTALL), WM_MOUSEMOVE, 0, MAKELPARAM(5, 5));
  SendMessageA(ui.window(), WM_NULL, 0, 0);
  kvtest::saveScreenshot(ui.window(), "menu-window-hover.bmp");

  ui.click(IDC_SUPPORT);
  ASSERT_TRUE(kvtest::waitFor([] { return openPopupMenu() != nullptr; }));
  HWND popup = openPopupMenu();
  HMENU menu = reinterpret_cast<HMENU>(SendMessageA(popup, MN_GETHMENU, 0, 0));
  EXPECT_EQ(menuItems(menu), (std::vector<std::string>{"Reef Saver", "Reef Saver Plus"}));
  EXPECT_EQ(GetMenuItemID(menu, 1), 262u);
  EXPECT_EQ(ui.menu().selectedProduct(), -1);
  // Highlighting an item describes it with the text of the button that opened the menu.
  SendMessageA(ui.window(), WM_MENUSELECT, MAKEWPARAM(262, MF_HILITE),
               reinterpret_cast<LPARAM>(menu));
  EXPECT_EQ(ui.status(), "Registreer Reef Saver Plus");
  kvtest::saveScreenshot(ui.window(), "menu-window-products.bmp");
  PostMessageA(popup, WM_KEYDOWN, VK_ESCAPE, 0);
  ASSERT_TRUE(kvtest::waitFor([] { return openPopupMenu() == nullptr; }));

  // Choosing the second product opens its support page, with the user's browser, from the target
  // folder.
  PostMessageA(ui.window(), WM_COMMAND, 262, 0);
  ASSERT_TRUE(kvtest::waitFor([&] { return !cd.runs().empty(); }));
  const StandInRun run = cd.runs()[0];
  EXPECT_EQ(run.commandLine, "\"" + cd.path("browser dir\\iexplore.exe") +
                                 "\" \"https://www.reefsaver.example/support/?ref=TWO\"");
  EXPECT_EQ(run.folder, target);
  SendMessageA(ui.window(), WM_NULL, 0, 0);
  EXPECT_EQ(ui.menu().selectedProduct(), 1);
}

// The CD may name its own addresses and its own browser; the logo opens the home page.
TEST_F(MenuWindowTest, AddressesAndBrowserFromTheConfiguration) {
  putCdContent();
  cd.putStandIn("web\\browser.exe");
  standInBrowserForHttps();
  struct Case {
    const char* ini;
    std::string program;
    const char* support;
    const char* home;
  } cases[] = {
      {"common_reference=ALL\nref=ONE\nname=Reef\n", cd.path("browser dir\\iexplore.exe"),
       "https://www.reefsaver.example/support/?ref=ALL", "https://www.reefsaver.example/"},
      {"homepage=https://home.example/\n"
       "supportpage=https://help.example/reef?id=\n"
       "browser=web\\browser.exe\n"
       "ref=ONE\nname=Reef\n",
       cd.path("web\\browser.exe"), "https://help.example/reef?id=ONE", "https://home.example/"},
  };
  for (const Case& c : cases) {
    DeleteFileA(cd.logPath().c_str());
    cd.writeIni(c.ini);
    LauncherUnderTest ui("\"" + cd.base() + "\"");
    ui.click(IDC_SUPPORT);
    ASSERT_TRUE(kvtest::waitFor([&] { return cd.runs().size() == 1 && ui.idle(); })) << c.ini;
    PostMessageA(ui.window(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(600, 440));
    ASSERT_TRUE(kvtest::waitFor([&] { return cd.runs().size() == 2; })) << c.ini;
    const std::vector<StandInRun> runs = cd.runs();
    EXPECT_EQ(runs[0].commandLine, "\"" + c.program + "\" \"" + c.support + "\"");
    EXPECT_EQ(runs[1].commandLine, "\"" + c.program + "\" \"" + c.home + "\"");
  }
}

// The real program, started the way Windows starts it.
// Asks the launcher to end with its exit button until it does: a click that arrives while the
// installation is still finishing is ignored, as it must be.
bool endLauncher(HWND window, HANDLE process) {
  for (int attempt = 0; attempt < 60; ++attempt) {
    PostMessageA(window, WM_COMMAND, MAKEWPARAM(IDC_EXIT, BN_CLICKED), 0);
    if (WaitForSingleObject(process, 500) == WAIT_OBJECT_0) return true;
  }
  return false;
}

// Ends every launcher still open when it goes out of scope, so that a failed check leaves no
// window behind for the single-instance rule to find in later tests.
struct LaunchersEndedAfterwards {
  ~LaunchersEndedAfterwards() {
    while (HWND window = FindWindowA(nullptr, "Orvane Setup")) {
      DWORD processId = 0;
      GetWindowThreadProcessId(window, &processId);
      HANDLE process = OpenProcess(SYNCHRONIZE | PROCESS_TERMINATE, FALSE, processId);
      if (!process) return;
      if (!endLauncher(window, process)) TerminateProcess(process, 1);
      WaitForSingleObject(process, 5000);
      CloseHandle(process);
    }
  }
};

class RunningLauncher {
 public:
  // The program is the built one unless another copy is named; folder: its current folder.
  explicit RunningLauncher(const std::string& arguments,
                           const std::string& program = kvtest::launcherProgram(),
                           const std::string& folder = std::string()) {
    std::string line = "\"" + program + "\" " + arguments;
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    started_ =
        CreateProcessA(nullptr, &line[0], nullptr, nullptr, FALSE, 0, nullptr,
                       folder.empty() ? nullptr : folder.c_str(), &startup, &process_) != FALSE;
  }
  ~RunningLauncher() {
    if (!started_) return;
    if (WaitForSingleObject(process_.hProcess, 0) == WAIT_TIMEOUT) {
      HWND window = this->window();
      if (!window || !endLauncher(window, process_.hProcess))
        TerminateProcess(process_.hProcess, 1);
    }
    CloseHandle(process_.hThread);
    CloseHandle(process_.hProcess);
  }
  bool started() const { return started_; }
  // Ends the program at once, as a power cut or the task manager would.
  void kill() const {
    TerminateProcess(process_.hProcess, 1);
    WaitForSingleObject(process_.hProcess, 10000);
  }
  bool endsWithin(DWORD ms) const {
    return WaitForSingleObject(process_.hProcess, ms) == WAIT_OBJECT_0;
  }
  // The program's "Orvane Setup" window.
  HWND window() const {
    HWND found = nullptr;
    while ((found = FindWindowExA(nullptr, found, nullptr, "Orvane Setup")) != nullptr) {
      DWORD owner = 0;
      GetWindowThreadProcessId(found, &owner);
      if (owner == process_.dwProcessId) return found;
    }
    return nullptr;
  }

 private:
  PROCESS_INFORMATION process_{};
  bool started_ = false;
};

int countLauncherWindows() {
  int count = 0;
  HWND found = nullptr;
  while ((found = FindWindowExA(nullptr, found, nullptr, "Orvane Setup")) != nullptr) ++count;
  return count;
}

TEST_F(MenuWindowTest, SecondStartBringsTheFirstWindowForwardAndEnds) {
  putCdContent();
  cd.writeIni("ref=REEF\nname=Reef\n");
  RunningLauncher first(launcher::quoteArgument(cd.base()));
  ASSERT_TRUE(first.started());
  ASSERT_TRUE(kvtest::waitFor([&] { return first.window() != nullptr; }));
  HWND window = first.window();
  ShowWindow(window, SW_MINIMIZE);
  ASSERT_TRUE(kvtest::waitFor([&] { return IsIconic(window) != FALSE; }));

  RunningLauncher second(launcher::quoteArgument(cd.base()));
  ASSERT_TRUE(second.started());
  EXPECT_TRUE(second.endsWithin(60000));
  EXPECT_TRUE(kvtest::waitFor([&] { return IsIconic(window) == FALSE; }));
  EXPECT_EQ(countLauncherWindows(), 1);
}

// Autorun and Explorer may start the program from any folder: it still finds its CD beside
// itself, fills the whole 640 x 480 picture, and answers while the chosen product's setup runs.
TEST_F(MenuWindowTest, StartedFromAnotherFolderShowsItsMenuAndAnswersWhileSetupRuns) {
  putCdContent();
  cd.writeIni(
      "dlgbuttonmanualcaption=&Lees mij\n[A]\nref=ONE\nname=Reef\nmanual=docs\\manual one.pdf\n"
      "[B]\nref=TWO\nname=Reef Plus\npath=setup\\setup.exe\n");
  cd.putStandIn("setup\\setup.exe");
  kvtest::copyFileTo(kvtest::launcherProgram(), cd.path("KvSetupX.exe"));
  char temp[MAX_PATH];
  GetTempPathA(sizeof temp, temp);
  const std::string hold = cd.logPath() + ".hold";
  kvtest::writeFile(hold, "");
  SetEnvironmentVariableA("KVSETUPX_STANDIN_HOLD", cd.path("setup\\setup.exe").c_str());

  RunningLauncher running("", cd.path("KvSetupX.exe"), temp);
  ASSERT_TRUE(running.started());
  ASSERT_TRUE(kvtest::waitFor([&] { return running.window() != nullptr; }));
  HWND window = running.window();
  EXPECT_TRUE(IsWindowVisible(GetDlgItem(window, IDC_MANUAL)));
  char caption[64] = {};
  GetWindowTextA(GetDlgItem(window, IDC_MANUAL), caption, sizeof caption);
  EXPECT_STREQ(caption, "&Lees mij");
  expectFullClientAreaCentred(window);

  // The second product, chosen from the menu, installs on the window's own thread.
  PostMessageA(window, WM_COMMAND, 262, 0);
  ASSERT_TRUE(kvtest::waitFor([&] { return cd.runs().size() == 1; }));
  EXPECT_EQ(cd.runs()[0].program, cd.path("setup\\setup.exe"));
  DWORD_PTR answer = 0;
  EXPECT_NE(SendMessageTimeoutA(window, WM_NULL, 0, 0, SMTO_NORMAL, 1000, &answer), 0);
  DeleteFileA(hold.c_str());
  SetEnvironmentVariableA("KVSETUPX_STANDIN_HOLD", nullptr);
  EXPECT_TRUE(kvtest::waitFor([&] {
    return kvtest::resumeValue() == "(none)" && IsWindowEnabled(GetDlgItem(window, IDC_INSTALL));
  }));
}

TEST_F(MenuWindowTest, FreshInstallWritesEachStageMarkerBeforeTheStage) {
  putCdContent();
  cd.writeIni("ref=REEF\nname=Reef\npath=setup\\setup.exe\n");
  cd.putStandIn("wmi\\wmicore.exe");
  cd.putStandIn("mdac\\mdac_typ.exe");
  cd.putStandIn("dotnet\\dotnetfx.exe");
  cd.putStandIn("setup\\setup.exe");
  SavedRegistryKey dotNet{HKEY_LOCAL_MACHINE, "Software\\Microsoft\\.NETFramework"};
  SavedRegistryKey mdac{HKEY_LOCAL_MACHINE, "SOFTWARE\\Microsoft\\DataAccess"};
  dotNet.remove();
  mdac.remove();
  // WMI is installed only on Windows versions before 5: let Wine report NT 4.0 to the launcher.
  SavedRegistryKey appDefaults{HKEY_CURRENT_USER, "Software\\Wine\\AppDefaults\\KvSetupX.exe"};
  appDefaults.setString("Version", "nt40");

  RunningLauncher running(launcher::quoteArgument(cd.base()));
  ASSERT_TRUE(running.started());
  ASSERT_TRUE(kvtest::waitFor([&] { return running.window() != nullptr; }));
  HWND window = running.window();
  HWND install = GetDlgItem(window, IDC_INSTALL);
  SendMessageA(window, WM_COMMAND, MAKEWPARAM(IDC_INSTALL, BN_CLICKED),
               reinterpret_cast<LPARAM>(install));
  ASSERT_TRUE(kvtest::waitFor([&] {
    return cd.runs().size() == 4 && kvtest::resumeValue() == "(none)" && IsWindowEnabled(install);
  })) << kvtest::readFile(cd.logPath());

  const std::vector<StandInRun> runs = cd.runs();
  const char* programs[] = {"wmi\\wmicore.exe", "mdac\\mdac_typ.exe", "dotnet\\dotnetfx.exe",
                            "setup\\setup.exe"};
  const char* folders[] = {"wmi", "mdac", "dotnet", "setup"};
  const char* stages[] = {"0", "1", "2", "3"};
  for (size_t i = 0; i < 4; ++i) {
    EXPECT_EQ(runs[i].program, cd.path(programs[i]));
    EXPECT_EQ(runs[i].folder, cd.path(folders[i]));
    EXPECT_EQ(runs[i].resumeValue, launcher::resumeCommand(cd.base(), stages[i]));
  }
  EXPECT_EQ(runs[0].commandLine, "\"" + cd.path("wmi\\wmicore.exe") + "\"");
  EXPECT_EQ(runs[2].commandLine,
            "\"" + cd.path("dotnet\\dotnetfx.exe") + "\" /q:a /c:\"install /l /q\"");
}

// Killed in the middle of each stage, the launcher leaves its marker in the Run key; started again
// from that entry, as at the next logon, it goes on at the marked stage, runs each remaining
// program once and removes the entry. The CD's path has blanks.
TEST_F(MenuWindowTest, InterruptedInstallResumesFromTheRunEntryAtTheMarkedStage) {
  const char* programs[] = {"wmi\\wmicore.exe", "mdac\\mdac_typ.exe", "dotnet\\dotnetfx.exe",
                            "setup\\setup.exe"};
  SavedRegistryKey dotNet{HKEY_LOCAL_MACHINE, "Software\\Microsoft\\.NETFramework"};
  SavedRegistryKey mdac{HKEY_LOCAL_MACHINE, "SOFTWARE\\Microsoft\\DataAccess"};
  SavedRegistryKey appDefaults{HKEY_CURRENT_USER, "Software\\Wine\\AppDefaults\\KvSetupX.exe"};
  dotNet.remove();
  mdac.remove();
  appDefaults.setString("Version", "nt40");

  for (size_t stage = 0; stage < 4; ++stage) {
    FakeCd disc;
    disc.writeIni("ref=REEF\nname=Reef\npath=setup\\setup.exe\n");
    for (const char* program : programs) disc.putStandIn(program);
    kvtest::copyFileTo(kvtest::launcherProgram(), disc.path("KvSetupX.exe"));
    const std::string hold = disc.logPath() + ".hold";
    disc.put("standin.log.hold", "");
    SetEnvironmentVariableA("KVSETUPX_STANDIN_HOLD", disc.path(programs[stage]).c_str());
    {
      RunningLauncher first(launcher::quoteArgument(disc.base()));
      ASSERT_TRUE(kvtest::waitFor([&] { return first.window() != nullptr; }));
      HWND install = GetDlgItem(first.window(), IDC_INSTALL);
      SendMessageA(first.window(), WM_COMMAND, MAKEWPARAM(IDC_INSTALL, BN_CLICKED),
                   reinterpret_cast<LPARAM>(install));
      ASSERT_TRUE(kvtest::waitFor([&] { return disc.runs().size() == stage + 1; })) << stage;
      first.kill();
    }
    EXPECT_EQ(kvtest::resumeValue(), launcher::resumeCommand(disc.base(), std::to_string(stage)));
    SetEnvironmentVariableA("KVSETUPX_STANDIN_HOLD", nullptr);
    DeleteFileA(hold.c_str());
    ASSERT_TRUE(kvtest::waitFor([&] {
      return GetFileAttributesA((disc.logPath() + ".busy").c_str()) == INVALID_FILE_ATTRIBUTES;
    }));

    // Wine's wineboot starts the Run entries, as a logon does; they inherit its environment.
    LaunchersEndedAfterwards cleanUp;
    std::string boot = "wineboot.exe";
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION wineboot{};
    ASSERT_TRUE(CreateProcessA(nullptr, &boot[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                               &startup, &wineboot));
    WaitForSingleObject(wineboot.hProcess, 60000);
    CloseHandle(wineboot.hThread);
    CloseHandle(wineboot.hProcess);
    HWND resumed = nullptr;
    ASSERT_TRUE(kvtest::waitFor([&] {
      resumed = FindWindowA(nullptr, "Orvane Setup");
      return resumed && disc.runs().size() == 5 && kvtest::resumeValue() == "(none)" &&
             IsWindowEnabled(GetDlgItem(resumed, IDC_INSTALL));
    })) << stage
        << "\n"
        << kvtest::readFile(disc.logPath());
    DWORD processId = 0;
    GetWindowThreadProcessId(resumed, &processId);
    HANDLE process = OpenProcess(SYNCHRONIZE, FALSE, processId);
    ASSERT_NE(process, nullptr);
    EXPECT_TRUE(endLauncher(resumed, process)) << stage;
    CloseHandle(process);
    const std::vector<StandInRun> runs = disc.runs();
    for (size_t i = stage; i < 4; ++i)
      EXPECT_EQ(runs[i + 1].program, disc.path(programs[i])) << stage;
  }
}

}  // namespace
