// Menu window: initialisation, painting and colours, pointer handling, the intro video and the
// button actions. The installation itself lives in InstallFlow.
#include "launcher/MenuWindow.h"

#include <commctrl.h>
#include <mmsystem.h>
#include <objbase.h>
#include <uxtheme.h>

#include <algorithm>
#include <cstdio>
#include <utility>
#include <vector>

#include "launcher/InstallFlow.h"
#include "launcher/LauncherRules.h"
#include "launcher/ProgramRunner.h"
#include "launcher/SetupRegistry.h"
#include "launcher/ShellActions.h"
#include "launcher/resource.h"

namespace launcher {
namespace {

const COLORREF kBackground = RGB(0, 90, 171);
const COLORREF kProgressBackground = RGB(191, 215, 234);
const UINT_PTR kIntroTimer = 1;
const UINT_PTR kVideoTimer = 2;
// Work that must run on the window's own thread when another thread asks for it.
const UINT kResumeMessage = WM_APP + 1;
const UINT kStackButtonsMessage = WM_APP + 2;

const int kButtonIds[] = {IDC_INSTALL, IDC_MANUAL, IDC_SUPPORT, IDC_BROWSE, IDC_EXIT};

// p in the 96-DPI layout.
bool inLogoArea(POINT p) { return p.x >= 518 && p.x <= 630 && p.y >= 428 && p.y <= 470; }

// The configuration file, whole; a missing or unreadable file gives no text.
std::string readFileText(const std::string& path) {
  std::string text;
  FILE* file = std::fopen(path.c_str(), "rb");
  if (file == nullptr) return text;
  char chunk[4096];
  size_t got;
  while ((got = std::fread(chunk, 1, sizeof chunk, file)) > 0) text.append(chunk, got);
  std::fclose(file);
  return text;
}

BOOL CALLBACK minimiseWindow(HWND window, LPARAM) {
  if (!IsWindowVisible(window) || GetParent(window) != nullptr) return TRUE;
  char title[256];
  if (GetWindowTextA(window, title, sizeof title) == 0) return TRUE;
  if (lstrcmpiA(title, "Program Manager") == 0) return TRUE;
  // Asynchronously, so that a hung program cannot stop the launcher.
  ShowWindowAsync(window, SW_MINIMIZE);
  return TRUE;
}

int readOsMajorVersion() {
  OSVERSIONINFOA version{};
  version.dwOSVersionInfoSize = sizeof version;
  return GetVersionExA(&version) ? static_cast<int>(version.dwMajorVersion) : 0;
}

bool onWindowThread(HWND window) {
  return GetWindowThreadProcessId(window, nullptr) == GetCurrentThreadId();
}

}  // namespace

MenuWindow::MenuWindow(HINSTANCE instance, std::string commandLine, LANGID uiLanguage)
    : DialogWindow(instance, IDD_KVSETUPX),
      commandLine_(std::move(commandLine)),
      uiLanguage_(uiLanguage) {
  backgroundBrush_ = CreateSolidBrush(kBackground);
  // The progress bar's window class must exist before the dialog is created.
  INITCOMMONCONTROLSEX controls{sizeof controls, ICC_PROGRESS_CLASS};
  InitCommonControlsEx(&controls);
}

MenuWindow::~MenuWindow() {
  destroy();
  if (installThread_.joinable()) installThread_.join();
  if (productMenu_ != nullptr) DestroyMenu(productMenu_);
  if (pictureBrush_ != nullptr) DeleteObject(pictureBrush_);
  if (background_ != nullptr) DeleteObject(background_);
  if (palette_ != nullptr) DeleteObject(palette_);
  DeleteObject(backgroundBrush_);
}

bool MenuWindow::onInitDialog() {
  clearStaleResumeMarker();
  HDC screen = GetDC(nullptr);
  dpi_ = std::max(96, GetDeviceCaps(screen, LOGPIXELSY));
  ReleaseDC(nullptr, screen);
  config_.clearProducts();
  EnumWindows(minimiseWindow, 0);

  // Without a command line the base folder is the program's own: autorun and Explorer may start it
  // from any current folder. The current folder then follows, as it does for a given folder.
  const StartArguments start = parseStartArguments(commandLine_, programFolder());
  config_.baseFolder = start.baseFolder;
  config_.stage = start.stage;
  setCurrentFolder(config_.baseFolder);

  SendMessageA(hwnd(), WM_SETICON, ICON_BIG,
               reinterpret_cast<LPARAM>(LoadIconA(instance(), MAKEINTRESOURCEA(IDI_KVSETUPX))));
  SendMessageA(hwnd(), WM_SETICON, ICON_SMALL,
               reinterpret_cast<LPARAM>(
                   LoadImageA(instance(), MAKEINTRESOURCEA(IDI_KVSETUPX), IMAGE_ICON, 16, 16, 0)));

  placeWindow();
  ShowWindow(hwnd(), SW_SHOW);

  HWND progress = item(IDC_PROGRESS);
  SendMessageA(progress, PBM_SETPOS, 0, 0);
  SendMessageA(progress, PBM_SETRANGE32, 0, 1000);
  SendMessageA(progress, PBM_SETSTEP, 1, 0);
  SendMessageA(progress, PBM_SETBKCOLOR, 0, kProgressBackground);
  // Its own colours: the visual styles of the newer common controls would ignore them.
  SetWindowTheme(progress, L"", L"");
  MoveWindow(progress, scaled(61), scaled(444), scaled(445), scaled(10), TRUE);
  // The exit button's dialog-unit place assumes Tahoma 8 at 96 dpi; where the font is wider it
  // would leave the fixed 640-pixel layout, so it goes where that layout puts it, in pixels.
  MoveWindow(item(IDC_EXIT), scaled(574), scaled(6), scaled(56), scaled(24), TRUE);

  osMajorVersion_ = readOsMajorVersion();
  readConfiguration();
  // With several products none is chosen until the user picks one; a resumed installation goes on
  // with the product that was chosen for it.
  selected_ = config_.productCount() < 2 ? 0 : -1;
  const int resumed = config_.stage.empty() ? -1 : config_.productIndex(resumedProduct());
  if (resumed >= 0) selected_ = resumed;

  HWND status = item(IDC_STATUS);
  for (int i = 0; i < kButtonCount; ++i) buttons_[i].attach(item(kButtonIds[i]), status);
  const ButtonTexts& texts = config_.buttons;
  buttons_[kInstall].setHoverText(texts.installHover);
  buttons_[kInstall].setActionText(texts.installAction);
  buttons_[kManual].setHoverText(texts.manualHover);
  buttons_[kManual].setActionText(texts.manualAction);
  buttons_[kSupport].setHoverText(texts.registerHover);
  buttons_[kSupport].setActionText(texts.registerAction);
  buttons_[kBrowse].setHoverText(texts.browseHover);
  buttons_[kBrowse].setActionText(texts.browseAction);
  buttons_[kExit].setHoverText(texts.exitHover);
  const MenuTexts& own = this->texts();
  SetWindowTextA(item(IDC_INSTALL), own.install);
  SetWindowTextA(item(IDC_MANUAL),
                 texts.manualCaption.empty() ? own.manual : texts.manualCaption.c_str());
  SetWindowTextA(item(IDC_SUPPORT), own.support);
  SetWindowTextA(item(IDC_BROWSE), own.browse);
  SetWindowTextA(item(IDC_EXIT), own.exit);

  bool anyManual = false;
  for (const Product& product : config_.products()) {
    for (const std::string& document : splitList(product.UserGuide)) {
      if (fileExists(joinPath(config_.baseFolder, document))) anyManual = true;
    }
  }
  if (!anyManual) {
    buttons_[kManual].setHidden(true);
    ShowWindow(buttons_[kManual].hwnd(), SW_HIDE);
  }

  SetWindowTextA(hwnd(), kTitle);

  for (CMyButton& button : buttons_) {
    button.setSound(joinPath(config_.baseFolder, config_.hoverSound));
    button.setProductName([this] { return selectedProductName(); });
  }
  stackButtons();

  if (!config_.stage.empty()) {
    // Runs the resumed installation once the window is complete.
    busy_ = true;
    PostMessageA(hwnd(), kResumeMessage, 0, 0);
  } else {
    SetTimer(hwnd(), kIntroTimer, 200, nullptr);
  }

  setUpProductMenu();
  loadBackground();
  return true;
}

void MenuWindow::placeWindow() {
  // The picture, the logo area, the progress bar and the video all fill a 640 x 480 client area
  // at 96 DPI, grown with the DPI; the frame and caption come on top of that.
  RECT frame{0, 0, scaled(kClientWidth), scaled(kClientHeight)};
  AdjustWindowRectEx(&frame, static_cast<DWORD>(GetWindowLongA(hwnd(), GWL_STYLE)), FALSE,
                     static_cast<DWORD>(GetWindowLongA(hwnd(), GWL_EXSTYLE)));
  const int width = frame.right - frame.left;
  const int height = frame.bottom - frame.top;
  MONITORINFO monitor{};
  monitor.cbSize = sizeof monitor;
  GetMonitorInfoA(MonitorFromWindow(hwnd(), MONITOR_DEFAULTTONEAREST), &monitor);
  const RECT& work = monitor.rcWork;
  // Centred on the work area, but never with the caption above it, out of reach.
  const int left = std::max(work.left, work.left + (work.right - work.left - width) / 2);
  const int top = std::max(work.top, work.top + (work.bottom - work.top - height) / 2);
  SetWindowPos(hwnd(), nullptr, left, top, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
}

void MenuWindow::readConfiguration() {
  const MenuLanguage wanted = menuLanguageFor(uiLanguage_);
  const std::string localised = joinPath(config_.baseFolder, configurationFileOf(wanted));
  const bool hasLocalised = fileExists(localised);
  // "KvSetupX.ini" speaks the menu's first language.
  config_.language = hasLocalised ? wanted : MenuLanguage::Dutch;
  config_.readText(
      readFileText(hasLocalised ? localised : joinPath(config_.baseFolder, "KvSetupX.ini")));
}

void MenuWindow::setUpProductMenu() {
  productMenu_ = LoadMenuA(instance(), MAKEINTRESOURCEA(IDR_PRODUCTMENU));
  HMENU popup = GetSubMenu(productMenu_, 0);
  const int count = static_cast<int>(config_.productCount());
  for (int position = ID_PRODUCT_LAST - ID_PRODUCT_FIRST; position >= count; --position) {
    DeleteMenu(popup, static_cast<UINT>(position), MF_BYPOSITION);
  }
  for (int i = 0; i < count; ++i) {
    ModifyMenuA(popup, static_cast<UINT>(i), MF_BYPOSITION | MF_STRING,
                static_cast<UINT_PTR>(ID_PRODUCT_FIRST + i), config_.product(i)->Name.c_str());
  }
}

void MenuWindow::loadBackground() {
  const std::string path = joinPath(config_.baseFolder, config_.background);
  background_ = static_cast<HBITMAP>(
      LoadImageA(nullptr, path.c_str(), IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE | LR_CREATEDIBSECTION));
  if (background_ == nullptr) return;
  if (dpi_ != 96) {
    // The picture grows with the layout.
    BITMAP size{};
    GetObjectA(background_, sizeof size, &size);
    HANDLE grown = CopyImage(background_, IMAGE_BITMAP, scaled(size.bmWidth), scaled(size.bmHeight),
                             LR_CREATEDIBSECTION);
    if (grown != nullptr) {
      DeleteObject(background_);
      background_ = static_cast<HBITMAP>(grown);
    }
  }
  SendMessageA(item(IDC_BACKGROUND), STM_SETIMAGE, IMAGE_BITMAP,
               reinterpret_cast<LPARAM>(background_));
  // Beneath every other control, whatever order the dialog manager gave it.
  SetWindowPos(item(IDC_BACKGROUND), HWND_BOTTOM, 0, 0, 0, 0,
               SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  // The status text paints with the picture beneath it, so it looks transparent.
  pictureBrush_ = CreatePatternBrush(background_);

  DIBSECTION section{};
  GetObjectA(background_, sizeof section, &section);
  if (section.dsBm.bmBitsPixel > 8) {
    HDC screen = GetDC(nullptr);
    palette_ = CreateHalftonePalette(screen);
    ReleaseDC(nullptr, screen);
    return;
  }
  RGBQUAD colours[256] = {};
  HDC memory = CreateCompatibleDC(nullptr);
  HGDIOBJ old = SelectObject(memory, background_);
  const UINT used = GetDIBColorTable(memory, 0, 256, colours);
  SelectObject(memory, old);
  DeleteDC(memory);
  std::vector<char> storage(sizeof(LOGPALETTE) + 256 * sizeof(PALETTEENTRY));
  LOGPALETTE* logical = reinterpret_cast<LOGPALETTE*>(storage.data());
  logical->palVersion = 0x300;
  logical->palNumEntries = 256;
  for (UINT i = 0; i < 256; ++i) {
    const RGBQUAD& c = colours[i < used ? i : 0];
    logical->palPalEntry[i] = PALETTEENTRY{c.rgbRed, c.rgbGreen, c.rgbBlue, 0};
  }
  palette_ = CreatePalette(logical);
}

void MenuWindow::enableButtons(bool enable) {
  for (CMyButton& button : buttons_) EnableWindow(button.hwnd(), enable ? TRUE : FALSE);
}

void MenuWindow::showButtons() {
  for (CMyButton& button : buttons_) {
    ShowWindow(button.hwnd(), button.hidden() ? SW_HIDE : SW_SHOW);
  }
}

void MenuWindow::stackButtons() {
  if (!onWindowThread(hwnd())) {
    SendMessageA(hwnd(), kStackButtonsMessage, 0, 0);
    return;
  }
  int k = 0;
  for (int i : {kInstall, kManual, kSupport, kBrowse}) {
    CMyButton& button = buttons_[i];
    if (button.hidden()) continue;
    SetWindowPos(button.hwnd(), nullptr, scaled(10), scaled(270 + 35 * k), scaled(150), scaled(25),
                 SWP_NOZORDER);
    button.setSound(joinPath(config_.baseFolder, config_.buttonSounds[k]));
    ++k;
  }
}

bool MenuWindow::runReporting(StartKind kind, const StartRequest& request) {
  const DWORD error = runProgram(*starter_, hwnd(), request);
  if (error == ERROR_SUCCESS) return true;
  reportFailure(startFailureText(kind, request.file, systemMessage(error), error,
                                 menuTexts(config_.language)));
  return false;
}

void MenuWindow::reportIfFailed(const std::string& failure) {
  if (!failure.empty()) reportFailure(failure);
}

void MenuWindow::reportFailure(const std::string& text) {
  {
    std::lock_guard<std::mutex> lock(failureMutex_);
    failure_ = text;
  }
  setStatusText(text);
}

void MenuWindow::clearFailure() {
  std::lock_guard<std::mutex> lock(failureMutex_);
  failure_.clear();
}

void MenuWindow::setStatusText(const std::string& text) {
  char current[1024];
  GetWindowTextA(item(IDC_STATUS), current, sizeof current);
  if (text != current) SetWindowTextA(item(IDC_STATUS), text.c_str());
}

int MenuWindow::progressPosition() const {
  return static_cast<int>(SendMessageA(item(IDC_PROGRESS), PBM_GETPOS, 0, 0));
}

void MenuWindow::setProgress(int position) {
  SendMessageA(item(IDC_PROGRESS), PBM_SETPOS, static_cast<WPARAM>(position), 0);
}

void MenuWindow::stepProgress() { SendMessageA(item(IDC_PROGRESS), PBM_STEPIT, 0, 0); }

void MenuWindow::repaint() {
  RedrawWindow(hwnd(), nullptr, nullptr,
               RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
}

std::string MenuWindow::selectedProductName() const {
  const Product* product = config_.product(selected_ >= 0 ? selected_ : 0);
  return product != nullptr ? product->Name : std::string();
}

const CMyButton* MenuWindow::buttonWithId(int id) const {
  for (int i = 0; i < kButtonCount; ++i) {
    if (kButtonIds[i] == id) return &buttons_[i];
  }
  return nullptr;
}

CMyButton& MenuWindow::buttonFor(Action action) {
  switch (action) {
    case kActionManual:
      return buttons_[kManual];
    case kActionSupport:
      return buttons_[kSupport];
    case kActionInstall:
      break;
  }
  return buttons_[kInstall];
}

INT_PTR MenuWindow::handleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_COMMAND:
      onCommand(LOWORD(wParam));
      return TRUE;
    case WM_MOUSEMOVE:
      onMouseMove(POINT{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))});
      return TRUE;
    case WM_LBUTTONDOWN:
      onLeftButtonDown(
          POINT{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))});
      return TRUE;
    case WM_MENUSELECT:
      onMenuSelect(LOWORD(wParam));
      return TRUE;
    case WM_TIMER:
      onTimer(wParam);
      return TRUE;
    case WM_SETCURSOR:
      if (!busy_) return FALSE;
      SetCursor(LoadCursor(nullptr, IDC_WAIT));
      SetWindowLongPtrA(hwnd(), DWLP_MSGRESULT, TRUE);
      return TRUE;
    case WM_DRAWITEM:
      for (CMyButton& button : buttons_) {
        if (GetDlgCtrlID(button.hwnd()) == static_cast<int>(wParam)) {
          button.drawItem(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam));
          return TRUE;
        }
      }
      return FALSE;
    case WM_CTLCOLORDLG:
      return reinterpret_cast<INT_PTR>(backgroundBrush_);
    case WM_CTLCOLORSTATIC:
      return onControlColor(reinterpret_cast<HDC>(wParam), reinterpret_cast<HWND>(lParam));
    case WM_PAINT:
    case WM_SIZE:
      video_.place();
      return FALSE;
    case WM_QUERYNEWPALETTE:
      if (palette_ == nullptr) return FALSE;
      {
        HDC dc = GetDC(hwnd());
        HPALETTE old = SelectPalette(dc, palette_, FALSE);
        RealizePalette(dc);
        SelectPalette(dc, old, FALSE);
        ReleaseDC(hwnd(), dc);
      }
      InvalidateRect(hwnd(), nullptr, TRUE);
      return TRUE;
    case kResumeMessage:
      if (selected_ >= 0) {
        InstallFlow(*this).run();
      } else {
        // Which of several products to go on with is not known: the user says.
        busy_ = false;
        pendingAction_ = kActionInstall;
        showProductMenu(kActionInstall);
      }
      return TRUE;
    case kStackButtonsMessage:
      stackButtons();
      return TRUE;
    case WM_DESTROY:
      KillTimer(hwnd(), kIntroTimer);
      KillTimer(hwnd(), kVideoTimer);
      video_.stop();
      PostQuitMessage(0);
      return TRUE;
    default:
      return FALSE;
  }
}

