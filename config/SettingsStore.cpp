#include "config/SettingsStore.h"

#include "config/SettingFields.h"

bool SettingsStore::open(const char* path) {
  close();
  HKEY key = nullptr;
  if (RegCreateKeyExA(HKEY_CURRENT_USER, path, 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_READ | KEY_WRITE, nullptr, &key,
                      nullptr) != ERROR_SUCCESS) {
    return false;
  }
  key_ = key;
  return true;
}

bool SettingsStore::close() {
  if (!key_) return false;
  RegCloseKey(key_);
  key_ = nullptr;
  return true;
}

bool SettingsStore::writeDword(const char* name, DWORD value) {
  if (!key_) return false;
  return RegSetValueExA(key_, name, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value), sizeof(value)) ==
         ERROR_SUCCESS;
}

bool SettingsStore::query(const char* name, DWORD& value, bool dwordOnly) const {
  if (!key_) return false;
  DWORD type = REG_NONE;
  DWORD read = 0;
  DWORD size = sizeof(read);
  if (RegQueryValueExA(key_, name, nullptr, &type, reinterpret_cast<BYTE*>(&read), &size) != ERROR_SUCCESS) {
    return false;
  }
  // Four bytes of any type count, as they always have; a value of more is refused by the call.
  if (dwordOnly && (type != REG_DWORD || size != sizeof(read))) return false;
  value = read;
  return true;
}

int SettingsStore::readDword(const char* name, int fallback) const {
  DWORD value = 0;
  return query(name, value, false) ? static_cast<int>(value) : fallback;
}

int SettingsStore::readTypedDword(const char* name, int fallback) const {
  DWORD value = 0;
  return query(name, value, true) ? static_cast<int>(value) : fallback;
}

bool SettingsStore::readBool(const char* name, bool fallback) const {
  DWORD value = 0;
  return query(name, value, false) ? value != 0 : fallback;
}

void loadSaverSettings(const char* path, SaverSettings& settings) {
  SettingsStore store;
  if (!store.open(path)) return;
  for (const SettingField& field : SaverSettingFields) {
    if (field.number) {
      settings.*field.number = store.readDword(field.name, settings.*field.number);
    } else {
      settings.*field.flag = store.readBool(field.name, settings.*field.flag);
    }
  }
  const int volume = store.readTypedDword(SoundVolumeValue, settings.SoundVolume);
  settings.SoundVolume = volume >= 0 && volume <= MaxSoundVolume ? volume : MaxSoundVolume;
  settings.SoundYields = store.readTypedDword(SoundYieldsValue, settings.SoundYields ? 1 : 0) != 0;
  settings.ShowClock = store.readTypedDword(ShowClockValue, settings.ShowClock ? 1 : 0) != 0;
}

// All eighteen values and the dialog's later ones every time, flags as 0 or 1, whatever changed.
void saveSaverSettings(const char* path, const SaverSettings& settings) {
  SettingsStore store;
  if (!store.open(path)) return;
  for (const SettingField& field : SaverSettingFields) {
    const DWORD value = field.number ? static_cast<DWORD>(settings.*field.number) : (settings.*field.flag ? 1 : 0);
    store.writeDword(field.name, value);
  }
  store.writeDword(SoundVolumeValue, static_cast<DWORD>(settings.SoundVolume));
  store.writeDword(ShowClockValue, settings.ShowClock ? 1 : 0);
}

void loadScreenSettings(const char* path, ScreenSettings& screen) {
  SettingsStore store;
  if (!store.open(path)) return;
  screen.Width = store.readDword("Width", screen.Width);
  screen.Height = store.readDword("Height", screen.Height);
  screen.Bpp = store.readDword("Bpp", screen.Bpp);
  screen.LeaveRes = store.readBool("LeaveRes", screen.LeaveRes);
  screen.ShadeScecondary = store.readBool("ShadeScecondary", screen.ShadeScecondary);
  screen.MonitorMode = store.readDword("MonitorMode", screen.MonitorMode);
}

void saveScreenSettings(const char* path, const ScreenSettings& screen) {
  SettingsStore store;
  if (!store.open(path)) return;
  store.writeDword("Width", static_cast<DWORD>(screen.Width));
  store.writeDword("Height", static_cast<DWORD>(screen.Height));
  store.writeDword("Bpp", static_cast<DWORD>(screen.Bpp));
  store.writeDword("LeaveRes", screen.LeaveRes ? 1 : 0);
  store.writeDword("ShadeScecondary", screen.ShadeScecondary ? 1 : 0);
  store.writeDword("MonitorMode", static_cast<DWORD>(screen.MonitorMode));
}

// Not a setting of either dialog: people who want a lower rate to save power, or none to measure,
// store it themselves.
int loadMaxFrameRate(const char* path) {
  SettingsStore store;
  if (!store.open(path)) return -1;
  return store.readTypedDword("MaxFrameRate", -1);
}
