#include "LauncherTestSupport.h"

#include <commctrl.h>
#include <objbase.h>

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <sstream>

#include "formats/BmpFormat.h"
#include "launcher/resource.h"

namespace kvtest {
namespace {

const UINT kPokeMessage = WM_APP + 77;
const char kRunKey[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";

std::atomic<int> uniqueNumber{0};

std::vector<std::string> splitTabs(const std::string& line) {
  std::vector<std::string> fields;
  std::string field;
  std::istringstream in(line);
  while (std::getline(in, field, '\t')) fields.push_back(field);
  return fields;
}

void writeBitmapFile(const std::string& path, int width, int height,
                     const std::vector<unsigned char>& pixels) {
  formats::Bytes file;
  formats::appendBmpHeaders(file, width, height, 24, 0);
  file.insert(file.end(), pixels.begin(), pixels.end());
  writeFile(path, std::string(file.begin(), file.end()));
}

}  // namespace

std::string hostPath(const std::string& unixPath) {
  std::string path = "Z:" + unixPath;
  for (char& c : path) {
    if (c == '/') c = '\\';
  }
  return path;
}

std::string standInProgram() { return hostPath(KV_STANDIN_EXE); }

std::string versionedProgram(int major, int minor, int build, int patch) {
  char name[64];
  std::snprintf(name, sizeof name, "/kvversion_%d_%d_%d_%d.exe", major, minor, build, patch);
  return hostPath(std::string(KV_TEST_BINARY_DIR) + name);
}

std::string launcherProgram() { return hostPath(KV_SETUPX_EXE); }

void writeFile(const std::string& path, const std::string& content) {
  makeFolders(path.substr(0, path.rfind('\\')));
  FILE* file = std::fopen(path.c_str(), "wb");
  if (file == nullptr) return;
  std::fwrite(content.data(), 1, content.size(), file);
  std::fclose(file);
}

std::string readFile(const std::string& path) {
  std::string text;
  FILE* file = std::fopen(path.c_str(), "rb");
  if (file == nullptr) return text;
  char chunk[4096];
  size_t got;
  while ((got = std::fread(chunk, 1, sizeof chunk, file)) > 0) text.append(chunk, got);
  std::fclose(file);
  return text;
}

void copyFileTo(const std::string& from, const std::string& to) {
  makeFolders(to.substr(0, to.rfind('\\')));
  CopyFileA(from.c_str(), to.c_str(), FALSE);
}

void writeBackground(const std::string& path) {
  const int width = 640;
  const int height = 480;
  const int rowBytes = width * 3;
  std::vector<unsigned char> pixels(static_cast<size_t>(rowBytes * height));
  for (int row = 0; row < height; ++row) {
    const int y = height - 1 - row;  // rows are stored bottom-up
    for (int x = 0; x < width; ++x) {
      unsigned char* p = &pixels[static_cast<size_t>(row * rowBytes + x * 3)];
      // Deep blue at the top to a lighter sea blue at the bottom, a sand band near the buttons.
      int r = 0, g = 60 + y * 80 / height, b = 130 + y * 100 / height;
      if (y > 250 && y < 420 && x < 180) {
        r = 20;
        g = 110;
        b = 190;
      }
      if (x >= 518 && x <= 630 && y >= 428 && y <= 470) {
        r = 240;
        g = 240;
        b = 240;
      }
      p[0] = static_cast<unsigned char>(b);
      p[1] = static_cast<unsigned char>(g);
      p[2] = static_cast<unsigned char>(r);
    }
  }
  writeBitmapFile(path, width, height, pixels);
}

std::string saveScreenshot(HWND window, const std::string& name) {
  RECT rc;
  GetWindowRect(window, &rc);
  const int width = rc.right - rc.left;
  const int height = rc.bottom - rc.top;
  HDC screen = GetDC(nullptr);
  HDC memory = CreateCompatibleDC(screen);
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = height;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 24;
  void* bits = nullptr;
  HBITMAP bitmap = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  HGDIOBJ old = SelectObject(memory, bitmap);
  BitBlt(memory, 0, 0, width, height, screen, rc.left, rc.top, SRCCOPY);
  GdiFlush();
  const int rowBytes = (width * 3 + 3) & ~3;
  std::vector<unsigned char> pixels(static_cast<const unsigned char*>(bits),
                                    static_cast<const unsigned char*>(bits) + rowBytes * height);
  SelectObject(memory, old);
  DeleteObject(bitmap);
  DeleteDC(memory);
  ReleaseDC(nullptr, screen);
  const std::string folder = hostPath(KV_ARTIFACT_DIR);
  makeFolders(folder);
  const std::string path = folder + "\\" + name;
  writeBitmapFile(path, width, height, pixels);
  return path;
}

FakeCd::FakeCd() {
  char temp[MAX_PATH];
  GetTempPathA(sizeof temp, temp);
  base_ = std::string(temp) + "kv cd " + std::to_string(GetCurrentProcessId()) + "-" +
          std::to_string(uniqueNumber++) + "\\";
  removeTree(base_.substr(0, base_.size() - 1));
  makeFolders(base_.substr(0, base_.size() - 1));
  SetEnvironmentVariableA("KVSETUPX_STANDIN_LOG", logPath().c_str());
  // The menu itself, as every CD has it: the Run entry of a resumed installation starts it.
  put("KvSetupX.exe", "menu");
}

FakeCd::~FakeCd() {
  SetEnvironmentVariableA("KVSETUPX_STANDIN_LOG", nullptr);
  // The launcher made the CD its current folder; a folder in use cannot be removed.
  char temp[MAX_PATH];
  GetTempPathA(sizeof temp, temp);
  SetCurrentDirectoryA(temp);
  removeTree(base_.substr(0, base_.size() - 1));
}

void FakeCd::put(const std::string& relative, const std::string& content) const {
  writeFile(path(relative), content);
}

void FakeCd::putStandIn(const std::string& relative) const {
  copyFileTo(standInProgram(), path(relative));
}

std::vector<StandInRun> FakeCd::runs() const {
  std::vector<StandInRun> result;
  std::istringstream in(readFile(logPath()));
  std::string line;
  while (std::getline(in, line)) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    std::vector<std::string> f = splitTabs(line);
    if (f.size() == 5) result.push_back(StandInRun{f[0], f[1], f[2], f[3], f[4]});
  }
  return result;
}

void ScriptedStarter::refuse(std::string fileEnd, DWORD error) {
  std::lock_guard<std::mutex> lock(mutex_);
  refusals_.emplace_back(std::move(fileEnd), error);
}

launcher::Started ScriptedStarter::start(HWND owner, const launcher::StartRequest& request) {
  std::string file = request.file;
  if (file.size() >= 2 && file.front() == '"' && file.back() == '"')
    file = file.substr(1, file.size() - 2);
  {
    std::lock_guard<std::mutex> lock(mutex_);
    requests_.push_back(request);
    for (const auto& [end, error] : refusals_) {
      if (file.size() >= end.size() &&
          file.compare(file.size() - end.size(), end.size(), end) == 0) {
        launcher::Started refused;
        refused.error = error;
        return refused;
      }
    }
  }
  return launcher::shellStarter().start(owner, request);
}

std::vector<launcher::StartRequest> ScriptedStarter::requests() const {
  std::lock_guard<std::mutex> lock(mutex_);
  return requests_;
}

std::string systemText(DWORD error) {
  char text[512] = {};
  FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, error, 0,
                 text, sizeof text, nullptr);
  std::string result = text;
  while (!result.empty() &&
         (result.back() == '\n' || result.back() == '\r' || result.back() == ' ')) {
    result.pop_back();
  }
  return result;
}

