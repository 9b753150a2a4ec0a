// The sounds' levels and what recordings of the game's mix show, for docs/performance.md:
//   bench_mix_levels GAME_DIR [RECORDING.raw...]
// For each sound of GAME_DIR/sounds: its sides' peaks, its loudness (RMS) and offset in the file,
// and its loudness over the music as the game plays that. For each recording (raw signed 16-bit
// stereo at 44100 Hz, as SDL's disk audio driver writes it): its length, the samples at either end
// of the 16-bit range (where the mixer clamped), the moments they fall in, and its peak.

#include "AssetFiles.h"
#include "assetgen/Wave.h"
#include "media/LibFiles.h"
#include "media/LibSound.h"

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>
#include <string_view>
#include <vector>

namespace {

constexpr size_t WavHeaderBytes = 44;  // the generator's plain RIFF header
constexpr long MomentFrames = 4410;    // clipped samples further apart than 0.1 s are two moments

std::vector<uint8_t> ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) {
    std::fprintf(stderr, "cannot read %s\n", path.c_str());
    std::exit(1);
  }
  return {std::istreambuf_iterator<char>(in), {}};
}

std::vector<int16_t> Samples(const std::vector<uint8_t>& bytes, size_t from) {
  std::vector<int16_t> samples;
  for (size_t i = from; i + 1 < bytes.size(); i += 2)
    samples.push_back(static_cast<int16_t>(bytes[i] | bytes[i + 1] << 8));
  return samples;
}

assetgen::Sound ReadSound(const std::string& gameDir, std::string_view file) {
  std::vector<uint8_t> bytes = ReadFile(gameDir + "/" + std::string(file));
  Descramble(bytes.data(), static_cast<int32_t>(bytes.size()));
  assetgen::Sound sound{std::string(file), {}, {}, true};
  const auto samples = Samples(bytes, WavHeaderBytes);
  for (size_t i = 0; i + 1 < samples.size(); i += 2) {
    sound.Left.push_back(samples[i] / 32768.0f);
    sound.Right.push_back(samples[i + 1] / 32768.0f);
  }
  return sound;
}

void PrintSounds(const std::string& gameDir) {
  using assetgen::Decibels;
  const double volume = static_cast<double>(MusicVolume) / MIX_MAX_VOLUME;
  const assetgen::Levels music = assetgen::Measure(ReadSound(gameDir, SoundFile::Music));
  std::printf("sound peakL_dBFS peakR_dBFS rms_dBFS meanL meanR over_music_dB\n");
  for (const std::string_view file : AllAssetFiles) {
    if (!file.starts_with("sounds/")) continue;
    const assetgen::Levels levels = assetgen::Measure(ReadSound(gameDir, file));
    std::printf("%s %.2f %.2f %.2f %+.6f %+.6f ", std::string(file).c_str(), Decibels(levels.PeakLeft),
                Decibels(levels.PeakRight), Decibels(levels.Rms), levels.MeanLeft, levels.MeanRight);
    if (file == SoundFile::Music) {
      std::printf("- (played at %.2f dBFS RMS)\n", Decibels(volume * music.Rms));
    } else {
      std::printf("%.2f\n", Decibels(levels.Rms / (volume * music.Rms)));
    }
  }
}

void PrintRecording(const std::string& path) {
  const auto samples = Samples(ReadFile(path), 0);
  long clipped = 0, moments = 0, lastFrame = -MomentFrames - 1;
  int peak = 0;
  for (size_t i = 0; i < samples.size(); ++i) {
    peak = std::max(peak, std::abs(static_cast<int>(samples[i])));
    if (samples[i] != 32767 && samples[i] != -32768) continue;
    const auto frame = static_cast<long>(i / 2);
    if (frame - lastFrame > MomentFrames) ++moments;
    lastFrame = frame;
    ++clipped;
  }
  std::printf("recording %s seconds=%.1f clipped_samples=%ld moments=%ld peak=%d (%.2f dBFS)\n", path.c_str(),
              static_cast<double>(samples.size()) / 2 / 44100, clipped, moments, peak,
              assetgen::Decibels(peak / 32768.0));
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) {
    std::fprintf(stderr, "usage: %s GAME_DIR [RECORDING.raw...]\n", argv[0]);
    return 2;
  }
  PrintSounds(argv[1]);
  for (int i = 2; i < argc; ++i) PrintRecording(argv[i]);
  return 0;
}
