// Building the scene: the pictures, the creatures of every kind the settings ask for, the scenery.
#include "scene/SeaScene.h"

#include <windows.h>
#include <GL/gl.h>

#include <algorithm>

#include "config/DataFolder.h"

namespace {

// Plays the model's ranges as the catalogue names them, the first of them at the given rate.
void playRanges(QModel& model, const catalog::Model& entry, float framesPerSecond) {
  for (const catalog::FrameRange& range : catalog::rangesOf(entry))
    model.addAnimation(range.first, range.last, range.name);
  model.playAnimation(entry.ranges[0].name);
  model.setFrameRate(framesPerSecond);
}

void placeCard(Quad& card, const CardPlacement& placement, Texture* picture) {
  card.setSize(placement.width, placement.height);
  card.addTexture(picture);
  card.setPosition(placement.position);
  card.setAngleX(placement.angles.x);
  card.setAngleY(placement.angles.y);
  card.setAngleZ(placement.angles.z);
  card.setBlended(placement.blended);
}

// A creature's starting pose, facing its first look-at point.
Pose startPose(const CreatureStart& start) {
  Pose pose;
  pose.setPosition(start.position);
  pose.setTarget(start.lookAt);
  return pose;
}

const catalog::Picture& skyPicture(int skyType, int colourDepth) {
  if (skyType == 0) return catalog::SkyCloudy;
  return colourDepth == 32 ? catalog::SkyClear32 : catalog::SkyClear16;
}

}  // namespace

SeaScene::SeaScene() = default;
SeaScene::~SeaScene() = default;

void SeaScene::setupGL() {
  glEnable(GL_TEXTURE_2D);
  glShadeModel(GL_SMOOTH);
  glClearColor(0.0f, 0.0f, 0.0f, 1.0f);
  glClearDepth(1.0);
  // The scene is drawn back to front and its picture is the one without a depth buffer, which is
  // what the pixel format asks for. Drivers that give one all the same must leave it unused: no
  // fragment is tested against it and none writes it.
  glEnable(GL_DEPTH_TEST);
  glDepthFunc(GL_ALWAYS);
  glDepthMask(GL_FALSE);
  glHint(GL_PERSPECTIVE_CORRECTION_HINT, GL_NICEST);
  const GLfloat fogColour[4] = {0.12109375f, 0.58984375f, 0.70703125f, 1.0f};
  glFogfv(GL_FOG_COLOR, fogColour);
  glFogi(GL_FOG_MODE, GL_LINEAR);
  glFogf(GL_FOG_START, 25.0f);
  glFogf(GL_FOG_END, 50.0f);
}

void SeaScene::resetCamera() { camera_.init(0.0f, 2.0f, -7.0f, 0.0f, 0.0f, 1.0f, 0.0f, 1.0f, 0.0f); }

void SeaScene::applyCameraPosition(const SaverSettings& settings) {
  switch (settings.CameraPos) {
    case 0:
      cameraTilt_.configure(settings.CameraSpeed, settings.CameraFixTop, settings.CameraFixBottom);
      cameraTilt_.enable();
      break;
    case 1:
      camera_.tilt(-25.0f);
      break;
    case 2:
      camera_.tilt(-8.0f);
      break;
    case 3:
      camera_.tilt(4.5f);
      break;
    default:
      break;
  }
}

int SeaScene::count(int kind) const {
  return static_cast<int>(std::count_if(creatures_.begin(), creatures_.end(),
                                        [kind](const Creature& creature) { return creature.kind == kind; }));
}

