#pragma once

// How much of its loudness the sea keeps while other programs play sound (music, a video, a
// call): it fades out within half a second once another program is heard, and once the others
// have been silent for three seconds (a pause between two songs is no end) fades back in over two.
class SoundYield {
 public:
  static constexpr int FadeOutMs = 500;
  static constexpr int SilenceBeforeReturnMs = 3000;
  static constexpr int FadeInMs = 2000;

  // One frame of frameTime ms; othersPlaying: another program was heard at the latest look.
  void advance(int frameTime, bool othersPlaying);
  // 1: the sea's whole loudness, 0: silent.
  float share() const { return share_; }

 private:
  float share_ = 1.0f;
  int silentMs_ = SilenceBeforeReturnMs;  // since another program was last heard
};
