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
