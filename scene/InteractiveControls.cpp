// The keys of the interactive build.
#include <windows.h>
#include <GL/gl.h>

#include "scene/SeaSceneApp.h"

bool SeaSceneApp::runKeyCommands() {
  LookAtCamera& camera = scene_->camera();
  if (input_.isKeyDown(keys::Escape, false)) requestQuit();
  if (input_.isKeyDown(keys::Home, false)) scene_->resetCamera();
  bool steered = false;
  int direction = 0;
  if (input_.isKeyDown(keys::Up, true) && camera.pitch() > -25.0f) {
    direction = -1;
    steered = true;
  }
  if (input_.isKeyDown(keys::Down, true) && camera.pitch() < 4.5f) {
    direction = direction == -1 ? 0 : 1;
    steered = true;
  }
  // Every press toggles once: an even number of taps between two frames leaves things as they were.
  if (input_.pressCount(keys::Space) % 2 == 1) {
    const bool wireframe = overlay_.toggleWireframe();
    scene_->setWireframe(wireframe);
    glPolygonMode(GL_FRONT_AND_BACK, wireframe ? GL_LINE : GL_FILL);
  }
  if (input_.pressCount(keys::F1) % 2 == 1) overlay_.toggleHelp();
  if (input_.pressCount(keys::F) % 2 == 1) overlay_.toggleRate();
  if (direction != 0) camera.stepTilt(direction);
  return steered;
}
