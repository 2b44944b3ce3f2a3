// In every language, on every page of the settings dialog and in the display-mode dialog, every
// label fits its control: its text, measured in the control's own font, leaves room for the
// control's frame, box or mark. Run on a display of 96 DPI (config_tests) and again of 144 DPI
// (config_tests_144dpi), where the fonts grow by steps of their own.
#include <windows.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "config/DialogIds.h"
#include "config/DisplayModeDialog.h"
#include "config/SettingsDialog.h"
#include "config/TextTable.h"
#include "tests/support/ChildProcess.h"
#include "tests/support/DialogDriver.h"
#include "tests/support/ScreenCapture.h"
#include "tests/support/TestEnvironment.h"

namespace {

using textkeys::Language;

std::string productFile(const char* name) { return testenv::buildFolder() + "Reefglass\\" + name; }

int screenDpi() {
  HDC screen = GetDC(nullptr);
  const int dpi = GetDeviceCaps(screen, LOGPIXELSY);
  ReleaseDC(nullptr, screen);
  return dpi;
}

std::wstring wideText(HWND window) {
  wchar_t text[1024] = {};
  GetWindowTextW(window, text, 1024);
  return text;
}

std::string narrow(const std::wstring& text) {
  char bytes[2048] = {};
  WideCharToMultiByte(CP_UTF8, 0, text.c_str(), -1, bytes, sizeof(bytes), nullptr, nullptr);
  return bytes;
}

// The text as the control would draw it, wrapped at width when wrap is set.
SIZE extent(HWND control, const std::wstring& text, int width, bool wrap) {
  HDC dc = GetDC(control);
  HGDIOBJ old = SelectObject(dc, reinterpret_cast<HFONT>(SendMessageW(control, WM_GETFONT, 0, 0)));
  RECT rect = {0, 0, width, 0};
  DrawTextW(dc, text.c_str(), -1, &rect, DT_CALCRECT | (wrap ? DT_WORDBREAK : DT_SINGLELINE));
  SelectObject(dc, old);
  ReleaseDC(control, dc);
  return {rect.right - rect.left, rect.bottom - rect.top};
}

struct Misfit {
  std::string text;
  SIZE needed;
  SIZE room;
};

class Measure {
 public:
  explicit Measure(int dpi) : dpi_(dpi) {}

  // Every visible label under window (its pages included) that does not fit.
  std::vector<Misfit> misfits(HWND window) {
    found_.clear();
    EnumChildWindows(window, visit, reinterpret_cast<LPARAM>(this));
    return found_;
  }
  int controlsMeasured() const { return measured_; }

 private:
  static BOOL CALLBACK visit(HWND control, LPARAM self) {
    reinterpret_cast<Measure*>(self)->measure(control);
    return TRUE;
  }

  int scaled(int pixels) const { return MulDiv(pixels, dpi_, 96); }

  void check(const std::wstring& text, SIZE needed, SIZE room) {
    ++measured_;
    if (needed.cx > room.cx || needed.cy > room.cy) found_.push_back({narrow(text), needed, room});
  }

  void measure(HWND control) {
    const LONG style = GetWindowLongW(control, GWL_STYLE);
    if (!(style & WS_VISIBLE)) return;  // never shown (hidden pages show their controls)
    wchar_t className[32] = {};
    GetClassNameW(control, className, 32);
    RECT client;
    GetClientRect(control, &client);
    const SIZE room = {client.right, client.bottom};

    if (lstrcmpiW(className, L"ComboBox") == 0) {
      // The chosen item shows beside the drop-down button.
      const int items = static_cast<int>(SendMessageW(control, CB_GETCOUNT, 0, 0));
      for (int i = 0; i < items; ++i) {
        wchar_t item[256] = {};
        SendMessageW(control, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(item));
        const SIZE text = extent(control, item, 0, false);
        check(item, {text.cx + GetSystemMetrics(SM_CXVSCROLL) + scaled(6), 0}, room);
      }
      return;
    }
    const std::wstring text = wideText(control);
    if (text.empty()) return;
    if (lstrcmpiW(className, L"Static") == 0) {
      const LONG type = style & SS_TYPEMASK;
      if (type == SS_LEFT || type == SS_CENTER || type == SS_RIGHT) {
        check(text, extent(control, text, room.cx, true), room);
      } else if (type == SS_LEFTNOWORDWRAP || type == SS_SIMPLE) {
        check(text, {extent(control, text, 0, false).cx, 0}, room);
      }
      return;
    }
    if (lstrcmpiW(className, L"Button") != 0) return;
    const SIZE line = extent(control, text, 0, false);
    switch (style & BS_TYPEMASK) {
      case BS_PUSHBUTTON:
      case BS_DEFPUSHBUTTON:
        // The raised frame and the focus rectangle inside it.
        check(text, {line.cx + 2 * scaled(4), line.cy}, room);
        break;
      case BS_CHECKBOX:
      case BS_AUTOCHECKBOX:
      case BS_RADIOBUTTON:
      case BS_AUTORADIOBUTTON:
        // The box or circle of 13 pixels (at 96 DPI) and the gap to the text.
        check(text, {scaled(13 + 5) + line.cx, line.cy}, room);
        break;
      case BS_GROUPBOX:
        // The caption stands in the frame's top line, inset from both corners.
        check(text, {line.cx + 2 * scaled(10), 0}, room);
        break;
      default:
        break;
    }
  }

