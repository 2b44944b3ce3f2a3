// contactsheet [data folder] [picture.bmp]: draws every model and texture of the data folder onto
// one picture, for a reviewer to see all content at a glance. The defaults are the Reefglass
// folder beside the program and contact-sheet.bmp beside the program. Exit code 0 when everything
// loaded, 1 when some file failed (the sheet is still written, with those cells red), 2 when no
// sheet could be made.
#include <windows.h>

#include <cstdio>
#include <string>

#include "tools/contactsheet/ContactSheet.h"
#include "tools/contactsheet/SheetImage.h"
#include "tools/contactsheet/SheetWindow.h"

namespace {

// Small enough for any screen the tool runs on: the sheet is drawn tile by tile.
constexpr int TileWidth = 800, TileHeight = 600;

std::string programFolder() {
  char path[MAX_PATH] = {};
  const DWORD length = GetModuleFileNameA(nullptr, path, MAX_PATH);
  std::string folder(path, length);
  const size_t slash = folder.find_last_of('\\');
  return slash == std::string::npos ? std::string() : folder.substr(0, slash + 1);
}

}  // namespace

int main(int argc, char** argv) {
  const std::string folder = argc > 1 ? argv[1] : programFolder() + "Reefglass/";
  const std::string output = argc > 2 ? argv[2] : programFolder() + "contact-sheet.bmp";

  SheetWindow window(TileWidth, TileHeight);
  if (!window.ok()) {
    std::printf("contactsheet: no OpenGL window\n");
    return 2;
  }
  ContactSheet sheet(folder);
  const bool complete = sheet.load();

  SheetImage image(sheet.width(), sheet.height());
  for (int top = 0; top < sheet.height(); top += window.height()) {
    for (int left = 0; left < sheet.width(); left += window.width()) {
      sheet.drawTile(left, top, window.width(), window.height());
      image.paste(window.readBack(), window.width(), window.height(), left, top);
      window.pumpMessages();
    }
  }
  if (!image.writeBmp(output)) {
    std::printf("contactsheet: cannot write %s\n", output.c_str());
    return 2;
  }
  std::printf("contactsheet: wrote %s (%d x %d)\n", output.c_str(), image.width(), image.height());
  return complete ? 0 : 1;
}
