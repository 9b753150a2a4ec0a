// The desktop's window: SDL's video started on a desktop's driver, the window opened with its caption
// and icon.

#include "desktop/LibWindow.h"

#include "AssetFiles.h"
#include "media/LibErrors.h"
#include "media/LibGraphics.h"
#include "media/LibPresent.h"

#include <cstdlib>
#include <filesystem>
#include <string>

namespace {

// SDL reads the setting when it creates the window, so it must be in place before the video mode.
char CentredWindowSetting[] = "SDL_VIDEO_CENTERED=1";

void PrepareWindow(const char* caption) {
  SDL_WM_SetCaption(caption, nullptr);
  putenv(CentredWindowSetting);
}

// Starts SDL's video with the player's SDL_VIDEODRIVER or else with a desktop's driver only: SDL's
// own fallbacks would draw the game in the terminal or on the console. The setting is left naming a
// desktop's driver, so that a later start of the video (the report's box) never falls back either.
void StartVideo() {
  if (std::getenv("SDL_VIDEODRIVER") != nullptr) {
    if (SDL_Init(SDL_INIT_VIDEO) == 0) return;
    throw EMediaError(std::string("Cannot start video: ") + SDL_GetError());
  }
  for (const char* driver : {"x11", "wayland"}) {
    setenv("SDL_VIDEODRIVER", driver, 1);
    if (SDL_Init(SDL_INIT_VIDEO) == 0) return;
    // sdl12-compat keeps a failed start marked as started, and would then report the next driver
    // started without starting it.
    SDL_QuitSubSystem(SDL_INIT_VIDEO);
  }
  const char* display = std::getenv("DISPLAY");
  throw EMediaError(display == nullptr || *display == '\0'
                        ? std::string("Cannot start video: no display to open the window on (DISPLAY is not set)")
                        : std::string("Cannot start video: cannot open the display ") + display);
}

}  // namespace

void InitGraphics(int width, int height, const char* caption) {
  StartVideo();
  // SDL tells the desktop's size only until the first video mode is set.
  const SDL_VideoInfo* video = SDL_GetVideoInfo();
  const TSize display{video->current_w, video->current_h};
  // The task bar's picture of the window; SDL takes it only before the video mode is set, and the
  // icon's colour key becomes its mask. Without the file the window keeps the desktop's default
  // icon: the icon is the one picture the game can do without, and a missing sprites folder is
  // then still reported in the open window.
  if (std::filesystem::exists(SpriteFile::Icon)) SDL_WM_SetIcon(LoadSprite(SpriteFile::Icon).get(), nullptr);
  PrepareWindow(caption);
  if (!OpenGameScreen({width, height}, display)) {
    throw EMediaError(std::string("Cannot set video mode: ") + SDL_GetError());
  }
  ShowSystemPointer(false);
}

bool OpenWindow(int width, int height, const char* caption) {
  PrepareWindow(caption);
  return SetScreenMode({width, height}, {width, height}, 0);
}
