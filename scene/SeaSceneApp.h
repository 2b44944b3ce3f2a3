#pragma once
// The application: owns the whole sea scene for the run and fills in the framework's operations.
//
//   SeaSceneApp.cpp        construction, settings store, dialogs, release
//   SceneBuild.cpp         buildScene: assets, creatures and fixed scenery
//   FramePass.cpp          setupGL, updateFrame, renderFrame
//   InteractiveControls.cpp key commands and the help line of the interactive build

#include <cstdint>
#include <memory>

#include "config/DataFolder.h"
#include "config/Settings.h"
#include "config/SettingsDialog.h"
#include "config/TextTable.h"
#include "render/QModel.h"
#include "render/Quad.h"
#include "render/SkyDome.h"
#include "render/Terrain.h"
#include "render/TextObject.h"
#include "render/Texture.h"
#include "render/WaterGrid.h"
#include "scene/CreatureLooks.h"
#include "scene/InputState.h"
#include "scene/ScenePlacements.h"
#include "shell/GLSaver.h"
#include "world/CameraTilt.h"
#include "world/CreatureSettings.h"
#include "world/FishSchool.h"
#include "world/GullFlight.h"
#include "world/LookAtCamera.h"
#include "world/MantaSweep.h"
#include "world/Random.h"
#include "world/RoutePatrol.h"
#include "world/SoundPlayer.h"
#include "world/Swimmer.h"

// What renderFrame draws, one part of the scene each, in the order of DrawOrder.
enum class SceneLayer {
  Sky,
  Gull,
  Floor,
  RockAndFader,
  School,
  Predator,
  CoralsBeforeReefFish,
  ReefFish,
  BigFish,
  CoralsAfterBigFish,
  Island,
  Manta,
  Water,
  Highlight,
  Overlay,
};

class SeaSceneApp : public GLSaver, public ScreenSettingsEditor {
 public:
  // The sky comes first: the pixel format asks for no depth buffer, and drivers that give none (the
  // software ones) leave the picture to the drawing order, so a gull drawn before the sky was hidden
  // behind it.
  static constexpr SceneLayer DrawOrder[] = {SceneLayer::Sky,
                                             SceneLayer::Gull,
                                             SceneLayer::Floor,
                                             SceneLayer::RockAndFader,
                                             SceneLayer::School,
                                             SceneLayer::Predator,
                                             SceneLayer::CoralsBeforeReefFish,
                                             SceneLayer::ReefFish,
                                             SceneLayer::BigFish,
                                             SceneLayer::CoralsAfterBigFish,
                                             SceneLayer::Island,
                                             SceneLayer::Manta,
                                             SceneLayer::Water,
                                             SceneLayer::Highlight,
                                             SceneLayer::Overlay};

  static constexpr int AnimationFrames = 32;
  static constexpr int CoralKinds = 8;  // a, b, c, d, f, g, h, i
  static constexpr int ReefSpeciesCount = 4;
  // Settings come from a registry anyone can edit; creature counts beyond these would only
  // exhaust memory, never show more fish.
  static constexpr int MaxSchoolFish = 1000;
  static constexpr int MaxReefFish = 1000;

  explicit SeaSceneApp(SaverBuild build);
  ~SeaSceneApp() override;

  bool buildScene() override;
  bool setupGL() override;
  void updateFrame() override;
  void renderFrame() override;
  bool releaseGL() override;
  void releaseScene() override;
  void afterFrame() override;
  bool loadSettings() override;
  bool saveSettings() override;
  bool filterMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
  bool configure() override;
  void sleepChanged(bool asleep) override;

  // renderFrame is startFrame and then every layer in DrawOrder; the benchmark times them apart.
  void startFrame();
  void renderLayer(SceneLayer layer);
  static const char* layerName(SceneLayer layer);
  // Runs the display-mode dialog over owner and saves the screen settings on OK.
  void editScreenSettings(HWND owner) override;

  SaverSettings& settings() { return settings_; }
  const char* dataFolder() const { return dataFolder_; }
  const char* registryPath() const { return registryPath_; }
  const char* applicationName() const { return applicationName_; }
  TextTable& languageTable() { return languageTable_; }
  TextTable& directoryTable() { return directoryTable_; }

