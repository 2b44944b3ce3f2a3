#include "DialogPictures.h"

#include "ModelPainter.h"
#include "Noise.h"

#include <cmath>

namespace {

Image waterBackground(int width, int height) {
  Image image(width, height);
  image.paint([](float, float v) { return mixColor(hexColor(0x7CCCDC), hexColor(0x2C86A4), v); });
  return image;
}

// Coral views: from the front, upright.
ViewAxes coralView() { return ViewAxes{Vec3{1, 0, 0}, Vec3{0, 0, 1}, Vec3{0, -1, 0}}; }

}  // namespace

Image creaturePicture(const AnimatedModel& model, const Image& skin, bool topDown) {
  Image image = waterBackground(DialogPictureWidth, DialogPictureHeight);
  ViewAxes view = topDown ? topView() : fishSideView();
  float scale = fitScale(model, 0, view, DialogPictureWidth - 6.0f, DialogPictureHeight - 4.0f);
  paintModel(image, model, 0, skin, view, DialogPictureWidth * 0.5f, DialogPictureHeight * 0.5f, scale);
  return image;
}

Image introPicture(const IntroCast& cast) {
  const int width = IntroPictureWidth, height = IntroPictureHeight;
  const float waterLine = 26.0f / height;
  const float floorLine = 118.0f / height;
  Image image(width, height);
  image.paint([&](float u, float v) {
    if (v < waterLine) return mixColor(hexColor(0x2E64B8), hexColor(0xC4E2F2), v / waterLine);
    if (v < floorLine) {
      Rgba water = mixColor(hexColor(0x68C8D8), hexColor(0x1F96B4), (v - waterLine) / (floorLine - waterLine));
      // Light shafts from the surface.
      float shaft = 0.5f + 0.5f * std::sin(u * 40.0f + v * 12.0f) * std::sin(u * 17.0f - v * 5.0f);
      return mixColor(water, hexColor(0xBCEEF0), 0.12f * shaft * (1.0f - v));
    }
    Rgba sand = mixColor(hexColor(0xC8BC94), hexColor(0xE8DAB4), (v - floorLine) / (1.0f - floorLine));
    Rgba light = cast.caustic->sampleWrap(u * 2.0f, v * 3.0f);
    // The caustic sits near white with white lines; stretch it so the net shows on the small picture.
    auto lit = [](float l) { return 0.92f + 2.2f * (l - 0.9f); };
    return rgb(sand.r * lit(light.r), sand.g * lit(light.g), sand.b * lit(light.b));
  });
  // The surface line.
  for (int x = 0; x < width; ++x) image.at(x, 26) = mixColor(image.at(x, 26), hexColor(0xE8FAFF), 0.6f);

  // Sizes in pixels, whatever the models' own sizes: fish by their length, corals by their height.
  const ViewAxes side = fishSideView();
  const auto longest = [&side](const AnimatedModel& model, int frame, float pixels) {
    return fitScale(model, frame, side, pixels, 1000.0f);
  };
  const auto tallest = [](const AnimatedModel& model, float pixels) {
    return fitScale(model, 0, coralView(), 1000.0f, pixels);
  };
  paintModel(image, *cast.staghorn, 0, *cast.staghornSkin, coralView(), 34.0f, 112.0f, tallest(*cast.staghorn, 45.0f));
  paintModel(image, *cast.brain, 0, *cast.brainSkin, coralView(), 160.0f, 128.0f, tallest(*cast.brain, 22.0f));
  for (int k = 0; k < 6; ++k) {
    paintModel(image, *cast.silverfish, k % 10, *cast.silverSkin, side, 120.0f + 11.0f * (k % 3) + 4.0f * (k / 3),
               44.0f + 7.0f * (k / 3) + 2.0f * (k % 2), longest(*cast.silverfish, k % 10, 11.0f));
  }
  paintModel(image, *cast.idol, 5, *cast.idolSkin, side, 88.0f, 78.0f, longest(*cast.idol, 5, 57.0f));
  paintModel(image, *cast.reefFish, 2, *cast.redSkin, side, 150.0f, 92.0f, longest(*cast.reefFish, 2, 25.0f));
  paintModel(image, *cast.reefFish, 7, *cast.blueSkin, side, 40.0f, 62.0f, longest(*cast.reefFish, 7, 24.0f));
  paintModel(image, *cast.yellowBlue, 12, *cast.yellowBlueSkin, side, 122.0f, 112.0f,
             longest(*cast.yellowBlue, 12, 21.0f));
  return image;
}
