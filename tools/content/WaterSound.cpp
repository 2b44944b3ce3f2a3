#include "Sounds.h"

#include "Random.h"
#include "WavWriter.h"

#include <cmath>

namespace {

constexpr double TwoPi = 6.283185307179586;

// One-pole low-pass run twice around the loop, so its state at the start of the second pass is
// the state the end of the loop leaves behind: the output is periodic.
std::vector<float> lowPassLoop(const std::vector<float>& input, double cutoff) {
  double k = 1.0 - std::exp(-TwoPi * cutoff / SampleRate);
  std::vector<float> output(input.size());
  double state = 0.0;
  for (int pass = 0; pass < 2; ++pass) {
    for (size_t i = 0; i < input.size(); ++i) {
      state += k * (input[i] - state);
      output[i] = static_cast<float>(state);
    }
  }
  return output;
}

std::vector<float> bandLoop(const std::vector<float>& input, double low, double high) {
  std::vector<float> wide = lowPassLoop(lowPassLoop(input, high), high);
  std::vector<float> narrow = lowPassLoop(lowPassLoop(wide, low), low);
  for (size_t i = 0; i < wide.size(); ++i) wide[i] -= narrow[i];
  return wide;
}

std::vector<float> whiteNoise(size_t count, Random& random) {
  std::vector<float> noise(count);
  for (float& n : noise) n = static_cast<float>(random.unit() * 2.0 - 1.0);
  return noise;
}

// Moments for events that come unevenly: in groups of a few, close together, with long and
// varying lulls between the groups; as fractions of the loop.
std::vector<double> unevenMoments(Random& random, double loopSeconds, double meanLull, int smallest, int largest,
                                  double spacing) {
  std::vector<double> moments;
  double t = random.range(0.0, meanLull);
  while (t < loopSeconds) {
    const int group = smallest + random.below(largest - smallest + 1);
    double at = t;
    for (int k = 0; k < group && at < loopSeconds; ++k) {
      moments.push_back(at / loopSeconds);
      at += spacing * random.range(0.3, 1.7);
    }
    // Exponential lulls: mostly short, now and then long.
    t = at - meanLull * std::log(1.0 - random.unit() * 0.95);
  }
  return moments;
}

// Swell of small waves: raised-cosine bumps at uneven moments. The loop point itself lies in a
// lull, so that no wave is cut there.
std::vector<float> swell(size_t count, Random& random, double loopSeconds) {
  std::vector<float> envelope(count, 0.25f);
  for (double moment : unevenMoments(random, loopSeconds, 4.0, 1, 3, 1.8)) {
    size_t start = static_cast<size_t>(moment * count);
    size_t length = static_cast<size_t>(random.range(1.2, 3.4) * SampleRate);
    float amount = static_cast<float>(random.range(0.3, 1.0));
    if (start + length >= count) continue;
    for (size_t i = 0; i < length; ++i) {
      double shape = 0.5 - 0.5 * std::cos(TwoPi * i / length);
      envelope[start + i] += amount * static_cast<float>(shape * shape);
    }
  }
  return envelope;
}

void addBubble(std::vector<float>& left, std::vector<float>& right, Random& random, double moment) {
  const size_t count = left.size();
  size_t start = static_cast<size_t>(moment * count);
  double frequency = random.range(500.0, 1700.0);
  double duration = random.range(0.03, 0.09);
  double amplitude = random.range(0.015, 0.05);
  double pan = random.unit();
  size_t length = static_cast<size_t>(duration * SampleRate);
  double phase = 0.0;
  for (size_t i = 0; i < length; ++i) {
    double t = static_cast<double>(i) / length;
    // A bubble rings with a rising pitch as it leaves, dying away quickly.
    phase += TwoPi * frequency * (1.0 + 0.35 * t) / SampleRate;
    double envelope = std::sin(3.14159 * std::fmin(1.0, t * 8.0)) * std::exp(-4.0 * t);
    float sample = static_cast<float>(amplitude * envelope * std::sin(phase));
    left[(start + i) % count] += sample * static_cast<float>(1.0 - 0.6 * pan);
    right[(start + i) % count] += sample * static_cast<float>(0.4 + 0.6 * pan);
  }
}

}  // namespace

std::vector<float> waterLoop() {
  const size_t count = static_cast<size_t>(WaterLoopSeconds) * SampleRate;
  Random random(1201);

  std::vector<float> rumble = lowPassLoop(lowPassLoop(whiteNoise(count, random), 90.0), 140.0);
  std::vector<float> washLeft = bandLoop(whiteNoise(count, random), 250.0, 1400.0);
  std::vector<float> washRight = bandLoop(whiteNoise(count, random), 250.0, 1400.0);
  std::vector<float> hissLeft = bandLoop(whiteNoise(count, random), 1800.0, 5000.0);
  std::vector<float> hissRight = bandLoop(whiteNoise(count, random), 1800.0, 5000.0);
  std::vector<float> swellLeft = swell(count, random, WaterLoopSeconds);
  std::vector<float> swellRight = swell(count, random, WaterLoopSeconds);

  std::vector<float> left(count), right(count);
  for (size_t i = 0; i < count; ++i) {
    double t = static_cast<double>(i) / count;
    // The rumble breathes slowly, in cycles that share no short period within the loop.
    float breathe = static_cast<float>(1.0 + 0.18 * std::sin(TwoPi * 5.0 * t) + 0.1 * std::sin(TwoPi * 7.0 * t + 1.0) +
                                       0.07 * std::sin(TwoPi * 11.0 * t + 2.0));
    float low = 5.0f * rumble[i] * breathe;
    left[i] = low + 1.1f * washLeft[i] * swellLeft[i] + 0.25f * hissLeft[i] * swellLeft[i];
    right[i] = 0.9f * low + 1.1f * washRight[i] * swellRight[i] + 0.25f * hissRight[i] * swellRight[i];
  }
  // Bubbles rise in short trains now and then, a single one between; none rings across the loop
  // point, where the ear would catch a change of tone as a click.
  for (double moment : unevenMoments(random, WaterLoopSeconds, 3.5, 1, 6, 0.18)) {
    if (moment < 0.98) addBubble(left, right, random, moment);
  }

  float peak = 0.0f;
  for (size_t i = 0; i < count; ++i) peak = std::fmax(peak, std::fmax(std::fabs(left[i]), std::fabs(right[i])));
  // A gentle level: it plays for hours.
  const float gain = 0.3f / peak;
  std::vector<float> interleaved(count * 2);
  for (size_t i = 0; i < count; ++i) {
    interleaved[2 * i] = left[i] * gain;
    interleaved[2 * i + 1] = right[i] * gain;
  }
  return interleaved;
}
