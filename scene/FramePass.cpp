// The fixed GL state, the per-frame advance of the scene and its draw order.
#include <GL/gl.h>
#include <GL/glu.h>

#include <cmath>
#include <cstdio>

#include "scene/GroundCover.h"
#include "scene/SeaSceneApp.h"
#include "world/Clock.h"

namespace {

// Wider screens stretch the picture instead of showing more of the scene's edges.
constexpr float MaxAspect = 1.35f;
constexpr float WaterPhasePerMs = -0.000015f;
constexpr int MsPerCausticFrame = 50;

}  // namespace

bool SeaSceneApp::setupGL() {
  glEnable(GL_TEXTURE_2D);
  glShadeModel(GL_SMOOTH);
  glClearColor(0.0f, 0.0f, 0.0f, 1.0f);
  glClearDepth(1.0);
  glEnable(GL_DEPTH_TEST);
  glDepthFunc(GL_LEQUAL);
  glHint(GL_PERSPECTIVE_CORRECTION_HINT, GL_NICEST);

  glViewport(0, 0, width(), height());
  glMatrixMode(GL_PROJECTION);
  glLoadIdentity();
  aspect_ = height() > 0 ? static_cast<float>(width()) / static_cast<float>(height()) : 1.0f;
  if (aspect_ > MaxAspect) aspect_ = MaxAspect;
  gluPerspective(45.0, aspect_, 0.1, 1000.0);
  glMatrixMode(GL_MODELVIEW);
  glLoadIdentity();

  const GLfloat fogColour[4] = {0.12109375f, 0.58984375f, 0.70703125f, 1.0f};
  glFogfv(GL_FOG_COLOR, fogColour);
  glFogi(GL_FOG_MODE, GL_LINEAR);
  glFogf(GL_FOG_START, 25.0f);
  glFogf(GL_FOG_END, 50.0f);

  // The interactive build never covers the other monitors.
  if (!basicBuild()) screenSettings().ShadeScecondary = false;
  return true;
}

int SeaSceneApp::causticFrame() const { return static_cast<int>((clockNow() / MsPerCausticFrame) % AnimationFrames); }

void SeaSceneApp::updateFrame() {
  cameraMoving_ = false;
  if (!basicBuild()) runKeyCommands();

  const uint32_t now = clockNow();
  frameTime_ = static_cast<int>(elapsedMs(lastTick_, now));
  lastTick_ = now;
  ++framesSinceReport_;
  msSinceReport_ += frameTime_;
  if (msSinceReport_ >= 1000) {
    std::snprintf(frameRateText_, sizeof(frameRateText_), "%d x %d   %.2f fps", width(), height(),
                  static_cast<double>(framesSinceReport_) * 1000.0 / static_cast<double>(msSinceReport_));
    framesSinceReport_ = 0;
    msSinceReport_ = 0;
  }
  if (rateShown_) rateLine_.setLine(frameRateText_);

  waterPhase_ += static_cast<float>(frameTime_) * WaterPhasePerMs;
  waterPhase_ -= std::trunc(waterPhase_);
  water_.animate();
  waterTexture_.setOffset(waterPhase_, 0.0f);
  const Vector3 eye = camera_.eye();
  skyDome_.setPosition(eye.x, eye.y - 300.0f, -eye.z);
  for (int i = 0; i < AnimationFrames; ++i) {
    caustics_[i].setOffset(waterPhase_, 0.0f);
    fishCaustics_[i].setOffset(waterPhase_, 0.0f);
  }

  if (gullCallTimer_.tick(frameTime_) && settings_.SoundOn && gullsPresent_ && sound_) {
    sound_->playEffect(randomDraw() % 4, 0);
    ++gullCallsPlayed_;
  }
  if (!basicBuild() && helpTimer_.tick(frameTime_)) {
    shortHelp_ = false;
    if (!helpExpanded_) helpLine_.setText("");
    helpTimer_.disable();
  }

  if (gullsPresent_) gullFlight_.update();
  if (manta_.model()) mantaSweep_.update();
  const Vector3 guidePosition = guideSwimmer_.pose().position();
  school_.setTarget(guidePosition);
  school_.setFleeFrom(guidePosition);
  school_.update();
  predatorSwimmer_.setFollowPoint(guidePosition);
  guideSwimmer_.update();
  predatorSwimmer_.update();
  routePatrol_.update();
  for (int i = 0; i < reefFishCount_; ++i) reefSwimmers_[i].update();
  if (cameraTilt_.enabled()) {
    cameraTilt_.update(camera_, frameTime_);
    cameraMoving_ = cameraTilt_.moving();
  }
}

void SeaSceneApp::renderFrame() {
  startFrame();
  for (const SceneLayer layer : DrawOrder) renderLayer(layer);
}

void SeaSceneApp::startFrame() {
  glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
  glLoadIdentity();
  camera_.apply();
}

