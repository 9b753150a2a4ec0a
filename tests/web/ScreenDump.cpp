// The desktop's picture of a screen for the browser's test: runs the real game headless in the
// working directory, passes it pointer events from the command line through the real frame loop,
// and writes Screen as 8-bit RGB, each 5-6-5 channel shifted up as the desktop's window shows it.
// Usage: ScreenDump OUT.rgb [move:X,Y | click:X,Y | frames:N]...

#include "media/LibGraphics.h"
#include "media/LibSound.h"
#include "support/Input.h"

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>
#include <vector>

int main(int argc, char** argv) {
  setenv("SDL_VIDEODRIVER", "dummy", 1);
  setenv("SDL_AUDIODRIVER", "dummy", 1);
  InitGraphics(ScreenWidth, ScreenHeight, "Game");
  InitSound();
  THalloween game;
  game.Start();
  for (int i = 2; i < argc; ++i) {
    const std::string step = argv[i];
    int x = 0, y = 0;
    std::sscanf(step.c_str() + step.find(':') + 1, "%d,%d", &x, &y);
    if (step.starts_with("move:")) PushMotion(x, y), Frames(game, 1);
    if (step.starts_with("click:")) Click(game, x, y);
    if (step.starts_with("frames:")) Frames(game, x);
  }
  std::vector<uint8_t> rgb;
  for (int y = 0; y < Screen->h; ++y) {
    const auto* row =
        reinterpret_cast<const uint16_t*>(static_cast<const uint8_t*>(Screen->pixels) + y * Screen->pitch);
    for (int x = 0; x < Screen->w; ++x) {
      rgb.insert(rgb.end(),
                 {uint8_t(row[x] >> 11 << 3), uint8_t((row[x] >> 5 & 63) << 2), uint8_t((row[x] & 31) << 3)});
    }
  }
  const bool written =
      !!std::ofstream(argv[1], std::ios::binary).write(reinterpret_cast<char*>(rgb.data()), std::ssize(rgb));
  // Under sdl12-compat, SDL 2's audio thread must not outlive the library at exit.
  ShutdownSound();
  SDL_Quit();
  return written ? 0 : 1;
}
