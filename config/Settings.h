#pragma once
#include <cstdint>

// The scene choices, each under the name of its registry value: the eighteen first ones, then
// those added since. The nine kind flags are one byte each and adjacent, so the settings dialog can
// copy them as a block.
struct SaverSettings {
  int32_t BoidModel = 0;
  int32_t BoidCount = 10;
  bool FishRed = true;
  bool FishBlue = true;
  bool FishStripe = true;
  bool FishYellBlu = true;
  bool FishDot = true;
  bool FishBigGrey = true;
  bool FishBigRed = true;
  bool FishManta = true;
  bool BirdGull = true;
  int32_t FishCount = 10;
  int32_t CameraPos = 0;
  int32_t CameraSpeed = 4;
  int32_t CameraFixTop = 30;
  int32_t CameraFixBottom = 30;
  int32_t SkyType = 0;
  bool SoundOn = true;
  int32_t SoundVolume = 100;  // percent: 100 is the mixer's full loudness
  bool SoundYields = true;    // the sea falls silent while another program plays sound
  bool ShowClock = false;     // the time of day over the scene
};

constexpr int32_t MaxSoundVolume = 100;

// Where the full-screen saver shows the sea when there are several monitors.
enum MonitorModes : int32_t {
  PrimaryOnly = 0,   // the others as ShadeScecondary says; any value not listed here means this
  EveryMonitor = 1,  // the same view on each, at its own size
  Panorama = 2,      // neighbouring angles: the lagoon continues from one monitor to the next
};

// The display mode of the full-screen saver. MultiMonitor is found at start and never stored.
struct ScreenSettings {
  bool LeaveRes = true;
  int32_t Width = -1;
  int32_t Height = -1;
  int32_t Bpp = 16;
  bool MultiMonitor = false;
  bool ShadeScecondary = true;
  int32_t MonitorMode = PrimaryOnly;
};
