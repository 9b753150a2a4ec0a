// The floor the game is measured against: the game's window and video mode, and a loop that only
// drains events, pauses 10 ms, clears the screen to black and flips it. Nothing of the game.
//
//   bench_floor SECONDS

#include "LoopMeter.h"

#include <SDL.h>

#include <cstdlib>

int main(int argc, char** argv) {
  const double seconds = argc > 1 ? std::atof(argv[1]) : 10.0;
  SDL_Init(SDL_INIT_VIDEO);
  SDL_Surface* screen = SDL_SetVideoMode(640, 480, 16, SDL_HWSURFACE);
  if (screen == nullptr) return 1;
  const TLoopMeter meter;
  long frames = 0;
  while (meter.Seconds() < seconds) {
    SDL_Event event;
    while (SDL_PollEvent(&event) == 1) {
    }
    SDL_Delay(10);
    SDL_FillRect(screen, nullptr, SDL_MapRGB(screen->format, 0, 0, 0));
    SDL_Flip(screen);
    ++frames;
  }
  meter.Report("floor", frames);
  SDL_Quit();
  return 0;
}
