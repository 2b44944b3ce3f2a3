#include "scene/CreatureLooks.h"

CreatureLook predatorLook() { return {&catalog::PredatorModel, &catalog::PredatorSkin, 0.02f}; }

CreatureLook reefLook(ReefSpecies species) {
  switch (species) {
    case ReefSpecies::Striped:
      return {&catalog::StripedFishModel, &catalog::StripedFishSkin, 0.02f};
    case ReefSpecies::Red:
      return {&catalog::ReefFishModel, &catalog::RedFishSkin, 0.02f};
    case ReefSpecies::Blue:
      return {&catalog::ReefFishModel, &catalog::BlueFishSkin, 0.018f};
    case ReefSpecies::YellowBlue:
      break;
  }
  return {&catalog::YellowBlueFishModel, &catalog::YellowBlueFishSkin, 0.02f};
}

CreatureLook schoolLook(int boidModel) {
  if (boidModel != 0) return {&catalog::ReefFishModel, &catalog::AngleFishSkin, 0.015f};
  return {&catalog::SilverFishModel, &catalog::SilverFishSkin, 0.015f};
}
