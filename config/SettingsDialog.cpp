#include "config/SettingsDialog.h"

#include <commctrl.h>
#include <shellapi.h>

#include <cstdio>
#include <cstring>

#include "config/DialogIds.h"
#include "config/DialogPlacement.h"
#include "formats/FileOpen.h"
#include "formats/TextTableKeys.h"

namespace {

struct PageEntry {
  const char* labelKey;
  int templateId;
};

const PageEntry PageOrder[] = {
    {textkeys::language::Intro, IDD_PAGE_INTRO}, {textkeys::language::Boid, IDD_PAGE_BOID},
    {textkeys::language::Fish, IDD_PAGE_FISH},   {textkeys::language::Birds, IDD_PAGE_BIRDS},
    {textkeys::language::Sky, IDD_PAGE_SKY},     {textkeys::language::Camera, IDD_PAGE_CAMERA},
    {textkeys::language::Sound, IDD_PAGE_SOUND},
};

const int CameraMotionControls[] = {
    IDC_CAMERA_SPEED,     IDC_CAMERA_TOP,        IDC_CAMERA_BOTTOM,   IDC_CAMERA_SPEEDTEXT,
    IDC_CAMERA_TOPTEXT,   IDC_CAMERA_BOTTOMTEXT, IDC_CAMERA_SPEEDLOW, IDC_CAMERA_TOPLOW,
    IDC_CAMERA_BOTTOMLOW, IDC_CAMERA_SPEEDHIGH,  IDC_CAMERA_TOPHIGH,  IDC_CAMERA_BOTTOMHIGH,
};

// The check box of each creature kind's switch.
struct KindSwitch {
  int id;
  bool SaverSettings::*flag;
};

const KindSwitch KindSwitches[] = {
    {IDC_FISH_BIGGREY, &SaverSettings::FishBigGrey}, {IDC_FISH_BIGRED, &SaverSettings::FishBigRed},
    {IDC_FISH_BLUE, &SaverSettings::FishBlue},       {IDC_FISH_DOT, &SaverSettings::FishDot},
    {IDC_FISH_RED, &SaverSettings::FishRed},         {IDC_FISH_STRIPE, &SaverSettings::FishStripe},
    {IDC_FISH_YELLBLU, &SaverSettings::FishYellBlu}, {IDC_FISH_MANTA, &SaverSettings::FishManta},
    {IDC_BIRD_GULL, &SaverSettings::BirdGull},
};

void setNumber(HWND window, int id, int value) {
  char text[16];
  std::snprintf(text, sizeof(text), "%d", value);
  SetDlgItemTextA(window, id, text);
}

void setTrackbar(HWND window, int id, int low, int high, bool ticks, int position) {
  SendDlgItemMessageA(window, id, TBM_SETRANGE, TRUE, MAKELPARAM(low, high));
  if (ticks) SendDlgItemMessageA(window, id, TBM_SETTICFREQ, 1, 0);
  SendDlgItemMessageA(window, id, TBM_SETPOS, TRUE, position);
}

void check(HWND window, int id, bool on) { CheckDlgButton(window, id, on ? BST_CHECKED : BST_UNCHECKED); }

bool isChecked(HWND window, int id) { return IsDlgButtonChecked(window, id) == BST_CHECKED; }

// The birds page's group box carries no control number; it is the page's one id-less group box.
HWND unnumberedGroupBox(HWND page) {
  for (HWND child = GetWindow(page, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
    char className[16] = {};
    GetClassNameA(child, className, sizeof(className));
    const LONG style = GetWindowLongA(child, GWL_STYLE);
    if ((GetDlgCtrlID(child) & 0xFFFF) == 0xFFFF && lstrcmpiA(className, "Button") == 0 &&
        (style & 0x0F) == BS_GROUPBOX) {
      return child;
    }
  }
  return nullptr;
}

}  // namespace

SettingsDialog* SettingsDialog::active_ = nullptr;

SettingsDialog::SettingsDialog(SaverSettings& settings, ScreenSettingsEditor& editor, TextTable& language,
                               TextTable& directory, const char* dataFolder)
    : working_(settings), caller_(settings), editor_(editor), language_(language), directory_(directory) {
  copyText(dataFolder_, dataFolder);
}

SettingsDialog::~SettingsDialog() {
  if (introPicture_) DeleteObject(introPicture_);
  if (active_ == this) active_ = nullptr;
}

INT_PTR SettingsDialog::run(HINSTANCE module, HWND owner) {
  module_ = module;
  pages_.clear();
  for (const PageEntry& entry : PageOrder) {
    Page page = {};
    std::snprintf(page.label, sizeof(page.label), "%s", language_.lookup(entry.labelKey));
    page.templateId = entry.templateId;
    pages_.push_back(page);
  }
  INITCOMMONCONTROLSEX controls = {sizeof(controls), ICC_LISTVIEW_CLASSES | ICC_BAR_CLASSES};
  InitCommonControlsEx(&controls);
  active_ = this;
  const INT_PTR result = DialogBoxParamA(module, MAKEINTRESOURCEA(IDD_SETTINGS), owner, dialogProc, 0);
  active_ = nullptr;
  return result;
}

INT_PTR CALLBACK SettingsDialog::dialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  SettingsDialog* self = active_;
  if (!self) return FALSE;
  switch (message) {
    case WM_INITDIALOG:
      self->openDialog(dialog);
      return TRUE;
    case WM_DPICHANGED:
      self->pictures_.rescale(LOWORD(wParam));
      return FALSE;  // the system lays the dialog out anew
    case WM_NOTIFY: {
      const auto* header = reinterpret_cast<const NMHDR*>(lParam);
      if (header->idFrom == IDC_PAGELIST && header->code == LVN_ITEMCHANGED) self->listNotified(header);
      return FALSE;
    }
    case WM_COMMAND:
      if (LOWORD(wParam) == IDOK) {
        self->caller_ = self->working_;
        EndDialog(dialog, IDOK);
        return TRUE;
      }
      if (LOWORD(wParam) == IDCANCEL) {
        EndDialog(dialog, IDCANCEL);
        return TRUE;
      }
      return FALSE;
    default:
      return FALSE;
  }
}

