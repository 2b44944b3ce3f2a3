#include "SeaPictures.h"

#include <algorithm>
#include <cmath>
#include <string>

namespace cdcontent {
namespace {

const Rgb kSurface{120, 205, 230};
const Rgb kDeep{4, 40, 92};
const Rgb kSand{214, 196, 150};
const Rgb kWhite{255, 255, 255};
const Rgb kLauncherBlue{0, 90, 171};
const Rgb kFishGold{250, 190, 60};
const Rgb kFishDark{20, 60, 110};
const double kPi = 3.14159265358979;

// Water from the bright surface to the deep blue, light shafts, and a sand floor with ripples.
void paintSea(Picture& picture, double time) {
  const int w = picture.width();
  const int h = picture.height();
  const double floorTop = h * 0.82;
  for (int y = 0; y < h; ++y) {
    const double depth = static_cast<double>(y) / h;
    for (int x = 0; x < w; ++x) {
      const double u = static_cast<double>(x) / w;
      Rgb colour = mix(kSurface, kDeep, std::pow(depth, 0.7));
      // Shafts lean to the right and fade with depth; the time lets them sway.
      const double shaft =
          std::sin((u - depth * 0.35) * 23.0 + time * 0.8) * std::sin((u - depth * 0.35) * 9.0 - time * 0.5);
      if (shaft > 0.55) colour = mix(colour, kWhite, (shaft - 0.55) * 0.5 * (1.0 - depth));
      const double floorY = floorTop + std::sin(u * 9.0) * h * 0.03;
      if (y > floorY) {
        const double ripple = 0.5 + 0.5 * std::sin(u * 140.0 + std::sin(depth * 60.0) * 2.0);
        colour = mix(kSand, kDeep, 0.35 - (depth - floorY / h) * 0.6 + ripple * 0.08);
      }
      picture.set(x, y, colour);
    }
  }
  // A few rocks on the floor.
  const double rocks[][3] = {{0.12, 0.86, 0.07}, {0.55, 0.88, 0.05}, {0.86, 0.84, 0.09}};
  for (const auto& rock : rocks) {
    picture.fillEllipse(rock[0] * w, rock[1] * h, rock[2] * w, rock[2] * h * 0.55, Rgb{70, 80, 90}, 0.8);
  }
}

// A fish seen from the side, nose toward +x when facing is 1.
void paintFish(Picture& picture, double cx, double cy, double length, int facing, const Rgb& colour) {
  picture.fillEllipse(cx, cy, length * 0.5, length * 0.22, colour);
  const double tailX = cx - facing * length * 0.5;
  for (int i = 0; i < static_cast<int>(length * 0.3); ++i) {
    const double spread = length * 0.04 + i * 0.55;
    const int x = static_cast<int>(tailX - facing * i);
    picture.fillRect(x, static_cast<int>(cy - spread), x, static_cast<int>(cy + spread), colour);
  }
  picture.fillEllipse(cx + facing * length * 0.3, cy - length * 0.05, length * 0.04, length * 0.04, kFishDark);
}

void paintBubbles(Picture& picture, double time) {
  for (int i = 0; i < 14; ++i) {
    const double x = picture.width() * (0.2 + 0.6 * std::fmod(i * 0.618, 1.0));
    const double rise = std::fmod(i * 0.37 + time * 0.12, 1.0);
    const double y = picture.height() * (0.8 - rise * 0.75);
    const double r = picture.height() * (0.006 + 0.004 * (i % 3));
    picture.fillEllipse(x, y, r, r, kWhite, 0.45);
  }
}

}  // namespace

Picture menuBackground() {
  Picture picture(kMenuWidth, kMenuHeight);
  paintSea(picture, 0.0);
  paintBubbles(picture, 2.0);
  paintFish(picture, 420, 150, 70, 1, kFishGold);
  paintFish(picture, 500, 210, 46, 1, kFishGold);
  paintFish(picture, 300, 250, 36, -1, Rgb{230, 120, 60});

  picture.drawText(24, 40, "REEFSAVER", 6, kFishDark, 0.5);
  picture.drawText(20, 36, "REEFSAVER", 6, kWhite);

  // The button column: a calm panel behind the stacked buttons.
  picture.fillRect(0, 258, 172, 412, kDeep, 0.55);
  // The status text area and the progress bar's strip.
  picture.fillRect(322, 276, 540, 420, kDeep, 0.4);
  picture.fillRect(55, 438, 512, 460, kDeep, 0.45);

  // The logo: a white plate with a fish and the short name, the publisher's link.
  picture.fillRect(kLogoLeft, kLogoTop, kLogoRight, kLogoBottom, kWhite);
  picture.fillRect(kLogoLeft, kLogoTop, kLogoRight, kLogoTop + 2, kLauncherBlue);
  picture.fillRect(kLogoLeft, kLogoBottom - 2, kLogoRight, kLogoBottom, kLauncherBlue);
  paintFish(picture, kLogoLeft + 22, (kLogoTop + kLogoBottom) / 2.0, 24, 1, kLauncherBlue);
  picture.drawText(kLogoLeft + 39, kLogoTop + 11, "REEF", 3, kLauncherBlue);
  return picture;
}

Picture introFrame(int index, int count, int width, int height) {
  Picture picture(width, height);
  const double t = count > 1 ? static_cast<double>(index) / (count - 1) : 1.0;
  paintSea(picture, t * 4.0);
  paintBubbles(picture, t * 4.0);
  // A small school swims across, each fish on its own wave.
  for (int i = 0; i < 7; ++i) {
    const double x = width * (-0.3 + 1.6 * t) - i * width * 0.07;
    const double y = height * (0.35 + 0.05 * (i % 3)) + std::sin(t * 2 * kPi * 2 + i) * height * 0.03;
    paintFish(picture, x, y, width * 0.09, 1, kFishGold);
  }
  const double fade = std::clamp((t - 0.3) / 0.4, 0.0, 1.0);
  const int scale = width / 80;
  const std::string name = "REEFSAVER";
  const int x = (width - Picture::textWidth(name, scale)) / 2;
  picture.drawText(x, height * 2 / 3, name, scale, kWhite, fade);
  return picture;
}

}  // namespace cdcontent
