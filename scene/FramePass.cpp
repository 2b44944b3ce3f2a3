// The application's part of every frame: the clock read once, the scene advanced and drawn.
#include <windows.h>
#include <GL/gl.h>

#include "scene/SeaSceneApp.h"
#include "world/Clock.h"

bool SeaSceneApp::setupGL() {
  SeaScene::setupGL();
  // The interactive build never covers the other monitors.
  if (!basicBuild()) screenSettings().ShadeScecondary = false;
  return true;
}

SceneView SeaSceneApp::mainView() const { return windowView(width(), height(), scene_->camera()); }

void SeaSceneApp::updateFrame() {
  const bool steered = !basicBuild() && runKeyCommands();
  scene_->advance(clockNow(), steered);
  overlay_.countFrame(scene_->frameTime(), width(), height());
}

void SeaSceneApp::renderFrame() {
  scene_->draw(mainView());
  overlay_.draw();
}

void SeaSceneApp::afterFrame() {
  if (!basicBuild()) input_.endFrame();
}

bool SeaSceneApp::filterMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  return !basicBuild() && input_.handleMessage(message, wParam, lParam);
}