INT_PTR MenuWindow::onControlColor(HDC dc, HWND control) {
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, RGB(255, 255, 255));
  if (control == item(IDC_STATUS) && pictureBrush_ != nullptr) {
    RECT rc;
    GetWindowRect(control, &rc);
    MapWindowPoints(nullptr, hwnd(), reinterpret_cast<POINT*>(&rc), 2);
    SetBrushOrgEx(dc, -rc.left, -rc.top, nullptr);
    return reinterpret_cast<INT_PTR>(pictureBrush_);
  }
  return reinterpret_cast<INT_PTR>(backgroundBrush_);
}

void MenuWindow::onCommand(int id) {
  switch (id) {
    case IDC_INSTALL:
      onActionButton(kActionInstall);
      return;
    case IDC_MANUAL:
      onActionButton(kActionManual);
      return;
    case IDC_SUPPORT:
      onActionButton(kActionSupport);
      return;
    case IDC_BROWSE:
      if (busy_) return;
      clearFailure();
      runBusy(&MenuWindow::browseCd);
      return;
    case IDC_EXIT:
    case IDCANCEL:
      // The installation uses this window until it ends.
      if (!busy_) DestroyWindow(hwnd());
      return;
    default:
      break;
  }
  const int index = id - ID_PRODUCT_FIRST;
  if (index >= 0 && index < static_cast<int>(config_.productCount()) && !busy_) {
    selected_ = index;
    perform(pendingAction_, true);
  }
}

