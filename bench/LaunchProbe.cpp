// Preloaded into the real program by bench_launch; it changes nothing the program does, it only
// watches the frames and, in a session, adds the player's events. A frame ends its event pump
// with the one SDL_PollEvent that finds nothing, so that is where frames are counted: a frame
// equal to the last one presents nothing at all.
//
// BOGLINGS_PROBE=first-frame: right after the first frame is presented, writes the nanoseconds since
// BOGLINGS_LAUNCH_NS (steady clock) to the file BOGLINGS_PROBE_OUT and ends the process.
// BOGLINGS_PROBE=session: plays intro, menu, a game with a hint, the high-score screens and the
// exit entry, by pushing pointer events at fixed frame numbers.

#include <SDL.h>
#include <dlfcn.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

struct TClick {
  long Frame;
  int X, Y;
};
// Intro → menu → new game → wand → quit button → (game over, table) → menu → high scores →
// menu → exit. A game this short never earns a place in the default table.
constexpr TClick Session[] = {{100, 320, 240}, {150, 400, 225}, {300, 40, 444}, {500, 20, 20},
                              {750, 10, 470},  {800, 400, 275}, {850, 10, 470}, {900, 400, 375}};

long Frames = 0;  // frames whose events have all been taken
long InjectedFor = -1;

bool Mode(const char* mode) {
  const char* probe = std::getenv("BOGLINGS_PROBE");
  return probe && std::strcmp(probe, mode) == 0;
}

template <class Function>
Function Real(const char* name) {
  return reinterpret_cast<Function>(dlsym(RTLD_NEXT, name));
}

void Push(Uint8 type, int x, int y) {
  SDL_Event event{};
  event.type = type;
  if (type == SDL_MOUSEMOTION) {
    event.motion.x = static_cast<Uint16>(x);
    event.motion.y = static_cast<Uint16>(y);
  } else {
    event.button.button = SDL_BUTTON_LEFT;
    event.button.x = static_cast<Uint16>(x);
    event.button.y = static_cast<Uint16>(y);
  }
  SDL_PushEvent(&event);
}

void ReportFirstFrame() {
  const long long launched = std::atoll(std::getenv("BOGLINGS_LAUNCH_NS"));
  const long long now =
      std::chrono::duration_cast<std::chrono::nanoseconds>(std::chrono::steady_clock::now().time_since_epoch()).count();
  if (FILE* out = std::fopen(std::getenv("BOGLINGS_PROBE_OUT"), "w")) {
    std::fprintf(out, "%lld\n", now - launched);
    std::fclose(out);
  }
  _exit(0);
}

}  // namespace

// The game presents through SDL_UpdateRects alone.
extern "C" void SDL_UpdateRects(SDL_Surface* screen, int count, SDL_Rect* rects) {
  static const auto real = Real<void (*)(SDL_Surface*, int, SDL_Rect*)>("SDL_UpdateRects");
  real(screen, count, rects);
  if (Mode("first-frame")) ReportFirstFrame();
}

extern "C" int SDL_PollEvent(SDL_Event* event) {
  static const auto real = Real<int (*)(SDL_Event*)>("SDL_PollEvent");
  if (Mode("session") && InjectedFor != Frames) {
    InjectedFor = Frames;
    for (const TClick& click : Session) {
      if (click.Frame != Frames) continue;
      Push(SDL_MOUSEMOTION, click.X, click.Y);
      Push(SDL_MOUSEBUTTONDOWN, click.X, click.Y);
      Push(SDL_MOUSEBUTTONUP, click.X, click.Y);
    }
  }
  const int taken = real(event);
  if (taken == 0) ++Frames;
  return taken;
}
