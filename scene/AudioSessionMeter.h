#pragma once
#include "scene/OtherSound.h"

// Windows' audio sessions (WASAPI) on the default output device, each with its process, state and
// peak meter. Every look asks afresh, so a device plugged in or chosen meanwhile is the one looked
// at; a system without sessions or meters (older Windows, Wine) hears nothing.
class AudioSessionMeter : public OtherSoundMeter {
 public:
  bool othersPlaying() override;

  // The sessions of one look; more are not looked at.
  static constexpr int MaxSessions = 64;
};

OtherSoundMeter& audioSessionMeter();
