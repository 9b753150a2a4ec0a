#include "e2e/JourneyFixture.h"

#include <X11/keysym.h>

#include <algorithm>
#include <fstream>
#include <iomanip>
#include <sstream>
#include <thread>

namespace fs = std::filesystem;
using namespace std::chrono_literals;

namespace {

// Generous for a loaded two-core machine; a picture that shows is seen within a few frames.
constexpr auto ShowDeadline = 20s;
// Time between two grabs: about a frame, so that two equal grabs mean a picture at rest.
constexpr auto GrabInterval = 10ms;

constexpr Point TitleCentre{400, 80};
constexpr int EntryX = 400, FirstEntryY = 175, EntryPitch = 50;
constexpr const char* EntryPictures[] = {"howtoplay", "newgame", "highscores", "credits", "exit"};
constexpr Point LogoCentre{320, 240};
constexpr Box BoardArea{181, 8, 449, 449};
// Head-up numbers, drawn from x 64 at these tops: lives, score, tiles to clear, hints.
constexpr int HudX = 64;
constexpr int HudTops[] = {320, 358, 396, 434};

fs::path GeneratedAssets() { return fs::path(BOGLINGS_GAME_DIR); }

Point EntryCentre(MenuEntry entry) { return {EntryX, FirstEntryY + EntryPitch * entry}; }

}  // namespace

void JourneyTest::SetUp() {
  Shots = fs::path(E2E_SHOT_DIR) / ::testing::UnitTest::GetInstance()->current_test_info()->name();
  fs::remove_all(Shots);
  fs::create_directories(Shots);
  if (!fs::exists(GeneratedAssets() / "sprites") || !fs::exists(GeneratedAssets() / "sounds")) {
    GTEST_SKIP() << "no generated sprites/ and sounds/ in " << GeneratedAssets() << " yet";
  }
  Scratch = std::make_unique<ScratchDir>();
  for (const char* folder : {"sprites", "sounds"}) {
    fs::copy(GeneratedAssets() / folder, Scratch->Path() / folder, fs::copy_options::recursive);
  }
  X = std::make_unique<VirtualDisplay>(Shots / "xvfb.log");
  Bot = std::make_unique<PlayerBot>(X->Connection());
  Reader = std::make_unique<ScreenReader>(GeneratedAssets() / "sprites");
}

void JourneyTest::Launch() {
  // The dummy audio driver keeps the mixer working on machines without a sound device. The leak
  // suppressions matter only to a sanitizer build, which otherwise fails on a leak inside libX11.
  Game = std::make_unique<ChildProcess>(
      std::vector<std::string>{BOGLINGS_PROGRAM},
      ChildOptions{{{"DISPLAY", X->Name()},
                    {"SDL_VIDEODRIVER", "x11"},
                    {"SDL_AUDIODRIVER", "dummy"},
                    {"LSAN_OPTIONS", "suppressions=" E2E_LEAK_SUPPRESSIONS ":print_suppressions=0"}},
                   Shots / "stderr.txt"});
}

std::string JourneyTest::ErrorOutput() const {
  std::ifstream in(Shots / "stderr.txt");
  std::stringstream text;
  text << in.rdbuf();
  return text.str();
}

std::string JourneyTest::AwaitFatalReport() {
  const auto deadline = std::chrono::steady_clock::now() + ShowDeadline;
  std::string report = ErrorOutput();
  // Two lines, the second ending in a full stop: the whole report is out.
  while (!(std::count(report.begin(), report.end(), '\n') >= 2 && report.ends_with(".\n"))) {
    if (!Game->Running() || std::chrono::steady_clock::now() > deadline) return ErrorOutput();
    std::this_thread::sleep_for(GrabInterval);
    report = ErrorOutput();
  }
  if (Game->Running() && Bot->FindGameWindow()) {
    if (std::optional<Image> shot = Bot->Grab()) Save("at-report", *shot);
    Bot->MoveTo(Aside.X, Aside.Y);  // keys go to the window under the pointer
    Bot->Key(XK_Return, true);
    Bot->Key(XK_Return, false);
  }
  return report;
}

std::string JourneyTest::GameEnded() {
  const std::optional<int> code = Game->WaitForExit(0ms);
  return "the game ended with exit code " + std::to_string(code.value_or(-1)) + " and this on standard error:\n" +
         ErrorOutput();
}

