#pragma once
// The pictures of the settings dialog: one 64 x 32 picture per creature kind (embedded by the
// resource compiler) and the intro picture named by "mainbitmap". All show the real models.

#include "Image.h"
#include "Mesh.h"

constexpr int DialogPictureWidth = 64;
constexpr int DialogPictureHeight = 32;
constexpr int IntroPictureWidth = 192;
constexpr int IntroPictureHeight = 152;

// A fish from its side, or (topDown) a flyer from above, on a water background.
Image creaturePicture(const AnimatedModel& model, const Image& skin, bool topDown);

struct IntroCast {
  const AnimatedModel* idol;
  const Image* idolSkin;
  const AnimatedModel* reefFish;
  const Image* redSkin;
  const Image* blueSkin;
  const AnimatedModel* yellowBlue;
  const Image* yellowBlueSkin;
  const AnimatedModel* silverfish;
  const Image* silverSkin;
  const AnimatedModel* staghorn;
  const Image* staghornSkin;
  const AnimatedModel* brain;
  const Image* brainSkin;
  const Image* caustic;
};

// A lagoon scene below the water line with the cast in it.
Image introPicture(const IntroCast& cast);
