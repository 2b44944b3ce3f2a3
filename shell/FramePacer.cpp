#include "shell/FramePacer.h"

namespace {

constexpr int DefaultRefreshRate = 60;
constexpr int PreviewFrameRate = 30;

}  // namespace

void FramePacer::setRate(int framesPerSecond) {
  periodUs_ = framesPerSecond > 0 ? 1000000 / framesPerSecond : 0;
  started_ = false;
}

int64_t FramePacer::waitBefore(int64_t nowUs) const {
  if (!limited() || !started_ || nowUs >= nextUs_) return 0;
  return nextUs_ - nowUs;
}

int FramePacer::waitMsBefore(int64_t nowUs) const { return static_cast<int>((waitBefore(nowUs) + 999) / 1000); }

void FramePacer::frameStarted(int64_t nowUs) {
  if (!limited()) return;
  if (!started_ || nowUs - nextUs_ >= periodUs_) {
    nextUs_ = nowUs + periodUs_;
    started_ = true;
  } else {
    nextUs_ += periodUs_;
  }
}

int frameRateLimit(int storedMaxFrameRate, int refreshRate, bool swapSynced, bool preview) {
  int limit = storedMaxFrameRate;
  if (limit < 0) limit = (refreshRate > 1 ? refreshRate : DefaultRefreshRate) + (swapSynced ? 1 : 0);
  if (preview && (limit == 0 || limit > PreviewFrameRate)) limit = PreviewFrameRate;
  return limit;
}
