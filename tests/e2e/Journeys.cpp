// A player's journeys through the real program, driven through the X server only.

#include "e2e/JourneyFixture.h"

#include <X11/keysym.h>

#include <regex>

namespace fs = std::filesystem;
using namespace std::chrono_literals;

namespace {

constexpr auto ExitDeadline = 10s;
constexpr int WindowWidth = 640, WindowHeight = 480;
constexpr const char* ScoreFile = "highscores.bin";
constexpr size_t ScoreFileSize = 130;
constexpr size_t EntrySize = 13;

// Places of the pages' and the high-score screen's pictures.
constexpr Point BackCorner{540, 400};
constexpr int TableLeft = 250, TableScoreX = 500, TableTop = 160, TableTitleY = 100, RowPitch = 20;
constexpr Point MessageAt{300, 160};
constexpr int KeyboardX = 300, KeyboardY = 160, KeyPitchX = 15, KeyPitchY = 20, KeysPerRow = 13;
constexpr Point BackspaceAt{300, 200}, EnterAt{300, 240}, TypedNameAt{300, 280};
constexpr Point QuitButton{31, 31};
// The selection's yellow ring lies between radius 25 and 30 of the cell's centre.
constexpr int RingRadius = 27;
constexpr Rgb Yellow{255, 255, 0};
// The report's first line, up to the message on the second.
const std::regex ReportStart("^Exception EInOutError in module boglings at [0-9A-Fa-f]{8}\\.\n");

Point KeyOf(char letter) {
  const int k = letter - 'a';
  return {KeyboardX + KeyPitchX * (k % KeysPerRow), KeyboardY + KeyPitchY * (k / KeysPerRow)};
}

}  // namespace

TEST_F(JourneyTest, StartOpensTheCentredWindowAndAPressLeadsToTheMenu) {
  Launch();
  ASSERT_TRUE(AwaitIntro());  // finds the window by its title
  const Box place = Bot->Placement();
  EXPECT_EQ(place.W, WindowWidth);
  EXPECT_EQ(place.H, WindowHeight);
  EXPECT_EQ(place.X, (VirtualDisplay::Width - WindowWidth) / 2);
  EXPECT_EQ(place.Y, (VirtualDisplay::Height - WindowHeight) / 2);

  // Outside the window the server's own pointer shows, so an invisible one over it is the game's doing.
  Bot->MoveOnScreen(5, 5);
  EXPECT_FALSE(Bot->PointerInvisible());
  Bot->MoveTo(Aside.X, Aside.Y);
  EXPECT_TRUE(Bot->PointerInvisible());

  Bot->Click(Aside.X, Aside.Y);
  ASSERT_TRUE(Await("menu", [&](const Image& shot) { return ShowsMenu(shot, Aside); }));
  Bot->MoveTo(20, 420);
  EXPECT_TRUE(Await("hand-follows", [&](const Image& shot) { return ShowsMenu(shot, {20, 420}); }));
  Bot->RequestClose();
  EXPECT_EQ(Game->WaitForExit(ExitDeadline), 0);
  EXPECT_EQ(ErrorOutput(), "");
}

TEST_F(JourneyTest, PagesAndTheTableOpenFromTheMenuAndAPressReturns) {
  Launch();
  ASSERT_TRUE(PassIntro());
  const auto backToMenu = [&](const std::string& label) {
    Bot->Click(Aside.X, Aside.Y);
    return Await(label, [&](const Image& shot) { return ShowsMenu(shot, Aside); });
  };

  PressEntry(EntryHowToPlay);
  ASSERT_TRUE(Await("how-to-play", [&](const Image& shot) {
    return Reader->ShowsText(shot, 200, 60, "How to play") &&
           Reader->ShowsText(shot, 200, 100, "It's Halloween and you've called at the") &&
           Reader->ShowsPicture(shot, "back", BackCorner.X, BackCorner.Y);
  }));
  ASSERT_TRUE(backToMenu("menu-after-how-to-play"));

  PressEntry(EntryCredits);
  ASSERT_TRUE(Await("credits", [&](const Image& shot) {
    return Reader->ShowsText(shot, 250, 100, "Credits") && Reader->ShowsText(shot, 250, 160, "Programming") &&
           Reader->ShowsPicture(shot, "back", BackCorner.X, BackCorner.Y);
  }));
  ASSERT_TRUE(backToMenu("menu-after-credits"));

  // With no score file the table is the default one.
  PressEntry(EntryHighScores);
  ASSERT_TRUE(Await("default-table", [&](const Image& shot) {
    bool shows = Reader->ShowsText(shot, TableLeft, TableTitleY, "High Scores") &&
                 Reader->ShowsPicture(shot, "back", BackCorner.X, BackCorner.Y);
    for (int i = 0; i < 10; ++i) {
      const int y = TableTop + RowPitch * i;
      shows = shows && Reader->ShowsText(shot, TableLeft, y, "hoko") &&
              Reader->ShowsText(shot, TableScoreX, y, std::to_string((10 - i) * 100));
    }
    return shows;
  }));
  ASSERT_TRUE(backToMenu("menu-after-table"));
  EXPECT_FALSE(fs::exists(ScoreFile)) << "showing the table must not create the score file";

  Bot->RequestClose();
  EXPECT_EQ(Game->WaitForExit(ExitDeadline), 0);
  EXPECT_EQ(ErrorOutput(), "");
}

