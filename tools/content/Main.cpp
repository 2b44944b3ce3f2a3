// reefcontent <data-folder> <dialog-picture-folder>: writes every data file of the screensaver
// and the settings dialog's pictures.

#include "ContentGenerator.h"

#include <chrono>
#include <cstdio>

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: reefcontent <data-folder> <dialog-picture-folder>\n");
    return 2;
  }
  auto start = std::chrono::steady_clock::now();
  ContentSummary summary;
  bool ok = generateContent(argv[1], argv[2], summary);
  double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  std::printf("reefcontent: %d files, data folder %.2f MB, %.1f s\n", summary.files, summary.dataBytes / 1048576.0,
              seconds);
  return ok ? 0 : 1;
}
