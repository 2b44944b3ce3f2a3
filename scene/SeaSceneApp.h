#pragma once
// The application: owns the whole sea scene and fills in the framework's operations.

#include <cstdint>

#include "config/DataFolder.h"
#include "config/Settings.h"
#include "config/SettingsDialog.h"
#include "config/TextTable.h"
#include "shell/GLSaver.h"
#include "world/Random.h"

class SeaSceneApp : public GLSaver, public ScreenSettingsEditor {
 public:
  explicit SeaSceneApp(SaverBuild build);
  ~SeaSceneApp() override;

  bool buildScene() override;
  bool setupGL() override;
  void updateFrame() override;
  void renderFrame() override;
  bool releaseGL() override;
  void releaseScene() override;
  bool loadSettings() override;
  bool saveSettings() override;
  bool configure() override;
  // Runs the display-mode dialog over owner and saves the screen settings on OK.
  void editScreenSettings(HWND owner) override;

  SaverSettings& settings() { return settings_; }
  const char* dataFolder() const { return dataFolder_; }
  const char* registryPath() const { return registryPath_; }
  const char* applicationName() const { return applicationName_; }
  TextTable& languageTable() { return languageTable_; }
  TextTable& directoryTable() { return directoryTable_; }
  const char* frameRateText() const { return frameRateText_; }
  int frameTime() const { return frameTime_; }

 private:
  SaverSettings settings_;
  char dataFolder_[PathSize] = {};
  char applicationName_[PathSize] = {};
  TextTable directoryTable_;
  TextTable languageTable_;

  RandomTimer gullCallTimer_;
  RandomTimer helpTimer_;

  // Frame state.
  uint32_t lastTick_ = 0;
  int frameTime_ = 0;
  int framesSinceReport_ = 0;
  int msSinceReport_ = 0;
  char frameRateText_[1024] = {};
};