  // Read-only views for the tests and the benchmark.
  const char* frameRateText() const { return frameRateText_; }
  int frameTime() const { return frameTime_; }
  float aspectRatio() const { return aspect_; }
  const LookAtCamera& camera() const { return camera_; }
  const CameraTilt& cameraTilt() const { return cameraTilt_; }
  const FishSchool& school() const { return school_; }
  const RoutePatrol& routePatrol() const { return routePatrol_; }
  int reefFishCount() const { return reefFishCount_; }
  const Pose& reefFish(int i) const { return reefSwimmers_[i].pose(); }
  const QModel* reefFishModel(int i) const { return reefLooks_[reefSpecies_[i]].model(); }
  const QModel& reefSpeciesModel(int species) const { return reefModels_[species]; }
  int schoolFishCount() const { return school_.size(); }
  const Pose& schoolFish(int i) const { return school_.member(i).pose; }
  const Pose& guide() const { return guideSwimmer_.pose(); }
  bool mantaPresent() const { return manta_.model() != nullptr; }
  bool predatorPresent() const { return predator_.model() != nullptr; }
  bool bigGreyPresent() const { return bigGrey_.model() != nullptr; }
  bool bigRedPresent() const { return bigRed_.model() != nullptr; }
  bool gullsPresent() const { return gullsPresent_; }
  const SoundPlayer* soundPlayer() const { return sound_.get(); }
  const Texture& skyTexture() const { return skyTexture_; }
  const Texture& schoolTexture() const { return schoolTexture_; }
  const QModel& schoolModel() const { return schoolModel_; }
  const Quad& highlightPlane() const { return highlightPlane_; }
  const Texture& highlightFrame(int i) const { return highlight_[i]; }
  const TextObject& helpLine() const { return helpLine_; }
  const TextObject& rateLine() const { return rateLine_; }
  bool wireframe() const { return wireframe_; }
  bool rateShown() const { return rateShown_; }
  bool helpExpanded() const { return helpExpanded_; }
  int gullCallsPlayed() const { return gullCallsPlayed_; }

 private:
  void buildGull();
  void buildGuide();
  void buildCountedCreatures();
  void buildReefFish(int count);
  void buildSchool();
  void buildScenery();
  void renderCorals(CoralGroup group);
  void dressFish(ModelObject& fish, Texture& skin, float scale, float causticScale);
  // A creature's starting pose, facing lookAt.
  static Pose startPose(const CreatureStart& start);
  void runKeyCommands();
  void toggleHelp();
  int causticFrame() const;

  SaverSettings settings_;
  char dataFolder_[PathSize] = {};
  char applicationName_[PathSize] = {};
  TextTable directoryTable_;
  TextTable languageTable_;

  // Textures.
  Texture skyTexture_, gullTexture_, mantaTexture_, terrainTexture_;
  Texture coralTextures_[CoralKinds];
  Texture waterTexture_, faderTexture_, rockTexture_, islandTexture_, blendMap_;
  Texture schoolTexture_, redFishTexture_, stripedFishTexture_, bigGreyTexture_, bigRedTexture_, yellowBlueTexture_,
      predatorTexture_, blueFishTexture_;
  Texture caustics_[AnimationFrames];
  Texture fishCaustics_[AnimationFrames];
  Texture highlight_[AnimationFrames];

  // Models, shared by every object of one kind.
  QModel gullModel_, mantaModel_;
  QModel coralModels_[CoralKinds];
  QModel bigGreyModel_, bigRedModel_, predatorModel_, schoolModel_;
  QModel reefModels_[ReefSpeciesCount];  // striped, red, blue, yellow-blue

  // Scene objects. A creature holds only its pose: one object per kind, its look, is drawn at
  // each pose of that kind in turn.
  ModelObject gull_, manta_;
  ModelObject corals_[CoralCount];  // as CoralPlacements places them
  SkyDome skyDome_;
  Quad skyPlane_;
  WaterGrid water_;
  Quad faderPlane_, highlightPlane_, islandPlane_, rockPlane_;
  RippleTerrain floor_;
  ModelObject bigGrey_, bigRed_, predator_;
  ModelObject schoolLook_;
  ModelObject reefLooks_[ReefSpeciesCount];

  // Creature control.
  FishSchool school_;
  Swimmer guideSwimmer_, predatorSwimmer_;
  GullFlight gullFlight_;
  MantaSweep mantaSweep_;
  RoutePatrol routePatrol_;
  int bigGreyCandidate_ = -1, bigRedCandidate_ = -1;  // their numbers in the patrol

  // Made by buildScene to the counts the settings ask for.
  std::unique_ptr<Swimmer[]> reefSwimmers_;
  std::unique_ptr<int[]> reefSpecies_;  // index into reefLooks_ per reef fish
  int reefFishCount_ = 0;

  LookAtCamera camera_;
  CameraTilt cameraTilt_;
  TextObject helpLine_, rateLine_;
  InputState input_;
  std::unique_ptr<SoundPlayer> sound_;
  RandomTimer gullCallTimer_;
  RandomTimer helpTimer_;

  // Frame state.
  uint32_t lastTick_ = 0;
  int frameTime_ = 0;
  int framesSinceReport_ = 0;
  int msSinceReport_ = 0;
  char frameRateText_[1024] = {};
  bool wireframe_ = false;
  bool rateShown_ = false;
  bool helpExpanded_ = false;
  bool shortHelp_ = true;
  float waterPhase_ = 0.0f;
  bool gullsPresent_ = true;
  bool cameraMoving_ = false;
  int skyType_ = 0;
  float aspect_ = 0.0f;
  int gullCallsPlayed_ = 0;
};
