// The launcher's configuration reader on arbitrary file contents.
#include <string_view>

#include "launcher/LauncherConfig.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  launcher::LauncherConfig config;
  config.readText(std::string_view(reinterpret_cast<const char*>(data), size));
  if (config.products().size() > launcher::LauncherConfig::kMaxProducts) __builtin_trap();
  return 0;
}
