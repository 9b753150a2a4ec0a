// What only a real X server shows, each journey on an Xvfb of its own: the window's place and
// caption, a whole game of the installed command played with real pointer input (XTest) to a saved
// name, the close request, the error box that waits for OK, and a window that shows every frame.

#include "game/GameModule.h"
#include "media/LibFiles.h"
#include "media/LibGraphics.h"
#include "media/LibSound.h"
#include "shell/BoglingsAndSkitters.h"
#include "support/Headless.h"

#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <fstream>
#include <thread>

// Last: Xlib's macros would break the headers above, and its Screen is not the game's.
#define Screen XScreen
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/XTest.h>
#undef Screen

namespace fs = std::filesystem;
using namespace std::chrono_literals;
using Look = std::function<Rgb(int x, int y)>;  // a pixel of the window as it shows now

// For the journey run in this process: libX11 never frees what it copies for SDL's input context.
extern "C" const char* __lsan_default_suppressions() { return "leak:libX11.so"; }

namespace {

bool SameOnScreen(Rgb a, Rgb b) { return a.R >> 3 == b.R >> 3 && a.G >> 2 == b.G >> 2 && a.B >> 3 == b.B >> 3; }

// Every opaque pixel of columns [from, from + width) of the picture shows, their corner at (x, y).
bool Shows(const Look& at, const SurfacePtr& picture, int from, int width, int x, int y) {
  for (int i = 0; i < width * picture->h; ++i) {
    const Rgb colour = PixelAt(*picture, from + i % width, i / width);
    if (!SameOnScreen(colour, {255, 0, 255}) && !SameOnScreen(colour, at(x + i % width, y + i / width))) return false;
  }
  return true;
}

}  // namespace

class JourneyTest : public ::testing::Test {
 protected:
  // The program under test and where it keeps things: the build's program runs where it starts,
  // with copies of the pictures and sounds; UseInstalledGame points them at the installed one.
  ScratchDir Scratch;
  const fs::path WorkDir = Scratch.Dir;
  fs::path Program = BOGLINGS_PROGRAM, Sprites = WorkDir / "sprites", ScoreFile = WorkDir / "highscores.bin";
  const std::vector<std::pair<std::string, std::string>> Environment = {
      {"HOME", WorkDir},
      {"XDG_DATA_HOME", ""},  // the default: ~/.local/share
      {"SDL_VIDEODRIVER", "x11"},
      {"SDL_AUDIODRIVER", "dummy"},
      // libX11 never frees what it copies for SDL's input context; a sanitizer build would fail on it.
      {"LSAN_OPTIONS", "suppressions=" E2E_LEAK_SUPPRESSIONS ":print_suppressions=0"}};

  void SetUp() override {
    for (const char* folder : {"sprites", "sounds"})
      fs::copy(fs::path(BOGLINGS_GAME_DIR) / folder, WorkDir / folder, fs::copy_options::recursive);
    int ready[2];
    ASSERT_EQ(pipe(ready), 0);
    if ((Server = fork()) == 0) {
      if (dup2(ready[1], 3) < 0 || !freopen("/dev/null", "w", stderr)) _exit(126);
      execlp("Xvfb", "Xvfb", "-displayfd", "3", "-screen", "0", "1024x768x24", "-nolisten", "tcp", nullptr), _exit(127);
    }
    char number[16] = "";
    ASSERT_GT(read(ready[0], number, sizeof number - 1), 0) << "no X server";
    ASSERT_NE(X = XOpenDisplay((Display = ":" + std::to_string(std::atoi(number))).c_str()), nullptr);
  }
  void TearDown() override {
    if (Game > 0 && !ExitCode(0ms)) kill(Game, SIGKILL), ExitCode(10s);
    if (X) XCloseDisplay(X);
    kill(Server, SIGTERM), waitpid(Server, nullptr, 0);
  }

