#include "Wave.h"

#include "LittleEndian.h"

#include <algorithm>
#include <cmath>

namespace assetgen {

namespace {

constexpr double PeakLevel = 0.8912509;  // -1 dBFS
constexpr int MaxSample = 32766;

void PutTag(std::vector<uint8_t>& out, const char* tag) {
  for (int i = 0; i < 4; ++i) out.push_back(static_cast<uint8_t>(tag[i]));
}

int16_t ToSample(float value) {
  return static_cast<int16_t>(
      std::clamp(std::lround(value * 32767.0), -static_cast<long>(MaxSample), static_cast<long>(MaxSample)));
}

}  // namespace

Sound Sound::Silence(const std::string& name, double seconds) {
  const auto frames = static_cast<size_t>(std::lround(seconds * SampleRate));
  return {name, std::vector<float>(frames), std::vector<float>(frames)};
}

void Master(Sound& sound, double fadeInSeconds, double fadeOutSeconds) {
  float peak = 1e-9f;
  for (size_t i = 0; i < sound.Frames(); ++i)
    peak = std::max({peak, std::fabs(sound.Left[i]), std::fabs(sound.Right[i])});
  const auto gain = static_cast<float>(PeakLevel / peak);
  const double fadeIn = fadeInSeconds * SampleRate;
  const double fadeOut = fadeOutSeconds * SampleRate;
  const size_t frames = sound.Frames();
  for (size_t i = 0; i < frames; ++i) {
    double envelope = 1.0;
    if (i < fadeIn) envelope = std::sin(M_PI / 2 * i / fadeIn);
    if (frames - 1 - i < fadeOut) envelope = std::min(envelope, std::sin(M_PI / 2 * (frames - 1 - i) / fadeOut));
    const auto scale = static_cast<float>(gain * envelope * envelope);
    sound.Left[i] *= scale;
    sound.Right[i] *= scale;
  }
}

std::vector<uint8_t> EncodeWav(const Sound& sound) {
  const auto dataBytes = static_cast<uint32_t>(sound.Frames() * 4);
  std::vector<uint8_t> out;
  out.reserve(44 + dataBytes);
  PutTag(out, "RIFF");
  Put32(out, 36 + dataBytes);
  PutTag(out, "WAVE");
  PutTag(out, "fmt ");
  Put32(out, 16);
  Put16(out, 1);  // PCM
  Put16(out, 2);
  Put32(out, SampleRate);
  Put32(out, SampleRate * 4);
  Put16(out, 4);
  Put16(out, 16);
  PutTag(out, "data");
  Put32(out, dataBytes);
  for (size_t i = 0; i < sound.Frames(); ++i) {
    Put16(out, static_cast<uint16_t>(ToSample(sound.Left[i])));
    Put16(out, static_cast<uint16_t>(ToSample(sound.Right[i])));
  }
  return out;
}

}  // namespace assetgen
