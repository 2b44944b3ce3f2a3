#include "scene/SeaSceneApp.h"

#include <GL/gl.h>

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

bool SeaSceneApp::setupGL() {
  glClearColor(0.0f, 0.0f, 0.0f, 1.0f);
  glClearDepth(1.0);
  glViewport(0, 0, width(), height());
  return true;
}

bool SeaSceneApp::buildScene() {
  lastTick_ = clockNow();
  return true;
}

void SeaSceneApp::updateFrame() {
  const uint32_t now = clockNow();
  frameTime_ = static_cast<int>(now - lastTick_);
  lastTick_ = now;
  ++framesSinceReport_;
  msSinceReport_ += frameTime_;
  if (msSinceReport_ >= 1000) {
    std::snprintf(frameRateText_, sizeof(frameRateText_), "%d x %d   %.2f fps", width(), height(),
                  static_cast<double>(framesSinceReport_) * 1000.0 / static_cast<double>(msSinceReport_));
    framesSinceReport_ = 0;
    msSinceReport_ = 0;
  }
}

void SeaSceneApp::renderFrame() { glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT); }

bool SeaSceneApp::releaseGL() { return true; }

// Nothing has been built yet in configuration mode, so everything here must be safe to skip.
void SeaSceneApp::releaseScene() {}