DWORD runAndWait(const std::string& commandLine) {
  std::string line = commandLine;
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process{};
  if (!CreateProcessA(nullptr, &line[0], nullptr, nullptr, FALSE, CREATE_NO_WINDOW, nullptr,
                      nullptr, &startup, &process)) {
    return GetLastError();
  }
  DWORD code = WAIT_TIMEOUT;
  if (WaitForSingleObject(process.hProcess, 60000) == WAIT_OBJECT_0)
    GetExitCodeProcess(process.hProcess, &code);
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  return code;
}

HWND openPopupMenu() {
  HWND found = nullptr;
  EnumWindows(
      [](HWND window, LPARAM data) -> BOOL {
        char className[32] = {};
        GetClassNameA(window, className, sizeof className);
        DWORD process = 0;
        GetWindowThreadProcessId(window, &process);
        if (std::string(className) == "#32768" && IsWindowVisible(window) &&
            process == GetCurrentProcessId()) {
          *reinterpret_cast<HWND*>(data) = window;
          return FALSE;
        }
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&found));
  return found;
}

void poke(HWND window) { PostMessageA(window, kPokeMessage, 0, 0); }

std::string resumeValue() {
  HKEY key;
  if (RegOpenKeyExA(HKEY_CURRENT_USER, kRunKey, 0, KEY_READ, &key) != ERROR_SUCCESS)
    return "(none)";
  char value[1024];
  DWORD size = sizeof value - 1;
  std::string text = "(none)";
  if (RegQueryValueExA(key, "KvSetupX.exe", nullptr, nullptr, reinterpret_cast<BYTE*>(value),
                       &size) == ERROR_SUCCESS) {
    value[size] = '\0';
    text = value;
  }
  RegCloseKey(key);
  return text;
}

