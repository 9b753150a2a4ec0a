#include "support/Headless.h"

#include "media/LibFiles.h"
#include "media/LibGraphics.h"
#include "media/LibSound.h"
#include "shell/BoglingsAndSkitters.h"

#include <cmath>
#include <cstring>
#include <fstream>
#include <iterator>

namespace fs = std::filesystem;

std::ostream& operator<<(std::ostream& out, const Rgb& colour) {
  return out << "(" << int(colour.R) << ", " << int(colour.G) << ", " << int(colour.B) << ")";
}

ScratchDir::ScratchDir() : Previous(fs::current_path()) {
  std::string pattern = (fs::temp_directory_path() / "boglings-XXXXXX").string();
  if (mkdtemp(pattern.data()) == nullptr) throw std::runtime_error("cannot make a scratch directory");
  fs::current_path(Dir = pattern);
}

ScratchDir::~ScratchDir() {
  fs::current_path(Previous);
  std::error_code ignored;
  fs::permissions(Dir, fs::perms::owner_all, fs::perm_options::add, ignored);
  fs::remove_all(Dir, ignored);
}

Bytes ReadBytes(const fs::path& file) {
  std::ifstream in(file, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void WriteBytes(const fs::path& file, const Bytes& bytes) {
  if (file.has_parent_path()) fs::create_directories(file.parent_path());
  std::ofstream(file, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()), std::ssize(bytes));
}

void WriteDatFile(const fs::path& file, Bytes plain) {
  Descramble(plain.data(), static_cast<int32_t>(plain.size()));
  WriteBytes(file, plain);
}

namespace {

void Put(Bytes& bytes, uint32_t value, int count) {
  for (int i = 0; i < count; ++i) bytes.push_back(static_cast<uint8_t>(value >> (8 * i)));
}

// Every test runs the real SDL headless unless it chose other drivers.
const bool HeadlessDrivers = setenv("SDL_VIDEODRIVER", "dummy", 0) == 0 && setenv("SDL_AUDIODRIVER", "dummy", 0) == 0;

struct TFixture {
  const char* Name;
  int W, H;
};
constexpr TFixture Pictures[] = {
    {"background", 640, 480}, {"hand", 16, 20},    {"title", 301, 121},  {"makerlogo", 200, 100}, {"ghost", 48, 48},
    {"pumpkin", 48, 48},      {"spider", 48, 48},  {"witcheshat", 48, 48}, {"bat", 48, 48},        {"cat", 48, 48},
    {"howtoplay", 180, 40},   {"newgame", 180, 40}, {"highscores", 180, 40}, {"credits", 180, 40}, {"exit", 180, 40},
    {"wand", 32, 32},         {"tiles", 32, 32},   {"score", 32, 32},    {"lives", 32, 32},       {"star", 9, 9},
    {"quit", 32, 32},         {"back", 64, 32}};

Rgb PictureColour(const std::string& name) {
  int index = 0;
  while (Pictures[index].Name != name) ++index;
  return {static_cast<uint8_t>(16 + 8 * index), static_cast<uint8_t>(252 - 8 * index), 64};
}
Rgb GlyphColour(int glyph) {
  return glyph == BlankGlyph ? Rgb{255, 0, 255} : Rgb{uint8_t(8 * (glyph % 32)), uint8_t(64 * (glyph / 32) + 32), 160};
}
Rgb DigitColour(int digit) { return {static_cast<uint8_t>(8 * digit + 8), 200, 8}; }

}  // namespace

Bytes MakeBmp(int w, int h, const std::function<Rgb(int, int)>& colourAt) {
  const int rowBytes = (w * 3 + 3) & ~3;
  Bytes bmp = {'B', 'M'};
  for (const uint32_t field : {54u + rowBytes * h, 0u, 54u, 40u, uint32_t(w), uint32_t(h)}) Put(bmp, field, 4);
  Put(bmp, 1 | 24 << 16, 4);  // one plane, 24 bits
  bmp.resize(54 + rowBytes * h);
  for (int y = 0; y < h; ++y) {
    for (int x = 0; x < w; ++x) {
      const Rgb c = colourAt(x, y);
      const uint8_t bgr[] = {c.B, c.G, c.R};
      std::memcpy(&bmp[54 + (h - 1 - y) * rowBytes + x * 3], bgr, 3);
    }
  }
  return bmp;
}

Bytes MakeWav(int frames, uint32_t rate) {
  Bytes wav = {'R', 'I', 'F', 'F'};
  Put(wav, 36 + 4 * frames, 4);
  for (const char* tag : {"WAVE", "fmt "}) wav.insert(wav.end(), tag, tag + 4);
  for (const uint32_t field : {16u, 1u | 2u << 16, rate, rate * 4, 4u | 16u << 16}) Put(wav, field, 4);
  wav.insert(wav.end(), {'d', 'a', 't', 'a'});
  Put(wav, 4 * frames, 4);
  for (int i = 0; i < 2 * frames; ++i) Put(wav, static_cast<uint16_t>(1000 * std::sin(i / 2 * 0.05)), 2);
  return wav;
}

void WriteFixtureAssets() {
  for (const TFixture& picture : Pictures) {
    const Rgb colour = PictureColour(picture.Name);
    WriteDatFile(std::string("sprites/") + picture.Name + ".dat", MakeBmp(picture.W, picture.H, [=](int, int) { return colour; }));
  }
  WriteDatFile("sprites/font.dat", MakeBmp(430, 16, [](int x, int) { return GlyphColour(x / FontGlyphWidth); }));
  WriteDatFile("sprites/numbers.dat", MakeBmp(120, 20, [](int x, int) { return DigitColour(x / DigitGlyphWidth); }));
  for (const char* sound : {"music", "pop", "hit", "ghost", "score", "squeak"}) {
    WriteDatFile(std::string("sounds/") + sound + ".dat", MakeWav(441));
  }
}

Rgb OnScreen(Rgb colour) {
  Rgb shown{};
  SDL_GetRGB(SDL_MapRGB(Screen->format, colour.R, colour.G, colour.B), Screen->format, &shown.R, &shown.G, &shown.B);
  return shown;
}
Rgb Shown(const std::string& sprite) { return OnScreen(PictureColour(sprite)); }
Rgb ShownGlyph(char character) { return OnScreen(GlyphColour(GlyphIndex(static_cast<unsigned char>(character)))); }
Rgb ShownDigit(int digit) { return OnScreen(DigitColour(digit)); }

Rgb PixelAt(const SDL_Surface& surface, int x, int y) {
  Uint32 pixel = 0;
  const int bytes = surface.format->BytesPerPixel;
  std::memcpy(&pixel, static_cast<const uint8_t*>(surface.pixels) + y * surface.pitch + x * bytes, bytes);
  Rgb colour{};
  SDL_GetRGB(pixel, surface.format, &colour.R, &colour.G, &colour.B);
  return colour;
}
Rgb ScreenAt(int x, int y) { return PixelAt(*Screen, x, y); }
void ClearScreen() { SDL_FillRect(Screen, nullptr, 0); }

std::string TextAt(int x, int y, int length) {
  constexpr std::string_view Characters = "abcdefghijklmnopqrstuvwxyz0123456789.,!?@'";
  std::string text(length, ' ');
  for (int i = 0; i < length; ++i) {
    for (const char c : Characters) {
      if (ScreenAt(x + FontGlyphWidth * i + 5, y + 8) == ShownGlyph(c)) text[i] = c;
    }
  }
  return text;
}

void ExpectText(int x, int y, std::string_view text) {
  std::string lower(text);
  for (char& c : lower) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  const int end = x + FontGlyphWidth * static_cast<int>(text.size()) - 1;
  EXPECT_EQ(TextAt(x, y, static_cast<int>(text.size())), lower) << "at " << x << "," << y;
  EXPECT_EQ(ScreenAt(x, y), ShownGlyph(text.front())) << text;
  EXPECT_EQ(ScreenAt(end, y + 15), ShownGlyph(text.back())) << text;
}

namespace {
Mix_Chunk* Marker() {
  static uint8_t silence[400] = {};
  static Mix_Chunk* const marker = Mix_QuickLoad_RAW(silence, sizeof silence);
  return marker;
}
}  // namespace

void MarkChannel(int channel) { Mix_PlayChannel(channel, Marker(), -1); }
bool PlayedSince(int channel) { return Mix_GetChunk(channel) != Marker(); }

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
  event.button = {event.type, 0, button, Uint8(pressed ? SDL_PRESSED : SDL_RELEASED), Uint16(x), Uint16(y)};
  SDL_PushEvent(&event);
}

