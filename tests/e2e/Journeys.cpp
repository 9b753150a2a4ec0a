// What only a real X server shows: the window's place and caption, a whole game played with real
// pointer input to a saved name, the close request, and the error box that waits for OK. The
// program runs on an Xvfb server of the journey's own, driven through XTest, read with XGetImage.

#include "media/LibFiles.h"
#include "support/Headless.h"

#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/XTest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <thread>

namespace fs = std::filesystem;
using namespace std::chrono_literals;

namespace {

// The program under test and where it keeps things: point these elsewhere to journey through
// another build of it.
struct TProgram {
  fs::path Command, WorkDir, Sprites, ScoreFile;
  std::vector<std::pair<std::string, std::string>> Environment;
};
TProgram ProgramIn(const fs::path& scratch) {
  for (const char* folder : {"sprites", "sounds"}) {
    fs::copy(fs::path(BOGLINGS_GAME_DIR) / folder, scratch / folder, fs::copy_options::recursive);
  }
  return {BOGLINGS_PROGRAM, scratch, scratch / "sprites", scratch / "highscores.bin",
          {{"HOME", scratch.string()}, {"XDG_DATA_HOME", (scratch / "data").string()}, {"SDL_VIDEODRIVER", "x11"}, {"SDL_AUDIODRIVER", "dummy"},
           // libX11 never frees what it copies for SDL's input context; a sanitizer build would fail on it.
           {"LSAN_OPTIONS", "suppressions=" E2E_LEAK_SUPPRESSIONS ":print_suppressions=0"}}};
}

constexpr auto Deadline = 20s;  // generous for a loaded machine; a picture shows within frames

pid_t Spawn(std::vector<std::string> arguments, const std::function<void()>& inChild) {
  std::vector<char*> argv;
  for (std::string& argument : arguments) argv.push_back(argument.data());
  argv.push_back(nullptr);
  const pid_t pid = fork();
  if (pid == 0) {
    inChild();
    execvp(argv[0], argv.data());
    _exit(127);
  }
  return pid;
}

// Its exit code (128 + signal when killed), or none when it still runs after within.
std::optional<int> ExitCode(pid_t pid, std::chrono::milliseconds within) {
  int status = 0;
  for (const auto end = std::chrono::steady_clock::now() + within; waitpid(pid, &status, WNOHANG) == 0;) {
    if (std::chrono::steady_clock::now() > end) return std::nullopt;
    std::this_thread::sleep_for(5ms);
  }
  return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
}

bool SameOnScreen(Rgb a, Rgb b) { return a.R >> 3 == b.R >> 3 && a.G >> 2 == b.G >> 2 && a.B >> 3 == b.B >> 3; }

struct TShot {
  int W = 0, H = 0;
  std::vector<Rgb> Pixels;
  Rgb At(int x, int y) const { return x < 0 || y < 0 || x >= W || y >= H ? Rgb{1, 2, 3} : Pixels[y * W + x]; }
};

// Every opaque pixel of columns [from, from + width) of the picture shows, their corner at (x, y).
bool Shows(const TShot& shot, const SurfacePtr& picture, int from, int width, int x, int y) {
  for (int py = 0; py < picture->h; ++py) {
    for (int px = from; px < from + width; ++px) {
      const Rgb colour = PixelAt(*picture, px, py);
      if (!SameOnScreen(colour, {255, 0, 255}) && !SameOnScreen(colour, shot.At(x + px - from, y + py))) return false;
    }
  }
  return true;
}

}  // namespace

class JourneyTest : public ::testing::Test {
 protected:
  void SetUp() override {
    int ready[2];
    ASSERT_EQ(pipe(ready), 0);
    Server = Spawn({"Xvfb", "-displayfd", "3", "-screen", "0", "1024x768x24", "-nolisten", "tcp"}, [&] {
      dup2(ready[1], 3);
      freopen("/dev/null", "w", stderr);
    });
    close(ready[1]);
    char number[16] = "";
    for (size_t got = 0; got < sizeof number - 1 && read(ready[0], number + got, 1) == 1 && number[got] != '\n';) ++got;
    close(ready[0]);
    Display = ":" + std::to_string(std::atoi(number));
    X = XOpenDisplay(Display.c_str());
    ASSERT_NE(X, nullptr) << "no X server";
  }
  void TearDown() override {
    if (Game > 0 && !ExitCode(Game, 0ms)) kill(Game, SIGKILL), ExitCode(Game, 10s);
    if (X) XCloseDisplay(X);
    kill(Server, SIGTERM);
    ExitCode(Server, 10s);
  }

