#include "Music.h"

#include "Synth.h"

#include <algorithm>
#include <cmath>
#include <fstream>
#include <map>
#include <sstream>
#include <stdexcept>

namespace assetgen {

namespace {

struct Note {
  std::vector<double> Pitches;  // note numbers; empty for a rest
  double Beats = 1;
};

struct Score {
  double Tempo = 120;
  int BeatsPerBar = 4;
  std::vector<std::string> Chords;  // one per bar
  std::map<std::string, std::vector<Note>> Parts;
};

[[noreturn]] void Fail(const std::filesystem::path& file, int line, const std::string& what) {
  throw std::runtime_error(file.string() + ":" + std::to_string(line) + ": " + what);
}

// "C#5", "Bb4", "A4" -> note number; -1 when it is none.
double ParsePitch(const std::string& name) {
  static const std::map<char, int> Steps{{'C', 0}, {'D', 2}, {'E', 4}, {'F', 5}, {'G', 7}, {'A', 9}, {'B', 11}};
  const auto step = Steps.find(name.empty() ? ' ' : name[0]);
  if (step == Steps.end()) return -1;
  size_t at = 1;
  int semitone = step->second;
  if (at < name.size() && (name[at] == '#' || name[at] == 'b')) semitone += name[at++] == '#' ? 1 : -1;
  if (at + 1 != name.size() || !std::isdigit(static_cast<unsigned char>(name[at]))) return -1;
  return 12 * (name[at] - '0' + 1) + semitone;
}

Note ParseNote(const std::filesystem::path& file, int line, const std::string& token) {
  const auto colon = token.find(':');
  if (colon == std::string::npos) Fail(file, line, "note '" + token + "' has no length");
  Note note;
  note.Beats = std::stod(token.substr(colon + 1));
  std::istringstream pitches(token.substr(0, colon));
  for (std::string pitch; std::getline(pitches, pitch, '+');) {
    if (pitch == "r") continue;
    const double number = ParsePitch(pitch);
    if (number < 0) Fail(file, line, "cannot read the pitch '" + pitch + "'");
    note.Pitches.push_back(number);
  }
  return note;
}

Score ParseScore(const std::filesystem::path& file) {
  std::ifstream in(file);
  if (!in) throw std::runtime_error("cannot read " + file.string());
  Score score;
  std::vector<Note>* part = nullptr;
  bool chords = false;
  std::string text;
  for (int line = 1; std::getline(in, text); ++line) {
    std::istringstream words(text);
    std::string word;
    if (!(words >> word) || word[0] == '#') continue;  // blank or comment; '#' inside a word is a sharp
    if (word == "tempo")
      words >> score.Tempo;
    else if (word == "beats")
      words >> score.BeatsPerBar;
    else if (word == "chords")
      chords = true, part = nullptr;
    else if (word == "part" && words >> word)
      part = &score.Parts[word], chords = false;
    else if (!chords && !part)
      Fail(file, line, "notes outside a part");
    else
      words.seekg(0);
    for (std::string token; (chords || part) && words >> token;) {
      if (token == "|") continue;
      if (chords)
        score.Chords.push_back(token);
      else
        part->push_back(ParseNote(file, line, token));
    }
  }
  return score;
}

// The triad of a chord name such as "Dm", "Bb" or "C#m", with its root at note number `octaveBase`
// or just above.
std::vector<double> Triad(const std::string& name, int octaveBase) {
  const bool minor = name.size() > 1 && name.back() == 'm';
  const double root = ParsePitch(name.substr(0, minor ? name.size() - 1 : name.size()) + "4");
  if (root < 0) throw std::runtime_error("cannot read the chord '" + name + "'");
  const double base = octaveBase + std::fmod(root - octaveBase + 120, 12.0);
  return {base, base + (minor ? 3 : 4), base + 7};
}

Tone Pitched(double note, std::vector<Partial> partials, double attack, double length) {
  const double f = NoteFrequency(note);
  return {[f](double) { return f; }, std::move(partials), attack, length};
}

class Band {
 public:
  Band(const Score& score, Sound& out) : Beat(60.0 / score.Tempo), Out(out) {}

  void Bell(double at, double note, double beats) {
    Tone tone = Pitched(note, {{1, 1, 0.9}, {2, 0.18, 0.3}, {3, 0.06, 0.15}, {4.02, 0.12, 0.06}}, 0.003,
                        std::min(2.4, beats * Beat + 1.4));
    Add(tone, at, 0.30, 0.15);
  }

