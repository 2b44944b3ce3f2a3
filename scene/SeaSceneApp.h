#pragma once
// The application: the glue between the saver framework and the sea. It keeps the settings and
// the data folder's texts, runs the dialogs, plays the sound (quieter while other programs play
// theirs), reads the keys of the interactive build, hands the scene the clock's time once a frame
// and shows the time of day when asked to.
//
//   SeaSceneApp.cpp          construction, settings, dialogs, scene and sound lifecycle
//   FramePass.cpp            setupGL, updateFrame (with the sound's loudness and the time of day),
//                            renderFrame
//   InteractiveControls.cpp  the keys of the interactive build

#include <cstdint>
#include <memory>

#include "config/DataFolder.h"
#include "config/Settings.h"
#include "config/SettingsDialog.h"
#include "config/TextTable.h"
#include "config/UiLanguage.h"
#include "scene/ClockOverlay.h"
#include "scene/InputState.h"
#include "scene/OtherSound.h"
#include "scene/Overlay.h"
#include "scene/SeaScene.h"
#include "scene/TimeOfDay.h"
#include "shell/GLSaver.h"
#include "world/SoundPlayer.h"
#include "world/SoundYield.h"

class SeaSceneApp : public GLSaver, public ScreenSettingsEditor, private GullCallListener {
 public:
  // language: the section of the text files and the program's own texts; the user's UI language
  // unless a test says otherwise.
  explicit SeaSceneApp(SaverBuild build, textkeys::Language language = userLanguage());
  ~SeaSceneApp() override;

  bool buildScene() override;
  bool setupGL() override;
  void updateFrame() override;
  void renderFrame(int view) override;
  bool releaseGL() override;
  void releaseScene() override;
  void afterFrame() override;
  bool loadSettings() override;
  bool filterMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
  bool configure() override;
  void sleepChanged(bool asleep) override;
  void viewsChanged() override;
  // Runs the display-mode dialog over owner and saves the screen settings on OK.
  void editScreenSettings(HWND owner) override;

  void saveSettings();
  SaverSettings& settings() { return settings_; }
  const char* dataFolder() const { return dataFolder_; }
  const char* applicationName() const { return applicationName_; }
  TextTable& languageTable() { return languageTable_; }
  TextTable& directoryTable() { return directoryTable_; }

  // The sea, from construction until releaseScene; built by buildScene.
  SeaScene* scene() { return scene_.get(); }
  // How view number view sees the sea now (0 is the main window's).
  SceneView sceneView(int view) const;
  const Overlay& overlay() const { return overlay_; }
  // Shown with ShowClock only.
  const ClockOverlay& clock() const { return clock_; }
  // Where the clock reads the time of day; the system's local time unless a test gives another.
  void setTimeOfDaySource(TimeOfDaySource source) { timeOfDay_ = source; }
  const SoundPlayer* soundPlayer() const { return sound_.get(); }
  // Where the sea hears other programs; the system's audio sessions unless a test gives another.
  // Set before the scene is built.
  void setOtherSoundMeter(OtherSoundMeter& meter) { otherSoundMeter_ = &meter; }
  // Watching while the sea plays sound and SoundYields is set; nullptr otherwise.
  const OtherSoundWatch* otherSoundWatch() const { return otherSound_.get(); }
  int gullCallsPlayed() const { return gullCallsPlayed_; }

 private:
  void gullCalls() override;
  // The interactive build's keys; true when they moved the camera.
  bool runKeyCommands();
  // The sea's loudness this frame: the stored volume, less while other programs play sound.
  void adjustSoundVolume();
  // The clock's text and place, anew when the minute changed.
  void showTimeOfDay();
  // Once a run, when the data folder is not there: a box in the settings and the windowed test
  // run, a line on standard output where nobody could answer a box.
  void reportMissingDataFolder();

  SaverSettings settings_;
  char dataFolder_[PathSize] = {};
  char applicationName_[PathSize] = {};
  TextTable directoryTable_;
  TextTable languageTable_;

  std::unique_ptr<SeaScene> scene_;
  SceneView sceneViews_[MaxMonitors];  // all but the camera, which moves
  Overlay overlay_;
  ClockOverlay clock_;
  TimeOfDaySource timeOfDay_ = localTimeOfDay;
  int clockMinute_ = -1;
  InputState input_;
  std::unique_ptr<SoundPlayer> sound_;
  OtherSoundMeter* otherSoundMeter_;
  std::unique_ptr<OtherSoundWatch> otherSound_;
  SoundYield soundYield_;
  int gullCallsPlayed_ = 0;
  bool dataFolderReported_ = false;
};
