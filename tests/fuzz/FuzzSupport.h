#pragma once
// What the fuzz targets share: a private working directory and the headless media library, each
// set up once per process.

#include "media/LibGraphics.h"
#include "media/LibSound.h"

#include <filesystem>
#include <fstream>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size);

inline void EnterFuzzDirectory() {
  static const bool entered = [] {
    std::string pattern = (std::filesystem::temp_directory_path() / "boglings-fuzz-XXXXXX").string();
    std::filesystem::current_path(mkdtemp(pattern.data()));
    return std::filesystem::create_directories("sprites") && std::filesystem::create_directories("sounds");
  }();
  (void)entered;
}

inline void StartHeadlessMedia() {
  static const bool started = [] {
    setenv("SDL_VIDEODRIVER", "dummy", 1);
    setenv("SDL_AUDIODRIVER", "dummy", 1);
    InitGraphics(ScreenWidth, ScreenHeight, "Game");
    InitSound();
    return true;
  }();
  (void)started;
}

inline void WriteFile(const std::string& name, const uint8_t* data, size_t size) {
  std::ofstream(name, std::ios::binary).write(reinterpret_cast<const char*>(data), std::streamsize(size));
}