void MenuWindow::onActionButton(Action action) {
  if (busy_) return;
  pendingAction_ = action;
  if (config_.productCount() < 2) {
    selected_ = 0;
    perform(action, false);
    return;
  }
  selected_ = -1;
  showProductMenu(action);
}

void MenuWindow::showProductMenu(Action action) {
  RECT rc;
  GetWindowRect(buttonFor(action).hwnd(), &rc);
  SetForegroundWindow(hwnd());
  TrackPopupMenu(GetSubMenu(productMenu_, 0), TPM_CENTERALIGN | TPM_TOPALIGN | TPM_LEFTBUTTON,
                 (rc.left + rc.right) / 2, rc.bottom, 0, hwnd(), nullptr);
  // Lets the menu close properly when the user clicks elsewhere.
  PostMessageA(hwnd(), WM_NULL, 0, 0);
}

void MenuWindow::perform(Action action, bool fromMenu) {
  clearFailure();
  setStatusText(buttonFor(action).actionText());
  switch (action) {
    case kActionInstall:
      if (fromMenu) {
        InstallFlow(*this).run();
      } else {
        startInstallThread();
      }
      break;
    case kActionManual:
      runBusy(&MenuWindow::openManuals);
      break;
    case kActionSupport:
      runBusy(&MenuWindow::openSupportPage);
      break;
  }
}

