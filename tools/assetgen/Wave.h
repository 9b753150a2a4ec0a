#pragma once
// Sounds in the mixer's own output format: 44100 Hz, signed 16-bit, stereo.

#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

namespace assetgen {

constexpr int SampleRate = 44100;

struct Sound {
  std::string Name;  // file stem under sounds/
  std::vector<float> Left;
  std::vector<float> Right;
  bool Centred = true;  // meant to sit in the middle; Master sets it

  static Sound Silence(const std::string& name, double seconds);
  size_t Frames() const { return Left.size(); }
};

// Peaks, loudness and offset of a sound, as fractions of full scale.
struct Levels {
  double PeakLeft = 0, PeakRight = 0;
  double Rms = 0;  // of both sides together
  double MeanLeft = 0, MeanRight = 0;
  double Peak() const { return std::max(PeakLeft, PeakRight); }
};
Levels Measure(const Sound& sound);

// Decibels of a level against full scale, and back.
double Decibels(double level);
double FromDecibels(double decibels);

// Every sound is made for the game's mix (Mix.h) rather than for itself: the music at a loudness
// (RMS) that leaves room for two effects' peaks over its own, each effect a fixed step above the
// music as the game plays it, so that it is clearly heard over it.
constexpr double MusicLoudness = -21;  // dBFS RMS in the file
// The loudness (dBFS RMS) of an effect `decibels` above the music as the game plays it.
double AboveMusic(double decibels);

struct Mastering {
  double Loudness;  // dBFS RMS
  // The ends fade in and out over these times, so the sound starts and stops without a click.
  double FadeInSeconds, FadeOutSeconds;
  bool Centred = true;  // sits in the middle: both sides are brought to the same peak
};

// Evens the sides of a centred sound, fades its ends, removes any offset from silence (under the
// fades, so the ends stay at zero) and scales it to its loudness.
void Master(Sound& sound, const Mastering& how);

// The plain RIFF/WAVE file (PCM, 2 channels, 16 bits). Samples are clamped one step short of
// full scale.
std::vector<uint8_t> EncodeWav(const Sound& sound);

}  // namespace assetgen
