#pragma once
// A SeaSceneApp with the generated data folder, a real GL context and a driven clock, advanced
// frame by frame the way the frame pump does.
#include <windows.h>

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "scene/SeaSceneApp.h"
#include "tests/support/DrivenClock.h"

namespace scenetest {

class DrivenScene {
 public:
  // Builds the scene for commandLine; adjust may change the settings (and screen settings) first.
  // The driven clock starts at clockStart. The texts are in the test's UI language unless given.
  DrivenScene(SaverBuild build, const std::string& commandLine,
              const std::function<void(SeaSceneApp&)>& adjust = nullptr, uint32_t clockStart = 1000000,
              textkeys::Language language = userLanguage());
  ~DrivenScene();

  SeaSceneApp& app() { return *app_; }
  SeaScene& sea() { return *app_->scene(); }
  DrivenClock& clock() { return clock_; }
  bool ready() const { return ready_; }
  // One pass of the frame pump: waiting messages, then update, render, swap, afterFrame.
  void frame(int advanceMs);
  void frames(int count, int advanceMs) {
    for (int i = 0; i < count; ++i) frame(advanceMs);
  }
  void key(UINT message, WPARAM virtualKey);

 private:
  DrivenClock clock_;  // outlives the app, which reads it until it is gone
  std::unique_ptr<SeaSceneApp> app_;
  bool ready_ = false;
};

// The row of CreatureKinds with this name.
int kindNamed(const char* name);

// A top-level window of the given client size to host a preview (it may exceed the screen).
HWND previewHost(int clientWidth, int clientHeight);

}  // namespace scenetest
