// What needs a real X server (an Xvfb each, XTest input): the window, a game to a saved name, the
// close request, the error box, and the scaled window and fullscreen on a large display.

#include "game/GameModule.h"
#include "scores/LibHighScores.h"
#include "support/Headless.h"

#include <signal.h>
#include <sys/wait.h>

#include <thread>

// Last: Xlib's macros would break the headers above, and its Screen is not the game's.
#define Screen XScreen
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/XTest.h>
#undef Screen

using namespace std::chrono_literals;

class JourneyTest : public ::testing::Test {
 protected:
  ScratchDir Scratch;

  void SetUp() override {
    int ready[2];
    ASSERT_EQ(pipe(ready), 0);
    Server = fork();
    if (Server == 0) {
      dup2(ready[1], 3);
      if (!freopen("/dev/null", "w", stderr)) _exit(126);
      execlp("Xvfb", "Xvfb", "-displayfd", "3", "-screen", "0", ScreenSize, "-nolisten", "tcp", nullptr);
      _exit(127);
    }
    char number[16] = "";
    ASSERT_GT(read(ready[0], number, sizeof number - 1), 0) << "no X server";
    const std::string display = ":" + std::to_string(std::atoi(number));
    X = XOpenDisplay(display.c_str());
    ASSERT_NE(X, nullptr);
    setenv("DISPLAY", display.c_str(), 1);
    setenv("SDL_VIDEODRIVER", "x11", 1);
  }
  void TearDown() override {
    if (Child > 0 && waitpid(Child, nullptr, WNOHANG) == 0) kill(Child, SIGKILL);
    ShutdownSound();
    SDL_Quit();
    if (X) XCloseDisplay(X);
    kill(Server, SIGTERM);
    waitpid(Server, nullptr, 0);
  }

  // False when check fails as many tries, 10 ms apart.
  static bool Until(const std::function<bool()>& check, int tries = 2000) {
    for (int i = 0; i < tries; ++i) {
      if (check()) return true;
      std::this_thread::sleep_for(10ms);
    }
    return false;
  }
  // The mapped top-level window of that title, or else of that width whatever its title, and its Place.
  bool FindWindow(const std::string& title = "Game", int width = 0) {
    ::Window root = 0, parent = 0, *children = nullptr;
    unsigned count = 0;
    // SDL 2 makes and destroys windows while it starts: one may go before it is read.
    const auto handler = XSetErrorHandler([](::Display*, XErrorEvent*) { return 0; });
    XQueryTree(X, DefaultRootWindow(X), &root, &parent, &children, &count);
    for (unsigned i = 0; i < count; ++i) {
      char* name = nullptr;
      XWindowAttributes a{};
      const bool named = XFetchName(X, children[i], &name) && name == title;
      if ((named || width > 0) && XGetWindowAttributes(X, children[i], &a) && a.map_state == IsViewable &&
          (width == 0 || a.width == width)) {
        Window = children[i];
        Place = {a.x, a.y, a.width, a.height};
      }
      XFree(name);
    }
    XSetErrorHandler(handler);
    XFree(children);
    return Window != 0;
  }
  // The window's pixels now, row by row.
  std::vector<Rgb> Grab() {
    XImage* image = XGetImage(X, DefaultRootWindow(X), Place[0], Place[1], Place[2], Place[3], AllPlanes, ZPixmap);
    std::vector<Rgb> pixels;
    for (int i = 0; i < Place[2] * Place[3]; ++i) {
      const unsigned long pixel = XGetPixel(image, i % Place[2], i / Place[2]);
      pixels.push_back({uint8_t(pixel >> 16), uint8_t(pixel >> 8), uint8_t(pixel)});
    }
    XDestroyImage(image);
    return pixels;
  }
  // Game pixels whose square (its first and last pixel) at the corner does not show what Screen holds.
  static int Unlike(const std::vector<Rgb>& shown, int width, int scale = 1, TPoint corner = {0, 0}) {
    int differing = 0;
    for (int i = 0; i < ScreenWidth * ScreenHeight; ++i) {
      const int x = i % ScreenWidth, y = i / ScreenWidth;
      for (const int d : {0, scale - 1}) {
        differing += OnScreen(shown[(corner.Y + y * scale + d) * width + corner.X + x * scale + d]) != ScreenAt(x, y);
      }
    }
    return differing;
  }
  // Pressed on the first point, released on the last.
  void Pointer(const std::vector<TPoint>& points) {
    for (const TPoint& point : points) {
      XTestFakeMotionEvent(X, DefaultScreen(X), Place[0] + point.X, Place[1] + point.Y, CurrentTime);
      if (&point == &points.front()) XTestFakeButtonEvent(X, Button1, True, CurrentTime);
    }
    XTestFakeButtonEvent(X, Button1, False, CurrentTime);
    XSync(X, False);
  }
  // Then one frame once the game holds the release. sdl12-compat may lose input sent while its
  // start-up windows come and go, so a first click may be sent again.
  void Drag(const std::vector<TPoint>& points, int tries = 1) {
    SDL_Event release;
    const auto released = [&] {
      SDL_PumpEvents();
      return SDL_PeepEvents(&release, 1, SDL_PEEKEVENT, SDL_MOUSEBUTTONUPMASK) == 1;
    };
    bool held = false;
    for (int attempt = 0; attempt < tries && !held; ++attempt) {
      Pointer(points);
      held = Until(released, tries > 1 ? 100 : 2000);
    }
    EXPECT_TRUE(held);
    Frames(Game, 1);
  }
  const char* ScreenSize = "1024x768x24";
  pid_t Server = -1, Child = -1;
  ::Display* X = nullptr;
  ::Window Window = 0;
  std::vector<int> Place;  // x, y, width, height
  THalloween Game;
};

