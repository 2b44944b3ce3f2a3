#pragma once
// The generator's output, written once per test run into a temporary folder and shared by all
// test files (generation takes a few seconds).

#include <string>

struct GeneratedContent {
  std::string root;
  std::string dataFolder;
  std::string pictureFolder;
  bool ok = false;
  double seconds = 0.0;
};

const GeneratedContent& generatedContent();

// Writes a fresh copy under another root (for the determinism check).
GeneratedContent generateInto(const std::string& root);

std::string dataFile(const std::string& relativeName);