TEST_F(JourneyTest, AWholeGameScoresALineAndEntersTheNameInTheTable) {
  WriteBytes(ScoreFile, std::vector<uint8_t>(ScoreFileSize, 0));
  Launch();
  ASSERT_TRUE(PassIntro());
  ASSERT_TRUE(StartGame());
  EXPECT_TRUE(Await("new-game-hud", [&](const Image& shot) { return ReadHud(shot) == HudValues{3, 0, 100, 4}; }));

  const auto line = FindLineOfThree([&](int column, int row) { return Board[column][row]; });
  ASSERT_TRUE(line) << "a board at rest always holds a line";
  for (const Point& centre : *line) {
    Bot->MoveTo(centre.X, centre.Y);
    if (&centre == &line->front()) Bot->Button(true);  // the drag starts on the first tile
    ASSERT_TRUE(Await("selected-" + std::to_string(centre.X) + "-" + std::to_string(centre.Y), [&](const Image& shot) {
      return SameOnScreen(shot.At(centre.X - RingRadius, centre.Y), Yellow);
    }));
  }
  Bot->Button(false);
  Bot->MoveTo(OffBoard.X, OffBoard.Y);
  ASSERT_TRUE(Await("scored-nine", [&](const Image& shot) { return ReadHud(shot) == HudValues{3, 9, 97, 4}; }));
  ASSERT_TRUE(AwaitBoardAtRest("board-refilled"));

  Bot->Click(QuitButton.X, QuitButton.Y);
  ASSERT_TRUE(Await("new-high-score", [&](const Image& shot) {
    return Reader->ShowsText(shot, MessageAt.X, MessageAt.Y, "new high score!");
  }));
  ASSERT_TRUE(Await("keyboard", [&](const Image& shot) {
    bool shows = Reader->ShowsText(shot, BackspaceAt.X, BackspaceAt.Y, "backspace") &&
                 Reader->ShowsText(shot, EnterAt.X, EnterAt.Y, "enter");
    for (char letter = 'a'; letter <= 'z'; ++letter) {
      shows = shows && Reader->ShowsText(shot, KeyOf(letter).X, KeyOf(letter).Y, std::string(1, letter));
    }
    return shows;
  }));

  const std::string name = "bot";
  for (size_t typed = 1; typed <= name.size(); ++typed) {
    const Point key = KeyOf(name[typed - 1]);
    Bot->Click(key.X + 4, key.Y + 8);
    ASSERT_TRUE(Await("typed-" + name.substr(0, typed), [&](const Image& shot) {
      return Reader->ShowsText(shot, TypedNameAt.X, TypedNameAt.Y, name.substr(0, typed));
    }));
  }
  Bot->Click(EnterAt.X + 4, EnterAt.Y + 8);
  ASSERT_TRUE(Await("table-with-name", [&](const Image& shot) {
    bool shows = Reader->ShowsText(shot, TableLeft, TableTitleY, "High Scores") &&
                 Reader->ShowsText(shot, TableLeft, TableTop, name) &&
                 Reader->ShowsText(shot, TableScoreX, TableTop, "9");
    for (int i = 1; i < 10; ++i) shows = shows && Reader->ShowsText(shot, TableScoreX, TableTop + RowPitch * i, "0");
    return shows;
  }));
  std::vector<uint8_t> expected(ScoreFileSize, 0);
  const std::vector<uint8_t> first = {3, 'b', 'o', 't', 0, 0, 0, 0, 0, 9, 0, 0, 0};
  std::copy(first.begin(), first.end(), expected.begin());
  EXPECT_EQ(ReadBytes(ScoreFile), expected);

  Bot->Click(Aside.X, Aside.Y);
  ASSERT_TRUE(Await("menu-after-game", [&](const Image& shot) { return ShowsMenu(shot, Aside); }));
  PressEntry(EntryExit);
  EXPECT_EQ(Game->WaitForExit(ExitDeadline), 0);
  EXPECT_EQ(ErrorOutput(), "");
  EXPECT_EQ(ReadBytes(ScoreFile), expected);
}

