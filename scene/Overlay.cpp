#include "scene/Overlay.h"

#include <cstdio>

#include "formats/TextTableKeys.h"

void Overlay::build(const char* fontPath, TextTable& language, int width, int height, bool interactive) {
  language_ = &language;
  interactive_ = interactive;
  if (interactive) {
    helpLine_.setColour({1.0f, 1.0f, 1.0f});
    helpLine_.loadFont(fontPath);
    helpLine_.setPosition(20.0f, 40.0f, 0.0f);
    helpLine_.setScreenSize(width, height);
    helpLine_.setText(language.lookup(textkeys::language::Help));
  }
  rateLine_.setColour({1.0f, 1.0f, 1.0f});
  rateLine_.loadFont(fontPath);
  rateLine_.setPosition(20.0f, 20.0f, 0.0f);
  rateLine_.setScreenSize(width, height);
  helpTimer_.setRange(10000, -1);
}

void Overlay::countFrame(int frameTime, int width, int height) {
  ++framesSinceReport_;
  msSinceReport_ += frameTime;
  if (msSinceReport_ >= 1000) {
    std::snprintf(frameRateText_, sizeof(frameRateText_), "%d x %d   %.2f fps", width, height,
                  static_cast<double>(framesSinceReport_) * 1000.0 / static_cast<double>(msSinceReport_));
    framesSinceReport_ = 0;
    msSinceReport_ = 0;
  }
  if (rateShown_) rateLine_.setLine(frameRateText_);
  // The short help shows for the first 10 s only.
  if (interactive_ && helpTimer_.tick(frameTime)) {
    shortHelp_ = false;
    if (!helpExpanded_) helpLine_.setText("");
    helpTimer_.disable();
  }
}

void Overlay::draw() {
  if (!interactive_) return;
  helpLine_.render();
  if (rateShown_) rateLine_.render();
}

void Overlay::toggleHelp() {
  if (!language_) return;
  if (helpExpanded_) {
    helpExpanded_ = false;
    helpLine_.setText(shortHelp_ ? language_->lookup(textkeys::language::Help) : "");
  } else {
    helpExpanded_ = true;
    helpLine_.setText(language_->lookup(textkeys::language::HelpExpanded));
  }
}
