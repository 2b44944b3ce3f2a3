#include "Sounds.h"

#include "Random.h"
#include "WavWriter.h"

#include <cmath>
#include <functional>

namespace {

constexpr double TwoPi = 6.283185307179586;

struct Note {
  double start;                         // seconds
  double duration;                      // seconds
  std::function<double(double)> pitch;  // Hz over the note's own time in [0, 1]
  double level;
};

// Harmonic voice with a nasal formant near 2.6 kHz, a throaty roughness and a little breath.
void sing(std::vector<float>& out, const Note& note, Random& random) {
  size_t start = static_cast<size_t>(note.start * SampleRate);
  size_t length = static_cast<size_t>(note.duration * SampleRate);
  double phase = 0.0;
  double breath = 0.0;
  for (size_t i = 0; i < length && start + i < out.size(); ++i) {
    double t = static_cast<double>(i) / length;
    double f = note.pitch(t) * (1.0 + 0.01 * std::sin(TwoPi * 6.0 * i / SampleRate));
    phase += TwoPi * f / SampleRate;
    double sample = 0.0;
    for (int k = 1; k <= 10; ++k) {
      double hf = k * f;
      if (hf > 9500.0) break;
      double formant = 1.0 + 2.5 * std::exp(-std::pow((hf - 2600.0) / 900.0, 2.0));
      sample += std::sin(k * phase) * formant / std::pow(k, 0.9);
    }
    double rough = 1.0 + 0.3 * std::sin(TwoPi * 80.0 * i / SampleRate + 0.5 * std::sin(phase * 0.05));
    breath += 0.3 * ((random.unit() * 2.0 - 1.0) - breath);
    double attack = std::fmin(1.0, t / 0.08);
    double release = std::fmin(1.0, (1.0 - t) / 0.25);
    double envelope = std::sin(1.5708 * attack) * std::sin(1.5708 * release);
    out[start + i] += static_cast<float>(note.level * envelope * (0.12 * sample * rough + 0.05 * breath));
  }
}

std::vector<float> render(double seconds, const std::vector<Note>& notes, uint64_t seed) {
  std::vector<float> out(static_cast<size_t>(seconds * SampleRate), 0.0f);
  Random random(seed);
  for (const Note& note : notes) sing(out, note, random);
  return out;
}

void normalise(std::vector<float>& samples, float peakLevel) {
  float peak = 0.0f;
  for (float s : samples) peak = std::fmax(peak, std::fabs(s));
  for (float& s : samples) s *= peakLevel / peak;
}

// Far away: duller, with a faint echo from the water.
void distance(std::vector<float>& samples) {
  double state = 0.0;
  const double k = 1.0 - std::exp(-TwoPi * 1600.0 / SampleRate);
  for (float& s : samples) {
    state += k * (s - state);
    s = static_cast<float>(state);
  }
  const size_t delay = static_cast<size_t>(0.17 * SampleRate);
  for (size_t i = samples.size(); i-- > delay;) samples[i] += 0.3f * samples[i - delay];
}

}  // namespace

std::vector<float> gullCall(int call) {
  std::vector<float> samples;
  switch (call) {
    case 0: {  // a long "kyow": up, then a long fall
      samples =
          render(1.0,
                 {{0.05, 0.78,
                   [](double t) { return 760.0 + 620.0 * std::sin(3.14159 * std::pow(t, 0.6)) - 120.0 * t; }, 1.0}},
                 1301);
      normalise(samples, 0.42f);
      break;
    }
    case 1: {  // laughing series, each note a little lower and softer
      std::vector<Note> notes;
      for (int k = 0; k < 7; ++k) {
        double base = 1250.0 - 55.0 * k;
        notes.push_back(Note{0.05 + 0.2 * k, 0.13, [base](double t) { return base + 180.0 * std::sin(3.14159 * t); },
                             1.0 - 0.07 * k});
      }
      samples = render(1.55, notes, 1302);
      normalise(samples, 0.4f);
      break;
    }
    case 2: {  // a short pair
      samples = render(0.5,
                       {{0.05, 0.11, [](double t) { return 1420.0 - 260.0 * t; }, 1.0},
                        {0.25, 0.11, [](double t) { return 1380.0 - 240.0 * t; }, 0.85}},
                       1303);
      normalise(samples, 0.38f);
      break;
    }
    default: {  // a distant call
      samples = render(1.2,
                       {{0.05, 0.62, [](double t) { return 820.0 + 480.0 * std::sin(3.14159 * t) - 80.0 * t; }, 1.0},
                        {0.75, 0.25, [](double t) { return 1000.0 + 200.0 * std::sin(3.14159 * t); }, 0.6}},
                       1304);
      distance(samples);
      normalise(samples, 0.18f);
      break;
    }
  }
  return samples;
}
