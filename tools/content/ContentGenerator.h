#pragma once
// Writes the whole "Reefglass" data folder and the settings dialog's pictures. The output depends
// only on fixed seeds: every run writes the same bytes.

#include <string>

struct ContentSummary {
  int files = 0;
  unsigned long long dataBytes = 0;
};

// Returns false when a file could not be written or built (the reason is printed).
bool generateContent(const std::string& dataFolder, const std::string& pictureFolder, ContentSummary& summary);