void MenuWindow::runBusy(void (MenuWindow::*action)()) {
  busy_ = true;
  enableButtons(false);
  (this->*action)();
  enableButtons(true);
  busy_ = false;
}

void MenuWindow::startInstallThread() {
  // Set here, not in the thread, so that no second click slips in before the thread starts.
  busy_ = true;
  if (installThread_.joinable()) installThread_.join();
  installThread_ = std::thread([this] {
    // The shell may hand a start to COM objects on this thread.
    const bool com = SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED));
    InstallFlow(*this).run();
    if (com) CoUninitialize();
  });
}

ShellActions MenuWindow::shellActions() { return ShellActions(*starter_, config_, hwnd()); }

void MenuWindow::openManuals() {
  reportIfFailed(shellActions().openManuals(config_.product(selected_)));
}

void MenuWindow::openSupportPage() {
  reportIfFailed(shellActions().openSupportPage(config_.product(selected_)));
  repaint();
  showButtons();
}

void MenuWindow::browseCd() {
  reportIfFailed(shellActions().browseCd());
  repaint();
  showButtons();
}

void MenuWindow::openHomePage() { reportIfFailed(shellActions().openHomePage()); }

void MenuWindow::onMouseMove(POINT point) {
  for (CMyButton& button : buttons_) {
    if (!button.armed()) InvalidateRect(button.hwnd(), nullptr, FALSE);
    button.rearm();
  }
  std::string resting;
  {
    std::lock_guard<std::mutex> lock(failureMutex_);
    resting = failure_;
  }
  setStatusText(resting);
  if (!inLogoArea(layoutPoint(point))) {
    inLogo_ = false;
    return;
  }
  setStatusText(texts().logo);
  if (!videoPlaying_) SetCursor(LoadCursor(nullptr, IDC_HAND));
  if (!inLogo_) {
    sndPlaySoundA(joinPath(config_.baseFolder, config_.hoverSound).c_str(),
                  SND_ASYNC | SND_NODEFAULT);
  }
  inLogo_ = true;
}