  int dpi_;
  int measured_ = 0;
  std::vector<Misfit> found_;
};

void expectEverythingFits(Measure& measure, HWND dialog, const char* what, Language language) {
  for (const Misfit& misfit : measure.misfits(dialog)) {
    ADD_FAILURE() << what << " in " << textkeys::sectionName(language) << " at " << screenDpi() << " DPI: \""
                  << misfit.text << "\" needs " << misfit.needed.cx << " x " << misfit.needed.cy << " pixels, has "
                  << misfit.room.cx << " x " << misfit.room.cy;
  }
}

// The dialog as it looks, kept with the run's artefacts.
void photograph(HWND window, const std::string& name, Language language) {
  settledCapture(window).saveBmp(testenv::artifactFolder("dialogs") + name + "-" + textkeys::sectionName(language) +
                                 "-" + std::to_string(screenDpi()) + "dpi.bmp");
}

class NoScreenSettings : public ScreenSettingsEditor {
 public:
  void editScreenSettings(HWND) override {}
};

TEST(DialogFit, EveryLabelFitsInEveryLanguage) {
  const int dpi = screenDpi();
  std::printf("display: %d DPI\n", dpi);
  for (const Language language : textkeys::Languages) {
    TextTable texts, directory;
    texts.setLanguage(language);
    ASSERT_TRUE(texts.openFile(productFile(textkeys::language::File).c_str()));
    directory.setSection(textkeys::BaseSection);
    ASSERT_TRUE(directory.openFile(productFile(textkeys::directory::File).c_str()));
    SaverSettings settings;
    NoScreenSettings editor;
    SettingsDialog dialog(settings, editor, texts, directory, (testenv::buildFolder() + "Reefglass\\").c_str());
    Measure measure(dpi);
    dialogs::driveWhile(
        IDC_PAGELIST,
        [&](HWND window) {
          // Caption texts are the product's, not the templates' (which are German).
          EXPECT_EQ(dialogs::text(window), texts.lookup(textkeys::language::Caption));
          expectEverythingFits(measure, window, "settings dialog", language);
          // The page with the longest labels.
          dialogs::selectListItem(window, IDC_PAGELIST, 5);
          HWND camera = GetParent(dialogs::control(window, IDC_CAMERA_POS));
          EXPECT_TRUE(waitUntil([&] { return IsWindowVisible(camera) != FALSE; }, 5000));
          photograph(window, "camera", language);
          dialogs::press(window, IDCANCEL);
        },
        [&] { dialog.run(GetModuleHandleA(nullptr), nullptr); });
    EXPECT_GT(measure.controlsMeasured(), 25) << textkeys::sectionName(language);

    // Opened without the video layer the saver starts first: the dialog must not need it.
    ScreenSettings screen;
    DisplayModeDialog modes(screen, productFile(textkeys::screenlanguage::File).c_str(), language);
    Measure modeMeasure(dpi);
    dialogs::driveWhile(
        IDC_MODE_LEAVERES,
        [&](HWND window) {
          expectEverythingFits(modeMeasure, window, "display-mode dialog", language);
          photograph(window, "display-mode", language);
          dialogs::press(window, IDCANCEL);
        },
        [&] { modes.run(GetModuleHandleA(nullptr), nullptr); });
    EXPECT_GT(modeMeasure.controlsMeasured(), 10) << textkeys::sectionName(language);
  }
}

}  // namespace
