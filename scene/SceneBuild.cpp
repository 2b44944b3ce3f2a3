// buildScene: the assets in their fixed order, the creatures the settings ask for, the scenery.
#include <cstdio>

#include "scene/SeaSceneApp.h"
#include "world/Clock.h"

namespace {

// Every texture but the highlight frames: linear filtering (bit 32 is carried along, unused).
constexpr unsigned SceneTextureFlags = 34;
constexpr unsigned HighlightFlags = TexNearest;
constexpr float FishCausticScale = 0.4f;
constexpr float BigFishCausticScale = 0.8f;

const char* const CoralLetters = "abcdfghi";

}  // namespace

bool SeaSceneApp::buildScene() {
  char path[PathSize];
  auto data = [&](const char* relative) -> const char* {
    joinDataPath(path, dataFolder_, relative);
    return path;
  };
  const bool interactive = !basicBuild();

  if (interactive) {
    helpLine_.setColour({1.0f, 1.0f, 1.0f});
    helpLine_.loadFont(data("font.nlf"));
    helpLine_.setPosition(20.0f, 40.0f, 0.0f);
    helpLine_.setScreenSize(width(), height());
    helpLine_.setText(languageTable_.lookup("help"));
  }
  rateLine_.setColour({1.0f, 1.0f, 1.0f});
  rateLine_.loadFont(data("font.nlf"));
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
    sound_->loadLoop(data("sound/water.wav"));
    sound_->playLoop();
    for (int id = 0; id < 4; ++id) {
      char name[32];
      std::snprintf(name, sizeof(name), "sound/seagull%d.wav", id + 1);
      sound_->loadEffect(data(name), id);
    }
  }

  const char* sky = settings_.SkyType == 0 ? "sky_cloudy.nlt"
                    : colourDepth() == 32  ? "sky_clear_32.nlt"
                                           : "sky_clear_16.nlt";
  skyTexture_.loadBMP(data(sky), SceneTextureFlags);
  gullTexture_.loadBMP(data("models//gull.nlt"), SceneTextureFlags);
  mantaTexture_.loadBMP(data("models//manta.nlt"), SceneTextureFlags);
  terrainTexture_.loadBMP(data("terrain.nlt"), SceneTextureFlags);
  for (int i = 0; i < CoralKinds; ++i) {
    char name[32];
    std::snprintf(name, sizeof(name), "models//coral_%c.nlt", CoralLetters[i]);
    coralTextures_[i].loadBMP(data(name), SceneTextureFlags);
  }
  waterTexture_.loadBMP(data("water.nlt"), SceneTextureFlags);
  faderTexture_.loadBMP(data("gwfader.nlt"), SceneTextureFlags);
  rockTexture_.loadBMP(data("models//rock2.nlt"), SceneTextureFlags);
  islandTexture_.loadBMP(data("island.nlt"), SceneTextureFlags);
  for (int i = 0; i < AnimationFrames; ++i) {
    std::snprintf(path, sizeof(path), "%scaustics64/caust%.2d.nlt", dataFolder_, i);
    caustics_[i].loadBMP(path, SceneTextureFlags);
  }
  for (int i = 0; i < AnimationFrames; ++i) {
    std::snprintf(path, sizeof(path), "%scausticsfish32/caust%.2d.nlt", dataFolder_, i);
    fishCaustics_[i].loadBMP(path, SceneTextureFlags);
  }
  for (int i = 0; i < AnimationFrames; ++i) {
    std::snprintf(path, sizeof(path), "%shighlight/highlight%.5d.nlt", dataFolder_, i + 44);
    highlight_[i].loadBMP(path, HighlightFlags);
  }
  blendMap_.loadBMP(data("blendmap.nlt"), SceneTextureFlags);
  blueFishTexture_.loadBMP(data("models/reeffishes/blaugelbfish.nlt"), SceneTextureFlags);
  redFishTexture_.loadBMP(data("models/reeffishes/rotfish.nlt"), SceneTextureFlags);
  stripedFishTexture_.loadBMP(data("models/reeffishes/moorishidol.nlt"), SceneTextureFlags);
  yellowBlueTexture_.loadBMP(data("models/reeffishes/gsbfish.nlt"), SceneTextureFlags);
  predatorTexture_.loadBMP(data("models/reeffishes/swpfish.nlt"), SceneTextureFlags);
  bigRedTexture_.loadBMP(data("models/reeffishes/rbig.nlt"), SceneTextureFlags);
  bigGreyTexture_.loadBMP(data("models/reeffishes/ybig.nlt"), SceneTextureFlags);
  const CreatureLook schoolLookNow = schoolLook(settings_.BoidModel);
  schoolTexture_.loadBMP(data(schoolLookNow.texture), SceneTextureFlags);
  skyType_ = settings_.SkyType;

  if (settings_.BirdGull) gullModel_.loadMD3(data("models//gull.nlm"));
  if (settings_.FishManta) mantaModel_.loadMD3(data("models//manta.nlm"));
  for (int i = 0; i < CoralKinds; ++i) {
    char name[32];
    std::snprintf(name, sizeof(name), "models/coral_%c.nlm", CoralLetters[i]);
    coralModels_[i].loadMD3(data(name));
  }
  if (settings_.FishBigGrey) bigGreyModel_.loadMD3(data("models/reeffishes/ybig.nlm"));
  if (settings_.FishBigRed) bigRedModel_.loadMD3(data("models/reeffishes/rbig.nlm"));
  if (settings_.FishStripe) reefModels_[0].loadMD3(data("models/reeffishes/moorishidol.nlm"));
  if (settings_.FishRed) reefModels_[1].loadMD3(data("models/reeffishes/rfish.nlm"));
  if (settings_.FishBlue) reefModels_[2].loadMD3(data("models/reeffishes/rfish.nlm"));
  if (settings_.FishYellBlu) reefModels_[3].loadMD3(data("models/reeffishes/gsbfish.nlm"));
  if (settings_.BoidCount > 0) schoolModel_.loadMD3(data(schoolLookNow.model));
  if (settings_.FishDot) predatorModel_.loadMD3(data("models/reeffishes/swpfish.nlm"));

  camera_.init(0.0f, 2.0f, -7.0f, 0.0f, 0.0f, 1.0f, 0.0f, 1.0f, 0.0f);
  if (basicBuild()) {
    switch (settings_.CameraPos) {
      case 0:
        cameraTilt_.configure(settings_.CameraSpeed, settings_.CameraFixTop, settings_.CameraFixBottom);
        cameraTilt_.enable();
        break;
      case 1: camera_.tilt(-25.0f); break;
      case 2: camera_.tilt(-8.0f); break;
      case 3: camera_.tilt(4.5f); break;
      default: break;
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
  gullModel_.addAnimation(0, 19, "glide");
  gullModel_.addAnimation(23, 42, "fly");
  gullModel_.playAnimation("fly");
  gullModel_.setFrameRate(20.0f);
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
    mantaModel_.addAnimation(0, 19, "swim");
    mantaModel_.playAnimation("swim");
    mantaModel_.setFrameRate(6.0f);
    mantaSweep_.build(Vector3{-17.0f, -5.0f, 4.0f});
    counter = 1;
  }
  if (settings_.FishDot && counter < budget) {
    const CreatureLook look = predatorLook();
    predator_.setModel(&predatorModel_);
    dressFish(predator_, predatorTexture_, look.scale, FishCausticScale);
    predatorModel_.addAnimation(look.swimFirst, look.swimLast, "swim");
    predatorModel_.playAnimation("swim");
    predatorModel_.setFrameRate(12.0f);
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
    bigGreyModel_.addAnimation(0, 19, "swim");
    bigGreyModel_.playAnimation("swim");
    bigGreyModel_.setFrameRate(8.0f);
    bigGreyCandidate_ = routePatrol_.addCandidate();
    ++counter;
  }
  if (settings_.FishBigRed && counter < budget) {
    bigRed_.setModel(&bigRedModel_);
    dressFish(bigRed_, bigRedTexture_, 0.07f, BigFishCausticScale);
    bigRedModel_.addAnimation(0, 19, "swim");
    bigRedModel_.playAnimation("swim");
    bigRedModel_.setFrameRate(5.0f);
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
  Texture* skins[ReefSpeciesCount] = {&stripedFishTexture_, &redFishTexture_, &blueFishTexture_,
                                      &yellowBlueTexture_};
  int species[ReefSpeciesCount];
  int kinds = 0;
  for (int s = 0; s < ReefSpeciesCount; ++s) {
    if (!switchedOn[s]) continue;
    species[kinds++] = s;
    const CreatureLook look = reefLook(allSpecies[s]);
    reefModels_[s].addAnimation(look.swimFirst, look.swimLast, "swim");
    reefModels_[s].playAnimation("swim");
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
  schoolModel_.addAnimation(look.swimFirst, look.swimLast, "swim");
  schoolModel_.playAnimation("swim");
  schoolModel_.setFrameRate(44.0f);
}

void SeaSceneApp::buildScenery() {
  char path[PathSize];

  skyDome_.setShape(SkyDome::Paraboloid);
  skyDome_.setTurnSpeed(-0.75f);
  skyDome_.addTexture(&skyTexture_);

  skyPlane_.setSize(140.0f, 100.0f);
  skyPlane_.addTexture(&skyTexture_);
  skyPlane_.setPosition(0.0f, 45.0f, 100.0f);

  if (joinDataPath(path, dataFolder_, "terrain_map.nlt")) floor_.loadHeightMap(path);
  floor_.addTexture(&terrainTexture_);
  floor_.addTexture(&caustics_[0]);
  floor_.setTextureScale(1, 5.0f);
  floor_.setSize(60.0f, 50.0f);
  floor_.setHeightScale(0.015f);
  floor_.setGridResolution(50);
  floor_.setPosition(0.0f, -8.0f, 0.0f);

  struct CoralRange {
    int last;
    float rate;
  };
  const CoralRange ranges[CoralKinds] = {{9, 5}, {19, 5}, {19, 5}, {19, 5}, {9, 3}, {9, 3}, {9, 3}, {9, 3}};
  for (int i = 0; i < CoralKinds; ++i) {
    coralModels_[i].addAnimation(0, ranges[i].last, "wabbel");
    coralModels_[i].playAnimation("wabbel");
    coralModels_[i].setFrameRate(ranges[i].rate);
  }
  auto coral = [&](ModelObject& object, int kind) {
    object.setModel(&coralModels_[kind]);
    object.addTexture(&coralTextures_[kind]);
    object.setBlended(true);
  };

  coral(coralA_, 0);
  coralA_.setPosition(-2.8f, -5.4f, 20.2f);

  const float b[3][6] = {{-3.7f, -7.6f, 14.2f, -35, -45, 0.04f},
                         {-5.0f, -7.5f, 13.7f, 25, -15, 0.045f},
                         {-3.4f, -7.6f, 12.8f, 30, 40, 0.03f}};
  for (int i = 0; i < 3; ++i) {
    coral(coralB_[i], 1);
    coralB_[i].setPosition(b[i][0], b[i][1], b[i][2]);
    coralB_[i].setAngleX(b[i][3]);
    coralB_[i].setAngleY(b[i][4]);
    coralB_[i].setScale(b[i][5]);
  }

  coral(coralC_, 2);
  coralC_.setPosition(-8.9f, -6.2f, 19.2f);
  coralC_.setAngleY(-10.0f);
  coralC_.setAngleX(30.0f);
  coralC_.setScale(0.04f);

  coral(coralD_[0], 3);
  coralD_[0].setPosition(-5.6f, -7.4f, 15.0f);
  coralD_[0].setAngleY(45.0f);
  coralD_[0].setScale(0.05f);
  coral(coralD_[1], 3);
  coralD_[1].setPosition(-11.6f, -5.6f, 15.0f);
  coralD_[1].setAngleY(45.0f);
  coralD_[1].setScale(0.04f, 0.02f, 0.04f);

  coral(coralF_, 4);
  coralF_.setPosition(-10.0f, -6.0f, 20.2f);
  coralF_.setAngleZ(25.0f);
  coralF_.setAngleX(-30.0f);
  coralF_.setAngleY(40.0f);

  coral(coralG_, 5);
  coralG_.setPosition(0.0f, -7.0f, 25.2f);

  coral(coralH_, 6);
  coralH_.setTextureScale(0, 3.0f);
  coralH_.setScale(1.0f, 0.5f, 1.0f);
  coralH_.setPosition(7.0f, -7.2f, 22.0f);
  coralH_.setAngleZ(10.0f);

  coral(coralI_, 7);
  coralI_.setPosition(11.0f, -7.0f, 18.4f);
  coralI_.setAngleY(15.0f);
  coralI_.setAngleZ(-5.0f);
  coralI_.setAngleX(12.0f);
  coralI_.setScale(1.2f, 1.4f, 1.3f);

  islandPlane_.setSize(30.0f, 30.0f);
  islandPlane_.addTexture(&islandTexture_);
  islandPlane_.setPosition(16.0f, 4.0f, 44.0f);
  islandPlane_.setBlended(true);

  rockPlane_.setSize(10.0f, 12.0f);
  rockPlane_.addTexture(&rockTexture_);
  rockPlane_.setPosition(-31.7f, 4.0f, 60.0f);
  rockPlane_.setAngleY(30.0f);
  rockPlane_.setBlended(true);

  water_.build(50.0f, 50.0f, 50, 50);
  water_.addTexture(&waterTexture_);
  water_.setPosition(0.0f, 0.0f, 20.0f);
  water_.setAngleX(-90.0f);
  water_.setBlended(true);

  highlightPlane_.setSize(50.0f, 40.0f);
  highlightPlane_.addTexture(&blendMap_);
  highlightPlane_.addTexture(&highlight_[0]);
  highlightPlane_.setTextureScale(1, 12.0f);
  highlightPlane_.setPosition(0.0f, 0.2f, 15.0f);
  highlightPlane_.setAngleX(-90.0f);
  highlightPlane_.setBlended(true);

  faderPlane_.setSize(60.0f, 14.0f);
  faderPlane_.addTexture(&faderTexture_);
  faderPlane_.setPosition(0.0f, -3.4f, 40.0f);
  faderPlane_.setAngleX(-60.0f);
  faderPlane_.setBlended(true);
}
