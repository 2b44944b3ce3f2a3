#include "scene/ClockOverlay.h"

#include <algorithm>

namespace {

constexpr int Margin = 16;        // pixels between the text and the window's edges
constexpr int LargestDrift = 48;  // pixels the text wanders within its corner
constexpr int StepAcross = 3;     // pixels a minute
constexpr int StepDown = 2;

// Back and forth between 0 and span.
int bounce(int value, int span) {
  if (span <= 0) return 0;
  const int phase = value % (2 * span);
  return phase <= span ? phase : 2 * span - phase;
}

}  // namespace

ClockPlace clockPlace(int minuteOfDay, int width, int height, int textWidth, int textHeight) {
  // Small windows (the Display control panel's preview) give the drift a tenth of their size.
  const int drift = std::min(LargestDrift, std::min(width, height) / 10);
  const int across = bounce(minuteOfDay * StepAcross, drift);
  const int down = bounce(minuteOfDay * StepDown, drift);
  enum Corner { BottomRight, BottomLeft, TopRight };
  const Corner corner = static_cast<Corner>(minuteOfDay / 60 % 3);
  ClockPlace place;
  place.x = corner == BottomLeft ? Margin + across : width - Margin - textWidth - across;
  place.y = corner == TopRight ? Margin + down : height - Margin - textHeight - down;
  place.x = std::max(0, place.x);
  place.y = std::max(0, place.y);
  return place;
}

void ClockOverlay::build(const char* fontPath, int width, int height) {
  text_.setColour({1.0f, 1.0f, 1.0f});
  text_.loadFont(fontPath);
  setScreenSize(width, height);
}

void ClockOverlay::setScreenSize(int width, int height) {
  width_ = width;
  height_ = height;
  text_.setScreenSize(width, height);
  settle();
}

void ClockOverlay::show(const char* text, int minuteOfDay) {
  text_.setLine(text);
  minuteOfDay_ = minuteOfDay;
  settle();
}

void ClockOverlay::draw() {
  if (text_.lineCount()) text_.render();
}

int ClockOverlay::textWidth() const {
  int width = 0;
  for (const char* c = text(); *c; ++c) {
    if (const FontGlyph* glyph = text_.glyph(static_cast<unsigned char>(*c))) width += glyph->width;
  }
  return width;
}

int ClockOverlay::textHeight() const {
  const FontGlyph* digit = text_.glyph('0');
  return digit ? digit->height : 0;
}

void ClockOverlay::settle() {
  place_ = clockPlace(minuteOfDay_, width_, height_, textWidth(), textHeight());
  text_.setPosition(static_cast<float>(place_.x), static_cast<float>(place_.y), 0.0f);
}
