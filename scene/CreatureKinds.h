#pragma once
// Every kind of creature the scene can show, one row a kind: which setting switches it on, what
// it looks like, how it moves and where the frame draws it. Building, advancing, drawing and
// releasing the creatures walk these rows; a new kind is a new row (with its catalogue entries
// and its switch in the settings).
#include "config/Settings.h"
#include "formats/DataCatalog.h"
#include "scene/SceneLayer.h"
#include "world/CreatureSettings.h"

// What moves the creatures of a kind.
enum class Mover {
  Gull,      // GullFlight, above the water
  School,    // the FishSchool that follows the invisible guide
  Manta,     // MantaSweep, far out
  Predator,  // a Swimmer that now and then chases the guide and scatters the school
  Patrol,    // one of the RoutePatrol's candidates, one travelling at a time
  Reef,      // single reef fish, each a Swimmer, sharing the places FishCount leaves
};

struct CreatureLook {
  const catalog::Model* model;
  const catalog::Picture* skin;
  float scale;
};

struct CreatureKind {
  const char* name;
  bool SaverSettings::*flag;  // the switch; null for the school, which BoidCount sizes
  Mover mover;
  CreatureLook look;
  CreatureLook secondLook;  // the school's when BoidModel is not 0; unused by the other kinds
  float framesPerSecond;    // of its model's first range, until a swimmer's speed sets it
  SceneLayer layer;
  float causticScale;  // tiling of the fish caustics it wears; 0: none, and no fog either
  int maxCount;        // anyone can write the counts into the registry: more would only exhaust memory
  SwimStyle swim;      // reef fish only
};

namespace kinds {

inline constexpr float FishCaustics = 0.4f;
inline constexpr float BigFishCaustics = 0.8f;
inline constexpr int Single = 1;
inline constexpr int Many = 1000;
inline constexpr CreatureLook NoLook = {nullptr, nullptr, 0.0f};

}  // namespace kinds

// Built in this order, which keeps the random draws of a scene the same from run to run: the gull,
// the school with its guide, then the creatures that spend FishCount (manta, predator, patrol),
// the reef fish last.
inline constexpr CreatureKind CreatureKinds[] = {
    {"gull",
     &SaverSettings::BirdGull,
     Mover::Gull,
     {&catalog::GullModel, &catalog::GullSkin, 0.05f},
     kinds::NoLook,
     20.0f,
     SceneLayer::Gull,
     0.0f,
     kinds::Single,
     {}},
    {"school",
     nullptr,
     Mover::School,
     {&catalog::SilverFishModel, &catalog::SilverFishSkin, 0.015f},
     {&catalog::ReefFishModel, &catalog::AngleFishSkin, 0.015f},
     44.0f,
     SceneLayer::School,
     kinds::FishCaustics,
     kinds::Many,
     {}},
    {"manta",
     &SaverSettings::FishManta,
     Mover::Manta,
     {&catalog::MantaModel, &catalog::MantaSkin, 0.07f},
     kinds::NoLook,
     6.0f,
     SceneLayer::Manta,
     0.0f,
     kinds::Single,
     {}},
    {"predator",
     &SaverSettings::FishDot,
     Mover::Predator,
     {&catalog::PredatorModel, &catalog::PredatorSkin, 0.02f},
     kinds::NoLook,
     12.0f,
     SceneLayer::Predator,
     kinds::FishCaustics,
     kinds::Single,
     {}},
    {"big grey fish",
     &SaverSettings::FishBigGrey,
     Mover::Patrol,
     {&catalog::BigGreyFishModel, &catalog::BigGreyFishSkin, 0.05f},
     kinds::NoLook,
     8.0f,
     SceneLayer::BigFish,
     kinds::BigFishCaustics,
     kinds::Single,
     {}},
    {"big red fish",
     &SaverSettings::FishBigRed,
     Mover::Patrol,
     {&catalog::BigRedFishModel, &catalog::BigRedFishSkin, 0.07f},
     kinds::NoLook,
     5.0f,
     SceneLayer::BigFish,
     kinds::BigFishCaustics,
     kinds::Single,
     {}},
    {"striped fish",
     &SaverSettings::FishStripe,
     Mover::Reef,
     {&catalog::StripedFishModel, &catalog::StripedFishSkin, 0.02f},
     kinds::NoLook,
     15.0f,
     SceneLayer::ReefFish,
     kinds::FishCaustics,
     kinds::Many,
     {0.0005f, 40000.0f, 0.000004f, false}},
    {"red fish",
     &SaverSettings::FishRed,
     Mover::Reef,
     {&catalog::ReefFishModel, &catalog::RedFishSkin, 0.02f},
     kinds::NoLook,
     15.0f,
     SceneLayer::ReefFish,
     kinds::FishCaustics,
     kinds::Many,
     {0.0012f, 14000.0f, 0.000004f, false}},
    {"blue fish",
     &SaverSettings::FishBlue,
     Mover::Reef,
     {&catalog::ReefFishModel, &catalog::BlueFishSkin, 0.018f},
     kinds::NoLook,
     15.0f,
     SceneLayer::ReefFish,
     kinds::FishCaustics,
     kinds::Many,
     {0.0008f, 13000.0f, 0.000004f, false}},
    {"yellow-blue fish",
     &SaverSettings::FishYellBlu,
     Mover::Reef,
     {&catalog::YellowBlueFishModel, &catalog::YellowBlueFishSkin, 0.02f},
     kinds::NoLook,
     15.0f,
     SceneLayer::ReefFish,
     kinds::FishCaustics,
     kinds::Many,
     {0.0008f, 20000.0f, 0.000001f, true}},
};
inline constexpr int CreatureKindCount = sizeof(CreatureKinds) / sizeof(CreatureKinds[0]);

// Whether the kind spends one of the places FishCount gives (the reef fish share what is left).
inline bool countedSingle(Mover mover) {
  return mover == Mover::Manta || mover == Mover::Predator || mover == Mover::Patrol;
}
