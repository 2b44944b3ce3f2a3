// buildScene: the assets in their fixed order, the creatures the settings ask for, the scenery.
#include <cstdio>

#include "formats/DataCatalog.h"
#include "scene/CreatureLooks.h"
#include "scene/ScenePlacements.h"
#include "scene/SeaSceneApp.h"
#include "world/Clock.h"

namespace {

constexpr float FishCausticScale = 0.4f;
constexpr float BigFishCausticScale = 0.8f;

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

}  // namespace

bool SeaSceneApp::buildScene() {
  char path[PathSize];
  auto data = [&](const char* relative) -> const char* {
    joinDataPath(path, dataFolder_, relative);
    return path;
  };
  auto loadPicture = [&](Texture& texture, const catalog::Picture& picture) {
    texture.loadBMP(data(picture.file), picture.loadFlags);
  };
  auto loadRun = [&](Texture(&frames)[AnimationFrames], const catalog::PictureRun& run) {
    for (int i = 0; i < AnimationFrames; ++i) frames[i].loadBMP(data(run.file(i).c_str()), run.loadFlags);
  };
  const bool interactive = !basicBuild();

  if (interactive) {
    helpLine_.setColour({1.0f, 1.0f, 1.0f});
    helpLine_.loadFont(data(catalog::FontFile));
    helpLine_.setPosition(20.0f, 40.0f, 0.0f);
    helpLine_.setScreenSize(width(), height());
    helpLine_.setText(languageTable_.lookup(textkeys::language::Help));
  }
  rateLine_.setColour({1.0f, 1.0f, 1.0f});
  rateLine_.loadFont(data(catalog::FontFile));
  rateLine_.setPosition(20.0f, 20.0f, 0.0f);
  rateLine_.setScreenSize(width(), height());
  if (interactive) input_.setDrawingSize(mainWindow(), width(), height());

  // The control panel shows the small preview whenever somebody looks through the savers: it
  // stays silent.
  if (settings_.SoundOn && mode() != Preview) {
    std::printf("if sound - delete sound\n");
    if (sound_) {
      sound_->close();
      sound_.reset();
    }
    std::printf("new sound\n");
    sound_ = std::make_unique<SoundPlayer>();
    std::printf("sound initialize\n");
    sound_->open();
    sound_->loadLoop(data(catalog::WaterLoop.file));
    sound_->playLoop();
    for (int id = 0; id < 4; ++id) sound_->loadEffect(data(catalog::GullCalls[id].file), id);
  }

  const catalog::Picture& sky = settings_.SkyType == 0 ? catalog::SkyCloudy
                                : colourDepth() == 32  ? catalog::SkyClear32
                                                       : catalog::SkyClear16;
  loadPicture(skyTexture_, sky);
  loadPicture(gullTexture_, catalog::GullSkin);
  loadPicture(mantaTexture_, catalog::MantaSkin);
  loadPicture(terrainTexture_, catalog::Sand);
  for (int i = 0; i < CoralKinds; ++i) loadPicture(coralTextures_[i], catalog::CoralSkins[i]);
  loadPicture(waterTexture_, catalog::Water);
  loadPicture(faderTexture_, catalog::HorizonFader);
  loadPicture(rockTexture_, catalog::Rock);
  loadPicture(islandTexture_, catalog::Island);
  loadRun(caustics_, catalog::FloorCaustics);
  loadRun(fishCaustics_, catalog::FishCaustics);
  loadRun(highlight_, catalog::Highlights);
  loadPicture(blendMap_, catalog::BlendMap);
  loadPicture(blueFishTexture_, catalog::BlueFishSkin);
  loadPicture(redFishTexture_, catalog::RedFishSkin);
  loadPicture(stripedFishTexture_, catalog::StripedFishSkin);
  loadPicture(yellowBlueTexture_, catalog::YellowBlueFishSkin);
  loadPicture(predatorTexture_, catalog::PredatorSkin);
  loadPicture(bigRedTexture_, catalog::BigRedFishSkin);
  loadPicture(bigGreyTexture_, catalog::BigGreyFishSkin);
  const CreatureLook school = schoolLook(settings_.BoidModel);
  loadPicture(schoolTexture_, *school.skin);
  skyType_ = settings_.SkyType;

  if (settings_.BirdGull) gullModel_.loadMD3(data(catalog::GullModel.file));
  if (settings_.FishManta) mantaModel_.loadMD3(data(catalog::MantaModel.file));
  for (int i = 0; i < CoralKinds; ++i) coralModels_[i].loadMD3(data(catalog::CoralModels[i].file));
  if (settings_.FishBigGrey) bigGreyModel_.loadMD3(data(catalog::BigGreyFishModel.file));
  if (settings_.FishBigRed) bigRedModel_.loadMD3(data(catalog::BigRedFishModel.file));
  if (settings_.FishStripe) reefModels_[0].loadMD3(data(reefLook(ReefSpecies::Striped).model->file));
  if (settings_.FishRed) reefModels_[1].loadMD3(data(reefLook(ReefSpecies::Red).model->file));
  if (settings_.FishBlue) reefModels_[2].loadMD3(data(reefLook(ReefSpecies::Blue).model->file));
  if (settings_.FishYellBlu) reefModels_[3].loadMD3(data(reefLook(ReefSpecies::YellowBlue).model->file));
  if (settings_.BoidCount > 0) schoolModel_.loadMD3(data(school.model->file));
  if (settings_.FishDot) predatorModel_.loadMD3(data(predatorLook().model->file));

  camera_.init(0.0f, 2.0f, -7.0f, 0.0f, 0.0f, 1.0f, 0.0f, 1.0f, 0.0f);
  if (basicBuild()) {
    switch (settings_.CameraPos) {
      case 0:
        cameraTilt_.configure(settings_.CameraSpeed, settings_.CameraFixTop, settings_.CameraFixBottom);
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

  gullsPresent_ = settings_.BirdGull;
  if (gullsPresent_) buildGull();
  buildGuide();
  buildCountedCreatures();
  buildSchool();
  buildScenery();

  school_.setTarget(guideSwimmer_.pose().position());
  school_.place();
  gullCallTimer_.restart();
  helpTimer_.setRange(10000, -1);
  lastTick_ = clockNow();
  return true;
}

void SeaSceneApp::buildGull() {
  gull_.setModel(&gullModel_);
  gull_.addTexture(&gullTexture_);
  gull_.setScale(0.05f);
  gull_.clearFlags(EulerTransform);
  playRanges(gullModel_, catalog::GullModel, 20.0f);
  gullModel_.playAnimation("fly");
  gullFlight_.build(Vector3{0.0f, 5.5f, 0.0f}, &gullModel_.animation());
}

Pose SeaSceneApp::startPose(const CreatureStart& start) {
  Pose pose;
  pose.setPosition(start.position);
  pose.setTarget(start.lookAt);
  return pose;
}

// The guide is never drawn, but it swims with the school's model: its speed sets that model's
// frame rate after the school's own members have.
void SeaSceneApp::buildGuide() {
  guideSwimmer_.settings() = guideSettings();
  guideSwimmer_.place(startPose(guideStart()));
  guideSwimmer_.setAnimation(&schoolModel_.animation());
  guideSwimmer_.start();
}

void SeaSceneApp::dressFish(ModelObject& fish, Texture& skin, float scale, float causticScale) {
  fish.addTexture(&skin);
  fish.addTexture(&fishCaustics_[0]);
  fish.setTextureScale(1, causticScale);
  fish.setScale(scale);
  fish.setBlended(true);
  fish.clearFlags(EulerTransform);
}

// The manta, the predator and the two big fish share one budget with the single reef fish.
void SeaSceneApp::buildCountedCreatures() {
  const int budget = settings_.FishCount;
  int counter = 0;
  if (budget > 0 && settings_.FishManta) {
    manta_.setModel(&mantaModel_);
    manta_.addTexture(&mantaTexture_);
    manta_.setScale(0.07f);
    manta_.clearFlags(EulerTransform);
    playRanges(mantaModel_, catalog::MantaModel, 6.0f);
    mantaSweep_.build(Vector3{-17.0f, -5.0f, 4.0f});
    counter = 1;
  }
  if (settings_.FishDot && counter < budget) {
    const CreatureLook look = predatorLook();
    predator_.setModel(&predatorModel_);
    dressFish(predator_, predatorTexture_, look.scale, FishCausticScale);
    playRanges(predatorModel_, *look.model, 12.0f);
    predatorSwimmer_.settings() = predatorSettings(settings_.BoidCount > 0, &school_);
    predatorSwimmer_.place(startPose(predatorStart()));
    predatorSwimmer_.setAnimation(&predatorModel_.animation());
    predatorSwimmer_.start();
    ++counter;
  }

  for (const Vector3& point : {Vector3{24, -6, 32}, Vector3{10, -6, 27}, Vector3{4, -6, 20}, Vector3{0, -6, 14},
                               Vector3{-2, -6, 9}, Vector3{-11, -6, 1}}) {
    routePatrol_.addRoutePoint(point);
  }
  if (settings_.FishBigGrey && counter < budget) {
    bigGrey_.setModel(&bigGreyModel_);
    dressFish(bigGrey_, bigGreyTexture_, 0.05f, BigFishCausticScale);
    playRanges(bigGreyModel_, catalog::BigGreyFishModel, 8.0f);
    bigGreyCandidate_ = routePatrol_.addCandidate();
    ++counter;
  }
  if (settings_.FishBigRed && counter < budget) {
    bigRed_.setModel(&bigRedModel_);
    dressFish(bigRed_, bigRedTexture_, 0.07f, BigFishCausticScale);
    playRanges(bigRedModel_, catalog::BigRedFishModel, 5.0f);
    bigRedCandidate_ = routePatrol_.addCandidate();
    ++counter;
  }
  routePatrol_.pick();

  buildReefFish(budget - counter > 0 ? budget - counter : 0);
}

void SeaSceneApp::buildReefFish(int count) {
  const ReefSpecies allSpecies[ReefSpeciesCount] = {ReefSpecies::Striped, ReefSpecies::Red, ReefSpecies::Blue,
                                                    ReefSpecies::YellowBlue};
  const bool switchedOn[ReefSpeciesCount] = {settings_.FishStripe, settings_.FishRed, settings_.FishBlue,
                                             settings_.FishYellBlu};
  Texture* skins[ReefSpeciesCount] = {&stripedFishTexture_, &redFishTexture_, &blueFishTexture_, &yellowBlueTexture_};
  int species[ReefSpeciesCount];
  int kinds = 0;
  for (int s = 0; s < ReefSpeciesCount; ++s) {
    if (!switchedOn[s]) continue;
    species[kinds++] = s;
    const CreatureLook look = reefLook(allSpecies[s]);
    reefModels_[s].addAnimation(swimRange(look).first, swimRange(look).last, swimRange(look).name);
    reefModels_[s].playAnimation(swimRange(look).name);
  }
  if (kinds == 0) count = 0;
  if (count > MaxReefFish) count = MaxReefFish;

  reefFishCount_ = count;
  if (count == 0) return;
  for (int k = 0; k < kinds; ++k) {
    const int s = species[k];
    reefLooks_[s].setModel(&reefModels_[s]);
    dressFish(reefLooks_[s], *skins[s], reefLook(allSpecies[s]).scale, FishCausticScale);
  }
  reefSwimmers_ = std::make_unique<Swimmer[]>(static_cast<size_t>(count));
  reefSpecies_ = std::make_unique<int[]>(static_cast<size_t>(count));
  for (int i = 0; i < count; ++i) {
    const int s = species[i % kinds];
    reefSpecies_[i] = s;
    Swimmer& swimmer = reefSwimmers_[i];
    swimmer.settings() = reefSettings(allSpecies[s], i, &school_);
    swimmer.place(startPose(reefStart(i)));
    swimmer.setAnimation(&reefModels_[s].animation());
    swimmer.start();
  }
}

void SeaSceneApp::buildSchool() {
  const int count = settings_.BoidCount > MaxSchoolFish ? MaxSchoolFish : settings_.BoidCount;
  if (count <= 0) return;
  const CreatureLook look = schoolLook(settings_.BoidModel);
  schoolLook_.setModel(&schoolModel_);
  dressFish(schoolLook_, schoolTexture_, look.scale, FishCausticScale);
  school_.reserve(count);
  for (int i = 0; i < count; ++i) school_.add();
  school_.setAnimation(&schoolModel_.animation());
  playRanges(schoolModel_, *look.model, 44.0f);
}

void SeaSceneApp::buildScenery() {
  char path[PathSize];

  skyDome_.setShape(SkyDome::Paraboloid);
  skyDome_.setTurnSpeed(-0.75f);
  skyDome_.addTexture(&skyTexture_);
  placeCard(skyPlane_, SkyCard, &skyTexture_);

  if (joinDataPath(path, dataFolder_, catalog::TerrainMap.file)) floor_.loadHeightMap(path);
  floor_.addTexture(&terrainTexture_);
  floor_.addTexture(&caustics_[0]);
  floor_.setTextureScale(1, 5.0f);
  floor_.setSize(60.0f, 50.0f);
  floor_.setHeightScale(0.015f);
  floor_.setGridResolution(50);
  floor_.setPosition(0.0f, -8.0f, 0.0f);

  for (int kind = 0; kind < CoralKinds; ++kind)
    playRanges(coralModels_[kind], catalog::CoralModels[kind], CoralSwayRates[kind]);
  for (int i = 0; i < CoralCount; ++i) {
    const CoralPlacement& placement = CoralPlacements[i];
    ModelObject& coral = corals_[i];
    coral.setModel(&coralModels_[placement.kind]);
    coral.addTexture(&coralTextures_[placement.kind]);
    coral.setTextureScale(0, catalog::CoralModels[placement.kind].skinScale);
    coral.setBlended(true);
    coral.setPosition(placement.position);
    coral.setAngleX(placement.angles.x);
    coral.setAngleY(placement.angles.y);
    coral.setAngleZ(placement.angles.z);
    coral.setScale(placement.scale.x, placement.scale.y, placement.scale.z);
  }

  placeCard(islandPlane_, IslandCard, &islandTexture_);
  placeCard(rockPlane_, RockCard, &rockTexture_);

  water_.build(50.0f, 50.0f, 50, 50);
  water_.addTexture(&waterTexture_);
  water_.setPosition(0.0f, 0.0f, 20.0f);
  water_.setAngleX(-90.0f);
  water_.setBlended(true);

  placeCard(highlightPlane_, HighlightCard, &blendMap_);
  highlightPlane_.addTexture(&highlight_[0]);
  highlightPlane_.setTextureScale(1, 12.0f);

  placeCard(faderPlane_, FaderCard, &faderTexture_);
}
