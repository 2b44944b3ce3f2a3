#include "scene/SeaSceneApp.h"

#include <cstdio>
#include <ctime>

#include "config/DisplayModeDialog.h"
#include "world/Clock.h"

SeaSceneApp::SeaSceneApp(SaverBuild build) : GLSaver(build) {
  findDataFolder(dataFolder_);

  char path[PathSize];
  directoryTable_.setSection("NL");
  if (joinDataPath(path, dataFolder_, "Directory.dat")) directoryTable_.openFile(path);
  languageTable_.setSection("NL");
  if (joinDataPath(path, dataFolder_, "Language.dat")) languageTable_.openFile(path);
  copyText(registryPath_, directoryTable_.lookup("win32reg"));
  copyText(applicationName_, directoryTable_.lookup("appname_long"));

  seedRandom(static_cast<uint32_t>(std::time(nullptr)));

  lastTick_ = clockNow();
  gullCallTimer_.setRange(20000, 30000);
}

SeaSceneApp::~SeaSceneApp() = default;

bool SeaSceneApp::loadSettings() {
  if (!openRegistryKey(registryPath_)) return true;
  SaverSettings& s = settings_;
  s.BoidModel = readDword("BoidModel", s.BoidModel);
  s.BoidCount = readDword("BoidCount", s.BoidCount);
  s.FishRed = readBool("FishRed", s.FishRed);
  s.FishBlue = readBool("FishBlue", s.FishBlue);
  s.FishStripe = readBool("FishStripe", s.FishStripe);
  s.FishYellBlu = readBool("FishYellBlu", s.FishYellBlu);
  s.FishDot = readBool("FishDot", s.FishDot);
  s.FishBigGrey = readBool("FishBigGrey", s.FishBigGrey);
  s.FishBigRed = readBool("FishBigRed", s.FishBigRed);
  s.FishManta = readBool("FishManta", s.FishManta);
  s.BirdGull = readBool("BirdGull", s.BirdGull);
  s.FishCount = readDword("FishCount", s.FishCount);
  s.CameraPos = readDword("CameraPos", s.CameraPos);
  s.CameraSpeed = readDword("CameraSpeed", s.CameraSpeed);
  s.CameraFixTop = readDword("CameraFixTop", s.CameraFixTop);
  s.CameraFixBottom = readDword("CameraFixBottom", s.CameraFixBottom);
  s.SkyType = readDword("SkyType", s.SkyType);
  s.SoundOn = readBool("SoundOn", s.SoundOn);
  closeRegistryKey();
  return true;
}

bool SeaSceneApp::saveSettings() {
  if (!openRegistryKey(registryPath_)) return true;
  const SaverSettings& s = settings_;
  auto flag = [](bool value) -> DWORD { return value ? 1 : 0; };
  writeDword("BoidModel", static_cast<DWORD>(s.BoidModel));
  writeDword("BoidCount", static_cast<DWORD>(s.BoidCount));
  writeDword("FishRed", flag(s.FishRed));
  writeDword("FishBlue", flag(s.FishBlue));
  writeDword("FishStripe", flag(s.FishStripe));
  writeDword("FishYellBlu", flag(s.FishYellBlu));
  writeDword("FishDot", flag(s.FishDot));
  writeDword("FishBigGrey", flag(s.FishBigGrey));
  writeDword("FishBigRed", flag(s.FishBigRed));
  writeDword("FishManta", flag(s.FishManta));
  writeDword("BirdGull", flag(s.BirdGull));
  writeDword("FishCount", static_cast<DWORD>(s.FishCount));
  writeDword("CameraPos", static_cast<DWORD>(s.CameraPos));
  writeDword("CameraSpeed", static_cast<DWORD>(s.CameraSpeed));
  writeDword("CameraFixTop", static_cast<DWORD>(s.CameraFixTop));
  writeDword("CameraFixBottom", static_cast<DWORD>(s.CameraFixBottom));
  writeDword("SkyType", static_cast<DWORD>(s.SkyType));
  writeDword("SoundOn", flag(s.SoundOn));
  closeRegistryKey();
  return true;
}

bool SeaSceneApp::configure() {
  SettingsDialog dialog(settings_, *this, languageTable_, directoryTable_, dataFolder_);
  if (dialog.run(instance(), nullptr) == IDOK) saveSettings();
  return true;
}

void SeaSceneApp::editScreenSettings(HWND owner) {
  char textFile[PathSize];
  joinDataPath(textFile, dataFolder_, "ScreenLanguage.dat");
  DisplayModeDialog dialog(screenSettings(), textFile);
  if (dialog.run(instance(), owner) == IDOK) saveScreenSettings();
}

bool SeaSceneApp::releaseGL() { return true; }

// Also runs after a configuration run, where nothing was built: every step must be harmless then.
void SeaSceneApp::releaseScene() {
  gull_.releaseGeometry();
  manta_.releaseGeometry();
  guide_.releaseGeometry();
  predator_.releaseGeometry();
  bigGrey_.releaseGeometry();
  bigRed_.releaseGeometry();
  for (int i = 0; i < reefFishCount_; ++i) reefFish_[i].releaseGeometry();
  reefFish_.reset();
  reefSwimmers_.reset();
  reefFishCount_ = 0;
  for (int i = 0; i < schoolFishCount_; ++i) schoolFish_[i].releaseGeometry();
  schoolFish_.reset();
  schoolFishCount_ = 0;
  skyDome_.releaseGeometry();
  skyPlane_.releaseGeometry();
  floor_.releaseGeometry();
  coralA_.releaseGeometry();
  for (ModelObject& coral : coralB_) coral.releaseGeometry();
  coralC_.releaseGeometry();
  for (ModelObject& coral : coralD_) coral.releaseGeometry();
  coralF_.releaseGeometry();
  coralG_.releaseGeometry();
  coralH_.releaseGeometry();
  coralI_.releaseGeometry();
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
