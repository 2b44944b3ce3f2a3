#pragma once
#include <cstdint>
#include <vector>

// Reads a whole file (named in UTF-8) into bytes. False when it cannot be opened or read to its end.
bool readFileBytes(const char* path, std::vector<uint8_t>& bytes);
