#pragma once
// The three key = {value} text files of the data folder. "Directory.dat" has its Dutch "[NL]"
// section only; the two language files have a section per language, "[NL]" first. Texts are
// written here in UTF-8 and into the files as Windows-1252 bytes; lines end in LF.

#include <string>
#include <utility>
#include <vector>

#include "formats/TextTableKeys.h"

using TextEntries = std::vector<std::pair<std::string, std::string>>;

// One key in every language, in the order of textkeys::Languages: Dutch, English, German, French.
struct TranslatedEntry {
  std::string key;
  std::string texts[textkeys::LanguageCount];
};
using TranslatedEntries = std::vector<TranslatedEntry>;

TextEntries directoryEntries();
TranslatedEntries languageEntries();
TranslatedEntries screenLanguageEntries();

// The entries of one language.
TextEntries inLanguage(const TranslatedEntries& entries, textkeys::Language language);

// The file text: a comment line, then per section its header and one entry per key.
std::string formatTextFile(const std::string& comment, const TextEntries& entries);
std::string formatTextFile(const std::string& comment, const TranslatedEntries& entries);
