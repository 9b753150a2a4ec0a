#pragma once
// Small synthesis kit for the game's sounds: tones made of decaying partials, noise, a stereo
// room reverb. Everything is deterministic: the noise comes from a fixed generator.

#include "Wave.h"

#include <cstdint>
#include <functional>
#include <vector>

namespace assetgen {

// A fixed linear congruential generator, so the same code always makes the same noise.
class Noise {
 public:
  explicit Noise(uint32_t seed) : State(seed) {}
  float Next();  // -1..1

 private:
  uint32_t State;
};

struct Partial {
  double Ratio;  // to the fundamental
  double Gain;
  double Decay;  // seconds for the level to fall to 1/e; 0 keeps it
};

// A pitched note: frequency (Hz) as a function of its own time, partials, an attack ramp and an
// overall envelope multiplier.
struct Tone {
  std::function<double(double t)> Frequency;
  std::vector<Partial> Partials;
  double Attack = 0.002;
  double Length = 0.5;
  std::function<double(double t)> Shape = [](double) { return 1.0; };
};

// Adds the tone into `sound` at `start` seconds, panned (-1 left .. 1 right) and scaled by
// `gain`. Samples past the end wrap round to the start when `wrap` is set (for loops) and are
// dropped otherwise.
void AddTone(Sound& sound, const Tone& tone, double start, double gain, double pan, bool wrap = false);

// Adds `wet` of a stereo room reverb. With `loop` the room is run over the sound twice so the
// tail of the end already rings at the start.
void AddReverb(Sound& sound, double wet, double roomSize, bool loop = false);

// Equal-tempered frequency of a note number (69 = A4 = 440 Hz).
double NoteFrequency(double note);

}  // namespace assetgen