  void Whistle(double at, double note, double beats) {
    const double f = NoteFrequency(note), held = beats * Beat;
    Tone tone{[f](double t) { return f * (1 + 0.012 * std::sin(2 * M_PI * 5.5 * t) * std::min(1.0, t / 0.4)); },
              {{1, 1, 0}, {2, 0.12, 0}},
              0.15,
              held + 0.3,
              [held](double t) { return t < held ? 1.0 : std::exp(-(t - held) / 0.08); }};
    Add(tone, at, 0.13, -0.35);
  }

  void Waltz(double barStart, const std::string& chord) {
    const auto low = Triad(chord, 38), mid = Triad(chord, 57);
    Add(Pitched(low[0], {{1, 1, 0.55}, {2, 0.45, 0.25}, {3, 0.2, 0.12}}, 0.006, 1.5), barStart, 0.42, 0);
    for (int beat = 1; beat <= 2; ++beat)
      for (double note : mid)
        Add(Pitched(note, {{1, 1, 0.16}, {2, 0.25, 0.07}}, 0.004, 0.45), barStart + beat * Beat, 0.075,
            beat == 1 ? 0.3 : -0.3);
  }

  void Pad(double barStart, const std::string& chord, int beatsPerBar) {
    const double held = beatsPerBar * Beat;
    for (double note : Triad(chord, 52)) {
      for (double detune : {-0.06, 0.06}) {
        Tone tone = Pitched(note + detune, {{1, 1, 0}, {2, 0.2, 0}, {3, 0.1, 0}}, 0.5, held + 0.6);
        tone.Shape = [held](double t) { return t < held ? 1.0 : std::exp(-(t - held) / 0.2); };
        Add(tone, barStart, 0.028, detune < 0 ? -0.6 : 0.6);
      }
    }
  }

  void Tick(double at, bool downbeat) {
    Add(Pitched(downbeat ? 86 : 93, {{1, 1, 0.012}, {1.48, 0.6, 0.007}}, 0.0005, 0.06), at, 0.045, 0.45);
  }

 private:
  void Add(const Tone& tone, double beats, double gain, double pan) {
    AddTone(Out, tone, beats * Beat, gain, pan, true);
  }

  double Beat;
  Sound& Out;
};

void PlayPart(const std::filesystem::path& file, const std::string& name, const std::vector<Note>& notes, Band& band,
              double loopBeats) {
  double at = 0;
  for (const Note& note : notes) {
    for (double pitch : note.Pitches) {
      if (name == "bell")
        band.Bell(at, pitch, note.Beats);
      else if (name == "whistle")
        band.Whistle(at, pitch, note.Beats);
      else
        throw std::runtime_error(file.string() + ": no instrument called '" + name + "'");
    }
    at += note.Beats;
  }
  if (std::fabs(at - loopBeats) > 1e-9)
    throw std::runtime_error(file.string() + ": part " + name + " lasts " + std::to_string(at) + " beats, the loop " +
                             std::to_string(loopBeats));
}

// Turns the loop so that it starts where both sides are nearest to silence, a few milliseconds
// before the first downbeat: the loop stays seamless and the very first play starts without a
// click, with no fade to dent the seam.
void StartAtQuietestPoint(Sound& loop) {
  constexpr size_t Window = 1500;
  const size_t frames = loop.Frames();
  size_t best = 0;
  float quietest = std::max(std::fabs(loop.Left[0]), std::fabs(loop.Right[0]));
  for (size_t i = frames - Window; i < frames; ++i) {
    const float level = std::max(std::fabs(loop.Left[i]), std::fabs(loop.Right[i]));
    if (level < quietest) quietest = level, best = i;
  }
  std::rotate(loop.Left.begin(), loop.Left.begin() + static_cast<long>(best), loop.Left.end());
  std::rotate(loop.Right.begin(), loop.Right.begin() + static_cast<long>(best), loop.Right.end());
}

}  // namespace

Sound MakeMusic(const std::filesystem::path& scoreFile) {
  const Score score = ParseScore(scoreFile);
  const double loopBeats = static_cast<double>(score.Chords.size()) * score.BeatsPerBar;
  Sound music = Sound::Silence("music", loopBeats * 60.0 / score.Tempo);
  Band band(score, music);
  for (size_t bar = 0; bar < score.Chords.size(); ++bar) {
    const double start = static_cast<double>(bar) * score.BeatsPerBar;
    band.Waltz(start, score.Chords[bar]);
    band.Pad(start, score.Chords[bar], score.BeatsPerBar);
    for (int beat = 0; beat < score.BeatsPerBar; ++beat) band.Tick(start + beat, beat == 0);
  }
  for (const auto& [name, notes] : score.Parts) PlayPart(scoreFile, name, notes, band, loopBeats);
  AddReverb(music, 0.32, 1.0, true);
  Master(music, {MusicLoudness, 0, 0});
  StartAtQuietestPoint(music);
  return music;
}

}  // namespace assetgen