const char* SeaSceneApp::layerName(SceneLayer layer) {
  switch (layer) {
    case SceneLayer::Sky:
      return "sky";
    case SceneLayer::Gull:
      return "gull";
    case SceneLayer::Floor:
      return "floor";
    case SceneLayer::RockAndFader:
      return "rock and fader";
    case SceneLayer::School:
      return "school";
    case SceneLayer::Predator:
      return "predator";
    case SceneLayer::CoralsBeforeReefFish:
      return "corals before reef fish";
    case SceneLayer::ReefFish:
      return "reef fish";
    case SceneLayer::BigFish:
      return "big fish";
    case SceneLayer::CoralsAfterBigFish:
      return "corals after big fish";
    case SceneLayer::Island:
      return "island";
    case SceneLayer::Manta:
      return "manta";
    case SceneLayer::Water:
      return "water";
    case SceneLayer::Highlight:
      return "highlight";
    case SceneLayer::Overlay:
      return "overlay";
  }
  return "";
}

void SeaSceneApp::renderLayer(SceneLayer layer) {
  switch (layer) {
    case SceneLayer::Gull:
      if (!gullsPresent_) break;
      gull_.setPose(gullFlight_.pose());
      gull_.render();
      break;
    case SceneLayer::Sky: {
      // The floor, opaque, comes next and paints over whatever lies in the rows it covers from
      // side to side; the sky is left out there (two rows of margin for the floor's edge).
      const Vector3 floorAt = floor_.position();
      const int hidden = rowsCoveredByGround(floor_, Vector3{floorAt.x, floorAt.y, -floorAt.z}) - 2;
      if (hidden > 0) {
        glScissor(0, hidden, width(), height() - hidden);
        glEnable(GL_SCISSOR_TEST);
      }
      if (skyType_ == 0) {
        skyDome_.render();
      } else {
        skyPlane_.render();
      }
      glDisable(GL_SCISSOR_TEST);
      break;
    }
    case SceneLayer::Floor:
      glEnable(GL_FOG);
      floor_.setTexture(&caustics_[causticFrame()], 1);
      floor_.render();
      glDisable(GL_FOG);
      break;
    case SceneLayer::RockAndFader:
      rockPlane_.render();
      faderPlane_.render();
      break;
    case SceneLayer::School:
      if (school_.size() == 0) break;
      glEnable(GL_FOG);
      schoolLook_.setTexture(&fishCaustics_[causticFrame()], 1);
      for (int i = 0; i < school_.size(); ++i) {
        schoolLook_.setPose(school_.member(i).pose);
        schoolLook_.render();
      }
      glDisable(GL_FOG);
      break;
    case SceneLayer::Predator:
      if (!predator_.model()) break;
      glEnable(GL_FOG);
      predator_.setTexture(&fishCaustics_[causticFrame()], 1);
      predator_.setPose(predatorSwimmer_.pose());
      predator_.render();
      glDisable(GL_FOG);
      break;
    case SceneLayer::CoralsBeforeReefFish:
      renderCorals(CoralGroup::BeforeReefFish);
      break;
    case SceneLayer::ReefFish: {
      glEnable(GL_FOG);
      Texture* caustics = &fishCaustics_[causticFrame()];
      for (int i = 0; i < reefFishCount_; ++i) {
        ModelObject& look = reefLooks_[reefSpecies_[i]];
        look.setTexture(caustics, 1);
        look.setPose(reefSwimmers_[i].pose());
        look.render();
      }
      glDisable(GL_FOG);
      break;
    }
    case SceneLayer::BigFish: {
      if (!routePatrol_.travellerShown()) break;
      const int traveller = routePatrol_.current();
      ModelObject& fish = traveller == bigGreyCandidate_ ? bigGrey_ : bigRed_;
      glEnable(GL_FOG);
      fish.setTexture(&fishCaustics_[causticFrame()], 1);
      fish.setPose(routePatrol_.pose(traveller));
      fish.render();
      glDisable(GL_FOG);
      break;
    }
    case SceneLayer::CoralsAfterBigFish:
      renderCorals(CoralGroup::AfterBigFish);
      break;
    case SceneLayer::Island:
      islandPlane_.render();
      break;
    case SceneLayer::Manta:
      if (!manta_.model()) break;
      manta_.setPose(mantaSweep_.pose());
      manta_.render();
      break;
    case SceneLayer::Water:
      water_.render();
      break;
    case SceneLayer::Highlight:
      if (!cameraMoving_) highlightPlane_.setTexture(&highlight_[causticFrame()], 1);
      highlightPlane_.render();
      break;
    case SceneLayer::Overlay:
      if (!basicBuild()) {
        helpLine_.render();
        if (rateShown_) rateLine_.render();
      }
      break;
  }
}

void SeaSceneApp::renderCorals(CoralGroup group) {
  glEnable(GL_FOG);
  for (int i = 0; i < CoralCount; ++i) {
    if (CoralPlacements[i].group == group) corals_[i].render();
  }
  glDisable(GL_FOG);
}

void SeaSceneApp::afterFrame() {
  if (!basicBuild()) input_.endFrame();
}

bool SeaSceneApp::filterMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  return !basicBuild() && input_.handleMessage(message, wParam, lParam);
}
