// One frame of the scene's time: everything that moves, once, by the time since the last frame.
#include <cmath>

#include "scene/SeaScene.h"
#include "world/Clock.h"

namespace {

constexpr float WaterPhasePerMs = -0.000015f;
constexpr uint32_t MsPerCausticFrame = 50;

}  // namespace

void SeaScene::advance(uint32_t now, bool cameraSteered) {
  frameTime_ = static_cast<int>(elapsedMs(lastTick_, now));
  lastTick_ = now;
  cameraMoving_ = cameraSteered;

  // The water and all 64 caustic pictures slide along S together.
  waterPhase_ += static_cast<float>(frameTime_) * WaterPhasePerMs;
  waterPhase_ -= std::trunc(waterPhase_);
  water_.animate(frameTime_);
  assets_.picture(catalog::Water).setOffset(waterPhase_, 0.0f);
  assets_.premultipliedWater().setOffset(waterPhase_, 0.0f);
  const Vector3 eye = camera_.eye();
  skyDome_.setPosition(eye.x, eye.y - 300.0f, -eye.z);
  for (int i = 0; i < SceneAssets::RunLength; ++i) {
    assets_.frame(catalog::FloorCaustics, i).setOffset(waterPhase_, 0.0f);
    assets_.frame(catalog::FishCaustics, i).setOffset(waterPhase_, 0.0f);
  }

  // Ticked every frame, gulls or not: its random periods are part of the scene's sequence of draws.
  if (gullCallTimer_.tick(frameTime_) && gullsPresent_ && gullCallListener_) gullCallListener_->gullCalls();

  if (gullsPresent_) gullFlight_.update(frameTime_);
  // A manta whose model did not load is nowhere to be seen: its path is not swum.
  for (int kind = 0; kind < CreatureKindCount; ++kind) {
    const KindSlot& slot = kinds_[kind];
    if (CreatureKinds[kind].mover == Mover::Manta && slot.present && slot.model.frameCount() > 0) {
      mantaSweep_.update(frameTime_);
    }
  }
  // The school heads for the guide and flees from it when the predator strikes there.
  const Vector3 guidePosition = guide_.pose().position();
  school_.setTarget(guidePosition);
  school_.setFleeFrom(guidePosition);
  school_.update(frameTime_);
  predator_.setFollowPoint(guidePosition);
  guide_.update(frameTime_);
  predator_.update(frameTime_);
  routePatrol_.update(frameTime_);
  for (Swimmer& fish : reefSwimmers_) fish.update(frameTime_);
  if (cameraTilt_.enabled()) {
    cameraTilt_.update(camera_, frameTime_);
    cameraMoving_ = cameraMoving_ || cameraTilt_.moving();
  }

  // After the creatures: the swimmers have set their models' frame rates for this frame.
  for (KindSlot& slot : kinds_) {
    if (slot.present) slot.model.advance(frameTime_);
  }
  for (QModel& coral : coralModels_) coral.advance(frameTime_);
  skyDome_.turn(frameTime_);
  floor_.ripple(frameTime_);

  causticFrame_ = static_cast<int>((now / MsPerCausticFrame) % SceneAssets::RunLength);
  // While the camera tilts, the sunlight on the surface holds still.
  if (!cameraMoving_) highlightFrame_ = causticFrame_;
}
