// The application's part of every frame: the clock read once, the scene advanced and drawn.
#include <windows.h>
#include <GL/gl.h>

#include "scene/Panorama.h"
#include "scene/SeaSceneApp.h"
#include "world/Clock.h"

bool SeaSceneApp::setupGL() {
  SeaScene::setupGL();
  // The interactive build never covers the other monitors.
  if (!basicBuild()) screenSettings().ShadeScecondary = false;
  return true;
}

// On every monitor alike, or as one panorama across them; the main window alone otherwise.
void SeaSceneApp::viewsChanged() {
  const int views = viewCount();
  for (int i = 0; i < views; ++i) {
    const SaverView& window = view(i);
    sceneViews_[i] = windowView(window.width, window.height, LookAtCamera{});
  }
  if (monitorMode() == Panorama && views > 1) {
    ScreenRect screens[MaxMonitors];
    for (int i = 0; i < views; ++i) {
      const RECT& monitor = view(i).monitor;
      screens[i] = {monitor.left, monitor.top, monitor.right, monitor.bottom};
    }
    panoramaViews(screens, views, sceneViews_);
  }
  if (!basicBuild()) {
    overlay_.setScreenSize(width(), height());
    input_.setSize(width(), height());
  }
  if (settings_.ShowClock) clock_.setScreenSize(width(), height());
}

SceneView SeaSceneApp::sceneView(int view) const {
  SceneView seen = sceneViews_[view];
  seen.camera = scene_->camera();
  return seen;
}

void SeaSceneApp::updateFrame() {
  const bool steered = !basicBuild() && runKeyCommands();
  scene_->advance(clockNow(), steered);
  overlay_.countFrame(scene_->frameTime(), width(), height());
  adjustSoundVolume();
  if (settings_.ShowClock) showTimeOfDay();
}

void SeaSceneApp::showTimeOfDay() {
  const TimeOfDay now = timeOfDay_();
  const int minute = now.hour * 60 + now.minute;
  if (minute == clockMinute_) return;
  clockMinute_ = minute;
  char text[32];
  formatTimeOfDay(now, nullptr, text, sizeof(text));
  clock_.show(text, minute);
}

void SeaSceneApp::adjustSoundVolume() {
  if (!sound_) return;
  soundYield_.advance(scene_->frameTime(), otherSound_ && otherSound_->othersPlaying());
  sound_->setVolume(mixerVolume(settings_.SoundVolume, soundYield_.share()));
}

void SeaSceneApp::renderFrame(int view) {
  scene_->draw(sceneView(view));
  if (view != 0) return;
  overlay_.draw();
  if (settings_.ShowClock) clock_.draw();
}

void SeaSceneApp::afterFrame() {
  if (!basicBuild()) input_.endFrame();
}

bool SeaSceneApp::filterMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  return !basicBuild() && input_.handleMessage(message, wParam, lParam);
}