  // The command as a player installs it for themselves, into the scratch home's ~/.local, started
  // from this unrelated folder: it keeps its scores in its own folder beside the installation.
  void UseInstalledGame() {
    const fs::path prefix = WorkDir / ".local";
    const std::string install = "cmake --install " BOGLINGS_BUILD_DIR " --prefix '" + prefix.string() + "' >/dev/null";
    ASSERT_EQ(std::system(install.c_str()), 0);
    Program = prefix / "games/boglings", Sprites = prefix / "share/games/boglings/sprites";
    ScoreFile = prefix / "share/org.lanternmoth.Boglings/highscores.bin";
  }
  void Launch() {
    if ((Game = fork()) == 0) {
      if (chdir(WorkDir.c_str()) != 0 || !freopen("stderr.txt", "w", stderr)) _exit(126);
      for (const auto& [name, value] : Environment) setenv(name.c_str(), value.c_str(), 1);
      setenv("DISPLAY", Display.c_str(), 1), execl(Program.c_str(), Program.c_str(), nullptr), _exit(127);
    }
  }
  // The game's exit code (128 + the signal when killed), or none while it runs on after within.
  std::optional<int> ExitCode(std::chrono::milliseconds within) {
    for (const auto end = std::chrono::steady_clock::now() + within;
         !Ended && waitpid(Game, &Ended.emplace(), WNOHANG) == 0;) {
      Ended.reset();
      if (std::chrono::steady_clock::now() > end) return std::nullopt;
      std::this_thread::sleep_for(5ms);
    }
    return WIFEXITED(*Ended) ? WEXITSTATUS(*Ended) : 128 + WTERMSIG(*Ended);
  }
  std::string Errors() const {
    return std::string(std::istreambuf_iterator<char>(std::ifstream(WorkDir / "stderr.txt").rdbuf()), {});
  }
  // Looks again until check holds; false once 20 s pass or the game ends.
  bool Until(const std::function<bool()>& check) {
    for (const auto end = std::chrono::steady_clock::now() + 20s; !check(); std::this_thread::sleep_for(10ms)) {
      if (std::chrono::steady_clock::now() > end || (Game > 0 && ExitCode(0ms))) return false;
    }
    return true;
  }
  // Finds the mapped top-level window of that title, its place on the screen and its size.
  bool FindWindow(const char* title = "Game") {
    ::Window root = 0, parent = 0, *children = nullptr;
    unsigned count = 0;
    // SDL 2 makes and destroys windows of its own while it starts: one may go between listing and reading it.
    const auto handler = XSetErrorHandler([](::Display*, XErrorEvent*) { return 0; });
    XQueryTree(X, DefaultRootWindow(X), &root, &parent, &children, &count);
    for (unsigned i = 0; i < count; ++i) {
      char* name = nullptr;
      XWindowAttributes a{};
      if (XFetchName(X, children[i], &name) && name == std::string(title) && XGetWindowAttributes(X, children[i], &a) &&
          a.map_state == IsViewable) {
        Window = children[i], Place[0] = a.x, Place[1] = a.y, Place[2] = a.width, Place[3] = a.height;
      }
      XFree(name);
    }
    return XSetErrorHandler(handler), XFree(children), Window != 0;
  }
  // Looks at the window once, a pixel at a time.
  bool Seen(const std::function<bool(const Look&)>& check) {
    XImage* image = XGetImage(X, DefaultRootWindow(X), Place[0], Place[1], Place[2], Place[3], AllPlanes, ZPixmap);
    const bool result = image && check([&](int x, int y) {
                          const unsigned long pixel =
                              x < 0 || y < 0 || x >= Place[2] || y >= Place[3] ? 0x010203 : XGetPixel(image, x, y);
                          return Rgb{uint8_t(pixel >> 16), uint8_t(pixel >> 8), uint8_t(pixel)};
                        });
    return image && XDestroyImage(image), result;
  }
  // Looks at the window until shows accepts what it sees.
  bool Await(const std::function<bool(const Look&)>& shows) {
    return Until([&] { return Seen(shows); });
  }
  // Waits for the lower-case text in the game's font, the first cell's corner at (x, y).
  bool AwaitText(int x, int y, std::string_view text) {
    const SurfacePtr font = LoadBitmapDat((Sprites / "font.dat").c_str());
    return Await([&](const Look& at) {
      for (size_t i = 0; i < text.size(); ++i)
        if (!Shows(at, font, (text[i] - 'a') * 10, 10, x + 10 * int(i), y)) return false;
      return true;
    });
  }
  void Move(int x, int y) {
    XTestFakeMotionEvent(X, DefaultScreen(X), Place[0] + x, Place[1] + y, CurrentTime), XSync(X, False);
  }
  void Button(bool down) { XTestFakeButtonEvent(X, Button1, down, CurrentTime), XSync(X, False); }
  void Click(int x, int y) { Move(x, y), Button(true), Button(false); }

