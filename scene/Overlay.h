#pragma once
#include "config/TextTable.h"
#include "render/TextObject.h"
#include "world/Random.h"

// The text over the scene and the switches of the interactive build's keys: the help line (the
// short help for its first 10 s, or the expanded help), the frame-rate line, and wireframe.
// The frame rate is counted in both builds; only the interactive build shows any of it.
class Overlay {
 public:
  // Needs a current GL context. Both lines get their own copy of the font.
  void build(const char* fontPath, TextTable& language, int width, int height, bool interactive);
  // One frame of frameTime ms: once a second the rate text is formatted anew.
  void countFrame(int frameTime, int width, int height);
  void draw();
  void setScreenSize(int width, int height) {
    helpLine_.setScreenSize(width, height);
    rateLine_.setScreenSize(width, height);
  }

  void toggleHelp();
  void toggleRate() { rateShown_ = !rateShown_; }
  // Returns the new state; the caller sets the polygon mode.
  bool toggleWireframe() { return wireframe_ = !wireframe_; }

  const char* frameRateText() const { return frameRateText_; }
  bool rateShown() const { return rateShown_; }
  bool wireframe() const { return wireframe_; }
  bool helpExpanded() const { return helpExpanded_; }
  const TextObject& helpLine() const { return helpLine_; }
  const TextObject& rateLine() const { return rateLine_; }

 private:
  TextTable* language_ = nullptr;
  bool interactive_ = false;
  TextObject helpLine_, rateLine_;
  RandomTimer helpTimer_;
  int framesSinceReport_ = 0;
  int msSinceReport_ = 0;
  char frameRateText_[1024] = {};
  bool wireframe_ = false;
  bool rateShown_ = false;
  bool helpExpanded_ = false;
  bool shortHelp_ = true;
};