  void Launch() {
    Game = Spawn({Program.Command}, [&] {
      if (chdir(Program.WorkDir.c_str()) != 0) _exit(126);
      for (const auto& [name, value] : Program.Environment) setenv(name.c_str(), value.c_str(), 1);
      setenv("DISPLAY", Display.c_str(), 1);
      freopen((Scratch.Path() / "stderr.txt").c_str(), "w", stderr);
    });
  }
  std::string Errors() const {
    const Bytes text = ReadBytes(Scratch.Path() / "stderr.txt");
    return {text.begin(), text.end()};
  }
  // Waits until check holds; false when the deadline passes or the game ends first.
  bool Until(const std::function<bool()>& check) {
    for (const auto end = std::chrono::steady_clock::now() + Deadline; !check(); std::this_thread::sleep_for(10ms)) {
      if (std::chrono::steady_clock::now() > end || ExitCode(Game, 0ms)) return false;
    }
    return true;
  }
  bool FindWindow() {
    ::Window root = 0, parent = 0, *children = nullptr;
    unsigned count = 0;
    XQueryTree(X, DefaultRootWindow(X), &root, &parent, &children, &count);
    for (unsigned i = 0; i < count; ++i) {
      char* name = nullptr;
      XWindowAttributes attributes{};
      if (XFetchName(X, children[i], &name) && std::string(name) == "Game" && XGetWindowAttributes(X, children[i], &attributes) &&
          attributes.map_state == IsViewable) {
        Window = children[i];
        ::Window child = 0;
        XTranslateCoordinates(X, Window, root, 0, 0, &Place.X, &Place.Y, &child);
        Place.W = attributes.width, Place.H = attributes.height;
      }
      XFree(name);
    }
    XFree(children);
    return Window != 0;
  }
  TShot Grab() const {
    TShot shot{Place.W, Place.H, {}};
    XImage* image = XGetImage(X, DefaultRootWindow(X), Place.X, Place.Y, Place.W, Place.H, AllPlanes, ZPixmap);
    for (int i = 0; image && i < shot.W * shot.H; ++i) {
      const unsigned long pixel = XGetPixel(image, i % shot.W, i / shot.W);
      shot.Pixels.push_back({uint8_t(pixel >> 16), uint8_t(pixel >> 8), uint8_t(pixel)});
    }
    if (image) XDestroyImage(image);
    return shot;
  }
  bool Await(const std::function<bool(const TShot&)>& shows) {
    return Until([&] { return shows(Grab()); });
  }
  void Move(int x, int y) { XTestFakeMotionEvent(X, DefaultScreen(X), Place.X + x, Place.Y + y, CurrentTime), XSync(X, False); }
  void Button(bool down) { XTestFakeButtonEvent(X, Button1, down, CurrentTime), XSync(X, False); }
  void Click(int x, int y) { Move(x, y), Button(true), Button(false); }
  SurfacePtr Picture(const std::string& name) const { return LoadBitmapDat((Program.Sprites / (name + ".dat")).c_str()); }
  // Lower-case letters in the game's font, the first cell's corner at (x, y).
  bool ShowsText(const TShot& shot, int x, int y, std::string_view text) {
    bool shows = true;
    for (size_t i = 0; i < text.size(); ++i) shows &= Shows(shot, Font, (text[i] - 'a') * 10, 10, x + 10 * int(i), y);
    return shows;
  }

  ScratchDir Scratch;
  TProgram Program = ProgramIn(Scratch.Path());
  pid_t Server = -1, Game = -1;
  std::string Display;
  ::Display* X = nullptr;
  ::Window Window = 0;
  struct {
    int X, Y, W, H;
  } Place{};
  SurfacePtr Font = Picture("font");
};