void SeaScene::build(const SaverSettings& settings, const char* dataFolder, const Options& options, uint32_t now) {
  built_ = true;
  char path[PathSize];
  const catalog::Picture& sky = skyPicture(settings.SkyType, options.colourDepth);
  assets_.load(dataFolder, sky);
  sky_ = &assets_.picture(sky);
  skyType_ = settings.SkyType;
  for (int kind = 0; kind < CoralKinds; ++kind) {
    if (joinDataPath(path, dataFolder, catalog::CoralModels[kind].file)) coralModels_[kind].loadMD3(path);
  }

  resetCamera();
  if (options.settingsChooseView) applyCameraPosition(settings);

  // The manta, the predator and the two big fish share one budget with the single reef fish.
  const int budget = settings.FishCount;
  int spent = 0;
  int reefKinds[CreatureKindCount];
  int reefKindCount = 0;
  for (const Vector3& point : {Vector3{24, -6, 32}, Vector3{10, -6, 27}, Vector3{4, -6, 20}, Vector3{0, -6, 14},
                               Vector3{-2, -6, 9}, Vector3{-11, -6, 1}}) {
    routePatrol_.addRoutePoint(point);
  }
  creatures_.reserve(CreatureKindCount);
  for (int kind = 0; kind < CreatureKindCount; ++kind) {
    const CreatureKind& row = CreatureKinds[kind];
    const bool switchedOn = row.flag ? settings.*row.flag : settings.BoidCount > 0;
    if (row.mover == Mover::School) {
      // The guide is never drawn, but it swims with the school's model: its speed sets that
      // model's frame rate after the school's own members have.
      guide_.settings() = guideSettings();
      guide_.place(startPose(guideStart()));
      guide_.setAnimation(&kinds_[kind].model.animation());
      guide_.start();
    }
    if (!switchedOn || (countedSingle(row.mover) && spent >= budget)) continue;
    if (countedSingle(row.mover)) ++spent;

    KindSlot& slot = kinds_[kind];
    const CreatureLook& look = row.mover == Mover::School && settings.BoidModel != 0 ? row.secondLook : row.look;
    slot.present = true;
    slot.skin = &assets_.picture(*look.skin);
    if (joinDataPath(path, dataFolder, look.model->file)) slot.model.loadMD3(path);
    playRanges(slot.model, *look.model, row.framesPerSecond);
    slot.look.setModel(&slot.model);
    slot.look.addTexture(slot.skin);
    if (row.causticScale > 0.0f) {
      slot.look.addTexture(&assets_.frame(catalog::FishCaustics, 0));
      slot.look.setTextureScale(1, row.causticScale);
      slot.look.setBlended(true);
    }
    slot.look.setScale(look.scale);
    slot.look.clearFlags(EulerTransform);

    switch (row.mover) {
      case Mover::Gull:
        gullsPresent_ = true;
        slot.model.playAnimation("fly");
        gullFlight_.build(Vector3{0.0f, 5.5f, 0.0f}, &slot.model.animation());
        creatures_.push_back({kind, &gullFlight_.pose(), -1});
        break;
      case Mover::School: {
        const int members = std::min(settings.BoidCount, row.maxCount);
        school_.reserve(members);
        for (int i = 0; i < members; ++i) school_.add();
        school_.setAnimation(&slot.model.animation());
        creatures_.reserve(creatures_.capacity() + static_cast<size_t>(members));
        for (int i = 0; i < members; ++i) creatures_.push_back({kind, &school_.member(i).pose, -1});
        break;
      }
      case Mover::Manta:
        mantaSweep_.build(Vector3{-17.0f, -5.0f, 4.0f});
        creatures_.push_back({kind, &mantaSweep_.pose(), -1});
        break;
      case Mover::Predator:
        predator_.settings() = predatorSettings(settings.BoidCount > 0, &school_);
        predator_.place(startPose(predatorStart()));
        predator_.setAnimation(&slot.model.animation());
        predator_.start();
        creatures_.push_back({kind, &predator_.pose(), -1});
        break;
      case Mover::Patrol:
        // Its pose is the patrol's, whose list may still grow: it is looked up once all are in.
        slot.patrolCandidate = routePatrol_.addCandidate();
        creatures_.push_back({kind, nullptr, slot.patrolCandidate});
        break;
      case Mover::Reef:
        slot.present = false;  // until it gets fish of its own
        reefKinds[reefKindCount++] = kind;
        break;
    }
  }
  for (Creature& creature : creatures_) {
    if (creature.patrolCandidate >= 0) creature.pose = &routePatrol_.pose(creature.patrolCandidate);
  }
  routePatrol_.pick();
  buildReefFish(budget - spent > 0 ? budget - spent : 0, reefKinds, reefKindCount);
  orderByLayer();
  buildScenery(dataFolder);

  school_.setTarget(guide_.pose().position());
  school_.place();
  gullCallTimer_.setRange(20000, 30000);
  lastTick_ = now;
  causticFrame_ = highlightFrame_ = static_cast<int>((now / 50) % SceneAssets::RunLength);
}

