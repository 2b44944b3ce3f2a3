#include "config/TextTable.h"

#include <cstring>

#include "formats/FileOpen.h"

namespace {

const char* const WhiteSpace = " \t\r\n";

std::string trimmed(const std::string& text) {
  const size_t first = text.find_first_not_of(WhiteSpace);
  if (first == std::string::npos) return std::string();
  const size_t last = text.find_last_not_of(WhiteSpace);
  return text.substr(first, last - first + 1);
}

}  // namespace

TextTable::~TextTable() {
  if (file_) std::fclose(file_);
}

void TextTable::setSection(const char* name) {
  // The header holds at most 15 characters; a longer name is cut.
  std::snprintf(header_, sizeof(header_), "[%s]", name ? name : "");
  fallbackHeader_[0] = '\0';
}

void TextTable::setLanguage(textkeys::Language language) {
  setSection(textkeys::sectionName(language));
  if (std::strcmp(textkeys::sectionName(language), textkeys::BaseSection) != 0) {
    std::snprintf(fallbackHeader_, sizeof(fallbackHeader_), "[%s]", textkeys::BaseSection);
  }
}

bool TextTable::openFile(const char* path) {
  if (file_) std::fclose(file_);
  file_ = ::openFile(path, "rb");
  return file_ != nullptr;
}

const char* TextTable::lookup(const char* key) {
  if (!parsed_) parse();
  const size_t length = key ? std::strlen(key) : 0;
  for (const auto& entry : entries_) {
    if (entry.first.size() == length && std::memcmp(entry.first.data(), key, length) == 0) {
      return entry.second.c_str();
    }
  }
  return "";
}

void TextTable::parse() {
  if (header_[0] == '\0' || !file_) return;
  std::string text;
  char piece[512];
  size_t got;
  // Each piece counts only up to its first NUL byte.
  while ((got = std::fread(piece, 1, sizeof(piece) - 1, file_)) > 0) {
    piece[got] = '\0';
    text.append(piece, std::strlen(piece));
  }
  parseText(text);
}

// The fallback section's entries stand after the section's own, so a lookup, which takes the first
// entry with its key, finds them only for a key the section lacks.
void TextTable::parseText(const std::string& text) {
  const bool own = parseSection(text, header_);
  const bool fallback = parseSection(text, fallbackHeader_);
  if (own || fallback) parsed_ = true;
}

bool TextTable::parseSection(const std::string& text, const char* headerText) {
  const size_t header = headerText[0] ? text.find(headerText) : std::string::npos;
  if (header == std::string::npos) return false;
  const size_t start = header + std::strlen(headerText);
  const size_t end = text.find('[', start);
  std::string body = trimmed(text.substr(start, end == std::string::npos ? std::string::npos : end - start));

  size_t equals;
  while ((equals = body.find('=')) != std::string::npos) {
    std::string key = trimmed(body.substr(0, equals));
    body.erase(0, equals + 1);
    const size_t open = body.find('{');
    const size_t close = body.find('}');
    if (open == std::string::npos || close == std::string::npos) continue;
    // A "}" before the "{" would give a negative length; such an entry has no value.
    std::string value = close > open ? trimmed(body.substr(open + 1, close - open - 1)) : std::string();
    entries_.emplace_back(std::move(key), std::move(value));
    body.erase(0, close + 1);
  }
  return true;
}
