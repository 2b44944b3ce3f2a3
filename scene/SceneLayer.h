#pragma once
// What the scene draws, one part each, and the one order in which every view draws them.

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
};

// The sky comes first: the pixel format asks for no depth buffer, and drivers that give none (the
// software ones) leave the picture to the drawing order, so a gull drawn before the sky was hidden
// behind it.
inline constexpr SceneLayer DrawOrder[] = {SceneLayer::Sky,
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
                                           SceneLayer::Highlight};
inline constexpr int LayerCount = sizeof(DrawOrder) / sizeof(DrawOrder[0]);

const char* layerName(SceneLayer layer);
