#pragma once
#include "config/Settings.h"

// The registry values of SaverSettings, in field order: each is a number or a flag.
struct SettingField {
  const char* name;
  int32_t SaverSettings::*number;  // null for a flag
  bool SaverSettings::*flag;       // null for a number
};

constexpr int SettingFieldCount = 18;
extern const SettingField SaverSettingFields[SettingFieldCount];

// The values added since the first eighteen. They are read only from a DWORD (four bytes of a
// string are no setting); a volume outside 0 to 100 reads as 100. SoundYields is read but never
// written: no dialog offers it.
inline constexpr char SoundVolumeValue[] = "SoundVolume";
inline constexpr char SoundYieldsValue[] = "SoundYields";
inline constexpr char ShowClockValue[] = "ShowClock";
// Those the settings dialog writes on OK besides the eighteen.
inline constexpr const char* LaterDialogValues[] = {SoundVolumeValue, ShowClockValue};
