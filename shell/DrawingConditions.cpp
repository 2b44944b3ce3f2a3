#include "shell/DrawingConditions.h"

#include <cstring>

const GUID PowerSourceSetting = {0x5d3e9a59, 0xe9d5, 0x4b00, {0xa6, 0xbd, 0xff, 0x34, 0xff, 0x51, 0x65, 0x48}};
const GUID PowerSavingStatusSetting = {0xe00958c0, 0xc213, 0x4ace, {0xac, 0x77, 0xfe, 0xcc, 0xed, 0x2e, 0xee, 0xa5}};
const GUID EnergySaverStatusSetting = {0x550e8400, 0xe29b, 0x41d4, {0xa7, 0x16, 0x44, 0x66, 0x55, 0x44, 0x00, 0x00}};

namespace {

constexpr DWORD PowerFromMains = 0;  // PoAc; PoDc (1) is a battery, PoHot (2) a UPS
constexpr BYTE LineOffline = 0;      // ACLineStatus; 1 online, 255 unknown
constexpr BYTE SaverOn = 1;          // SystemStatusFlag

int lower(int cap, int limit) { return cap == 0 || cap > limit ? limit : cap; }

class SystemConditions : public ConditionSource {
 public:
  DrawingConditions current() override {
    DrawingConditions conditions;
    SYSTEM_POWER_STATUS power = {};
    if (GetSystemPowerStatus(&power)) {
      conditions.onBattery = power.ACLineStatus == LineOffline;
      // The fourth byte: SystemStatusFlag in newer headers, still "reserved" in older ones.
      conditions.batterySaver = power.Reserved1 == SaverOn;
    }
    conditions.remoteSession = GetSystemMetrics(SM_REMOTESESSION) != 0;
    return conditions;
  }
};

}  // namespace

int frameRateUnder(const DrawingConditions& conditions, int cap) {
  if (conditions.savingPower()) cap = lower(cap, PowerSavingFrameRate);
  if (conditions.remoteSession) cap = lower(cap, RemoteSessionFrameRate);
  return cap;
}

bool followPowerSetting(const POWERBROADCAST_SETTING* setting, DrawingConditions& conditions) {
  if (!setting || setting->DataLength < sizeof(DWORD)) return false;
  DWORD state = 0;
  std::memcpy(&state, setting->Data, sizeof(state));
  if (setting->PowerSetting == PowerSourceSetting) {
    conditions.onBattery = state != PowerFromMains;
  } else if (setting->PowerSetting == PowerSavingStatusSetting) {
    conditions.batterySaver = state != 0;
  } else if (setting->PowerSetting == EnergySaverStatusSetting) {
    // Off 0, standard 1, high savings 2.
    conditions.energySaver = state != 0;
  } else {
    return false;
  }
  return true;
}

bool followSessionChange(WPARAM event, DrawingConditions& conditions) {
  if (event == WTS_CONSOLE_CONNECT) {
    conditions.remoteSession = false;
  } else if (event == WTS_REMOTE_CONNECT) {
    conditions.remoteSession = true;
  } else {
    return false;
  }
  return true;
}

ConditionSource& systemConditions() {
  static SystemConditions conditions;
  return conditions;
}
