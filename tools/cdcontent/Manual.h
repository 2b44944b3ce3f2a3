#pragma once
// The user's manual of the screensaver as a PDF, one in each language of its interface, each
// naming the dialogs, the menu and the setup program as they show themselves in that language.
//   Manual.cpp         Dutch, the CD's first language, and the choice of language
//   ManualEnglish.cpp  ManualGerman.cpp  ManualFrench.cpp

#include <cstdint>
#include <string>
#include <vector>

#include "formats/TextTableKeys.h"

namespace cdcontent {

std::vector<uint8_t> writeManual(textkeys::Language language);

// Its place on the CD: "docs/Reefsaver.pdf" in Dutch, "docs/Reefsaver.<LANG>.pdf" in the others.
std::string manualFile(textkeys::Language language);

std::vector<uint8_t> writeEnglishManual();
std::vector<uint8_t> writeGermanManual();
std::vector<uint8_t> writeFrenchManual();

}  // namespace cdcontent
