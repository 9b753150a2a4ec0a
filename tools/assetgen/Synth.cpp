#include "Synth.h"

#include <array>
#include <cmath>

namespace assetgen {

float Noise::Next() {
  State = State * 1664525u + 1013904223u;
  return static_cast<float>(static_cast<int32_t>(State) / 2147483648.0);
}

double NoteFrequency(double note) { return 440.0 * std::pow(2.0, (note - 69.0) / 12.0); }

void AddTone(Sound& sound, const Tone& tone, double start, double gain, double pan, bool wrap) {
  const auto total = static_cast<long>(sound.Frames());
  const auto first = std::lround(start * SampleRate);
  const auto count = std::lround(tone.Length * SampleRate);
  const double left = gain * std::cos((pan + 1) * M_PI / 4), right = gain * std::sin((pan + 1) * M_PI / 4);
  std::vector<double> phases(tone.Partials.size(), 0.0);
  for (long i = 0; i < count; ++i) {
    const double t = static_cast<double>(i) / SampleRate;
    const double f = tone.Frequency(t);
    double value = 0;
    for (size_t p = 0; p < tone.Partials.size(); ++p) {
      const Partial& partial = tone.Partials[p];
      phases[p] += 2 * M_PI * f * partial.Ratio / SampleRate;
      if (f * partial.Ratio >= SampleRate / 2.0) continue;
      const double level = partial.Decay > 0 ? std::exp(-t / partial.Decay) : 1.0;
      value += partial.Gain * level * std::sin(phases[p]);
    }
    value *= std::min(1.0, t / tone.Attack) * tone.Shape(t);
    long at = first + i;
    if (at >= total) {
      if (!wrap) break;
      at %= total;
    }
    sound.Left[at] += static_cast<float>(value * left);
    sound.Right[at] += static_cast<float>(value * right);
  }
}

namespace {

// Schroeder-style room: parallel damped combs into series all-passes, one set per side with
// slightly different lengths for width.
class Room {
 public:
  Room(double size, int spread) {
    constexpr std::array<int, 4> Combs{1557, 1617, 1491, 1422};
    constexpr std::array<int, 2> Passes{556, 441};
    for (size_t i = 0; i < Combs.size(); ++i) CombLines[i].assign(static_cast<size_t>(Combs[i] * size) + spread, 0.0f);
    for (size_t i = 0; i < Passes.size(); ++i) PassLines[i].assign(static_cast<size_t>(Passes[i]) + spread, 0.0f);
  }

  float Process(float input) {
    float out = 0;
    for (size_t i = 0; i < CombLines.size(); ++i) {
      auto& line = CombLines[i];
      size_t& at = CombAt[i];
      const float delayed = line[at];
      Damped[i] = delayed * 0.75f + Damped[i] * 0.25f;
      line[at] = input * 0.25f + Damped[i] * 0.80f;
      at = (at + 1) % line.size();
      out += delayed;
    }
    for (size_t i = 0; i < PassLines.size(); ++i) {
      auto& line = PassLines[i];
      size_t& at = PassAt[i];
      const float delayed = line[at];
      line[at] = out + delayed * 0.5f;
      out = delayed - out * 0.5f;
      at = (at + 1) % line.size();
    }
    return out;
  }

 private:
  std::array<std::vector<float>, 4> CombLines;
  std::array<size_t, 4> CombAt{};
  std::array<float, 4> Damped{};
  std::array<std::vector<float>, 2> PassLines;
  std::array<size_t, 2> PassAt{};
};

}  // namespace

void AddReverb(Sound& sound, double wet, double roomSize, bool loop) {
  Room left(roomSize, 0), right(roomSize, 23);
  const size_t frames = sound.Frames();
  if (loop) {
    for (size_t i = 0; i < frames; ++i) {
      left.Process(sound.Left[i]);
      right.Process(sound.Right[i]);
    }
  }
  const auto amount = static_cast<float>(wet);
  for (size_t i = 0; i < frames; ++i) {
    const float l = left.Process(sound.Left[i]), r = right.Process(sound.Right[i]);
    sound.Left[i] += l * amount;
    sound.Right[i] += r * amount;
  }
}

}  // namespace assetgen
