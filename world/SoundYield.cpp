#include "world/SoundYield.h"

void SoundYield::advance(int frameTime, bool othersPlaying) {
  const int ms = frameTime > 0 ? frameTime : 0;
  if (othersPlaying) {
    silentMs_ = 0;
    share_ -= static_cast<float>(ms) / FadeOutMs;
    if (share_ < 0.0f) share_ = 0.0f;
  } else if (silentMs_ < SilenceBeforeReturnMs) {
    silentMs_ += ms;
  } else {
    share_ += static_cast<float>(ms) / FadeInMs;
    if (share_ > 1.0f) share_ = 1.0f;
  }
}
