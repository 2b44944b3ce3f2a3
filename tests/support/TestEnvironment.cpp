#include "tests/support/TestEnvironment.h"

#include <io.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>

namespace testenv {
namespace {

std::string fromEnvironment(const char* name) {
  const char* value = std::getenv(name);
  return value ? value : "";
}

}  // namespace

void makeFolders(const std::string& path) {
  for (size_t at = path.find('\\'); at != std::string::npos; at = path.find('\\', at + 1)) {
    if (at > 0 && path[at - 1] != ':') CreateDirectoryA(path.substr(0, at).c_str(), nullptr);
  }
  CreateDirectoryA(path.c_str(), nullptr);
}

void removeTree(const std::string& folder) {
  WIN32_FIND_DATAA found;
  HANDLE search = FindFirstFileA((folder + "\\*").c_str(), &found);
  if (search != INVALID_HANDLE_VALUE) {
    do {
      const std::string name = found.cFileName;
      if (name == "." || name == "..") continue;
      const std::string path = folder + "\\" + name;
      if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
        removeTree(path);
      } else {
        SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
        DeleteFileA(path.c_str());
      }
    } while (FindNextFileA(search, &found));
    FindClose(search);
  }
  RemoveDirectoryA(folder.c_str());
}

std::string windowsPath(const std::string& unixPath) {
  if (unixPath.size() > 1 && unixPath[1] == ':') return unixPath;
  std::string result = "Z:" + unixPath;
  for (char& c : result) {
    if (c == '/') c = '\\';
  }
  return result;
}

std::string buildFolder() { return windowsPath(fromEnvironment("REEF_BUILD_DIR")) + "\\"; }

std::string sourceFolder() { return windowsPath(fromEnvironment("REEF_SOURCE_DIR")) + "\\"; }

std::string artifactFolder(const std::string& name) {
  const std::string folder = buildFolder() + "artifacts\\" + name;
  makeFolders(folder);
  return folder + "\\";
}

std::string captureStdout(const std::function<void()>& run) {
  const std::string path = scratchFolder("stdout") + "stdout.txt";
  std::fflush(stdout);
  const int saved = _dup(_fileno(stdout));
  FILE* capture = std::fopen(path.c_str(), "wb");
  _dup2(_fileno(capture), _fileno(stdout));
  std::fclose(capture);
  run();
  std::fflush(stdout);
  _dup2(saved, _fileno(stdout));
  _close(saved);
  return readFile(path);
}

std::string scratchFolder(const std::string& name) {
  const std::string folder = buildFolder() + "scratch\\" + name;
  removeTree(folder);
  makeFolders(folder);
  return folder + "\\";
}

bool fileExists(const std::string& path) { return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

long long fileSize(const std::string& path) {
  WIN32_FILE_ATTRIBUTE_DATA data;
  if (!GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data)) return 0;
  return (static_cast<long long>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
}

std::string readFileFrom(const std::string& path, long long offset) {
  HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                            OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return {};
  std::string bytes;
  LARGE_INTEGER at;
  at.QuadPart = offset;
  if (SetFilePointerEx(file, at, nullptr, FILE_BEGIN)) {
    char chunk[65536];
    DWORD got = 0;
    while (ReadFile(file, chunk, sizeof(chunk), &got, nullptr) && got > 0) bytes.append(chunk, got);
  }
  CloseHandle(file);
  return bytes;
}

bool writeFile(const std::string& path, const std::string& bytes) {
  std::ofstream out(path, std::ios::binary);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  return static_cast<bool>(out);
}

std::string readFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

namespace {

// Through the C runtime, which keeps its own copy of the environment (SDL reads that one) and
// passes the change on to the process's, which started programs inherit.
void putEnvironment(const std::string& name, const std::string& value) { _putenv((name + "=" + value).c_str()); }

}  // namespace

ScopedEnvironment::ScopedEnvironment(const char* name, const std::string& value) : name_(name) {
  char buffer[4096];
  const DWORD length = GetEnvironmentVariableA(name, buffer, sizeof(buffer));
  existed_ = length > 0 && length < sizeof(buffer);
  if (existed_) old_.assign(buffer, length);
  putEnvironment(name_, value);
}

ScopedEnvironment::~ScopedEnvironment() { putEnvironment(name_, existed_ ? old_ : std::string()); }

}  // namespace testenv
