#include "tests/support/ChildProcess.h"

#include <sstream>

#include "tests/support/TestEnvironment.h"

namespace {

// Under Wine, GetProcessTimes does not count the time of any other process; the Linux process that
// runs it does. Its name is the program's file name cut to 15 characters; the tests run
// one program of a name at a time.
double linuxCpuSeconds(const std::string& programName) {
  const std::string name = "(" + programName.substr(0, 15) + ")";
  WIN32_FIND_DATAA found;
  HANDLE search = FindFirstFileA("Z:\\proc\\*", &found);
  if (search == INVALID_HANDLE_VALUE) return -1.0;
  double seconds = -1.0;
  do {
    if (found.cFileName[0] < '0' || found.cFileName[0] > '9') continue;
    const std::string stat = testenv::readFile(std::string("Z:\\proc\\") + found.cFileName + "\\stat");
    const size_t open = stat.find('(');
    const size_t close = stat.rfind(')');
    if (open == std::string::npos || close == std::string::npos || stat.compare(open, close + 1 - open, name) != 0) {
      continue;
    }
    // After the name: state, then ten fields before utime and stime, in clock ticks of 1/100 s.
    std::istringstream fields(stat.substr(close + 1));
    std::string field;
    double ticks = 0.0;
    for (int i = 0; i < 13 && fields >> field; ++i) {
      if (i >= 11) ticks += std::stod(field);
    }
    seconds = ticks / 100.0;
    break;
  } while (FindNextFileA(search, &found));
  FindClose(search);
  return seconds;
}

}  // namespace

ChildProcess::~ChildProcess() {
  if (running()) kill();
  if (info_.hProcess) CloseHandle(info_.hProcess);
  if (info_.hThread) CloseHandle(info_.hThread);
}

namespace {

std::wstring utf16(const std::string& utf8) {
  const int length = MultiByteToWideChar(CP_UTF8, 0, utf8.c_str(), -1, nullptr, 0);
  std::wstring text(static_cast<size_t>(length > 0 ? length : 1), L'\0');
  if (length > 0) MultiByteToWideChar(CP_UTF8, 0, utf8.c_str(), -1, text.data(), length);
  text.pop_back();
  return text;
}

}  // namespace

bool ChildProcess::start(const std::string& commandLine, const std::string& workingFolder,
                         const std::string& outputFile) {
  STARTUPINFOW startup = {};
  startup.cb = sizeof(startup);
  HANDLE output = INVALID_HANDLE_VALUE;
  if (!outputFile.empty()) {
    SECURITY_ATTRIBUTES inherit = {sizeof(inherit), nullptr, TRUE};
    output = CreateFileA(outputFile.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, &inherit, CREATE_ALWAYS,
                         FILE_ATTRIBUTE_NORMAL, nullptr);
    if (output == INVALID_HANDLE_VALUE) return false;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdOutput = output;
    startup.hStdError = output;
    startup.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
  }
  // The program is the first token, quoted or not.
  const bool quoted = !commandLine.empty() && commandLine[0] == '"';
  const std::string program =
      quoted ? commandLine.substr(1, commandLine.find('"', 1) - 1) : commandLine.substr(0, commandLine.find(' '));
  programName_ = program.substr(program.find_last_of("\\/") + 1);
  std::wstring line = utf16(commandLine);
  const std::wstring folder = utf16(workingFolder);
  const BOOL ok = CreateProcessW(nullptr, line.data(), nullptr, nullptr, output != INVALID_HANDLE_VALUE, 0, nullptr,
                                 folder.empty() ? nullptr : folder.c_str(), &startup, &info_);
  if (output != INVALID_HANDLE_VALUE) CloseHandle(output);
  return ok != FALSE;
}

bool ChildProcess::waitForExit(DWORD timeoutMs, DWORD* exitCode) {
  if (!info_.hProcess) return false;
  if (WaitForSingleObject(info_.hProcess, timeoutMs) != WAIT_OBJECT_0) return false;
  if (exitCode) GetExitCodeProcess(info_.hProcess, exitCode);
  return true;
}

bool ChildProcess::running() const { return info_.hProcess && WaitForSingleObject(info_.hProcess, 0) == WAIT_TIMEOUT; }

double ChildProcess::cpuSeconds() const {
  if (!running()) return -1.0;
  return linuxCpuSeconds(programName_);
}

void ChildProcess::kill() {
  if (!info_.hProcess) return;
  TerminateProcess(info_.hProcess, 99);
  WaitForSingleObject(info_.hProcess, 5000);
}

namespace {

struct WindowSearch {
  DWORD process;
  const char* className;
  std::vector<HWND> found;
};

BOOL CALLBACK collectWindow(HWND window, LPARAM param) {
  auto* search = reinterpret_cast<WindowSearch*>(param);
  DWORD owner = 0;
  GetWindowThreadProcessId(window, &owner);
  char name[128] = {};
  GetClassNameA(window, name, sizeof(name));
  if (owner == search->process && lstrcmpA(name, search->className) == 0) search->found.push_back(window);
  return TRUE;
}

}  // namespace

std::vector<HWND> ChildProcess::topWindows(const char* className, DWORD timeoutMs) const {
  WindowSearch search{info_.dwProcessId, className, {}};
  waitUntil(
      [&] {
        search.found.clear();
        EnumWindows(collectWindow, reinterpret_cast<LPARAM>(&search));
        return !search.found.empty();
      },
      timeoutMs);
  return search.found;
}
