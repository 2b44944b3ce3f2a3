#pragma once
#include <windows.h>

#include <functional>
#include <string>
#include <vector>

// Paths and programs of the build tree, seen from a test running under Wine.
namespace testenv {

// Windows form of a Unix path (Wine maps the Unix root to drive Z:).
std::string windowsPath(const std::string& unixPath);

// Build folder (where the deliverables and the data folder are), in Windows form, with "\" at the end.
std::string buildFolder();
std::string sourceFolder();

// Folder for artefacts kept after the run (screenshots), created on demand.
std::string artifactFolder(const std::string& name);

// What the program writes to standard output while run executes (printed diagnostics).
std::string captureStdout(const std::function<void()>& run);

// A fresh empty scratch folder for one test.
std::string scratchFolder(const std::string& name);

// Creates the folder and the folders above it; removes a folder with all it holds.
void makeFolders(const std::string& path);
void removeTree(const std::string& folder);

bool fileExists(const std::string& path);
long long fileSize(const std::string& path);  // 0 when the file is missing
// Bytes of the file from offset on (a file another process may still be writing).
std::string readFileFrom(const std::string& path, long long offset);
bool writeFile(const std::string& path, const std::string& bytes);
std::string readFile(const std::string& path);

// An environment variable of the test process (and so of the programs it starts).
class ScopedEnvironment {
 public:
  ScopedEnvironment(const char* name, const std::string& value);
  ScopedEnvironment(const ScopedEnvironment&) = delete;
  ScopedEnvironment& operator=(const ScopedEnvironment&) = delete;
  ~ScopedEnvironment();

 private:
  std::string name_;
  bool existed_ = false;
  std::string old_;
};

}  // namespace testenv
