#include "config/DisplayModeDialog.h"

#include <SDL.h>

#include <cstdio>
#include <string>

#include "config/DialogIds.h"
#include "config/ProgramTexts.h"
#include "formats/FileOpen.h"
#include "formats/TextTableKeys.h"

namespace {

// The video layer answers with a list, with nothing, or with "any size" (-1).
bool isModeList(SDL_Rect** modes) { return modes && modes != reinterpret_cast<SDL_Rect**>(-1); }

}  // namespace

DisplayModeDialog* DisplayModeDialog::active_ = nullptr;

DisplayModeDialog::DisplayModeDialog(ScreenSettings& settings, const char* textFile, textkeys::Language language)
    : working_(settings), caller_(settings), language_(language) {
  copyText(textFile_, textFile);
}

DisplayModeDialog::~DisplayModeDialog() {
  if (active_ == this) active_ = previous_;
}

INT_PTR DisplayModeDialog::run(HINSTANCE module, HWND owner) {
  texts_.setLanguage(language_);
  texts_.openFile(textFile_);
  previous_ = active_;
  active_ = this;
  const INT_PTR result = DialogBoxParamA(module, MAKEINTRESOURCEA(IDD_DISPLAYMODE), owner, dialogProc, 0);
  active_ = previous_;
  return result;
}

INT_PTR CALLBACK DisplayModeDialog::dialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
  DisplayModeDialog* self = active_;
  if (!self) return FALSE;
  switch (message) {
    case WM_INITDIALOG:
      self->openDialog(dialog);
      return TRUE;
    case WM_COMMAND:
      self->command(dialog, LOWORD(wParam));
      return TRUE;
    default:
      return FALSE;
  }
}

void DisplayModeDialog::openDialog(HWND dialog) {
  SetWindowTextA(dialog, texts_.lookup(textkeys::screenlanguage::Caption));
  SetDlgItemTextA(dialog, IDC_MODE_GROUP, texts_.lookup(textkeys::screenlanguage::DisplayModeText));
  SetDlgItemTextA(dialog, IDC_MODE_LEAVERES, texts_.lookup(textkeys::screenlanguage::LeaveResolution));
  SetDlgItemTextA(dialog, IDC_MODE_BPPTEXT, texts_.lookup(textkeys::screenlanguage::BitsPerPixel));
  SetDlgItemTextA(dialog, IDC_MODE_RESTEXT, texts_.lookup(textkeys::screenlanguage::Resolution));
  SetDlgItemTextA(dialog, IDC_MODE_SHADE, texts_.lookup(textkeys::screenlanguage::ShadeSecondary));
  SetDlgItemTextA(dialog, IDCANCEL, texts_.lookup(textkeys::screenlanguage::Cancel));
  SetDlgItemTextA(dialog, IDC_MODE_MONITORTEXT, texts_.lookup(textkeys::screenlanguage::MonitorMode));

  EnableWindow(GetDlgItem(dialog, IDC_MODE_SHADE), working_.MultiMonitor);
  CheckDlgButton(dialog, IDC_MODE_SHADE, working_.ShadeScecondary ? BST_CHECKED : BST_UNCHECKED);
  CheckDlgButton(dialog, IDC_MODE_LEAVERES, working_.LeaveRes ? BST_CHECKED : BST_UNCHECKED);
  enableLists(dialog);

  // The video layer indexes a table by the depth it is asked for, unchecked; a stored depth other
  // than the two offered (the registry may hold anything) is shown, listed and kept as 32.
  if (working_.Bpp != 16 && working_.Bpp != 32) working_.Bpp = 32;
  const std::wstring depths[] = {fileopen::wide(programtexts::Depth16.in(language_)),
                                 fileopen::wide(programtexts::Depth32.in(language_))};
  for (int i = 0; i < 2; ++i) {
    SendDlgItemMessageW(dialog, IDC_MODE_BPP, CB_INSERTSTRING, i, reinterpret_cast<LPARAM>(depths[i].c_str()));
  }
  SendDlgItemMessageA(dialog, IDC_MODE_BPP, CB_SETCURSEL, working_.Bpp == 32 ? 1 : 0, 0);
  fillResolutions(dialog);

  // A stored value the list does not offer acts as the first item, and is kept until the list
  // reports a choice.
  for (const char* item : textkeys::screenlanguage::MonitorItems) {
    SendDlgItemMessageA(dialog, IDC_MODE_MONITORS, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(texts_.lookup(item)));
  }
  const int32_t mode = working_.MonitorMode;
  SendDlgItemMessageA(dialog, IDC_MODE_MONITORS, CB_SETCURSEL, mode == EveryMonitor || mode == Panorama ? mode : 0, 0);
}