SavedRegistryKey::SavedRegistryKey(HKEY root, std::string key) : root_(root), key_(std::move(key)) {
  backup_ = "Software\\ReefTestBackup\\" + std::to_string(GetCurrentProcessId()) + "-" +
            std::to_string(uniqueNumber++);
  HKEY source;
  if (RegOpenKeyExA(root_, key_.c_str(), 0, KEY_READ, &source) == ERROR_SUCCESS) {
    existed_ = true;
    HKEY copy;
    RegCreateKeyExA(HKEY_CURRENT_USER, backup_.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr,
                    &copy, nullptr);
    RegCopyTreeA(source, nullptr, copy);
    RegCloseKey(copy);
    RegCloseKey(source);
  }
}

SavedRegistryKey::~SavedRegistryKey() {
  remove();
  if (existed_) {
    HKEY copy;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, backup_.c_str(), 0, KEY_READ, &copy) == ERROR_SUCCESS) {
      HKEY restored;
      RegCreateKeyExA(root_, key_.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &restored,
                      nullptr);
      RegCopyTreeA(copy, nullptr, restored);
      RegCloseKey(restored);
      RegCloseKey(copy);
    }
    RegDeleteTreeA(HKEY_CURRENT_USER, backup_.c_str());
    RegDeleteKeyA(HKEY_CURRENT_USER, backup_.c_str());
  }
}

void SavedRegistryKey::remove() const {
  RegDeleteTreeA(root_, key_.c_str());
  RegDeleteKeyA(root_, key_.c_str());
}

void SavedRegistryKey::create() const {
  HKEY key;
  if (RegCreateKeyExA(root_, key_.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr) ==
      ERROR_SUCCESS) {
    RegCloseKey(key);
  }
}

void SavedRegistryKey::setString(const char* value, const std::string& data) const {
  HKEY key;
  if (RegCreateKeyExA(root_, key_.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr) !=
      ERROR_SUCCESS) {
    return;
  }
  RegSetValueExA(key, value, 0, REG_SZ, reinterpret_cast<const BYTE*>(data.c_str()),
                 static_cast<DWORD>(data.size() + 1));
  RegCloseKey(key);
}