void MenuWindow::onLeftButtonDown(POINT point) {
  if (busy_) return;
  setProgress(0);
  stopIntroVideo();
  KillTimer(hwnd(), kIntroTimer);
  repaint();
  if (!inLogoArea(layoutPoint(point))) return;
  clearFailure();
  runBusy(&MenuWindow::openHomePage);
}

void MenuWindow::onMenuSelect(int id) {
  const int index = id - ID_PRODUCT_FIRST;
  if (index < 0 || index >= static_cast<int>(config_.productCount())) return;
  SetCursor(LoadCursor(nullptr, IDC_HAND));
  setStatusText(
      withProductName(buttonFor(pendingAction_).hoverText(), config_.product(index)->Name));
}

void MenuWindow::onTimer(UINT_PTR id) {
  KillTimer(hwnd(), id);
  if (id == kIntroTimer) {
    playIntroVideo();
  } else if (id == kVideoTimer) {
    stopIntroVideo();
    showButtons();
    repaint();
  }
}

void MenuWindow::playIntroVideo() {
  videoPlaying_ = true;
  if (!video_.play(hwnd(), joinPath(config_.baseFolder, config_.video))) {
    videoPlaying_ = false;
    return;
  }
  SetTimer(hwnd(), kVideoTimer, 4000, nullptr);
}

void MenuWindow::stopIntroVideo() {
  video_.stop();
  videoPlaying_ = false;
}

}  // namespace launcher
