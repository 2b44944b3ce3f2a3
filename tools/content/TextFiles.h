#pragma once
// The three key = {value} text files of the data folder, with their Dutch "[NL]" section.
// Texts are Windows-1252 bytes, lines end in LF.

#include <string>
#include <utility>
#include <vector>

using TextEntries = std::vector<std::pair<std::string, std::string>>;

TextEntries directoryEntries();
TextEntries languageEntries();
TextEntries screenLanguageEntries();

// The file text: a comment line, the "[NL]" header and one entry per key.
std::string formatTextFile(const std::string& comment, const TextEntries& entries);
