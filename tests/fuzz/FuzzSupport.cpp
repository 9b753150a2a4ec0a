#include "FuzzSupport.h"

#include "media/LibGraphics.h"
#include "media/LibSound.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <stdexcept>

void EnterFuzzDirectory() {
  static const bool entered = [] {
    std::string pattern = (std::filesystem::temp_directory_path() / "boglings-fuzz-XXXXXX").string();
    if (mkdtemp(pattern.data()) == nullptr) throw std::runtime_error("cannot make a fuzz directory");
    std::filesystem::current_path(pattern);
    std::filesystem::create_directories("sprites");
    std::filesystem::create_directories("sounds");
    return true;
  }();
  (void)entered;
}

void StartHeadlessMedia() {
  static const bool started = [] {
    setenv("SDL_VIDEODRIVER", "dummy", 1);
    setenv("SDL_AUDIODRIVER", "dummy", 1);
    InitGraphics(ScreenWidth, ScreenHeight, "Game");
    InitSound();
    return true;
  }();
  (void)started;
}

void WriteFile(const std::string& name, const uint8_t* data, size_t size) {
  std::FILE* file = std::fopen(name.c_str(), "wb");
  if (file == nullptr) throw std::runtime_error("cannot write " + name);
  if (size > 0) std::fwrite(data, 1, size, file);
  std::fclose(file);
}
