#pragma once
// What the password and build-difference tests share beyond driving the saver: the Windows 9x
// platform and module choices reported to one program, and the stand-in modules placed in the Wine
// prefix's system folder and planted beside the program.
#include <windows.h>

#include <string>
#include <vector>

#include "tests/support/SaverDriver.h"

namespace savertest {

// Wine reports the Windows 9x platform to this program while the object lives.
class Windows98Program {
 public:
  explicit Windows98Program(const char* programName);
  ~Windows98Program();

 private:
  std::string key_;
};

// Wine's choice between its own built-in module and a native file of that name, for one program
// (the environment's WINEDLLOVERRIDES is the test's own and passes unchanged to the programs).
class DllOverride {
 public:
  DllOverride(const char* programName, const char* module, const char* order);
  ~DllOverride();

 private:
  std::string key_, module_;
};

// Copies a file over a target path; the original (if any) comes back on destruction. A backup left
// by an aborted earlier run is put back first.
class PlacedFile {
 public:
  PlacedFile(const std::string& source, const std::string& target);
  PlacedFile(const PlacedFile&) = delete;
  PlacedFile& operator=(const PlacedFile&) = delete;
  ~PlacedFile();
  bool placed() const { return placed_; }

 private:
  std::string target_, backup_, originalName_;
  bool placed_ = false;
  bool hadOriginal_ = false;
};

std::string systemFolder();                                     // with "\" at the end
std::string standInPath(const char* folder, const char* file);  // built stand-ins beside the test

// Lines of the stand-ins' log.
std::vector<std::string> logLines(const std::string& path);
// Lines that start with prefix.
std::vector<std::string> linesStartingWith(const std::vector<std::string>& lines, const std::string& prefix);

}  // namespace savertest
