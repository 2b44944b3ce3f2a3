// Both deliverables with the generated data folder, run for real under Wine.
#include <windows.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "config/SettingFields.h"
#include "tests/support/SaverDriver.h"
#include "tests/support/ScreenCapture.h"
#include "tests/support/TestEnvironment.h"

namespace {

using namespace savertest;

const char* const LoaderDiagnostics[] = {"Texture::loadBMP SDL_LoadBMP", "QModel::loadMD3 fopen",
                                         "Could not load height map", "BytesPerPixel != 1", "frame >= NumFrames"};

struct Mean {
  double r = 0, g = 0, b = 0;
  double brightness() const { return (r + g + b) / 3.0; }
};

Mean meanColour(const Capture& shot, int top, int bottom) {
  Mean m;
  long n = 0;
  for (int y = top; y < bottom; ++y) {
    for (int x = 0; x < shot.width; ++x) {
      const uint32_t p = shot.at(x, y);
      m.r += red(p);
      m.g += green(p);
      m.b += blue(p);
      ++n;
    }
  }
  if (n) m.r /= n, m.g /= n, m.b /= n;
  return m;
}

// Upper part: sky or water, blue-dominant and light; lower part: the lit floor through the water.
void expectSeaScene(const Capture& shot, const std::string& name) {
  shot.saveBmp(testenv::artifactFolder("scene") + name + ".bmp");
  const Mean upper = meanColour(shot, 0, shot.height / 4);
  const Mean lower = meanColour(shot, shot.height * 3 / 5, shot.height);
  EXPECT_GT(upper.b, upper.r) << name;
  EXPECT_GT(upper.brightness(), 90.0) << name;
  EXPECT_GT(lower.brightness(), 70.0) << name;
  EXPECT_GT(lower.g, lower.r * 0.9) << name;  // seen through the turquoise water
}

void expectNoLoaderDiagnostic(const std::string& output) {
  for (const char* diagnostic : LoaderDiagnostics) {
    EXPECT_EQ(output.find(diagnostic), std::string::npos) << diagnostic << "\n" << output;
  }
}

// Runs the program with the generated data folder until its scene is drawn, checks the picture and
// that every file loaded, and ends it with a key.
void expectShowsTheSea(const std::string& commandLine, const std::string& name, WPARAM endKey) {
  const std::string output = testenv::scratchFolder("scene-run") + name + ".txt";
  ChildProcess saver;
  ASSERT_TRUE(saver.start(commandLine, testenv::buildFolder(), output));
  const auto windows = saver.topWindows(SaverWindowClass, StartTimeout);
  ASSERT_FALSE(windows.empty()) << name;
  ASSERT_TRUE(picturesMove(windows.front(), StartTimeout)) << name << ": the scene is drawn";
  expectSeaScene(captureWindowClient(windows.front()), name);
  PostMessageA(windows.front(), WM_KEYDOWN, endKey, 0);
  EXPECT_TRUE(endsWithCode(saver, 1)) << name;
  expectNoLoaderDiagnostic(testenv::readFile(output));
}

TEST(SceneRun, BothBuildsShowTheSeaAndEndOnTheirKeys) {
  expectShowsTheSea(basic("/t"), "reefsaver-basic-t", VK_SPACE);
  expectShowsTheSea(interactive(""), "reefsaver", VK_ESCAPE);
}

// Copies every file of the data folder below from into to, each cut to its first few bytes: a
// loader that trusts a header would read past the end.
void copyCut(const std::string& from, const std::string& to) {
  CreateDirectoryA(to.c_str(), nullptr);
  WIN32_FIND_DATAA found;
  HANDLE search = FindFirstFileA((from + "\\*").c_str(), &found);
  if (search == INVALID_HANDLE_VALUE) return;
  do {
    const std::string name = found.cFileName;
    if (name == "." || name == "..") continue;
    if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
      copyCut(from + "\\" + name, to + "\\" + name);
    } else {
      testenv::writeFile(to + "\\" + name, testenv::readFile(from + "\\" + name).substr(0, 12));
    }
  } while (FindNextFileA(search, &found));
  FindClose(search);
}