  pid_t Server = -1, Game = -1;
  std::optional<int> Ended;
  std::string Display;
  ::Display* X = nullptr;
  ::Window Window = 0;
  int Place[4] = {};  // x, y, width, height
};

TEST_F(JourneyTest, TheInstalledGamePlayedWithThePointerSavesTheNameAndTheCloseRequestEndsIt) {
  UseInstalledGame();
  WriteBytes(ScoreFile, Bytes(130, 0));  // any score earns first place
  Launch();
  ASSERT_TRUE(Until([&] { return FindWindow(); })) << "no window titled Game: " << Errors();
  EXPECT_EQ(std::vector<int>(Place, Place + 4), std::vector<int>({192, 144, 640, 480}))
      << "centred on the 1024 by 768 screen";
  const SurfacePtr newGame = LoadBitmapDat((Sprites / "newgame.dat").c_str());
  // Clicks end the intro. SDL 2 replaces its first window while it starts, losing a click meanwhile.
  ASSERT_TRUE(Until([&] {
    return Click(600, 300), Seen([&](const Look& at) {
             return Shows(at, newGame, 0, newGame->w, 400 - newGame->w / 2, 225 - newGame->h / 2);
           });
  }));
  ASSERT_TRUE(FindWindow());  // the one that stays
  Click(400, 225);
  Move(100, 200);  // the hand would hide part of a tile
  // At rest: every cell shows one of the tiles, the same in two looks in a row; each kind is its picture.
  std::vector<SurfacePtr> tiles;
  for (const char* name : {"pumpkin", "ghost", "spider", "witcheshat", "bat", "cat"})
    tiles.push_back(LoadBitmapDat((Sprites / name += ".dat").c_str()));
  int kinds[CellCount], before[CellCount] = {};
  ASSERT_TRUE(Await([&](const Look& at) {
    bool same = true;
    for (int cell = 0; cell < CellCount; ++cell) {
      const TPoint c = CellCentre(cell % BoardSize, cell / BoardSize);
      kinds[cell] = -1;
      for (int k = 5; k >= 0; --k)
        kinds[cell] =
            Shows(at, tiles[k], 0, tiles[k]->w, c.X - tiles[k]->w / 2, c.Y - tiles[k]->h / 2) ? k : kinds[cell];
      same &= kinds[cell] >= 0 && kinds[cell] == std::exchange(before[cell], kinds[cell]);
    }
    return same;
  }));
  const auto line = FindLine([&](int column, int row) { return kinds[row * BoardSize + column]; });
  ASSERT_TRUE(line) << "a board at rest always holds a line";
  Move(line->front().X, line->front().Y), Button(true);  // a drag over the line
  for (const TPoint& centre : *line) Move(centre.X, centre.Y);
  Button(false);
  Click(31, 31);  // the quit button
  ASSERT_TRUE(AwaitText(300, 240, "enter")) << "the keyboard";
  for (const char letter : std::string("bot"))
    Click(304 + 15 * ((letter - 'a') % 13), 168 + 20 * ((letter - 'a') / 13));
  Click(304, 248);  // enter
  Bytes saved = {3, 'b', 'o', 't', 0, 0, 0, 0, 0, 9};
  saved.resize(130);
  EXPECT_TRUE(Until([&] { return ReadBytes(ScoreFile) == saved; }));
  XEvent close{};
  close.xclient = {ClientMessage, 0, True, X, Window, XInternAtom(X, "WM_PROTOCOLS", False), 32, {}};
  close.xclient.data.l[0] = long(XInternAtom(X, "WM_DELETE_WINDOW", False));
  XSendEvent(X, Window, False, NoEventMask, &close), XSync(X, False);
  EXPECT_EQ(ExitCode(20s), 0);
  EXPECT_EQ(Errors(), "");
  EXPECT_EQ(ReadBytes(ScoreFile), saved);
}