LauncherUnderTest::LauncherUnderTest(std::string commandLine,
                                     std::function<void(launcher::MenuWindow&)> beforeLoop,
                                     LANGID uiLanguage) {
  HANDLE ready = CreateEventA(nullptr, TRUE, FALSE, nullptr);
  thread_ = std::thread([this, commandLine, beforeLoop, ready, uiLanguage] {
    CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    {
      launcher::MenuWindow menu(GetModuleHandleA(nullptr), commandLine, uiLanguage);
      if (menu.create(nullptr)) {
        SetWindowSubclass(menu.item(IDC_PROGRESS), recorder, 1, reinterpret_cast<DWORD_PTR>(this));
        SetWindowSubclass(menu.hwnd(), recorder, 2, reinterpret_cast<DWORD_PTR>(this));
        SetWindowSubclass(menu.item(IDC_STATUS), recorder, 3, reinterpret_cast<DWORD_PTR>(this));
        if (beforeLoop) beforeLoop(menu);
        window_ = menu.hwnd();
        menu_ = &menu;
      }
      SetEvent(ready);
      MSG msg;
      while (window_ != nullptr && GetMessageA(&msg, nullptr, 0, 0) > 0) {
        if (IsWindow(menu.hwnd()) && IsDialogMessageA(menu.hwnd(), &msg)) continue;
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
      }
      menu_ = nullptr;
    }
    CoUninitialize();
  });
  WaitForSingleObject(ready, INFINITE);
  CloseHandle(ready);
}

LauncherUnderTest::~LauncherUnderTest() {
  if (window_ != nullptr) {
    waitFor([this] { return idle(); });
    PostMessageA(window_, WM_COMMAND, MAKEWPARAM(IDC_EXIT, BN_CLICKED), 0);
  }
  thread_.join();
}

std::string LauncherUnderTest::status() const {
  char text[1024] = {};
  GetWindowTextA(item(IDC_STATUS), text, sizeof text);
  return text;
}

RECT LauncherUnderTest::childRect(int id) const {
  RECT rc;
  GetWindowRect(item(id), &rc);
  MapWindowPoints(nullptr, window_, reinterpret_cast<POINT*>(&rc), 2);
  return rc;
}

void LauncherUnderTest::click(int id) const {
  PostMessageA(window_, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(item(id)));
}

std::vector<int> LauncherUnderTest::progressPositions() const {
  std::lock_guard<std::mutex> lock(mutex_);
  return progress_;
}

std::vector<std::string> LauncherUnderTest::statusTexts() const {
  std::lock_guard<std::mutex> lock(mutex_);
  return statusTexts_;
}

bool LauncherUnderTest::statusShowed(const std::string& text) const {
  const std::vector<std::string> texts = statusTexts();
  return std::find(texts.begin(), texts.end(), text) != texts.end();
}

std::vector<std::string> LauncherUnderTest::pokedResumeValues() const {
  std::lock_guard<std::mutex> lock(mutex_);
  return pokes_;
}

LRESULT CALLBACK LauncherUnderTest::recorder(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam,
                                             UINT_PTR id, DWORD_PTR data) {
  LauncherUnderTest* self = reinterpret_cast<LauncherUnderTest*>(data);
  if (id == 1 && message == PBM_SETPOS) {
    std::lock_guard<std::mutex> lock(self->mutex_);
    self->progress_.push_back(static_cast<int>(wParam));
  }
  if (id == 3 && message == WM_SETTEXT && lParam) {
    std::lock_guard<std::mutex> lock(self->mutex_);
    self->statusTexts_.push_back(reinterpret_cast<const char*>(lParam));
  }
  if (id == 2 && message == kPokeMessage) {
    std::lock_guard<std::mutex> lock(self->mutex_);
    self->pokes_.push_back(resumeValue());
  }
  if (message == WM_NCDESTROY) RemoveWindowSubclass(hwnd, recorder, id);
  return DefSubclassProc(hwnd, message, wParam, lParam);
}

}  // namespace kvtest