::testing::AssertionResult JourneyTest::AwaitWindow() {
  const auto deadline = std::chrono::steady_clock::now() + ShowDeadline;
  while (!Bot->FindGameWindow()) {
    if (!Game->Running()) return ::testing::AssertionFailure() << "no window: " << GameEnded();
    if (std::chrono::steady_clock::now() > deadline) return ::testing::AssertionFailure() << "no window titled Game";
    std::this_thread::sleep_for(GrabInterval);
  }
  return ::testing::AssertionSuccess();
}

::testing::AssertionResult JourneyTest::Await(const std::string& label,
                                              const std::function<bool(const Image&)>& shows) {
  const auto deadline = std::chrono::steady_clock::now() + ShowDeadline;
  Image shot;
  while (Game->Running()) {
    if (std::optional<Image> grabbed = Bot->Grab()) {
      shot = std::move(*grabbed);
      if (shows(shot)) {
        Save(label, shot);
        return ::testing::AssertionSuccess();
      }
    }
    if (std::chrono::steady_clock::now() > deadline) {
      Save(label + "-NOT-SHOWN", shot);
      return ::testing::AssertionFailure() << label << " did not show; the last picture is in " << Shots;
    }
    std::this_thread::sleep_for(GrabInterval);
  }
  Save(label + "-GAME-ENDED", shot);
  return ::testing::AssertionFailure() << "waiting for " << label << ", " << GameEnded();
}

void JourneyTest::Save(const std::string& label, const Image& shot) {
  if (shot.W == 0) return;  // nothing was grabbed
  std::ostringstream name;
  name << std::setw(2) << std::setfill('0') << ++ShotCount << "-" << label << ".png";
  WritePng(Shots / name.str(), shot);
}

bool JourneyTest::ShowsMenu(const Image& shot, Point hand) {
  if (!Reader->ShowsPictureCentred(shot, "title", TitleCentre.X, TitleCentre.Y)) return false;
  for (int entry = EntryHowToPlay; entry <= EntryExit; ++entry) {
    const Point centre = EntryCentre(static_cast<MenuEntry>(entry));
    if (!Reader->ShowsPictureCentred(shot, EntryPictures[entry], centre.X, centre.Y)) return false;
  }
  return Reader->ShowsPicture(shot, "hand", hand.X, hand.Y);
}

std::optional<HudValues> JourneyTest::ReadHud(const Image& shot) {
  uint32_t values[4];
  for (int i = 0; i < 4; ++i) {
    const std::optional<uint32_t> value = Reader->ReadNumber(shot, HudX, HudTops[i]);
    if (!value) return std::nullopt;
    values[i] = *value;
  }
  return HudValues{values[0], values[1], values[2], values[3]};
}

::testing::AssertionResult JourneyTest::AwaitIntro() {
  if (auto found = AwaitWindow(); !found) return found;
  return Await("intro-logo", [&](const Image& shot) {
    return Reader->ShowsPictureCentred(shot, "makerlogo", LogoCentre.X, LogoCentre.Y);
  });
}

::testing::AssertionResult JourneyTest::PassIntro() {
  if (auto intro = AwaitIntro(); !intro) return intro;
  Bot->Click(Aside.X, Aside.Y);
  return Await("menu", [&](const Image& shot) { return ShowsMenu(shot, Aside); });
}

void JourneyTest::PressEntry(MenuEntry entry) {
  const Point centre = EntryCentre(entry);
  Bot->Click(centre.X, centre.Y);
}

::testing::AssertionResult JourneyTest::AwaitBoardAtRest(const std::string& label) {
  std::optional<Image> previous;
  return Await(label, [&](const Image& shot) {
    const bool still = previous && SameInBox(*previous, shot, BoardArea);
    previous = shot;
    if (!still) return false;
    const std::optional<BoardKinds> read = Reader->ReadBoard(shot);
    if (read) Board = *read;
    return read.has_value();
  });
}

::testing::AssertionResult JourneyTest::StartGame() {
  PressEntry(EntryNewGame);
  Bot->MoveTo(OffBoard.X, OffBoard.Y);  // the hand would hide part of a tile
  return AwaitBoardAtRest("game-board");
}

::testing::AssertionResult JourneyTest::HoldKeyAndMove(unsigned long keysym, const std::string& label, Point at) {
  Bot->Key(keysym, true);
  Bot->MoveTo(at.X, at.Y);
  return Await(label, [&](const Image& shot) { return Reader->ShowsPicture(shot, "hand", at.X, at.Y); });
}