// Every frame shows what Screen holds, though only what changed is handed on.
TEST_F(JourneyTest, GameShowsEveryFrameSavesAndCloses) {
  WriteBytes(HighScoreFileName, Bytes(HighScoreFileBytes, 0));  // any score earns first place
  UseGeneratedAssets();
  InitGraphics(ScreenWidth, ScreenHeight, "Game");
  InitSound();
  ASSERT_TRUE(FindWindow());
  Game.Start();
  EXPECT_EQ(Place, std::vector<int>({192, 144, 640, 480}));  // centred
  Drag({{600, 300}}, 20);                                    // ends the intro
  Drag({{400, 225}});
  Frames(Game, 40);  // the new tiles come to rest
  const auto showScreen = [&](const char* step, int frames) {
    for (int frame = 0; frame < frames; ++frame) {
      Frames(Game, 1);
      EXPECT_EQ(Unlike(Grab(), ScreenWidth), 0) << step << ", frame " << frame;
    }
  };
  PushMotion(150, 300);
  showScreen("only the pointer moves", 1);
  showScreen("only the timer bar shrinks", 8);
  auto& playing = dynamic_cast<TGameModule&>(*Game.GetCurrentModule());
  Drag(*FindLine([&](int column, int row) { return playing.GetBoard().Cell(column, row)->Kind; }));
  showScreen("sparks fly", 30);
  Drag({{31, 31}});   // the quit button
  Frames(Game, 150);  // "new high score!", then the keyboard
  Drag({KeyAt('b')});
  Drag({{304, 248}});  // enter
  Bytes saved = {1, 'b', 0, 0, 0, 0, 0, 0, 0, 9};
  saved.resize(HighScoreFileBytes);
  EXPECT_EQ(ReadBytes(HighScoreFileName), saved);
  XEvent close{};
  close.xclient = {ClientMessage, 0, True, X, Window, XInternAtom(X, "WM_PROTOCOLS", False), 32, {}};
  close.xclient.data.l[0] = long(XInternAtom(X, "WM_DELETE_WINDOW", False));
  XSendEvent(X, Window, False, NoEventMask, &close);
  XSync(X, False);
  EXPECT_TRUE(Until([&] {
    Frames(Game, 1);
    return Game.IsQuitRequested();
  }));
}