TEST(SceneRun, WithItsDataMissingOrRefusedTheSaverStillDrawsAndEnds) {
  const std::string program = testenv::buildFolder() + "reefsaver-basic.scr";
  for (const bool present : {false, true}) {
    const std::string folder = testenv::scratchFolder(present ? "data-refused" : "data-missing");
    ASSERT_TRUE(CopyFileA(program.c_str(), (folder + "reefsaver-basic.scr").c_str(), FALSE));
    if (present) copyCut(testenv::buildFolder() + "Reefglass", folder + "Reefglass");
    const std::string output = folder + "stdout.txt";
    ChildProcess saver;
    ASSERT_TRUE(saver.start("\"" + folder + "reefsaver-basic.scr\" /t", folder, output));
    const auto windows = saver.topWindows(SaverWindowClass, StartTimeout);
    ASSERT_FALSE(windows.empty()) << folder;
    if (!present) {
      // Said once, in a box over the test window, which waits for an answer.
      const auto boxes = saver.topWindows("#32770", StartTimeout);
      ASSERT_EQ(boxes.size(), 1u);
      char text[512] = {};
      EXPECT_TRUE(waitUntil([&] { return GetDlgItemTextA(boxes.front(), 0xFFFF, text, sizeof text) > 0; }, 10000));
      EXPECT_NE(std::string(text).find(folder + "Reefglass/ was not found"), std::string::npos) << text;
      PostMessageA(boxes.front(), WM_COMMAND, IDOK, 0);
    }
    // Frames are drawn: the untextured scene replaces the black of the cleared window.
    EXPECT_TRUE(waitUntil(
        [&] {
          const Capture shot = captureWindowClient(windows.front());
          return shot.brightFraction(RECT{0, 0, shot.width, shot.height}, 40) > 0.2;
        },
        StartTimeout))
        << folder;
    captureWindowClient(windows.front())
        .saveBmp(testenv::artifactFolder("scene") + (present ? "refused" : "missing") + "-data.bmp");
    PostMessageA(windows.front(), WM_KEYDOWN, VK_SPACE, 0);
    EXPECT_TRUE(endsWithCode(saver, 1)) << folder;
    const std::string printed = testenv::readFile(output);
    EXPECT_NE(printed.find("Texture::loadBMP SDL_LoadBMP"), std::string::npos) << printed;
    EXPECT_NE(printed.find("Could not load height map"), std::string::npos) << printed;
    EXPECT_EQ(saver.topWindows("#32770", 0).size(), 0u) << "said once";
  }
}

std::wstring wide(const std::string& utf8) {
  std::wstring text(utf8.size() + 1, L'\0');
  text.resize(static_cast<size_t>(
      MultiByteToWideChar(CP_UTF8, 0, utf8.c_str(), -1, text.data(), static_cast<int>(text.size()))));
  if (!text.empty()) text.pop_back();
  return text;
}

void copyTree(const std::wstring& from, const std::wstring& to) {
  CreateDirectoryW(to.c_str(), nullptr);
  WIN32_FIND_DATAW found;
  HANDLE search = FindFirstFileW((from + L"\\*").c_str(), &found);
  if (search == INVALID_HANDLE_VALUE) return;
  do {
    const std::wstring name = found.cFileName;
    if (name == L"." || name == L"..") continue;
    if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
      copyTree(from + L"\\" + name, to + L"\\" + name);
    } else {
      CopyFileW((from + L"\\" + name).c_str(), (to + L"\\" + name).c_str(), FALSE);
    }
  } while (FindNextFileW(search, &found));
  FindClose(search);
}

