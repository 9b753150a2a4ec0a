// The real window on a real X server at 24 bits a pixel shows exactly the frame Screen holds
// after every frame, although the frame loop hands SDL only what changed.

#include "game/GameModule.h"
#include "media/LibErrors.h"
#include "media/LibGraphics.h"
#include "media/LibSound.h"
#include "support/Headless.h"
#include "support/Player.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <functional>
#include <string>

// Last: Xlib's macros would break the headers above, and its Screen is not the game's.
#define Screen XScreen
#include <SDL_syswm.h>
#include <X11/Xutil.h>
#undef Screen

namespace fs = std::filesystem;

// For sanitizer builds: libX11 never frees what it copies when SDL creates its input context.
extern "C" const char* __lsan_default_suppressions() { return "leak:libX11.so"; }

namespace {

// The pixels of the window that differ from Screen's after Screen's 16-bit colours are widened
// to the window's 24 bits; each channel's top bits must be Screen's.
int PixelsDifferingFromScreen(Display* x, Window window) {
  XImage* image = XGetImage(x, window, 0, 0, ScreenWidth, ScreenHeight, AllPlanes, ZPixmap);
  int differing = 0;
  for (int y = 0; y < ScreenHeight; ++y) {
    for (int column = 0; column < ScreenWidth; ++column) {
      const unsigned long pixel = XGetPixel(image, column, y);
      const Rgb shown{uint8_t(pixel >> 16), uint8_t(pixel >> 8), uint8_t(pixel)};
      differing += OnScreen(shown) != ScreenAt(column, y);
    }
  }
  XDestroyImage(image);
  return differing;
}

}  // namespace

TEST(WindowPicture, ShowsScreenAfterEveryFrameEvenWhenUncovered) {
  // An X server of the test's own on a free display, which it names once it takes connections. It
  // ends when its last client leaves, so the test's connection is the first and the last.
  FILE* server = popen("Xvfb -displayfd 1 -screen 0 1024x768x24 -nolisten tcp -terminate 2>/dev/null", "r");
  char number[16] = "";
  ASSERT_NE(std::fgets(number, sizeof number, server), nullptr) << "Xvfb did not start";
  const std::string display = ":" + std::string(number, std::strcspn(number, "\n"));
  Display* x = XOpenDisplay(display.c_str());
  ASSERT_NE(x, nullptr);
  setenv("DISPLAY", display.c_str(), 1);
  setenv("SDL_VIDEODRIVER", "x11", 1);
  const ScratchDir scratch;
  for (const char* folder : {"sprites", "sounds"}) fs::create_directory_symlink(fs::path(BOGLINGS_GAME_DIR) / folder, folder);
  ASSERT_EQ(ThrownMessage<Exception>([] { InitGraphics(ScreenWidth, ScreenHeight, "Game"); }), "nothing thrown");
  InitSound();
  SDL_SysWMinfo info;
  SDL_VERSION(&info.version);
  ASSERT_EQ(SDL_GetWMInfo(&info), 1);
  const Window window = info.info.x11.window;
  {
    THalloween game;
    TPlayer player(game);
    game.Start();
    player.Click(320, 240);  // past the intro
    player.Click(400, 225);  // a new game
    const auto* puzzle = player.Showing<TGameModule>();
    ASSERT_NE(puzzle, nullptr);
    ASSERT_TRUE(player.FramesUntil([&] { return BoardAtRest(puzzle->GetBoard()); }, 400));

    // A plain window over the game's, at the same place on the screen.
    int left = 0, top = 0;
    Window child;
    XTranslateCoordinates(x, window, DefaultRootWindow(x), 0, 0, &left, &top, &child);
    XSetWindowAttributes plain{};
    plain.override_redirect = True;
    plain.background_pixel = 0x336699;
    const Window cover = XCreateWindow(x, DefaultRootWindow(x), left, top, ScreenWidth, ScreenHeight, 0, CopyFromParent,
                                       InputOutput, CopyFromParent, CWOverrideRedirect | CWBackPixel, &plain);
    const struct {
      const char* Step;
      std::function<void()> Act;
      int Frames;
    } steps[] = {
        {"the pointer alone moves", [] { PushMotion(150, 300); }, 1},
        {"the timer bar alone shrinks", [] {}, 8},
        {"a scored line's sparks fly", [&] { player.Drag(*FindLineOfThree(puzzle->GetBoard())); }, 30},
        {"the window was covered and uncovered", [&] {
           XMapRaised(x, cover);
           XSync(x, False);
           EXPECT_GT(PixelsDifferingFromScreen(x, window), 0) << "covered";
           XUnmapWindow(x, cover);
           XSync(x, False);
           EXPECT_GT(PixelsDifferingFromScreen(x, window), 0) << "uncovered, before a frame";
         }, 2},
    };
    for (const auto& step : steps) {
      step.Act();
      for (int frame = 0; frame < step.Frames; ++frame) {
        player.Frames(1);
        EXPECT_EQ(PixelsDifferingFromScreen(x, window), 0) << step.Step << ", frame " << frame;
      }
    }
    XDestroyWindow(x, cover);
  }
  ShutdownSound();
  SDL_Quit();
  XCloseDisplay(x);
  pclose(server);
}
