#pragma once
#include <windows.h>

// What the machine tells a program about how often it should draw: running on a battery, battery
// saver or energy saver switched on, or a session shown over Remote Desktop, where every frame
// crosses the network. Each lowers the frame-rate cap while it holds.
struct DrawingConditions {
  bool onBattery = false;     // a battery or another short-term source (a UPS) rather than mains
  bool batterySaver = false;  // Windows 10's battery saver
  bool energySaver = false;   // Windows 11's energy saver, which may be on at mains power too
  bool remoteSession = false;

  bool savingPower() const { return onBattery || batterySaver || energySaver; }
};

constexpr int PowerSavingFrameRate = 30;
constexpr int RemoteSessionFrameRate = 15;

// The cap under these conditions, from the cap a run has without them (0: no limit).
int frameRateUnder(const DrawingConditions& conditions, int cap);

// The power settings whose notices change the conditions; the values are fixed by Windows.
extern const GUID PowerSourceSetting;        // GUID_ACDC_POWER_SOURCE
extern const GUID PowerSavingStatusSetting;  // GUID_POWER_SAVING_STATUS
extern const GUID EnergySaverStatusSetting;  // GUID_ENERGY_SAVER_STATUS

// A PBT_POWERSETTINGCHANGE notice: true when it was about the power source, battery saver or
// energy saver and conditions now says what it told. A notice too short to hold its state changes
// nothing.
bool followPowerSetting(const POWERBROADCAST_SETTING* setting, DrawingConditions& conditions);
// The wParam of WM_WTSSESSION_CHANGE: true when the session moved to the console or to a remote
// client, and conditions now says which.
bool followSessionChange(WPARAM event, DrawingConditions& conditions);

// Where the conditions at start come from: the system's answers, or a test's.
class ConditionSource {
 public:
  virtual ~ConditionSource() = default;
  // The power source and battery saver (GetSystemPowerStatus) and whether the session is remote
  // (SM_REMOTESESSION). Energy saver is known from its notice only, which comes on signing up.
  virtual DrawingConditions current() = 0;
};
ConditionSource& systemConditions();
