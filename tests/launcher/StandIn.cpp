// Stand-in for every program that the launcher starts (installers, setup programs, PDF reader,
// browser): appends what it was started with to the log named by KVSETUPX_STANDIN_LOG and ends.
// One line per run, fields separated by tabs: program, command line, current folder, the resume
// value in the Run key, and "alone" or "overlap" (whether another stand-in was running).
// The stand-in whose path KVSETUPX_STANDIN_HOLD names keeps running while "<log>.hold" exists,
// so a test can interrupt the launcher in the middle of that program.
#include <windows.h>

#include <cstdlib>
#include <string>

namespace {

std::string environment(const char* name) {
  char value[1024];
  const DWORD length = GetEnvironmentVariableA(name, value, sizeof value);
  return length > 0 && length < sizeof value ? std::string(value, length) : std::string();
}

std::string resumeValue() {
  HKEY key;
  if (RegOpenKeyExA(HKEY_CURRENT_USER, "Software\\Microsoft\\Windows\\CurrentVersion\\Run", 0,
                    KEY_READ, &key) != ERROR_SUCCESS) {
    return "(no key)";
  }
  char value[1024];
  DWORD size = sizeof value - 1;
  DWORD type = 0;
  std::string text = "(none)";
  if (RegQueryValueExA(key, "KvSetupX.exe", nullptr, &type, reinterpret_cast<BYTE*>(value),
                       &size) == ERROR_SUCCESS) {
    value[size] = '\0';
    text = value;
  }
  RegCloseKey(key);
  return text;
}

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  const std::string log = environment("KVSETUPX_STANDIN_LOG");
  if (log.empty()) return 0;

  // Held while this stand-in runs: a second stand-in that finds it knows the two overlap.
  const std::string busy = log + ".busy";
  HANDLE running = CreateFileA(busy.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                               FILE_FLAG_DELETE_ON_CLOSE, nullptr);

  char program[MAX_PATH] = {};
  GetModuleFileNameA(nullptr, program, sizeof program);
  char folder[MAX_PATH] = {};
  GetCurrentDirectoryA(sizeof folder, folder);
  const std::string line = std::string(program) + "\t" + GetCommandLineA() + "\t" + folder + "\t" +
                           resumeValue() + "\t" +
                           (running == INVALID_HANDLE_VALUE ? "overlap" : "alone") + "\r\n";
  HANDLE file = CreateFileA(log.c_str(), FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE,
                            nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file != INVALID_HANDLE_VALUE) {
    DWORD written = 0;
    WriteFile(file, line.data(), static_cast<DWORD>(line.size()), &written, nullptr);
    CloseHandle(file);
  }

  // Asks the launcher's window thread to look at the resume value when it next pumps.
  if (!environment("KVSETUPX_STANDIN_POKE").empty()) {
    if (HWND launcher = FindWindowA(nullptr, "Orvane Setup"))
      PostMessageA(launcher, WM_APP + 77, 0, 0);
  }
  // A setup program takes a while; long enough for an overlapping start to find the busy file.
  const std::string linger = environment("KVSETUPX_STANDIN_MS");
  if (!linger.empty()) Sleep(static_cast<DWORD>(std::atoi(linger.c_str())));
  if (lstrcmpiA(environment("KVSETUPX_STANDIN_HOLD").c_str(), program) == 0) {
    while (GetFileAttributesA((log + ".hold").c_str()) != INVALID_FILE_ATTRIBUTES) Sleep(20);
  }

  if (running != INVALID_HANDLE_VALUE) CloseHandle(running);
  return 0;
}