void PushKey(SDLKey key) {
  SDL_Event event{};
  event.type = SDL_KEYDOWN;
  event.key.keysym.sym = key;
  SDL_PushEvent(&event);
}

void PushQuit() {
  SDL_Event event{};
  event.type = SDL_QUIT;
  SDL_PushEvent(&event);
}

void Frames(TGame& game, int count) {
  for (int i = 0; i < count; ++i) RunFrame(game, 0);
}

void Click(TGame& game, int x, int y) {
  PushMotion(x, y);
  PushButton(true, x, y);
  PushButton(false, x, y);
  Frames(game, 1);
}

void Drag(TGame& game, const std::vector<TPoint>& points) {
  PushMotion(points.front().X, points.front().Y);
  PushButton(true, points.front().X, points.front().Y);
  for (size_t i = 1; i < points.size(); ++i) PushMotion(points[i].X, points[i].Y);
  PushButton(false, points.back().X, points.back().Y);
  Frames(game, 1);
}

TPoint CellCentre(int column, int row) { return {213 + 64 * column, 40 + 64 * row}; }

std::optional<std::vector<TPoint>> FindLine(const std::function<int(int, int)>& kindAt) {
  const auto inside = [](int c, int r) { return c >= 0 && c < BoardSize && r >= 0 && r < BoardSize; };
  for (int cell = 0; cell < CellCount; ++cell) {
    for (const auto& [dc, dr] : {std::pair{1, 0}, {0, 1}, {1, 1}, {-1, 1}}) {
      std::vector<TPoint> line;
      const int c = cell % BoardSize, r = cell / BoardSize;
      for (int k = 0; k < 3 && inside(c + k * dc, r + k * dr) && kindAt(c + k * dc, r + k * dr) == kindAt(c, r); ++k) {
        line.push_back(CellCentre(c + k * dc, r + k * dr));
      }
      if (line.size() == 3) return line;
    }
  }
  return std::nullopt;
}

std::optional<std::vector<TPoint>> FindLine(const TBoard& board) {
  return FindLine([&](int column, int row) { return int{board.Cell(column, row)->Kind}; });
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
