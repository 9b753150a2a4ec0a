#include "BenchSetup.h"

#include "media/LibErrors.h"
#include "media/LibFiles.h"
#include "media/LibGraphics.h"
#include "media/LibSound.h"

#include <SDL.h>

#include <cstdlib>
#include <cstring>
#include <fstream>
#include <vector>

namespace fs = std::filesystem;

namespace {

std::vector<uint8_t> ReadFile(const fs::path& file) {
  std::ifstream in(file, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void WriteScrambled(const fs::path& file, std::vector<uint8_t> bytes) {
  Descramble(bytes.data(), static_cast<int32_t>(bytes.size()));
  std::ofstream(file, std::ios::binary)
      .write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

// The picture's pixels in 24 bits; its key pixels become (255, 0, 255), which a 16-bit file can
// only hold as (248, 0, 248).
SurfacePtr To24Bits(SDL_Surface* picture) {
  SurfacePtr copy(SDL_CreateRGBSurface(SDL_SWSURFACE, picture->w, picture->h, 24, 0xFF0000, 0x00FF00, 0x0000FF, 0));
  const Uint32 key = SDL_MapRGB(picture->format, 255, 0, 255);
  const int bytes = picture->format->BytesPerPixel;
  for (int y = 0; y < picture->h; ++y) {
    for (int x = 0; x < picture->w; ++x) {
      Uint32 pixel = 0;
      std::memcpy(&pixel, static_cast<uint8_t*>(picture->pixels) + y * picture->pitch + x * bytes, bytes);
      Uint8 r = 255, g = 0, b = 255;
      if (pixel != key) SDL_GetRGB(pixel, picture->format, &r, &g, &b);
      const Uint32 out = SDL_MapRGB(copy->format, r, g, b);
      std::memcpy(static_cast<uint8_t*>(copy->pixels) + y * copy->pitch + x * 3, &out, 3);
    }
  }
  return copy;
}

}  // namespace

void OpenMedia(const fs::path& dir) {
  fs::current_path(dir);
  InitGraphics(ScreenWidth, ScreenHeight, "Game");
  InitSound();
}

void CloseMedia() {
  ShutdownSound();
  SDL_Quit();
}

fs::path GameDir() {
  const char* dir = std::getenv("BOGLINGS_GAME_DIR");
  return dir ? fs::path(dir) : fs::path(BOGLINGS_GAME_DIR);
}

fs::path WriteBmp24Copy(const fs::path& dir, const fs::path& target) {
  fs::create_directories(target / "sprites");
  fs::copy(dir / "sounds", target / "sounds", fs::copy_options::overwrite_existing | fs::copy_options::recursive);
  for (const auto& entry : fs::directory_iterator(dir / "sprites")) {
    std::vector<uint8_t> bytes = ReadFile(entry.path());
    Descramble(bytes.data(), static_cast<int32_t>(bytes.size()));
    SurfacePtr picture(SDL_LoadBMP_RW(SDL_RWFromMem(bytes.data(), static_cast<int>(bytes.size())), 1));
    if (!picture) throw EMediaError("Cannot read " + entry.path().string());
    const fs::path plain = target / "sprites" / (entry.path().stem().string() + ".bmp");
    SDL_SaveBMP(To24Bits(picture.get()).get(), plain.c_str());
    WriteScrambled(target / "sprites" / entry.path().filename(), ReadFile(plain));
    fs::remove(plain);
  }
  return target;
}
