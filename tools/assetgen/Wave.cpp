#include "Wave.h"

#include "LittleEndian.h"
#include "media/LibSound.h"

#include <algorithm>
#include <cmath>

namespace assetgen {

namespace {

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
  return {name, std::vector<float>(frames), std::vector<float>(frames), true};
}

Levels Measure(const Sound& sound) {
  Levels levels;
  double squares = 0;
  for (size_t i = 0; i < sound.Frames(); ++i) {
    levels.PeakLeft = std::max<double>(levels.PeakLeft, std::fabs(sound.Left[i]));
    levels.PeakRight = std::max<double>(levels.PeakRight, std::fabs(sound.Right[i]));
    levels.MeanLeft += sound.Left[i];
    levels.MeanRight += sound.Right[i];
    squares += sound.Left[i] * sound.Left[i] + sound.Right[i] * sound.Right[i];
  }
  const auto frames = static_cast<double>(std::max<size_t>(sound.Frames(), 1));
  levels.MeanLeft /= frames;
  levels.MeanRight /= frames;
  levels.Rms = std::sqrt(squares / (2 * frames));
  return levels;
}

double Decibels(double level) { return 20 * std::log10(level); }
double FromDecibels(double decibels) { return std::pow(10.0, decibels / 20); }

double AboveMusic(double decibels) {
  return MusicLoudness + Decibels(static_cast<double>(MusicVolume) / MIX_MAX_VOLUME) + decibels;
}

namespace {

// Scales the louder side down to the other's peak.
void EvenSides(Sound& sound) {
  const Levels levels = Measure(sound);
  auto& louder = levels.PeakLeft > levels.PeakRight ? sound.Left : sound.Right;
  const auto even = static_cast<float>(std::min(levels.PeakLeft, levels.PeakRight) / levels.Peak());
  for (float& sample : louder) sample *= even;
}

// 1 but for the fades, which rise from 0 and fall to 0 as squared quarter sines.
std::vector<double> Envelope(size_t frames, double fadeInSeconds, double fadeOutSeconds) {
  const double fadeIn = fadeInSeconds * SampleRate, fadeOut = fadeOutSeconds * SampleRate;
  std::vector<double> envelope(frames, 1.0);
  for (size_t i = 0; i < frames; ++i) {
    if (i < fadeIn) envelope[i] = std::pow(std::sin(M_PI / 2 * i / fadeIn), 2);
    if (frames - 1 - i < fadeOut)
      envelope[i] = std::min(envelope[i], std::pow(std::sin(M_PI / 2 * (frames - 1 - i) / fadeOut), 2));
  }
  return envelope;
}

}  // namespace

void Master(Sound& sound, const Mastering& how) {
  sound.Centred = how.Centred;
  if (how.Centred) EvenSides(sound);
  const std::vector<double> envelope = Envelope(sound.Frames(), how.FadeInSeconds, how.FadeOutSeconds);
  double area = 0, sumLeft = 0, sumRight = 0;
  for (size_t i = 0; i < sound.Frames(); ++i) {
    sound.Left[i] *= static_cast<float>(envelope[i]);
    sound.Right[i] *= static_cast<float>(envelope[i]);
    area += envelope[i];
    sumLeft += sound.Left[i];
    sumRight += sound.Right[i];
  }
  // The offset goes in the envelope's shape, so the faded ends stay silent.
  for (size_t i = 0; i < sound.Frames(); ++i) {
    sound.Left[i] -= static_cast<float>(sumLeft / area * envelope[i]);
    sound.Right[i] -= static_cast<float>(sumRight / area * envelope[i]);
  }
  const auto gain = static_cast<float>(FromDecibels(how.Loudness) / std::max(Measure(sound).Rms, 1e-9));
  for (size_t i = 0; i < sound.Frames(); ++i) {
    sound.Left[i] *= gain;
    sound.Right[i] *= gain;
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
