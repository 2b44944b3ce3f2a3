#include "Sounds.h"

#include <cmath>

#include "WavWriter.h"

namespace cdcontent {

std::vector<float> bubbleSound(double pitch) {
  // A bubble is a short sine whose pitch rises as it shrinks, fading quickly.
  const int count = SampleRate * 18 / 100;
  std::vector<float> samples(static_cast<size_t>(count));
  double phase = 0.0;
  for (int i = 0; i < count; ++i) {
    const double t = static_cast<double>(i) / SampleRate;
    const double frequency = pitch * (420.0 + 2600.0 * t);
    phase += 2.0 * 3.14159265358979 * frequency / SampleRate;
    const double attack = std::fmin(t / 0.004, 1.0);
    const double decay = std::exp(-t * 24.0);
    samples[static_cast<size_t>(i)] = static_cast<float>(0.5 * attack * decay * std::sin(phase));
  }
  return samples;
}

}  // namespace cdcontent
