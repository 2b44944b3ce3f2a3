// Text tables on arbitrary file contents: the section (or a language, read with "NL" for what it
// lacks) comes from the first byte, the rest is the file, and a few lookups make the table parse it.
#include <unistd.h>

#include <cstdio>
#include <string>

#include "config/TextTable.h"

namespace {

const std::string& scratchFile() {
  static const std::string path = "/tmp/reef-fuzz-texttable-" + std::to_string(getpid()) + ".dat";
  return path;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static const char* const sections[] = {"NL", "", "A-SECTION-NAME-LONGER-THAN-FIFTEEN"};
  static const char* const keys[] = {"caption", "win32reg", "mainbitmap", "", "=", "{", "NL"};
  if (size == 0) return 0;
  FILE* file = std::fopen(scratchFile().c_str(), "wb");
  if (!file) return 0;
  std::fwrite(data + 1, 1, size - 1, file);
  std::fclose(file);

  TextTable table;
  const size_t choice = data[0] % (3 + textkeys::LanguageCount);
  if (choice < 3) {
    table.setSection(sections[choice]);
  } else {
    table.setLanguage(textkeys::Languages[choice - 3]);
  }
  if (!table.openFile(scratchFile().c_str())) return 0;
  for (const char* key : keys) {
    const char* value = table.lookup(key);
    if (!value) __builtin_trap();  // lookups never fail
    (void)std::string(value).size();
  }
  return 0;
}
