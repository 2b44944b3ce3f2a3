#pragma once
// The user's manual of the screensaver, in Dutch like its interface, written as a PDF.

#include <cstdint>
#include <vector>

namespace cdcontent {

std::vector<uint8_t> writeManual();

}  // namespace cdcontent
