// The keys of the interactive build and its help line.
#include <GL/gl.h>

#include "formats/TextTableKeys.h"
#include "scene/SeaSceneApp.h"

void SeaSceneApp::runKeyCommands() {
  if (input_.isKeyDown(keys::Escape, false)) requestQuit();
  if (input_.isKeyDown(keys::Home, false)) camera_.init(0.0f, 2.0f, -7.0f, 0.0f, 0.0f, 1.0f, 0.0f, 1.0f, 0.0f);
  int direction = 0;
  if (input_.isKeyDown(keys::Up, true) && camera_.pitch() > -25.0f) {
    direction = -1;
    cameraMoving_ = true;
  }
  if (input_.isKeyDown(keys::Down, true) && camera_.pitch() < 4.5f) {
    direction = direction == -1 ? 0 : 1;
    cameraMoving_ = true;
  }
  // Every press toggles once: an even number of taps between two frames leaves things as they were.
  if (input_.pressCount(keys::Space) % 2 == 1) {
    wireframe_ = !wireframe_;
    glPolygonMode(GL_FRONT_AND_BACK, wireframe_ ? GL_LINE : GL_FILL);
  }
  if (input_.pressCount(keys::F1) % 2 == 1) toggleHelp();
  if (input_.pressCount(keys::F) % 2 == 1) rateShown_ = !rateShown_;
  if (direction != 0) camera_.stepTilt(direction);
}

void SeaSceneApp::toggleHelp() {
  if (helpExpanded_) {
    helpExpanded_ = false;
    helpLine_.setText(shortHelp_ ? languageTable_.lookup(textkeys::language::Help) : "");
  } else {
    helpExpanded_ = true;
    helpLine_.setText(languageTable_.lookup(textkeys::language::HelpExpanded));
  }
}
