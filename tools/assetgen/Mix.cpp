#include "Mix.h"

#include "media/LibSound.h"

#include <cmath>
#include <map>

namespace assetgen {

namespace {

// dB of an effect's loudness over the music's: clearly heard above it, never drowning it.
constexpr double MinimumStep = 6, MaximumStep = 10;
// An offset wastes headroom and thumps where a sound starts or stops; sides further apart than a
// decibel pull a centred sound aside; a first or last sample a thousandth of full scale away from
// silence is heard as a click.
constexpr double LargestOffset = 1e-4, LargestImbalance = 1, LargestEnd = 1e-3;

double Louder(double left, double right) { return std::max(std::fabs(left), std::fabs(right)); }

void AddSoundFaults(const Sound& sound, const Levels& levels, std::vector<std::string>& faults) {
  auto fault = [&](const std::string& what) { faults.push_back(sound.Name + ": " + what); };
  if (Louder(levels.MeanLeft, levels.MeanRight) >= LargestOffset)
    fault("offset " + std::to_string(levels.MeanLeft) + ", " + std::to_string(levels.MeanRight));
  if (sound.Centred && std::fabs(Decibels(levels.PeakLeft / levels.PeakRight)) > LargestImbalance)
    fault("sides peak " + std::to_string(Decibels(levels.PeakLeft)) + " and " +
          std::to_string(Decibels(levels.PeakRight)) + " dBFS");
  for (const size_t end : {size_t(0), sound.Name == "music" ? 0 : sound.Frames() - 1}) {
    if (Louder(sound.Left[end], sound.Right[end]) >= LargestEnd) fault("a click at frame " + std::to_string(end));
  }
}

}  // namespace

std::vector<std::string> MixFaults(const std::vector<Sound>& sounds, const std::vector<std::string>& signals,
                                   const std::vector<std::string>& effects) {
  std::vector<std::string> faults;
  std::map<std::string, Levels> levels;
  for (const Sound& sound : sounds) AddSoundFaults(sound, levels[sound.Name] = Measure(sound), faults);
  const double volume = static_cast<double>(MusicVolume) / MIX_MAX_VOLUME;
  const Levels music = levels.at("music");
  for (const auto& names : {signals, effects}) {
    for (const std::string& name : names) {
      const double step = Decibels(levels.at(name).Rms / (volume * music.Rms));
      if (step < MinimumStep || step > MaximumStep)
        faults.push_back(name + ": " + std::to_string(step) + " dB over the music");
    }
  }
  for (const std::string& signal : signals) {
    for (const std::string& effect : effects) {
      const double sum = levels.at(signal).Peak() + levels.at(effect).Peak() + volume * music.Peak();
      if (sum >= 1)
        faults.push_back(signal + " with " + effect + " over the music: " + std::to_string(sum) + " of full scale");
    }
  }
  return faults;
}

}  // namespace assetgen