void SeaScene::orderByLayer() {
  layerOrder_.clear();
  layerOrder_.reserve(creatures_.size());
  for (int layer = 0; layer < LayerCount; ++layer) {
    layerStart_[layer] = static_cast<int>(layerOrder_.size());
    for (size_t i = 0; i < creatures_.size(); ++i) {
      if (static_cast<int>(CreatureKinds[creatures_[i].kind].layer) == layer)
        layerOrder_.push_back(static_cast<int>(i));
    }
  }
  layerStart_[LayerCount] = static_cast<int>(layerOrder_.size());
}

// Fish i takes kind i modulo the kinds switched on, in table order.
void SeaScene::buildReefFish(int places, const int* kinds, int kindCount) {
  if (kindCount == 0) return;
  int bound = CreatureKinds[kinds[0]].maxCount;
  for (int k = 1; k < kindCount; ++k) bound = std::min(bound, CreatureKinds[kinds[k]].maxCount);
  const int count = std::min(places, bound);
  if (count <= 0) return;
  reefSwimmers_.resize(static_cast<size_t>(count));
  reefKinds_.resize(static_cast<size_t>(count));
  creatures_.reserve(creatures_.size() + static_cast<size_t>(count));
  for (int i = 0; i < count; ++i) {
    const int kind = kinds[i % kindCount];
    kinds_[kind].present = true;
    reefKinds_[static_cast<size_t>(i)] = kind;
    Swimmer& swimmer = reefSwimmers_[static_cast<size_t>(i)];
    swimmer.settings() = reefSettings(CreatureKinds[kind].swim, i, &school_);
    swimmer.place(startPose(reefStart(i)));
    swimmer.setAnimation(&kinds_[kind].model.animation());
    swimmer.start();
    creatures_.push_back({kind, &swimmer.pose(), -1});
  }
}

void SeaScene::buildScenery(const char* dataFolder) {
  char path[PathSize];
  skyDome_.setShape(SkyDome::Paraboloid);
  skyDome_.setTurnSpeed(-0.75f);
  skyDome_.addTexture(sky_);
  placeCard(skyPlane_, SkyCard, sky_);

  if (joinDataPath(path, dataFolder, catalog::TerrainMap.file)) floor_.loadHeightMap(path);
  floor_.addTexture(&assets_.picture(catalog::Sand));
  floor_.addTexture(&assets_.frame(catalog::FloorCaustics, 0));
  floor_.setTextureScale(1, 5.0f);
  // Fine detail up close on a third unit, in the same pass; a driver with two units draws the
  // floor without it.
  Texture& detail = assets_.picture(catalog::FloorDetail);
  detail.setEnvFlags(TexDecal);
  floor_.addTexture(&detail);
  floor_.setTextureScale(2, catalog::FloorDetailRepeat);
  floor_.setSize(FloorWidth, FloorDepth);
  floor_.setHeightScale(0.015f);
  floor_.setGridResolution(50);
  floor_.setPosition(0.0f, -8.0f, 0.0f);

  for (int kind = 0; kind < CoralKinds; ++kind)
    playRanges(coralModels_[kind], catalog::CoralModels[kind], CoralSwayRates[kind]);
  for (int i = 0; i < CoralCount; ++i) {
    const CoralPlacement& placement = CoralPlacements[i];
    ModelObject& coral = corals_[i];
    coral.setModel(&coralModels_[placement.kind]);
    coral.addTexture(&assets_.picture(catalog::CoralSkins[placement.kind]));
    coral.setTextureScale(0, catalog::CoralModels[placement.kind].skinScale);
    coral.setBlended(true);
    coral.setPosition(placement.position);
    coral.setAngleX(placement.angles.x);
    coral.setAngleY(placement.angles.y);
    coral.setAngleZ(placement.angles.z);
    coral.setScale(placement.scale.x, placement.scale.y, placement.scale.z);
  }

  placeCard(islandPlane_, IslandCard, &assets_.picture(catalog::Island));
  placeCard(rockPlane_, RockCard, &assets_.picture(catalog::Rock));

  water_.build(WaterWidth, WaterDepth, 50, 50);
  water_.addTexture(&assets_.picture(catalog::Water));
  water_.setPosition(0.0f, 0.0f, 20.0f);
  water_.setAngleX(-90.0f);
  water_.setBlended(true);

  placeCard(highlightPlane_, HighlightCard, &assets_.picture(catalog::BlendMap));
  highlightPlane_.addTexture(&assets_.frame(catalog::Highlights, 0));
  highlightPlane_.setTextureScale(1, 12.0f);

  placeCard(faderPlane_, FaderCard, &assets_.picture(catalog::HorizonFader));
}
