#include "support/Headless.h"

#include "media/LibFiles.h"
#include "media/LibGraphics.h"
#include "media/LibSound.h"

#include <unistd.h>

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

void HalveFile(const fs::path& file) {
  std::vector<uint8_t> bytes = ReadBytes(file);
  bytes.resize(bytes.size() / 2);
  WriteBytes(file, bytes);
}

void DropRootInChild() {
  constexpr uid_t Nobody = 65534;
  if (geteuid() == 0 && (setgid(Nobody) != 0 || setuid(Nobody) != 0)) std::_Exit(2);
}

std::vector<uint8_t> MakeSolidBmp(int w, int h, Rgb colour) {
  return MakeBmp(w, h, [colour](int, int) { return colour; });
}

std::vector<uint8_t> MakeWav(int frames) {
  const uint32_t dataBytes = static_cast<uint32_t>(frames) * 4;
  std::vector<uint8_t> wav;
  auto put = [&](uint32_t value, int bytes) {
    for (int i = 0; i < bytes; ++i) wav.push_back(static_cast<uint8_t>(value >> (8 * i)));
  };
  auto tag = [&](const char* text) { wav.insert(wav.end(), text, text + 4); };
  tag("RIFF");
  put(36 + dataBytes, 4);
  tag("WAVE");
  tag("fmt ");
  for (const uint32_t field : {16u, 1u | 2u << 16, 44100u, 44100u * 4, 4u | 16u << 16}) put(field, 4);  // PCM, stereo
  tag("data");
  put(dataBytes, 4);
  for (int i = 0; i < 2 * frames; ++i) put(static_cast<uint16_t>(static_cast<int16_t>(1000 * std::sin(i / 2 * 0.05))), 2);
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

struct Size {
  int W, H;
};

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

// The cell whose fixture colour, as Screen shows it, is this one; -1 when none is.
template <class CellColour>
int CellOfColour(Rgb colour, int cells, CellColour cellColour) {
  for (int cell = 0; cell < cells; ++cell) {
    if (OnScreen(cellColour(cell)) == colour) return cell;
  }
  return -1;
}

}  // namespace

Rgb FixtureColour(const std::string& spriteName) {
  const auto& sizes = FixtureSizes();
  const auto index = static_cast<int>(std::distance(sizes.begin(), sizes.find(spriteName)));
  return {static_cast<uint8_t>(16 + 8 * index), static_cast<uint8_t>(252 - 8 * index), 64};
}

Rgb FontCellColour(int glyph) {
  return {static_cast<uint8_t>(8 * (glyph % 32)), static_cast<uint8_t>(64 * (glyph / 32) + 32), 160};
}

Rgb DigitCellColour(int digit) { return {static_cast<uint8_t>(8 * digit + 8), 200, 8}; }

int GlyphOfColour(Rgb colour) { return CellOfColour(colour, FontCells - 1, FontCellColour); }
int DigitOfColour(Rgb colour) { return CellOfColour(colour, 10, DigitCellColour); }

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

Rgb PixelAt(const SDL_Surface& surface, int x, int y) {
  const int bytes = surface.format->BytesPerPixel;
  Uint32 pixel = 0;
  std::memcpy(&pixel, static_cast<const uint8_t*>(surface.pixels) + y * surface.pitch + x * bytes, bytes);
  Rgb colour{};
  SDL_GetRGB(pixel, surface.format, &colour.R, &colour.G, &colour.B);
  return colour;
}

Rgb ScreenAt(int x, int y) { return PixelAt(*Screen, x, y); }

Rgb OnScreen(Rgb colour) {
  Rgb result{};
  SDL_GetRGB(SDL_MapRGB(Screen->format, colour.R, colour.G, colour.B), Screen->format, &result.R, &result.G, &result.B);
  return result;
}

void ClearScreen() { SDL_FillRect(Screen, nullptr, SDL_MapRGB(Screen->format, 0, 0, 0)); }

SDL_Event KeyEvent(SDLKey key) {
  SDL_Event event{};
  event.type = SDL_KEYDOWN;
  event.key.keysym.sym = key;
  return event;
}

SDL_Event ButtonEvent(bool pressed, int x, int y, Uint8 button) {
  SDL_Event event{};
  event.type = pressed ? SDL_MOUSEBUTTONDOWN : SDL_MOUSEBUTTONUP;
  event.button.button = button;
  event.button.state = pressed ? SDL_PRESSED : SDL_RELEASED;
  event.button.x = static_cast<Uint16>(x);
  event.button.y = static_cast<Uint16>(y);
  return event;
}

void PushMotion(int x, int y) {
  SDL_Event event{};
  event.type = SDL_MOUSEMOTION;
  event.motion.x = static_cast<Uint16>(x);
  event.motion.y = static_cast<Uint16>(y);
  SDL_PushEvent(&event);
}

void PushButton(bool pressed, int x, int y, Uint8 button) {
  SDL_Event event = ButtonEvent(pressed, x, y, button);
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
