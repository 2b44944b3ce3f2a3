#include "world/SoundYield.h"

void SoundYield::advance(int frameTime, bool othersPlaying) {
  const float ms = static_cast<float>(frameTime > 0 ? frameTime : 0);
  if (othersPlaying) {
    silentMs_ = 0;
    share_ -= ms / FadeOutMs;
    if (share_ < 0.0f) share_ = 0.0f;
    return;
  }
  if (silentMs_ < SilenceBeforeReturnMs) {
    silentMs_ += frameTime > 0 ? frameTime : 0;
    return;
  }
  share_ += ms / FadeInMs;
  if (share_ > 1.0f) share_ = 1.0f;
}
