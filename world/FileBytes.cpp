#include "world/FileBytes.h"

#include <cstdio>

#include "formats/FileOpen.h"

bool readFileBytes(const char* path, std::vector<uint8_t>& bytes) {
  bytes.clear();
  FILE* file = openFile(path, "rb");
  if (!file) return false;
  bool read = std::fseek(file, 0, SEEK_END) == 0;
  const long size = read ? std::ftell(file) : -1;
  read = size >= 0 && std::fseek(file, 0, SEEK_SET) == 0;
  if (read) {
    bytes.resize(static_cast<size_t>(size));
    read = bytes.empty() || std::fread(bytes.data(), 1, bytes.size(), file) == bytes.size();
  }
  std::fclose(file);
  if (!read) bytes.clear();
  return read;
}
