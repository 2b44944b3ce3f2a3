#pragma once
#include <cstdint>

// What the command line asks the saver to do. The framework starts at -1 and sets the mode once.
enum SaverMode : int32_t {
  SaverModeUnset = -1,
  Configure = 0,
  Preview = 1,
  FullScreen = 2,
  Windowed = 3,
  ChangePassword = 4,
};

// The two deliverables come from one source; the entry function picks one of these.
enum class SaverBuild {
  Interactive,  // reefsaver: always full screen, keys steer the view, Esc ends it
  Basic,        // reefsaver-basic: the proper screensaver, ends on any input
};
