#include "ContentFixture.h"

#include "ContentGenerator.h"

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <unistd.h>

GeneratedContent generateInto(const std::string& root) {
  std::filesystem::remove_all(root);
  GeneratedContent content;
  content.root = root;
  content.dataFolder = root + "/Reefglass";
  content.pictureFolder = root + "/dialog-pictures";
  ContentSummary summary;
  auto start = std::chrono::steady_clock::now();
  content.ok = generateContent(content.dataFolder, content.pictureFolder, summary);
  content.seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  return content;
}

const GeneratedContent& generatedContent() {
  static const GeneratedContent content = [] {
    std::string root =
        (std::filesystem::temp_directory_path() / ("reefcontent-test-" + std::to_string(getpid()))).string();
    GeneratedContent generated = generateInto(root);
    std::printf("generation took %.2f s\n", generated.seconds);
    return generated;
  }();
  return content;
}

std::string dataFile(const std::string& relativeName) { return generatedContent().dataFolder + "/" + relativeName; }