TEST_F(JourneyTest, CloseRequestMidGameEndsAtOnceAndSavesNothing) {
  std::vector<uint8_t> table(ScoreFileSize);
  for (size_t i = 0; i < table.size(); ++i) table[i] = static_cast<uint8_t>(i % EntrySize == 0 ? 4 : 'k');
  WriteBytes(ScoreFile, table);
  const auto written = fs::last_write_time(ScoreFile);
  Launch();
  ASSERT_TRUE(PassIntro());
  ASSERT_TRUE(StartGame());

  // Three presses with left Ctrl held raise the level to 3 (110 tiles, 3 hints); one with left
  // Shift held leaves one life.
  const Point press{OffBoard.X, OffBoard.Y + 20};
  ASSERT_TRUE(HoldKeyAndMove(XK_Control_L, "holding-ctrl", press));
  for (int i = 0; i < 3; ++i) Bot->Click(press.X, press.Y);
  ASSERT_TRUE(Await("level-three", [&](const Image& shot) { return ReadHud(shot) == HudValues{3, 0, 110, 3}; }));
  Bot->Key(XK_Control_L, false);
  ASSERT_TRUE(HoldKeyAndMove(XK_Shift_L, "holding-shift", OffBoard));
  Bot->Click(OffBoard.X, OffBoard.Y);
  ASSERT_TRUE(Await("one-life", [&](const Image& shot) { return ReadHud(shot) == HudValues{1, 0, 110, 3}; }));
  Bot->Key(XK_Shift_L, false);

  const auto asked = std::chrono::steady_clock::now();
  Bot->RequestClose();
  EXPECT_EQ(Game->WaitForExit(1s), 0);
  EXPECT_LT(std::chrono::steady_clock::now() - asked, 1s);
  EXPECT_EQ(ErrorOutput(), "");
  EXPECT_EQ(ReadBytes(ScoreFile), table);
  EXPECT_EQ(fs::last_write_time(ScoreFile), written);
  const auto left = std::distance(fs::directory_iterator(Scratch->Path()), fs::directory_iterator());
  EXPECT_EQ(left, 3) << "sprites/, sounds/ and the score file, nothing more";
}

TEST_F(JourneyTest, AShortScoreFileEndsTheProgramWithTheReport) {
  std::vector<uint8_t> shortFile(ScoreFileSize - 1);
  for (size_t i = 0; i < shortFile.size(); ++i) shortFile[i] = static_cast<uint8_t>(i);
  WriteBytes(ScoreFile, shortFile);
  Launch();
  ASSERT_TRUE(PassIntro());
  PressEntry(EntryHighScores);
  const std::string report = AwaitFatalReport();
  EXPECT_EQ(Game->WaitForExit(ExitDeadline), 1);
  EXPECT_TRUE(std::regex_search(report, ReportStart)) << report;
  EXPECT_TRUE(report.ends_with("\nRead beyond end of file.\n")) << report;
  EXPECT_EQ(ReadBytes(ScoreFile), shortFile);
}

TEST_F(JourneyTest, MissingSpritesEndTheProgramAtStartWithTheReport) {
  fs::remove_all(Scratch->Path() / "sprites");
  Launch();
  const std::string report = AwaitFatalReport();
  EXPECT_EQ(Game->WaitForExit(ExitDeadline), 1);
  EXPECT_TRUE(std::regex_search(report, ReportStart)) << report;
  EXPECT_NE(report.find("sprites/makerlogo.dat"), std::string::npos) << report;
  EXPECT_TRUE(report.ends_with(".\n")) << report;
}

namespace {

// The OK button of the error box: the region in the button's face colour, below the box's title
// bar. False while the window shows no such box.
bool FindOkButton(const Image& shot, Box& button) {
  constexpr Rgb TitleBar{60, 40, 90}, ButtonFace{200, 198, 192};
  int titlePixels = 0, left = shot.W, top = shot.H, right = -1, bottom = -1;
  for (int y = 0; y < shot.H; ++y) {
    for (int x = 0; x < shot.W; ++x) {
      if (SameOnScreen(shot.At(x, y), TitleBar)) ++titlePixels;
      if (!SameOnScreen(shot.At(x, y), ButtonFace)) continue;
      left = std::min(left, x), top = std::min(top, y), right = std::max(right, x), bottom = std::max(bottom, y);
    }
  }
  button = {left, top, right - left + 1, bottom - top + 1};
  return titlePixels > 2000 && right > left + 40 && bottom > top + 15;
}

}  // namespace

TEST_F(JourneyTest, ADamagedFontShowsTheReportInABoxUntilOkIsPressed) {
  HalveFile(Scratch->Path() / "sprites" / "font.dat");
  Launch();
  ASSERT_TRUE(AwaitWindow());
  Box ok{};
  ASSERT_TRUE(Await("error-box", [&](const Image& shot) { return FindOkButton(shot, ok); }));
  EXPECT_FALSE(Game->WaitForExit(300ms).has_value()) << "the box waits for the player";
  EXPECT_NE(ErrorOutput().find("sprites/font.dat"), std::string::npos) << ErrorOutput();
  Bot->Click(ok.X + ok.W / 2, ok.Y + ok.H / 2);
  EXPECT_EQ(Game->WaitForExit(ExitDeadline), 1);
}
