#include "support/Headless.h"

#include "media/LibFiles.h"
#include "media/LibGraphics.h"
#include "media/LibSound.h"

#include <cmath>
#include <cstring>
#include <fstream>
#include <iterator>
#include <map>
#include <random>

namespace fs = std::filesystem;

std::ostream& operator<<(std::ostream& out, const Rgb& colour) {
  return out << "(" << int(colour.R) << ", " << int(colour.G) << ", " << int(colour.B) << ")";
}

ScratchDir::ScratchDir() : Previous(fs::current_path()) {
  std::string pattern = (fs::temp_directory_path() / "boglings-XXXXXX").string();
  if (mkdtemp(pattern.data()) == nullptr) throw std::runtime_error("cannot make a scratch directory");
  Dir = pattern;
  fs::current_path(Dir);
}

ScratchDir::~ScratchDir() {
  fs::current_path(Previous);
  std::error_code ignored;
  fs::permissions(Dir, fs::perms::owner_all, fs::perm_options::add, ignored);
  fs::remove_all(Dir, ignored);
}

std::vector<uint8_t> ReadBytes(const fs::path& file) {
  std::ifstream in(file, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void WriteBytes(const fs::path& file, const std::vector<uint8_t>& bytes) {
  if (file.has_parent_path()) fs::create_directories(file.parent_path());
  std::ofstream out(file, std::ios::binary);
  out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

void WriteDatFile(const fs::path& file, std::vector<uint8_t> plain) {
  Descramble(plain.data(), static_cast<int32_t>(plain.size()));
  WriteBytes(file, plain);
}

std::vector<uint8_t> MakeSolidBmp(int w, int h, Rgb colour) {
  return MakeBmp(w, h, [colour](int, int) { return colour; });
}

std::vector<uint8_t> MakeWav(int frames) {
  const uint32_t dataBytes = static_cast<uint32_t>(frames) * 4;
  std::vector<uint8_t> wav(44 + dataBytes, 0);
  auto put = [&](size_t at, uint32_t value, int bytes) {
    for (int i = 0; i < bytes; ++i) wav[at + i] = static_cast<uint8_t>(value >> (8 * i));
  };
  std::copy_n("RIFF", 4, wav.begin());
  put(4, 36 + dataBytes, 4);
  std::copy_n("WAVEfmt ", 8, wav.begin() + 8);
  put(16, 16, 4);
  put(20, 1, 2);                  // PCM
  put(22, 2, 2);                  // stereo
  put(24, 44100, 4);
  put(28, 44100 * 4, 4);
  put(32, 4, 2);
  put(34, 16, 2);
  std::copy_n("data", 4, wav.begin() + 36);
  put(40, dataBytes, 4);
  for (int i = 0; i < frames; ++i) {
    const auto sample = static_cast<int16_t>(1000 * std::sin(i * 0.05));
    put(44 + 4 * static_cast<size_t>(i), static_cast<uint16_t>(sample), 2);
    put(46 + 4 * static_cast<size_t>(i), static_cast<uint16_t>(sample), 2);
  }
  return wav;
}

namespace {

// Every test runs the real SDL headless unless the caller chose other drivers.
const bool HeadlessDrivers = [] {
  setenv("SDL_VIDEODRIVER", "dummy", 0);
  setenv("SDL_AUDIODRIVER", "dummy", 0);
  return true;
}();

constexpr int FontCells = 43;

const std::map<std::string, Size>& FixtureSizes() {
  static const std::map<std::string, Size> sizes = {
      {"background", {640, 480}}, {"hand", {16, 20}},     {"font", {430, 16}},       {"numbers", {120, 20}},
      {"title", {301, 121}},      {"makerlogo", {200, 100}}, {"ghost", {48, 48}},    {"pumpkin", {48, 48}},
      {"spider", {48, 48}},       {"witcheshat", {48, 48}}, {"bat", {48, 48}},       {"cat", {48, 48}},
      {"howtoplay", {180, 40}},   {"newgame", {180, 40}},   {"highscores", {180, 40}}, {"credits", {180, 40}},
      {"exit", {180, 40}},        {"wand", {32, 32}},       {"tiles", {32, 32}},     {"score", {32, 32}},
      {"lives", {32, 32}},        {"star", {9, 9}},         {"quit", {32, 32}},      {"back", {64, 32}},
  };
  return sizes;
}

std::string BaseName(const std::string& spriteName) {
  const std::string file = fs::path(spriteName).stem().string();
  return file;
}

}  // namespace

Size FixtureSize(const std::string& spriteName) { return FixtureSizes().at(BaseName(spriteName)); }

Rgb FixtureColour(const std::string& spriteName) {
  const auto& sizes = FixtureSizes();
  const auto index = static_cast<int>(std::distance(sizes.begin(), sizes.find(BaseName(spriteName))));
  return {static_cast<uint8_t>(16 + 8 * index), static_cast<uint8_t>(252 - 8 * index), 64};
}

Rgb FontCellColour(int glyph) {
  return {static_cast<uint8_t>(8 * (glyph % 32)), static_cast<uint8_t>(64 * (glyph / 32) + 32), 160};
}

Rgb DigitCellColour(int digit) { return {static_cast<uint8_t>(8 * digit + 8), 200, 8}; }

int GlyphOfColour(Rgb colour) {
  for (int g = 0; g < FontCells - 1; ++g) {
    if (OnScreen(FontCellColour(g)) == colour) return g;
  }
  return -1;
}

int DigitOfColour(Rgb colour) {
  for (int d = 0; d < 10; ++d) {
    if (OnScreen(DigitCellColour(d)) == colour) return d;
  }
  return -1;
}

void WriteFixtureAssets() {
  for (const auto& [name, size] : FixtureSizes()) {
    std::vector<uint8_t> bmp;
    if (name == "font") {
      bmp = MakeBmp(size.W, size.H, [](int x, int) {
        const int glyph = x / 10;
        return glyph == FontCells - 1 ? Magenta : FontCellColour(glyph);
      });
    } else if (name == "numbers") {
      bmp = MakeBmp(size.W, size.H, [](int x, int) { return DigitCellColour(x / 12); });
    } else {
      bmp = MakeSolidBmp(size.W, size.H, FixtureColour(name));
    }
    WriteDatFile("sprites/" + name + ".dat", bmp);
  }
  for (const char* sound : {"music", "pop", "hit", "ghost", "score", "squeak"}) {
    WriteDatFile(std::string("sounds/") + sound + ".dat", MakeWav(441));
  }
}

Rgb ScreenAt(int x, int y) {
  const auto* row = static_cast<const uint8_t*>(Screen->pixels) + y * Screen->pitch;
  Uint32 pixel = 0;
  std::memcpy(&pixel, row + x * Screen->format->BytesPerPixel, Screen->format->BytesPerPixel);
  Rgb colour{};
  SDL_GetRGB(pixel, Screen->format, &colour.R, &colour.G, &colour.B);
  return colour;
}

Rgb OnScreen(Rgb colour) {
  Rgb result{};
  SDL_GetRGB(SDL_MapRGB(Screen->format, colour.R, colour.G, colour.B), Screen->format, &result.R, &result.G, &result.B);
  return result;
}

void ClearScreen() { SDL_FillRect(Screen, nullptr, SDL_MapRGB(Screen->format, 0, 0, 0)); }

void PushMotion(int x, int y) {
  SDL_Event event{};
  event.type = SDL_MOUSEMOTION;
  event.motion.x = static_cast<Uint16>(x);
  event.motion.y = static_cast<Uint16>(y);
  SDL_PushEvent(&event);
}

void PushButton(bool pressed, int x, int y, Uint8 button) {
  SDL_Event event{};
  event.type = pressed ? SDL_MOUSEBUTTONDOWN : SDL_MOUSEBUTTONUP;
  event.button.button = button;
  event.button.state = pressed ? SDL_PRESSED : SDL_RELEASED;
  event.button.x = static_cast<Uint16>(x);
  event.button.y = static_cast<Uint16>(y);
  SDL_PushEvent(&event);
}

void PushQuit() {
  SDL_Event event{};
  event.type = SDL_QUIT;
  SDL_PushEvent(&event);
}

void HeadlessTest::SetUp() {
  Scratch = std::make_unique<ScratchDir>();
  WriteFixtureAssets();
  InitGraphics(ScreenWidth, ScreenHeight, "Game");
  InitSound();
}

void HeadlessTest::UseGeneratedAssets() {
  for (const char* folder : {"sprites", "sounds"}) {
    fs::remove_all(folder);
    fs::create_directory_symlink(fs::path(BOGLINGS_GAME_DIR) / folder, folder);
  }
}

void HeadlessTest::TearDown() {
  ShutdownSound();
  SDL_Quit();
  Scratch.reset();
}