// The icon is read before the game's window opens: the box then opens a window of its own.
TEST_F(JourneyTest, ADamagedFontOrIconShowsTheReportInABoxThatWaitsForOk) {
  for (const auto& [file, title] : {std::pair("font.dat", "Game"), {"icon.dat", "Application Error"}}) {
    const Bytes whole = ReadBytes(Sprites / file);
    WriteBytes(Sprites / file, Bytes(whole.begin(), whole.begin() + whole.size() / 2));
    Ended.reset(), Window = 0, Launch();
    ASSERT_TRUE(Until([&] { return FindWindow(title); })) << Errors();
    int okY = -1;  // the OK button's lowest row of its face colour, below the report
    ASSERT_TRUE(Await([&](const Look& at) {
      okY = -1;
      for (int y = Place[3] - 1; y > 0 && okY < 0; --y)
        okY = SameOnScreen(at(Place[2] / 2, y), {200, 198, 192}) ? y : -1;
      return okY > 0 && SameOnScreen(at(Place[2] / 2, okY - 18), {200, 198, 192});
    }));
    EXPECT_FALSE(ExitCode(500ms)) << "the box waits for the player";
    EXPECT_NE(Errors().find(file), std::string::npos) << Errors();
    Click(Place[2] / 2, okY - 5);
    EXPECT_EQ(ExitCode(20s), 1);
    WriteBytes(Sprites / file, whole);
  }
}

// In this process, on the journey's server: after every frame the window shows exactly what Screen
// holds, though only what changed is handed to SDL, and also once it was covered and uncovered.
TEST_F(JourneyTest, TheWindowShowsEveryFrameAsScreenHoldsIt) {
  setenv("DISPLAY", Display.c_str(), 1), setenv("SDL_VIDEODRIVER", "x11", 1), setenv("SDL_AUDIODRIVER", "dummy", 1);
  InitGraphics(ScreenWidth, ScreenHeight, "Game"), InitSound();
  ASSERT_TRUE(FindWindow());
  const auto differing = [&] {  // pixels of the window other than Screen's, widened to 24 bits
    int count = 0;
    Seen([&](const Look& at) {
      for (int i = 0; i < ScreenWidth * ScreenHeight; ++i)
        count += OnScreen(at(i % ScreenWidth, i / ScreenWidth)) != ScreenAt(i % ScreenWidth, i / ScreenWidth);
      return true;
    });
    return count;
  };
  {
    THalloween game;
    game.Start();
    ::Click(game, 320, 240), ::Click(game, 400, 225), Frames(game, 40);  // past the intro to a new game at rest
    const TBoard& board = dynamic_cast<TGameModule&>(*game.GetCurrentModule()).GetBoard();
    XSetWindowAttributes plain{};
    plain.background_pixel = 0x336699, plain.override_redirect = True;
    const ::Window cover =
        XCreateWindow(X, DefaultRootWindow(X), Place[0], Place[1], ScreenWidth, ScreenHeight, 0, CopyFromParent,
                      InputOutput, CopyFromParent, CWOverrideRedirect | CWBackPixel, &plain);
    const auto framesShowScreen = [&](const char* step, int frames) {
      for (int frame = 0; frame < frames; ++frame) {
        Frames(game, 1);
        EXPECT_EQ(differing(), 0) << step << ", frame " << frame;
      }
    };
    PushMotion(150, 300);
    framesShowScreen("only the pointer moves", 1);
    framesShowScreen("only the timer bar shrinks", 8);
    Drag(game, *FindLine([&](int c, int r) { return board.Cell(c, r)->Kind; }));
    framesShowScreen("sparks fly", 30);
    XMapRaised(X, cover), XSync(X, False);
    EXPECT_GT(differing(), 0) << "covered";
    XUnmapWindow(X, cover), XSync(X, False);
    EXPECT_GT(differing(), 0) << "uncovered, before a frame";
    framesShowScreen("covered and uncovered", 2);
  }
  ShutdownSound(), SDL_Quit();
}