TEST_F(JourneyTest, AWholeGameWithThePointerSavesTheNameAndTheCloseRequestEndsIt) {
  WriteBytes(Program.ScoreFile, Bytes(130, 0));  // any score earns first place
  Launch();
  ASSERT_TRUE(Until([&] { return FindWindow(); })) << "no window titled Game: " << Errors();
  EXPECT_EQ(std::vector<int>({Place.X, Place.Y, Place.W, Place.H}), std::vector<int>({192, 144, 640, 480}))
      << "centred on the 1024 by 768 screen";
  Click(600, 300);  // ends the intro
  const SurfacePtr newGame = Picture("newgame");
  ASSERT_TRUE(Await([&](const TShot& shot) { return Shows(shot, newGame, 0, newGame->w, 400 - newGame->w / 2, 225 - newGame->h / 2); }));
  Click(400, 225);
  Move(100, 200);  // the hand would hide part of a tile

  std::vector<SurfacePtr> tiles;
  for (const char* name : {"pumpkin", "ghost", "spider", "witcheshat", "bat", "cat"}) tiles.push_back(Picture(name));
  int kinds[BoardSize][BoardSize], previous[BoardSize][BoardSize] = {};
  // At rest: every cell shows a whole tile, the same in two grabs in a row.
  ASSERT_TRUE(Await([&](const TShot& shot) {
    bool whole = true, same = true;
    for (int cell = 0; cell < CellCount; ++cell) {
      const TPoint centre = CellCentre(cell % BoardSize, cell / BoardSize);
      int& kind = kinds[cell % BoardSize][cell / BoardSize] = -1;
      for (int k = 0; k < 6 && kind < 0; ++k) {
        if (Shows(shot, tiles[k], 0, tiles[k]->w, centre.X - tiles[k]->w / 2, centre.Y - tiles[k]->h / 2)) kind = k;
      }
      whole &= kind >= 0;
      same &= kind == std::exchange(previous[cell % BoardSize][cell / BoardSize], kind);
    }
    return whole && same;
  }));
  const auto line = FindLine([&](int column, int row) { return kinds[column][row]; });
  ASSERT_TRUE(line) << "a board at rest always holds a line";
  for (const TPoint& centre : *line) {
    Move(centre.X, centre.Y);
    if (&centre == &line->front()) Button(true);
    ASSERT_TRUE(Await([&](const TShot& shot) { return SameOnScreen(shot.At(centre.X - 27, centre.Y), {255, 255, 0}); }))
        << "the selection ring";
  }
  Button(false);
  Click(31, 31);  // the quit button
  ASSERT_TRUE(Await([&](const TShot& shot) { return ShowsText(shot, 300, 240, "enter"); })) << "the keyboard";
  for (const std::string typed : {"b", "bo", "bot"}) {
    const int key = typed.back() - 'a';
    Click(304 + 15 * (key % 13), 168 + 20 * (key / 13));
    ASSERT_TRUE(Await([&](const TShot& shot) { return ShowsText(shot, 300, 280, typed); })) << typed;
  }
  Click(304, 248);
  Bytes expected = {3, 'b', 'o', 't', 0, 0, 0, 0, 0, 9};
  expected.resize(130);
  EXPECT_TRUE(Until([&] { return ReadBytes(Program.ScoreFile) == expected; })) << "the saved name";

  XEvent close{};
  close.xclient = {ClientMessage, 0, True, X, Window, XInternAtom(X, "WM_PROTOCOLS", False), 32, {}};
  close.xclient.data.l[0] = static_cast<long>(XInternAtom(X, "WM_DELETE_WINDOW", False));
  XSendEvent(X, Window, False, NoEventMask, &close);
  XSync(X, False);
  EXPECT_EQ(ExitCode(Game, Deadline), 0);
  EXPECT_EQ(Errors(), "");
  EXPECT_EQ(ReadBytes(Program.ScoreFile), expected);
}

TEST_F(JourneyTest, ADamagedFontShowsTheReportInABoxThatWaitsForOk) {
  const Bytes font = ReadBytes(Program.Sprites / "font.dat");
  WriteBytes(Program.Sprites / "font.dat", Bytes(font.begin(), font.begin() + font.size() / 2));
  Launch();
  ASSERT_TRUE(Until([&] { return FindWindow(); })) << Errors();
  int left = 9999, top = 9999, right = -1, bottom = -1;
  // The OK button: the region of its face's colour, once the box's title bar shows.
  ASSERT_TRUE(Await([&](const TShot& shot) {
    int titleBar = 0;
    for (int i = 0; i < shot.W * shot.H; ++i) {
      const int x = i % shot.W, y = i / shot.W;
      titleBar += SameOnScreen(shot.Pixels[i], {60, 40, 90});
      if (SameOnScreen(shot.Pixels[i], {200, 198, 192})) left = std::min(left, x), top = std::min(top, y), right = std::max(right, x), bottom = std::max(bottom, y);
    }
    return titleBar > 2000 && right > left + 40 && bottom > top + 15;
  }));
  EXPECT_FALSE(ExitCode(Game, 500ms)) << "the box waits for the player";
  EXPECT_NE(Errors().find("sprites/font.dat"), std::string::npos) << Errors();
  Click((left + right) / 2, (top + bottom) / 2);
  EXPECT_EQ(ExitCode(Game, Deadline), 1);
}