void SettingsDialog::setText(HWND window, int id, const char* key) {
  SetDlgItemTextA(window, id, language_.lookup(key));
}

// A text file from before the key keeps the template's text rather than leave a control unnamed.
void SettingsDialog::setLaterText(HWND window, int id, const char* key) {
  const char* text = language_.lookup(key);
  if (*text) SetDlgItemTextA(window, id, text);
}

void SettingsDialog::openDialog(HWND dialog) {
  dialog_ = dialog;
  SetWindowTextA(dialog, language_.lookup(textkeys::language::Caption));
  setText(dialog, IDCANCEL, textkeys::language::Cancel);
  setText(dialog, IDC_SCREENSETTINGS, textkeys::language::ScreenSettings);

  // The page's place is given in pixels at 96 DPI; the list beside it grows with the text.
  const int dpi = static_cast<int>(dpiOfWindow(dialog));
  for (Page& page : pages_) {
    page.window = CreateDialogParamA(module_, MAKEINTRESOURCEA(page.templateId), dialog, pageProc, 0);
    SetWindowPos(page.window, nullptr, MulDiv(PageX, dpi, 96), MulDiv(PageY, dpi, 96), 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_FRAMECHANGED);
    ShowWindow(page.window, SW_HIDE);
  }

  HWND list = GetDlgItem(dialog, IDC_PAGELIST);
  for (size_t i = 0; i <= pages_.size(); ++i) {
    LVITEMA item = {};
    item.mask = LVIF_TEXT;
    item.iItem = static_cast<int>(i);
    item.pszText =
        const_cast<char*>(i < pages_.size() ? pages_[i].label : language_.lookup(textkeys::language::ScreenSettings));
    SendMessageA(list, LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item));
  }
  LVITEMA selection = {};
  selection.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
  selection.state = LVIS_SELECTED | LVIS_FOCUSED;
  SendMessageA(list, LVM_SETITEMSTATE, 0, reinterpret_cast<LPARAM>(&selection));

  chosen_ = 0;
  for (size_t i = 0; i < pages_.size(); ++i) ShowWindow(pages_[i].window, i == 0 ? SW_SHOW : SW_HIDE);
  centreDialog(dialog);
}

