#include "scene/SceneLayer.h"

const char* layerName(SceneLayer layer) {
  switch (layer) {
    case SceneLayer::Sky:
      return "sky";
    case SceneLayer::Gull:
      return "gull";
    case SceneLayer::Floor:
      return "floor";
    case SceneLayer::RockAndFader:
      return "rock and fader";
    case SceneLayer::School:
      return "school";
    case SceneLayer::Predator:
      return "predator";
    case SceneLayer::CoralsBeforeReefFish:
      return "corals before reef fish";
    case SceneLayer::ReefFish:
      return "reef fish";
    case SceneLayer::BigFish:
      return "big fish";
    case SceneLayer::CoralsAfterBigFish:
      return "corals after big fish";
    case SceneLayer::Island:
      return "island";
    case SceneLayer::Manta:
      return "manta";
    case SceneLayer::Water:
      return "water";
    case SceneLayer::Highlight:
      return "highlight";
  }
  return "";
}