// Installed in a folder named in Polish, Greek and Russian (letters that no single ANSI code page
// holds, which the ANSI calls turn into "?") and deep enough that the data files' paths pass 256
// characters: the saver finds every file and draws the textured sea. Without any data folder in
// the full-screen run, it says so once on standard output.
TEST(SceneRun, InAFolderOfAnyScriptAndDepthTheSaverFindsItsData) {
  const std::string scratch = testenv::scratchFolder("any-script");
  const std::string name = u8"Łódź Μόρφη Море";
  const std::string caustics = "Reefglass/caustics64/caust00.nlt";
  // A data path of 262 characters, wherever the build lies; the program's own stays under MAX_PATH.
  const size_t shortest = wide(scratch + "\\" + name + "\\" + caustics).size();
  ASSERT_LT(shortest, 250u);
  const std::string deep = scratch + std::string(262 - shortest, 'd');
  const std::string folder = deep + "\\" + name + "\\";
  CreateDirectoryW(wide(deep).c_str(), nullptr);
  CreateDirectoryW(wide(folder).c_str(), nullptr);
  ASSERT_TRUE(CopyFileW(wide(testenv::buildFolder() + "reefsaver-basic.scr").c_str(),
                        wide(folder + "reefsaver-basic.scr").c_str(), FALSE));
  copyTree(wide(testenv::buildFolder() + "Reefglass"), wide(folder + "Reefglass"));
  ASSERT_GE(wide(folder + caustics).size(), 256u);
  ASSERT_LT(wide(folder + "reefsaver-basic.scr").size(), static_cast<size_t>(MAX_PATH));

  // Beside it, the program alone.
  const std::string bare = scratch + u8"Море без данных\\";
  CreateDirectoryW(wide(bare).c_str(), nullptr);
  ASSERT_TRUE(CopyFileW(wide(testenv::buildFolder() + "reefsaver-basic.scr").c_str(),
                        wide(bare + "reefsaver-basic.scr").c_str(), FALSE));

  for (const bool present : {true, false}) {
    const std::string& home = present ? folder : bare;
    const std::string output = scratch + (present ? "found.txt" : "missing.txt");
    ChildProcess saver;
    ASSERT_TRUE(saver.start("\"" + home + "reefsaver-basic.scr\" /s", home, output));
    const auto windows = saver.topWindows(SaverWindowClass, StartTimeout);
    ASSERT_FALSE(windows.empty());
    EXPECT_TRUE(waitUntil(
        [&] {
          const Capture shot = captureWindowClient(windows.front());
          return shot.brightFraction(RECT{0, 0, shot.width, shot.height}, 40) > 0.2;
        },
        StartTimeout));
    const Capture shot = captureWindowClient(windows.front());
    shot.saveBmp(testenv::artifactFolder("scene") + (present ? "any-script.bmp" : "any-script-missing.bmp"));
    PostMessageA(windows.front(), WM_KEYDOWN, VK_SPACE, 0);
    EXPECT_TRUE(endsWithCode(saver, 1));
    const std::string printed = testenv::readFile(output);
    if (present) {
      EXPECT_EQ(printed.find("failed"), std::string::npos) << printed;
      EXPECT_EQ(printed.find("Could not load"), std::string::npos) << printed;
      EXPECT_EQ(printed.find("was not found"), std::string::npos) << printed;
    } else {
      const std::string said = "The data folder " + bare + "Reefglass/ was not found";
      EXPECT_NE(printed.find(said), std::string::npos) << printed;
      EXPECT_EQ(printed.find(said), printed.rfind(said)) << "said once";
    }
  }
}

// Anyone can write the settings key. Every field stored in a way the settings dialog never writes.
const char* const ScreenSettingNames[] = {"Width", "Height", "Bpp", "LeaveRes", "ShadeScecondary", "MaxFrameRate"};

// Leaves no stored settings behind for the other scene tests, whatever happens in between.
struct SettingsKeyRemovedAfterwards {
  ~SettingsKeyRemovedAfterwards() { RegDeleteKeyA(HKEY_CURRENT_USER, SettingsKey); }
};

struct HostileValue {
  const char* label;
  DWORD type;
  std::string bytes;
};

std::string dword(uint32_t v) { return std::string(reinterpret_cast<const char*>(&v), 4); }

void storeEverywhere(const HostileValue& value) {
  HKEY key = nullptr;
  ASSERT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, SettingsKey, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr),
            ERROR_SUCCESS);
  const auto store = [&](const char* name) {
    RegSetValueExA(key, name, 0, value.type, reinterpret_cast<const BYTE*>(value.bytes.data()),
                   static_cast<DWORD>(value.bytes.size()));
  };
  for (const SettingField& field : SaverSettingFields) store(field.name);
  for (const char* name : ScreenSettingNames) store(name);
  RegCloseKey(key);
}

