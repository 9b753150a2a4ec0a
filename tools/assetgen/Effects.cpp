#include "Effects.h"

#include "Synth.h"

#include <cmath>

namespace assetgen {

namespace {

double Glide(double from, double to, double t, double time) { return to + (from - to) * std::exp(-t / time); }

}  // namespace

Sound MakePop() {
  Sound sound = Sound::Silence("pop", 0.085);
  Tone blip{[](double t) { return Glide(1250, 420, t, 0.014); }, {{1, 1, 0.022}, {2, 0.25, 0.008}}, 0.0015, 0.085};
  AddTone(sound, blip, 0, 1, 0);
  Master(sound, {AboveMusic(8), 0.001, 0.02});
  return sound;
}

Sound MakeHit() {
  Sound sound = Sound::Silence("hit", 0.6);
  Tone thump{[](double t) { return Glide(150, 52, t, 0.035); }, {{1, 1, 0.16}, {2, 0.3, 0.05}}, 0.002, 0.6};
  AddTone(sound, thump, 0, 1.0, 0);
  // A small gong's inharmonic partials, two copies a little apart for a slow shimmer.
  const std::vector<Partial> gong{{1, 0.55, 0.42},    {1.52, 0.36, 0.32}, {2.02, 0.28, 0.26}, {2.61, 0.2, 0.2},
                                  {3.37, 0.14, 0.14}, {4.12, 0.1, 0.09},  {5.3, 0.06, 0.06}};
  AddTone(sound, {[](double) { return 123.5; }, gong, 0.004, 0.6}, 0.004, 0.5, -0.25);
  AddTone(sound, {[](double) { return 124.3; }, gong, 0.004, 0.6}, 0.004, 0.5, 0.25);
  Noise noise(7);
  float low = 0;
  for (size_t i = 0; i < 1800; ++i) {
    low += (noise.Next() - low) * 0.08f;
    const auto level = static_cast<float>(std::exp(-static_cast<double>(i) / 300) * 1.2);
    sound.Left[i] += low * level;
    sound.Right[i] += low * level;
  }
  AddReverb(sound, 0.18, 0.8);
  // A step less than the others: its thump peaks highest for its loudness, and the last life's hit
  // on the puzzle's channel meets the high-score screen's on the effects channel.
  Master(sound, {AboveMusic(7), 0.001, 0.12});
  return sound;
}

Sound MakeGhost() {
  constexpr double Length = 2.0;
  Sound sound = Sound::Silence("ghost", Length);
  auto pitch = [](double t) {
    const double rise = std::sin(M_PI * std::min(t / 1.7, 1.0));
    const double waver = 1 + 0.035 * std::sin(2 * M_PI * 5.2 * t) + 0.02 * std::sin(2 * M_PI * 1.3 * t);
    return (235 + 150 * rise) * waver;
  };
  // An "oo" vowel: strong fundamental, a little of the second harmonic, the rest faint.
  const std::vector<Partial> voice{{1, 1, 0}, {2, 0.32, 0}, {3, 0.10, 0}, {4, 0.05, 0}};
  auto swell = [](double t) {
    return std::min(1.0, t / 0.35) * std::min(1.0, (Length - t) / 0.6) * (0.85 + 0.15 * std::sin(2 * M_PI * 2.6 * t));
  };
  AddTone(sound, {pitch, voice, 0.3, Length, swell}, 0, 1, 0);
  // A breath of air under the voice: noise through three gentle low-passes, less its rumble.
  Noise noise(31);
  float stage[4] = {};
  for (size_t i = 0; i < sound.Frames(); ++i) {
    stage[0] += (noise.Next() - stage[0]) * 0.06f;
    for (int k = 1; k < 3; ++k) stage[k] += (stage[k - 1] - stage[k]) * 0.06f;
    stage[3] += (stage[2] - stage[3]) * 0.01f;
    sound.Left[i] += static_cast<float>((stage[2] - stage[3]) * 1.2 * swell(static_cast<double>(i) / SampleRate));
  }
  // The voice drifts from left to right as the ghost flies across the screen.
  for (size_t i = 0; i < sound.Frames(); ++i) {
    const double pan = -0.5 + 1.3 * static_cast<double>(i) / sound.Frames();
    const float mono = sound.Left[i];
    sound.Left[i] = static_cast<float>(mono * std::cos((pan + 1) * M_PI / 4));
    sound.Right[i] = static_cast<float>(mono * std::sin((pan + 1) * M_PI / 4));
  }
  AddReverb(sound, 0.45, 1.0);
  Master(sound, {AboveMusic(8), 0.01, 0.25, false});  // not centred: it flies from left to right
  return sound;
}

Sound MakeScore() {
  Sound sound = Sound::Silence("score", 0.55);
  const std::vector<Partial> bell{{1, 1, 0.28}, {2.0, 0.35, 0.14}, {3.0, 0.18, 0.08}, {4.16, 0.12, 0.05}};
  constexpr double Notes[] = {79, 86, 91};  // G5, D6, G6
  for (int i = 0; i < 3; ++i) {
    const double f = NoteFrequency(Notes[i]);
    AddTone(sound, {[f](double) { return f; }, bell, 0.006, 0.55 - 0.07 * i}, 0.07 * i, i == 2 ? 1.0 : 0.7,
            -0.3 + 0.3 * i);
  }
  AddReverb(sound, 0.2, 0.6);
  Master(sound, {AboveMusic(8), 0.001, 0.08});
  return sound;
}

Sound MakeSqueak() {
  Sound sound = Sound::Silence("squeak", 0.3);
  constexpr double Starts[] = {0.0, 0.095, 0.19};
  for (int i = 0; i < 3; ++i) {
    const double top = 3300 - 250 * i;
    Tone chirp{[top](double t) { return top - 1300 * std::pow((t - 0.03) / 0.03, 2); },
               {{1, 1, 0}, {2, 0.15, 0}},
               0.004,
               0.07,
               [](double t) { return std::sin(M_PI * t / 0.07); }};
    AddTone(sound, chirp, Starts[i], 1.0 - 0.15 * i, -0.4 + 0.4 * i);
  }
  Master(sound, {AboveMusic(8), 0.002, 0.02});
  return sound;
}

}  // namespace assetgen