// Without pictures the report shows in the game's window; with a damaged icon, read before that
// opens, in a window of its own.
TEST_F(JourneyTest, FatalFaultBoxWaitsForOk) {
  for (const std::string title : {"Game", "Application Error"}) {
    if (title != "Game") WriteBytes("sprites/icon.dat", Bytes(10, 0));
    Child = fork();
    if (Child == 0) _exit(RunProgram());
    Window = 0;
    ASSERT_TRUE(Until([&] { return FindWindow(title); }));
    int status = 0;
    const auto ended = [&] { return waitpid(Child, &status, WNOHANG) == Child; };
    int okY = 0;  // the OK button's lowest row, in its face colour
    const auto face = [&](const std::vector<Rgb>& shown, int y) {
      const Rgb c = shown[y * Place[2] + Place[2] / 2];
      return c.R >> 3 == 200 >> 3 && c.G >> 2 == 198 >> 2 && c.B >> 3 == 192 >> 3;
    };
    ASSERT_TRUE(Until([&] {
      const std::vector<Rgb> shown = Grab();
      for (okY = Place[3] - 1; okY > 18 && !face(shown, okY);) --okY;
      return okY > 18 && face(shown, okY - 18);
    }));
    EXPECT_FALSE(Until(ended, 50)) << "the box waits for the player";
    Pointer({{Place[2] / 2, okY - 5}});
    ASSERT_TRUE(Until(ended)) << title;
    EXPECT_EQ(WEXITSTATUS(status), 1);
  }
}

class LargeDisplayTest : public JourneyTest {
 protected:
  LargeDisplayTest() { ScreenSize = "3840x2160x24"; }
  void Press(const std::vector<KeySym>& keys) {  // and release
    for (const bool down : {true, false}) {
      for (const KeySym key : keys) XTestFakeKeyEvent(X, XKeysymToKeycode(X, key), down, CurrentTime);
    }
  }
  // Frames until a window of that width shows the picture at that scale and corner.
  void ExpectPicture(int width, int scale, TPoint corner) {
    EXPECT_TRUE(Until([&] {
      Frames(Game, 1);
      Window = 0;
      if (!FindWindow(width == 3840 ? "" : "Game", width)) return false;
      // SDL 2 leaves that to a window manager, and Xvfb has none.
      if (width == 3840 && Place[0] != 0) XMoveWindow(X, Window, 0, 0);
      return Place[0] + Place[2] <= 3840 && Unlike(Shown = Grab(), width, scale, corner) == 0;
    }));
  }
  std::vector<Rgb> Shown;
};

// On a 3840x2160 display: the window at 3x, F11 to fullscreen at 4x, Alt+Enter back, a resize to 2x;
// a line played fullscreen and in the resized window.
TEST_F(LargeDisplayTest, WindowFullscreenAndResizedWindowScaleByWholePixels) {
  UseGeneratedAssets();
  InitGraphics(ScreenWidth, ScreenHeight, "Game");
  InitSound();
  ASSERT_TRUE(FindWindow());
  Game.Start();
  EXPECT_EQ(Place, std::vector<int>({960, 360, 1920, 1440}));
  Drag({{1800, 900}}, 20);  // ends the intro
  Drag({{900, 600}});       // the new game entry
  Frames(Game, 40);
  Press({XK_F11});
  ExpectPicture(3840, 4, {640, 120});
  EXPECT_TRUE(Shown[0] == Black && Shown[1000 * 3840 + 639] == Black) << "the border";
  auto& playing = dynamic_cast<TGameModule&>(*Game.GetCurrentModule());
  const auto playLine = [&](int scale, TPoint corner) {
    std::vector<TPoint> line = *FindLine([&](int c, int r) { return playing.GetBoard().Cell(c, r)->Kind; });
    for (TPoint& point : line) point = {corner.X + scale * point.X + 1, corner.Y + scale * point.Y + 1};
    Drag(line);
    Frames(Game, 40);
  };
  playLine(4, {640, 120});
  Press({XK_Alt_L, XK_Return});
  ExpectPicture(1920, 3, {0, 0});
  XResizeWindow(X, Window, 1400, 1000);
  ExpectPicture(1400, 2, {60, 20});
  playLine(2, {60, 20});
  EXPECT_EQ(playing.GetScore(), 18);
}