void SettingsDialog::listNotified(const NMHDR* header) {
  HWND list = header->hwndFrom;
  if (SendMessageA(list, LVM_GETSELECTEDCOUNT, 0, 0) == 0) return;
  const int index = static_cast<int>(SendMessageA(list, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED));
  choosePage(index);
}

void SettingsDialog::choosePage(int index) {
  if (pages_.empty() || index == chosen_ || index < 0) return;
  chosen_ = index;
  if (index == static_cast<int>(pages_.size())) {
    // The page shown so far stays; choosing this entry again does nothing until another page was chosen.
    editor_.editScreenSettings(dialog_);
    return;
  }
  for (size_t i = 0; i < pages_.size(); ++i) {
    ShowWindow(pages_[i].window, static_cast<int>(i) == index ? SW_SHOW : SW_HIDE);
  }
}

INT_PTR CALLBACK SettingsDialog::pageProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam) {
  SettingsDialog* self = active_;
  if (!self) return FALSE;
  switch (message) {
    case WM_INITDIALOG:
      self->openPage(page);
      return FALSE;
    case WM_COMMAND:
      self->pageCommand(page, LOWORD(wParam));
      return TRUE;
    case WM_HSCROLL:
      if (lParam) self->trackbarMoved(page, reinterpret_cast<HWND>(lParam));
      return TRUE;
    default:
      return FALSE;
  }
}

void SettingsDialog::openPage(HWND page) {
  const SaverSettings& s = working_;
  setText(page, IDC_INTRO_TEXT, textkeys::language::InfoText);
  setText(page, IDC_BOID_TYPE, textkeys::language::BoidType);
  setText(page, IDC_BOID_COUNTGROUP, textkeys::language::BoidCount);
  setText(page, IDC_FISH_TYPE, textkeys::language::FishType);
  setText(page, IDC_FISH_COUNTGROUP, textkeys::language::FishCount);
  if (HWND birdGroup = unnumberedGroupBox(page))
    SetWindowTextA(birdGroup, language_.lookup(textkeys::language::BirdType));
  setText(page, IDC_SKY_GROUP, textkeys::language::SkyText);
  setText(page, IDC_SKY_CLOUDY, textkeys::language::Cloudy);
  setText(page, IDC_SKY_CLEAR, textkeys::language::Cloudless);
  setText(page, IDC_CAMERA_GROUP, textkeys::language::CameraText);
  setText(page, IDC_CAMERA_SPEEDTEXT, textkeys::language::ScrollSpeed);
  setText(page, IDC_CAMERA_TOPTEXT, textkeys::language::RestTimeTop);
  setText(page, IDC_CAMERA_BOTTOMTEXT, textkeys::language::RestTimeBottom);
  setText(page, IDC_SOUND_GROUP, textkeys::language::SoundText);
  setText(page, IDC_SOUND_ON, textkeys::language::OnOff);
  setLaterText(page, IDC_SOUND_VOLUMETEXT, textkeys::language::Volume);
  setLaterText(page, IDC_SHOW_CLOCK, textkeys::language::ShowClock);
  setText(page, IDC_HYPERLINK, textkeys::language::HyperlinkText);

  if (GetDlgItem(page, IDC_INTRO_PICTURE)) {
    char path[PathSize];
    if (joinDataPath(path, dataFolder_, directory_.lookup(textkeys::directory::MainBitmap))) {
      HANDLE picture =
          LoadImageW(nullptr, widePath(path).c_str(), IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE | LR_CREATEDIBSECTION);
      if (picture) {
        if (introPicture_) DeleteObject(introPicture_);
        introPicture_ = static_cast<HBITMAP>(picture);
        SendDlgItemMessageA(page, IDC_INTRO_PICTURE, STM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(picture));
      }
    }
  }

  setTrackbar(page, IDC_BOID_COUNT, 0, 4, true, s.BoidCount / 5);
  setNumber(page, IDC_BOID_COUNTTEXT, s.BoidCount);
  check(page, IDC_BOID_SILVER, s.BoidModel == 0);
  check(page, IDC_BOID_ANGLE, s.BoidModel == 1);

  for (const KindSwitch& kind : KindSwitches) check(page, kind.id, s.*kind.flag);

  setTrackbar(page, IDC_FISH_COUNT, 0, 10, true, s.FishCount);
  setNumber(page, IDC_FISH_COUNTTEXT, s.FishCount);

  if (HWND positions = GetDlgItem(page, IDC_CAMERA_POS)) {
    for (const char* key : {textkeys::language::Automatic, textkeys::language::Top, textkeys::language::Middle,
                            textkeys::language::Bottom}) {
      SendMessageA(positions, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(language_.lookup(key)));
    }
    SendMessageA(positions, CB_SETCURSEL, static_cast<WPARAM>(s.CameraPos), 0);
  }
  setTrackbar(page, IDC_CAMERA_SPEED, 1, 9, false, s.CameraSpeed);
  setTrackbar(page, IDC_CAMERA_TOP, 5, 60, false, s.CameraFixTop);
  setTrackbar(page, IDC_CAMERA_BOTTOM, 5, 60, false, s.CameraFixBottom);
  showCameraMotion(page, s.CameraPos == 0);

  check(page, IDC_SKY_CLOUDY, s.SkyType == 0);
  check(page, IDC_SKY_CLEAR, s.SkyType == 1);
  check(page, IDC_SOUND_ON, s.SoundOn);
  setTrackbar(page, IDC_SOUND_VOLUME, 0, MaxSoundVolume, false, s.SoundVolume);
  check(page, IDC_SHOW_CLOCK, s.ShowClock);
  pictures_.addAll(page);
}

