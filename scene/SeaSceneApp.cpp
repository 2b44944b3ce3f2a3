#include "scene/SeaSceneApp.h"

#include <cstdio>
#include <ctime>

#include "config/DisplayModeDialog.h"
#include "config/SettingFields.h"
#include "formats/TextTableKeys.h"
#include "world/Clock.h"

SeaSceneApp::SeaSceneApp(SaverBuild build) : GLSaver(build) {
  findDataFolder(dataFolder_);

  char path[PathSize];
  directoryTable_.setSection(textkeys::Section);
  if (joinDataPath(path, dataFolder_, textkeys::directory::File)) directoryTable_.openFile(path);
  languageTable_.setSection(textkeys::Section);
  if (joinDataPath(path, dataFolder_, textkeys::language::File)) languageTable_.openFile(path);
  copyText(registryPath_, directoryTable_.lookup(textkeys::directory::RegistryPath));
  copyText(applicationName_, directoryTable_.lookup(textkeys::directory::ApplicationName));

  seedRandom(static_cast<uint32_t>(std::time(nullptr)));

  lastTick_ = clockNow();
  gullCallTimer_.setRange(20000, 30000);
}

SeaSceneApp::~SeaSceneApp() = default;

bool SeaSceneApp::loadSettings() {
  if (!openRegistryKey(registryPath_)) return true;
  for (const SettingField& field : SaverSettingFields) {
    if (field.number) {
      settings_.*field.number = readDword(field.name, settings_.*field.number);
    } else {
      settings_.*field.flag = readBool(field.name, settings_.*field.flag);
    }
  }
  closeRegistryKey();
  return true;
}

// All eighteen values every time, flags as 0 or 1, whatever changed.
bool SeaSceneApp::saveSettings() {
  if (!openRegistryKey(registryPath_)) return true;
  for (const SettingField& field : SaverSettingFields) {
    const DWORD value = field.number ? static_cast<DWORD>(settings_.*field.number) : (settings_.*field.flag ? 1 : 0);
    writeDword(field.name, value);
  }
  closeRegistryKey();
  return true;
}

// The Display control panel passes its window with /c:<window>; the dialog opens over it.
bool SeaSceneApp::configure() {
  HWND owner = reinterpret_cast<HWND>(static_cast<LONG_PTR>(windowNumber()));
  SettingsDialog dialog(settings_, *this, languageTable_, directoryTable_, dataFolder_);
  if (dialog.run(instance(), IsWindow(owner) ? owner : nullptr) == IDOK) saveSettings();
  return true;
}

// Nothing moves while nobody can see it, and the sea falls silent.
void SeaSceneApp::sleepChanged(bool asleep) {
  if (asleep) {
    stopClock();
    if (sound_) sound_->pause();
  } else {
    restartClock();
    if (sound_) sound_->resume();
  }
}

void SeaSceneApp::editScreenSettings(HWND owner) {
  char textFile[PathSize];
  joinDataPath(textFile, dataFolder_, textkeys::screenlanguage::File);
  DisplayModeDialog dialog(screenSettings(), textFile);
  if (dialog.run(instance(), owner) == IDOK) saveScreenSettings();
}

bool SeaSceneApp::releaseGL() { return true; }

// Also runs after a configuration run, where nothing was built: every step must be harmless then.
void SeaSceneApp::releaseScene() {
  gull_.releaseGeometry();
  manta_.releaseGeometry();
  predator_.releaseGeometry();
  bigGrey_.releaseGeometry();
  bigRed_.releaseGeometry();
  for (ModelObject& look : reefLooks_) look.releaseGeometry();
  reefSwimmers_.reset();
  reefSpecies_.reset();
  reefFishCount_ = 0;
  schoolLook_.releaseGeometry();
  school_.clear();
  skyDome_.releaseGeometry();
  skyPlane_.releaseGeometry();
  floor_.releaseGeometry();
  for (ModelObject& coral : corals_) coral.releaseGeometry();
  rockPlane_.releaseGeometry();
  islandPlane_.releaseGeometry();
  water_.releaseGeometry();
  highlightPlane_.releaseGeometry();
  faderPlane_.releaseGeometry();
  if (sound_) {
    sound_->close();
    sound_.reset();
  }
}
