#include "FuzzSupport.h"

#include "media/LibGraphics.h"
#include "media/LibSound.h"

#include <filesystem>
#include <fstream>
#include <stdexcept>

void EnterFuzzDirectory() {
  static const bool entered = [] {
    std::string pattern = (std::filesystem::temp_directory_path() / "boglings-fuzz-XXXXXX").string();
    if (mkdtemp(pattern.data()) == nullptr) throw std::runtime_error("cannot make a fuzz directory");
    std::filesystem::current_path(pattern);
    return std::filesystem::create_directories("sprites") && std::filesystem::create_directories("sounds");
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
  std::ofstream(name, std::ios::binary).write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
}