void SettingsDialog::showCameraMotion(HWND page, bool show) {
  for (int id : CameraMotionControls) {
    if (HWND control = GetDlgItem(page, id)) ShowWindow(control, show ? SW_SHOW : SW_HIDE);
  }
}

void SettingsDialog::pageCommand(HWND page, int id) {
  SaverSettings& s = working_;
  for (const KindSwitch& kind : KindSwitches) {
    if (kind.id == id) {
      s.*kind.flag = isChecked(page, id);
      return;
    }
  }
  switch (id) {
    case IDC_SOUND_ON:
      s.SoundOn = isChecked(page, id);
      break;
    case IDC_SHOW_CLOCK:
      s.ShowClock = isChecked(page, id);
      break;
    case IDC_BOID_SILVER:
      if (isChecked(page, id)) s.BoidModel = 0;
      break;
    case IDC_BOID_ANGLE:
      if (isChecked(page, id)) s.BoidModel = 1;
      break;
    case IDC_SKY_CLOUDY:
      if (isChecked(page, id)) s.SkyType = 0;
      break;
    case IDC_SKY_CLEAR:
      if (isChecked(page, id)) s.SkyType = 1;
      break;
    case IDC_CAMERA_POS:
      s.CameraPos = static_cast<int>(SendDlgItemMessageA(page, id, CB_GETCURSEL, 0, 0));
      showCameraMotion(page, s.CameraPos == 0);
      break;
    case IDC_HYPERLINK:
      ShellExecuteA(nullptr, "open", language_.lookup(textkeys::language::Hyperlink), nullptr, nullptr, SW_SHOWNORMAL);
      break;
    default:
      break;
  }
}

void SettingsDialog::trackbarMoved(HWND page, HWND trackbar) {
  SaverSettings& s = working_;
  const int position = static_cast<int>(SendMessageA(trackbar, TBM_GETPOS, 0, 0));
  switch (GetDlgCtrlID(trackbar)) {
    case IDC_BOID_COUNT:
      s.BoidCount = position * 5;
      setNumber(page, IDC_BOID_COUNTTEXT, s.BoidCount);
      break;
    case IDC_FISH_COUNT:
      s.FishCount = position;
      setNumber(page, IDC_FISH_COUNTTEXT, s.FishCount);
      break;
    case IDC_CAMERA_SPEED:
      s.CameraSpeed = position;
      break;
    case IDC_CAMERA_TOP:
      s.CameraFixTop = position;
      break;
    case IDC_CAMERA_BOTTOM:
      s.CameraFixBottom = position;
      break;
    case IDC_SOUND_VOLUME:
      s.SoundVolume = position;
      break;
    default:
      break;
  }
}
