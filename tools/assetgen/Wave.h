#pragma once
// Sounds in the mixer's own output format: 44100 Hz, signed 16-bit, stereo.

#include <cstdint>
#include <string>
#include <vector>

namespace assetgen {

constexpr int SampleRate = 44100;

struct Sound {
  std::string Name;  // file stem under sounds/
  std::vector<float> Left;
  std::vector<float> Right;

  static Sound Silence(const std::string& name, double seconds);
  size_t Frames() const { return Left.size(); }
};

// Scales the sound so that its loudest sample sits at -1 dBFS and fades its ends over the given
// times, so it starts and stops without a click.
void Master(Sound& sound, double fadeInSeconds, double fadeOutSeconds);

// The plain RIFF/WAVE file (PCM, 2 channels, 16 bits). Samples are clamped one step short of
// full scale.
std::vector<uint8_t> EncodeWav(const Sound& sound);

}  // namespace assetgen
