#pragma once
#include <windows.h>

#include "config/Settings.h"

// The settings key below HKEY_CURRENT_USER, opened (and created when absent) for the length of one
// load or save. Every value is a REG_DWORD; a value that is missing or longer than 4 bytes keeps
// the fallback.
class SettingsStore {
 public:
  SettingsStore() = default;
  SettingsStore(const SettingsStore&) = delete;
  SettingsStore& operator=(const SettingsStore&) = delete;
  ~SettingsStore() { close(); }

  bool open(const char* path);
  bool close();  // false when no key is open
  bool isOpen() const { return key_ != nullptr; }
  bool writeDword(const char* name, DWORD value);
  // The fallback also when no key is open.
  int readDword(const char* name, int fallback) const;
  // The same for a value that must be a REG_DWORD: the first bytes of a string "30" are not 30.
  int readTypedDword(const char* name, int fallback) const;
  bool readBool(const char* name, bool fallback) const;

 private:
  // Up to 4 bytes of the value; false when there is no such value, or a longer one, or with
  // dwordOnly anything but a REG_DWORD.
  bool query(const char* name, DWORD& value, bool dwordOnly) const;

  HKEY key_ = nullptr;
};

// Each keeps what it holds when the key cannot be opened, and writes nothing then.
void loadSaverSettings(const char* path, SaverSettings& settings);
void saveSaverSettings(const char* path, const SaverSettings& settings);
void loadScreenSettings(const char* path, ScreenSettings& screen);
void saveScreenSettings(const char* path, const ScreenSettings& screen);
// "MaxFrameRate": frames per second at most, 0 for no limit; -1 when none is stored.
int loadMaxFrameRate(const char* path);