void DisplayModeDialog::enableLists(HWND dialog) {
  EnableWindow(GetDlgItem(dialog, IDC_MODE_RES), !working_.LeaveRes);
  EnableWindow(GetDlgItem(dialog, IDC_MODE_BPP), !working_.LeaveRes);
}

void DisplayModeDialog::fillResolutions(HWND dialog) {
  SDL_PixelFormat format = {};
  format.BitsPerPixel = static_cast<Uint8>(working_.Bpp);
  // The video layer reads its device unchecked: without a started video layer (SDL_Init failed)
  // there are no modes to ask for.
  modes_ = SDL_WasInit(SDL_INIT_VIDEO) ? SDL_ListModes(&format, SDL_FULLSCREEN) : nullptr;

  HWND list = GetDlgItem(dialog, IDC_MODE_RES);
  SendMessageA(list, CB_RESETCONTENT, 0, 0);
  int stored = -1;
  if (isModeList(modes_)) {
    for (int i = 0; modes_[i]; ++i) {
      char text[32];
      std::snprintf(text, sizeof(text), "%d x %d", modes_[i]->w, modes_[i]->h);
      SendMessageA(list, CB_INSERTSTRING, 0, reinterpret_cast<LPARAM>(text));
      SendMessageA(list, CB_SETITEMDATA, 0, i);
      if (stored < 0 && modes_[i]->w == working_.Width && modes_[i]->h == working_.Height) stored = i;
    }
  }
  int selection = 0;
  if (stored >= 0 && !working_.LeaveRes) {
    const int count = static_cast<int>(SendMessageA(list, CB_GETCOUNT, 0, 0));
    for (int item = 0; item < count; ++item) {
      if (SendMessageA(list, CB_GETITEMDATA, item, 0) == stored) selection = item;
    }
  }
  SendMessageA(list, CB_SETCURSEL, selection, 0);
}

void DisplayModeDialog::command(HWND dialog, int id) {
  switch (id) {
    case IDOK:
      caller_ = working_;
      EndDialog(dialog, IDOK);
      break;
    case IDCANCEL:
      EndDialog(dialog, IDCANCEL);
      break;
    case IDC_MODE_LEAVERES:
      working_.LeaveRes = IsDlgButtonChecked(dialog, IDC_MODE_LEAVERES) == BST_CHECKED;
      enableLists(dialog);
      break;
    case IDC_MODE_SHADE:
      working_.ShadeScecondary = IsDlgButtonChecked(dialog, IDC_MODE_SHADE) == BST_CHECKED;
      break;
    case IDC_MODE_MONITORS: {
      const LRESULT item = SendDlgItemMessageA(dialog, IDC_MODE_MONITORS, CB_GETCURSEL, 0, 0);
      if (item != CB_ERR) working_.MonitorMode = static_cast<int32_t>(item);
      break;
    }
    case IDC_MODE_RES: {
      const LRESULT item = SendDlgItemMessageA(dialog, IDC_MODE_RES, CB_GETCURSEL, 0, 0);
      if (item == CB_ERR || !isModeList(modes_)) break;
      const LRESULT mode = SendDlgItemMessageA(dialog, IDC_MODE_RES, CB_GETITEMDATA, item, 0);
      // The item data indexes the layer's list as it was when the list was filled.
      int count = 0;
      while (modes_[count]) ++count;
      if (mode >= 0 && mode < count) {
        working_.Width = modes_[mode]->w;
        working_.Height = modes_[mode]->h;
      }
      break;
    }
    case IDC_MODE_BPP: {
      const LRESULT selection = SendDlgItemMessageA(dialog, IDC_MODE_BPP, CB_GETCURSEL, 0, 0);
      if (selection == 0) working_.Bpp = 16;
      if (selection == 1) working_.Bpp = 32;
      fillResolutions(dialog);
      break;
    }
    default:
      break;
  }
}
