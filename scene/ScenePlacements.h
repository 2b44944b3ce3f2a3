#pragma once
// The fixed scenery of the sea: where each coral and each card stands, how it is turned and sized,
// and when the corals are drawn. The scene builds its objects from these tables and the frame pass
// draws the corals group by group, in table order.
#include "world/Vector.h"

// Corals are drawn in two groups: the first before the reef fish, the second after the big fish.
enum class CoralGroup { BeforeReefFish, AfterBigFish };

struct CoralPlacement {
  int kind;  // index of the coral kind: a b c d f g h i
  Vector3 position;
  Vector3 angles;  // degrees about x, y and z
  Vector3 scale;
  CoralGroup group;
};

inline constexpr Vector3 Unscaled = {1.0f, 1.0f, 1.0f};

// In drawing order: h i g f a, then c, the two d and the three b.
inline constexpr CoralPlacement CoralPlacements[] = {
    {6, {7.0f, -7.2f, 22.0f}, {0.0f, 0.0f, 10.0f}, {1.0f, 0.5f, 1.0f}, CoralGroup::BeforeReefFish},
    {7, {11.0f, -7.0f, 18.4f}, {12.0f, 15.0f, -5.0f}, {1.2f, 1.4f, 1.3f}, CoralGroup::BeforeReefFish},
    {5, {0.0f, -7.0f, 25.2f}, {}, Unscaled, CoralGroup::BeforeReefFish},
    {4, {-10.0f, -6.0f, 20.2f}, {-30.0f, 40.0f, 25.0f}, Unscaled, CoralGroup::BeforeReefFish},
    {0, {-2.8f, -5.4f, 20.2f}, {}, Unscaled, CoralGroup::BeforeReefFish},
    {2, {-8.9f, -6.2f, 19.2f}, {30.0f, -10.0f, 0.0f}, {0.04f, 0.04f, 0.04f}, CoralGroup::AfterBigFish},
    {3, {-5.6f, -7.4f, 15.0f}, {0.0f, 45.0f, 0.0f}, {0.05f, 0.05f, 0.05f}, CoralGroup::AfterBigFish},
    {3, {-11.6f, -5.6f, 15.0f}, {0.0f, 45.0f, 0.0f}, {0.04f, 0.02f, 0.04f}, CoralGroup::AfterBigFish},
    {1, {-3.7f, -7.6f, 14.2f}, {-35.0f, -45.0f, 0.0f}, {0.04f, 0.04f, 0.04f}, CoralGroup::AfterBigFish},
    {1, {-5.0f, -7.5f, 13.7f}, {25.0f, -15.0f, 0.0f}, {0.045f, 0.045f, 0.045f}, CoralGroup::AfterBigFish},
    {1, {-3.4f, -7.6f, 12.8f}, {30.0f, 40.0f, 0.0f}, {0.03f, 0.03f, 0.03f}, CoralGroup::AfterBigFish},
};
inline constexpr int CoralCount = sizeof(CoralPlacements) / sizeof(CoralPlacements[0]);

// How fast each kind sways, in frames a second: a b c d f g h i.
inline constexpr float CoralSwayRates[] = {5.0f, 5.0f, 5.0f, 5.0f, 3.0f, 3.0f, 3.0f, 3.0f};
// Kinds whose faces are seen from both sides, a b c d f g h i: the sea fans are single sheets.
// The others show only the faces turned toward the viewer.
inline constexpr bool CoralTwoSided[] = {false, true, false, false, false, false, false, false};

// A flat card with a picture: the sky picture, the island, the distant rock, the horizon fader and
// the sunlight highlight.
struct CardPlacement {
  float width, height;
  Vector3 position;
  Vector3 angles;  // degrees about x, y and z
  bool blended;
};

inline constexpr CardPlacement SkyCard = {140.0f, 100.0f, {0.0f, 45.0f, 100.0f}, {}, false};
inline constexpr CardPlacement IslandCard = {30.0f, 30.0f, {16.0f, 4.0f, 44.0f}, {}, true};
inline constexpr CardPlacement RockCard = {10.0f, 12.0f, {-31.7f, 4.0f, 60.0f}, {0.0f, 30.0f, 0.0f}, true};
inline constexpr CardPlacement HighlightCard = {50.0f, 40.0f, {0.0f, 0.2f, 15.0f}, {-90.0f, 0.0f, 0.0f}, true};
inline constexpr CardPlacement FaderCard = {80.0f, 14.0f, {0.0f, -3.4f, 40.0f}, {-60.0f, 0.0f, 0.0f}, true};
