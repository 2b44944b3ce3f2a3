#include "OutputFolder.h"

#include <cstdio>
#include <filesystem>
#include <fstream>

OutputFolder::OutputFolder(std::string root) : root_(std::move(root)) {}

void OutputFolder::write(const std::string& relativeName, const Bytes& bytes) {
  std::filesystem::path path = std::filesystem::path(root_) / relativeName;
  std::error_code error;
  std::filesystem::create_directories(path.parent_path(), error);
  std::ofstream file(path, std::ios::binary | std::ios::trunc);
  file.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
  file.close();
  if (!file) {
    std::fprintf(stderr, "reefcontent: cannot write %s\n", path.string().c_str());
    ok_ = false;
    return;
  }
  ++fileCount_;
  byteCount_ += bytes.size();
}

void OutputFolder::writeText(const std::string& relativeName, const std::string& text) {
  write(relativeName, Bytes(text.begin(), text.end()));
}
