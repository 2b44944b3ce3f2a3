// Writes the launcher's content of the CD: cdcontent <cd folder>
//   setup/bg.bmp          menu background, 640 x 480
//   setup/intro.avi       intro video, 320 x 240 at 12 frames per second, 4 s, uncompressed
//   setup/bubble.wav      hover sound; setup/button1.wav ... button4.wav for the stacked buttons
//   docs/Reefsaver.pdf    the manual in Dutch; docs/Reefsaver.EN.pdf, .DE.pdf, .FR.pdf in the others
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

#include "Manual.h"
#include "MediaFiles.h"
#include "SeaPictures.h"
#include "Sounds.h"
#include "WavWriter.h"

namespace {

bool writeFile(const std::filesystem::path& path, const std::vector<uint8_t>& bytes) {
  std::error_code error;
  std::filesystem::create_directories(path.parent_path(), error);
  std::ofstream out(path, std::ios::binary);
  out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
  out.close();
  if (!out) {
    std::fprintf(stderr, "cdcontent: cannot write %s\n", path.string().c_str());
    return false;
  }
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  // An option such as --help is not a folder to fill.
  if (argc != 2 || argv[1][0] == '-') {
    std::fprintf(stderr, "usage: cdcontent <cd folder>\n");
    return 2;
  }
  using namespace cdcontent;
  const std::filesystem::path cd = argv[1];

  constexpr int kFramesPerSecond = 12;
  constexpr int kFrames = kFramesPerSecond * 4;
  std::vector<Picture> frames;
  frames.reserve(kFrames);
  for (int i = 0; i < kFrames; ++i) frames.push_back(introFrame(i, kFrames, 320, 240));

  bool ok = writeFile(cd / "setup" / "bg.bmp", encodeBmp(menuBackground()));
  ok = writeFile(cd / "setup" / "intro.avi", encodeAvi(frames, kFramesPerSecond)) && ok;
  ok = writeFile(cd / "setup" / "bubble.wav", encodeWav(bubbleSound(1.0), 1)) && ok;
  for (int i = 1; i <= 4; ++i) {
    ok = writeFile(cd / "setup" / ("button" + std::to_string(i) + ".wav"), encodeWav(bubbleSound(1.0 + 0.2 * i), 1)) &&
         ok;
  }
  for (const textkeys::Language language : textkeys::Languages) {
    ok = writeFile(cd / manualFile(language), writeManual(language)) && ok;
  }
  return ok ? 0 : 1;
}
