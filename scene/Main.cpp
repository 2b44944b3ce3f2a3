#include <windows.h>

#include "scene/SeaSceneApp.h"

// The one place that reads the build switch.
#if REEFSAVER_BASIC
constexpr SaverBuild ThisBuild = SaverBuild::Basic;
#else
constexpr SaverBuild ThisBuild = SaverBuild::Interactive;
#endif

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
  SeaSceneApp app(ThisBuild);
  if (!app.init(instance, GetCommandLineA())) return 0;
  app.run();
  return 1;
}
