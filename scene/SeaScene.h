#pragma once
// The sea: every asset, drawable and creature of one scene, apart from any window. It is built
// from the settings, advanced once a frame by the time given, and drawn into any number of views
// a frame; drawing changes nothing that moves.
//
//   SeaScene.cpp      build and the creatures' kinds
//   SceneAdvance.cpp  advance: waves, light, creatures, camera, model frames
//   SceneDraw.cpp     draw: a view, layer by layer in DrawOrder

#include <cstdint>
#include <memory>
#include <vector>

#include "config/Settings.h"
#include "render/QModel.h"
#include "render/Quad.h"
#include "render/SkyDome.h"
#include "render/Terrain.h"
#include "render/WaterGrid.h"
#include "scene/CreatureKinds.h"
#include "scene/ObjectIdentity.h"
#include "scene/SceneAssets.h"
#include "scene/ScenePlacements.h"
#include "scene/SceneView.h"
#include "world/CameraTilt.h"
#include "world/FishSchool.h"
#include "world/GullFlight.h"
#include "world/LookAtCamera.h"
#include "world/MantaSweep.h"
#include "world/Random.h"
#include "world/RoutePatrol.h"
#include "world/Swimmer.h"

// Told when a gull calls (every 20 to 30 s while gulls are in the scene); whoever plays the sound.
class GullCallListener {
 public:
  virtual void gullCalls() = 0;

 protected:
  ~GullCallListener() = default;
};

class SeaScene {
 public:
  struct Options {
    int colourDepth = 16;            // chooses the clear sky's picture
    bool settingsChooseView = true;  // CameraPos applies (the basic build); else the start pose stays
  };

  // One creature: its kind (a row of CreatureKinds) and the pose it is drawn at.
  struct Creature {
    int kind;
    const Pose* pose;
    int patrolCandidate;  // drawn only while this candidate travels; -1: always drawn
  };

  SeaScene();
  ~SeaScene();
  SeaScene(const SeaScene&) = delete;
  SeaScene& operator=(const SeaScene&) = delete;

  // The GL state every view shares: texturing, depth test, fog colour and range. Once per context.
  static void setupGL();

  // Once; needs a current GL context. now is the clock's reading; the first advance measures from it.
  void build(const SaverSettings& settings, const char* dataFolder, const Options& options, uint32_t now);
  bool built() const { return built_; }
  void setGullCallListener(GullCallListener* listener) { gullCallListener_ = listener; }

  // One frame: everything that moves moves by the time since the previous advance (or the build).
  // cameraSteered: the viewer moved the camera this frame (the highlight then keeps its frame).
  void advance(uint32_t now, bool cameraSteered = false);

  // Drawn as lines (the interactive build's wireframe), the floor no longer paints over the sky.
  void setWireframe(bool wireframe) { wireframe_ = wireframe; }

  // Draws the scene into view; any number of times a frame.
  void draw(const SceneView& view);
  // While set, identity is told of every object before it is drawn and may leave it out.
  void setIdentity(ObjectIdentity* identity) { identity_ = identity; }
  // draw is beginView and then every layer in DrawOrder; the benchmark times them apart.
  void beginView(const SceneView& view);
  void drawLayer(SceneLayer layer, const SceneView& view);

  LookAtCamera& camera() { return camera_; }
  const LookAtCamera& camera() const { return camera_; }
  // The camera's start pose: 2 above the water, looking toward +z.
  void resetCamera();
  const CameraTilt& cameraTilt() const { return cameraTilt_; }
  bool cameraMoving() const { return cameraMoving_; }
  int frameTime() const { return frameTime_; }

