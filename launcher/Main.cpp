// Entry of KvSetupX, the CD menu and installer.
#include <windows.h>

#include "launcher/KvSetupApp.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR commandLine, int) {
  launcher::KvSetupApp app(instance, commandLine != nullptr ? commandLine : "");
  if (!app.initInstance()) return 0;
  return app.run();
}
