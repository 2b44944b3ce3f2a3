#pragma once
#include <cstdio>
#include <string>
#include <utility>
#include <vector>

#include "formats/TextTableKeys.h"

// Texts of one key = {value} file, read from one "[NAME]" section, and for a key that section
// lacks, from a second one. The file is opened by openFile and parsed at the first lookup; lookups
// never fail (an unknown key gives the empty text).
class TextTable {
 public:
  TextTable() = default;
  TextTable(const TextTable&) = delete;
  TextTable& operator=(const TextTable&) = delete;
  ~TextTable();

  void setSection(const char* name);
  // The section of the language, with "NL" for the keys it lacks.
  void setLanguage(textkeys::Language language);
  bool openFile(const char* path);
  // The returned text lives as long as the table.
  const char* lookup(const char* key);

  // Parses text as the body of a file; exposed for the file-free tests and the fuzzer.
  void parseText(const std::string& text);

 private:
  void parse();
  // Appends the entries of the section that header opens; false when the text has no such section.
  bool parseSection(const std::string& text, const char* header);

  bool parsed_ = false;
  std::FILE* file_ = nullptr;
  char header_[16] = {};
  char fallbackHeader_[16] = {};
  std::vector<std::pair<std::string, std::string>> entries_;
};