  // What there is, for the tests and the benchmark.
  bool present(int kind) const { return kinds_[kind].present; }
  int count(int kind) const;
  const std::vector<Creature>& creatures() const { return creatures_; }
  const QModel& model(int kind) const { return kinds_[kind].model; }
  const Texture& skin(int kind) const { return *kinds_[kind].skin; }
  int schoolSize() const { return school_.size(); }
  const Pose& schoolFish(int i) const { return school_.member(i).pose; }
  int reefFishCount() const { return static_cast<int>(reefSwimmers_.size()); }
  const Pose& reefFish(int i) const { return reefSwimmers_[static_cast<size_t>(i)].pose(); }
  int reefFishKind(int i) const { return reefKinds_[static_cast<size_t>(i)]; }
  const Pose& guide() const { return guide_.pose(); }
  const RoutePatrol& routePatrol() const { return routePatrol_; }
  const GullFlight& gullFlight() const { return gullFlight_; }
  const WaterGrid& water() const { return water_; }
  const SkyDome& skyDome() const { return skyDome_; }
  const RippleTerrain& floor() const { return floor_; }
  const QModel& coralModel(int kind) const { return coralModels_[kind]; }
  const Texture& sky() const { return *sky_; }
  int causticFrame() const { return causticFrame_; }
  // The sunlight's frame shown, 0 to 31: the water's pass or the highlight card draws it.
  int highlightFrame() const { return highlightFrame_; }

 private:
  // A kind's shared model and the object that draws it at each of its creatures' poses.
  struct KindSlot {
    bool present = false;
    QModel model;
    ModelObject look;
    Texture* skin = nullptr;
    int patrolCandidate = -1;
  };

  void buildKind(int kind, const SaverSettings& settings);
  void buildReefFish(int places, const int* kinds, int kindCount);
  void buildScenery(const char* dataFolder);
  void applyCameraPosition(const SaverSettings& settings);
  // Groups the creatures by layer, each group in creation order until the first draw sorts it.
  void orderByLayer();
  void drawCreatures(SceneLayer layer, const SceneView& view);
  bool foldsSunlight() const;
  // The sky in the window rows [fromRow, toRow) of view, counted from its bottom.
  void drawSky(const SceneView& view, int fromRow, int toRow);
  void drawCorals(SceneLayer layer, CoralGroup group);
  // With an identity set: whether it draws the object that comes next.
  bool shown(SceneLayer layer, int index) { return !identity_ || identity_->identify(layer, index); }
  // Renders object, which spans x from left to right, and where the view looks sideways its mirror
  // images beside it.
  void renderWithSides(SceneObject& object, float left, float right, const SceneView& view);
  void renderAround(SceneObject& object, float left, float right, float nearEdge, const SceneView& view);
  void renderFloor(const SceneView& view);
  void hideFloorUnderFader();

  static constexpr float FloorWidth = 60.0f, FloorDepth = 50.0f;
  static constexpr float WaterWidth = 50.0f, WaterDepth = 50.0f;

  SceneAssets assets_;
  KindSlot kinds_[CreatureKindCount];
  std::vector<Creature> creatures_;
  // Indices into creatures_, grouped by layer (layer l from layerStart_[l] up to layerStart_[l + 1])
  // and within a layer far to near as the last draw found them.
  std::vector<int> layerOrder_;
  int layerStart_[LayerCount + 1] = {};
  ObjectIdentity* identity_ = nullptr;

  static constexpr int CoralKinds = sizeof(catalog::CoralModels) / sizeof(catalog::CoralModels[0]);
  QModel coralModels_[CoralKinds];
  ModelObject corals_[CoralCount];
  SkyDome skyDome_;
  Quad skyPlane_;
  RippleTerrain floor_;
  WaterGrid water_;
  Quad faderPlane_, highlightPlane_, islandPlane_, rockPlane_;
  Texture* sky_ = nullptr;
  int skyType_ = 0;

  FishSchool school_;
  Swimmer guide_;
  Swimmer predator_;
  GullFlight gullFlight_;
  MantaSweep mantaSweep_;
  RoutePatrol routePatrol_;
  std::vector<Swimmer> reefSwimmers_;
  std::vector<int> reefKinds_;
  bool gullsPresent_ = false;

  LookAtCamera camera_;
  CameraTilt cameraTilt_;
  RandomTimer gullCallTimer_;
  GullCallListener* gullCallListener_ = nullptr;

  bool built_ = false;
  uint32_t lastTick_ = 0;
  int frameTime_ = 0;
  float waterPhase_ = 0.0f;
  int causticFrame_ = 0;
  int highlightFrame_ = 0;
  bool cameraMoving_ = false;
  bool wireframe_ = false;
  // The window rows the horizon fader's opaque band covers in the view being drawn; none when
  // equal. The sky and the floor leave them to it.
  int faderBandLow_ = 0, faderBandHigh_ = 0;
};
