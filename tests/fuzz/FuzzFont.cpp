// The font reader on arbitrary bytes.
#include "render/FontReader.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  FontFile font;
  if (parseFont(data, size, font)) {
    // The texels the reader kept must fill the texture it reports.
    if (font.texels.size() != 2 * static_cast<size_t>(font.width) * font.height) __builtin_trap();
  }
  return 0;
}
