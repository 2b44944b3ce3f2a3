#pragma once
// A folder that receives generated files under their relative names, creating sub-folders.

#include "BmpWriter.h"

#include <string>

class OutputFolder {
 public:
  explicit OutputFolder(std::string root);

  // Writes the bytes to root/relativeName; on failure prints the reason and remembers it.
  void write(const std::string& relativeName, const Bytes& bytes);
  void writeText(const std::string& relativeName, const std::string& text);

  bool ok() const { return ok_; }
  int fileCount() const { return fileCount_; }
  uint64_t byteCount() const { return byteCount_; }

 private:
  std::string root_;
  bool ok_ = true;
  int fileCount_ = 0;
  uint64_t byteCount_ = 0;
};