// Each run sees the stored values, starts, draws the sea and ends on a key. A display-mode
// change that fails is reported in a message box first; the window then covers the screen as it is.
void expectRunsWith(const std::string& switches, const std::string& label, bool modeChangeFails = false) {
  const std::string output = testenv::scratchFolder("scene-run-hostile") + label + ".txt";
  ChildProcess saver;
  ASSERT_TRUE(
      saver.start("\"" + testenv::buildFolder() + "reefsaver-basic.scr\" " + switches, testenv::buildFolder(), output));
  const auto windows = saver.topWindows(SaverWindowClass, 30000);
  ASSERT_FALSE(windows.empty()) << label;
  if (modeChangeFails) {
    // The box is the saver window's own, above it, and goes by itself: nobody answers it here.
    const auto boxes = saver.topWindows("#32770", 30000);
    ASSERT_FALSE(boxes.empty()) << label;
    char caption[32] = {};
    EXPECT_TRUE(waitUntil([&] { return GetWindowTextA(boxes.front(), caption, sizeof caption) > 0; }, 10000));
    EXPECT_STREQ(caption, "Error");
    EXPECT_EQ(GetWindow(boxes.front(), GW_OWNER), windows.front());
    EXPECT_TRUE(GetWindowLongA(boxes.front(), GWL_EXSTYLE) & WS_EX_TOPMOST);
    EXPECT_TRUE(waitUntil([&] { return !IsWindow(boxes.front()); }, 30000)) << "the box closes by itself";
    RECT rect;
    GetWindowRect(windows.front(), &rect);
    EXPECT_EQ(rect.right - rect.left, GetSystemMetrics(SM_CXSCREEN));
    EXPECT_EQ(rect.bottom - rect.top, GetSystemMetrics(SM_CYSCREEN));
  }
  ASSERT_TRUE(picturesMove(windows.front(), StartTimeout)) << label << ": the scene is drawn";
  const Capture shot = captureWindowClient(windows.front());
  shot.saveBmp(testenv::artifactFolder("scene") + "hostile-" + label + ".bmp");
  EXPECT_GT(meanColour(shot, 0, shot.height).brightness(), 40.0) << label;
  PostMessageA(windows.front(), WM_KEYDOWN, VK_SPACE, 0);
  DWORD code = 0;
  EXPECT_TRUE(saver.waitForExit(30000, &code)) << label;
  EXPECT_EQ(code, 1u) << label;
  expectNoLoaderDiagnostic(testenv::readFile(output));
}

TEST(SceneRun, HostileStoredSettingsStillShowTheSea) {
  const SettingsKeyRemovedAfterwards cleanUp;
  const HostileValue values[] = {
      {"long-string", REG_SZ, std::string("123456789", 10)},
      {"short-string", REG_SZ, std::string("ab", 3)},
      {"binary-8-bytes", REG_BINARY, std::string("\xFF\xFF\xFF\xFF\xFF\xFF\xFF\x7F", 8)},
      {"minus-one", REG_DWORD, dword(0xFFFFFFFFu)},
      {"most-negative", REG_DWORD, dword(0x80000000u)},
      {"largest", REG_DWORD, dword(0x7FFFFFFFu)},
  };
  for (const HostileValue& value : values) {
    storeEverywhere(value);
    expectRunsWith("/t", value.label);
    // Full screen too; any nonzero LeaveRes keeps the current display mode.
    if (value.type == REG_DWORD) expectRunsWith("/s", std::string(value.label) + "-full-screen");
  }
  // A display mode no screen has, asked for in earnest.
  storeEverywhere({"largest", REG_DWORD, dword(0x7FFFFFFFu)});
  HKEY key = nullptr;
  ASSERT_EQ(RegOpenKeyExA(HKEY_CURRENT_USER, SettingsKey, 0, KEY_ALL_ACCESS, &key), ERROR_SUCCESS);
  const DWORD no = 0;
  RegSetValueExA(key, "LeaveRes", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&no), sizeof no);
  RegCloseKey(key);
  expectRunsWith("/s", "impossible-display-mode", true);
}

}  // namespace
