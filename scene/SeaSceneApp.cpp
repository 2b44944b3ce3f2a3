#include "scene/SeaSceneApp.h"

#include <cstdio>
#include <ctime>

#include "config/DisplayModeDialog.h"
#include "config/ProgramTexts.h"
#include "config/SettingsStore.h"
#include "formats/TextTableKeys.h"
#include "scene/AudioSessionMeter.h"
#include "shell/ErrorBox.h"
#include "world/Clock.h"

// The scene is made with the application, before anything is built: its swimmers draw their
// first random periods now, so the random sequence of a build is the same from run to run.
SeaSceneApp::SeaSceneApp(SaverBuild build, textkeys::Language language)
    : GLSaver(build, language), scene_(std::make_unique<SeaScene>()), otherSoundMeter_(&audioSessionMeter()) {
  findDataFolder(dataFolder_);

  char path[PathSize];
  directoryTable_.setSection(textkeys::BaseSection);
  if (joinDataPath(path, dataFolder_, textkeys::directory::File)) directoryTable_.openFile(path);
  languageTable_.setLanguage(language);
  if (joinDataPath(path, dataFolder_, textkeys::language::File)) languageTable_.openFile(path);
  copyText(registryPath_, directoryTable_.lookup(textkeys::directory::RegistryPath));
  copyText(applicationName_, directoryTable_.lookup(textkeys::directory::ApplicationName));

  seedRandom(static_cast<uint32_t>(std::time(nullptr)));
}

SeaSceneApp::~SeaSceneApp() = default;

bool SeaSceneApp::loadSettings() {
  loadSaverSettings(registryPath_, settings_);
  return true;
}

void SeaSceneApp::saveSettings() { saveSaverSettings(registryPath_, settings_); }

// The Display control panel passes its window with /c:<window>; the dialog opens over it.
bool SeaSceneApp::configure() {
  HWND owner = reinterpret_cast<HWND>(static_cast<LONG_PTR>(windowNumber()));
  reportMissingDataFolder();
  SettingsDialog dialog(settings_, *this, languageTable_, directoryTable_, dataFolder_);
  if (dialog.run(instance(), IsWindow(owner) ? owner : nullptr) == IDOK) saveSettings();
  return true;
}

void SeaSceneApp::editScreenSettings(HWND owner) {
  char textFile[PathSize];
  joinDataPath(textFile, dataFolder_, textkeys::screenlanguage::File);
  DisplayModeDialog dialog(screenSettings(), textFile, language());
  if (dialog.run(instance(), owner) == IDOK) saveScreenSettings();
}

void SeaSceneApp::reportMissingDataFolder() {
  if (dataFolderReported_ || dataFolderExists(dataFolder_)) return;
  dataFolderReported_ = true;
  char text[PathSize + 128];
  std::snprintf(text, sizeof(text), programtexts::MissingDataFolder.in(language()), dataFolder_);
  if (mode() == Configure || mode() == Windowed) {
    showError(mode() == Windowed ? mainWindow() : nullptr, language(), text);
  } else {
    std::printf("%s\n", text);
  }
}

bool SeaSceneApp::buildScene() {
  reportMissingDataFolder();
  const bool interactive = !basicBuild();
  char path[PathSize];
  joinDataPath(path, dataFolder_, catalog::FontFile);
  overlay_.build(path, languageTable_, width(), height(), interactive);
  if (settings_.ShowClock) {
    clock_.build(path, width(), height());
    clockMinute_ = -1;
  }
  if (interactive) input_.setDrawingSize(mainWindow(), width(), height());

  // The control panel shows the small preview whenever somebody looks through the savers: it
  // stays silent.
  if (settings_.SoundOn && mode() != Preview) {
    std::printf("if sound - delete sound\n");
    otherSound_.reset();
    if (sound_) {
      sound_->close();
      sound_.reset();
    }
    std::printf("new sound\n");
    sound_ = std::make_unique<SoundPlayer>();
    sound_->setVolume(mixerVolume(settings_.SoundVolume, 1.0f));
    std::printf("sound initialize\n");
    sound_->open();
    if (joinDataPath(path, dataFolder_, catalog::WaterLoop.file)) sound_->loadLoop(path);
    sound_->playLoop();
    for (int id = 0; id < 4; ++id) {
      if (joinDataPath(path, dataFolder_, catalog::GullCalls[id].file)) sound_->loadEffect(path, id);
    }
    soundYield_ = SoundYield{};
    if (settings_.SoundYields) otherSound_ = std::make_unique<OtherSoundWatch>(*otherSoundMeter_);
  }

  if (!scene_ || scene_->built()) scene_ = std::make_unique<SeaScene>();
  SeaScene::Options options;
  options.colourDepth = colourDepth();
  options.settingsChooseView = basicBuild();
  scene_->setGullCallListener(this);
  scene_->build(settings_, dataFolder_, options, clockNow());
  return true;
}

void SeaSceneApp::gullCalls() {
  if (!settings_.SoundOn || !sound_) return;
  sound_->playEffect(randomDraw() % 4, 0);
  ++gullCallsPlayed_;
}

// Nothing moves while nobody can see it, and the sea falls silent.
void SeaSceneApp::sleepChanged(bool asleep) {
  if (asleep) {
    stopClock();
    if (sound_) sound_->sleep();
  } else {
    restartClock();
    if (sound_) sound_->wake();
  }
}

bool SeaSceneApp::releaseGL() { return true; }

// Also runs after a configuration run, where nothing was built: every step must be harmless then.
void SeaSceneApp::releaseScene() {
  scene_.reset();
  otherSound_.reset();
  if (sound_) {
    sound_->close();
    sound_.reset();
  }
}
