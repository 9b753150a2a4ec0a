// The real controller and frame loop fed real SDL events: what each screen draws where, the fatal
// faults, and a long random play.

#include "shell/BoglingsAndSkitters.h"

#include "game/GameModule.h"
#include "scores/HighScoreModule.h"
#include "screens/CreditsModule.h"
#include "screens/HelpModule.h"
#include "screens/MenuModule.h"
#include "support/Headless.h"

#include <random>
#include <regex>
#include <set>
#include <typeindex>

class BoglingsAndSkittersTest : public HeadlessTest {
 protected:
  void SetUp() override {
    HeadlessTest::SetUp();
    Game.Start();
  }
  const std::type_info& Showing() { return typeid(*Game.GetCurrentModule()); }
  // Name and score from the top row.
  void ExpectTable(const std::vector<std::pair<std::string, std::string>>& rows) {
    ExpectText(250, 100, "High Scores");
    for (int i = 0; i < int(rows.size()); ++i) {
      ExpectText(250, 160 + 20 * i, rows[i].first);
      ExpectText(500, 160 + 20 * i, rows[i].second);
    }
    Expect({{540, 400, Shown("back")}, {539, 400, Shown("background")}});
  }
  THalloween Game;
};

TEST_F(BoglingsAndSkittersTest, IntroShowsLogoTitleAndGhost) {
  const Rgb logo = Shown("makerlogo"), title = Shown("title"), ghost = Shown("ghost");
  // The tick shown, what shows where.
  const std::pair<int, std::vector<std::tuple<int, int, Rgb>>> timeline[] = {
      {49, {{320, 240, Black}}},
      {50, {{220, 190, logo}, {419, 289, logo}, {219, 190, Black}, {220, 189, Black}}},
      {199, {{320, 240, logo}}},
      {200, {{320, 240, Black}}},
      {249, {{283, 230, Black}}},
      {250, {{283, 230, ShownGlyph('p')}}},
      {399, {{320, 270, Black}, {362, 245, ShownGlyph('s')}}},
      {400, {{170, 180, title}, {470, 300, title}, {169, 180, Black}, {170, 179, Black}, {283, 230, title}}},
      {599, {{320, 240, title}}},
      {749, {{320, 240, title}, {514, 232, ghost}, {513, 232, Black}}},
      {750, {{320, 240, Black}, {540, 256, ghost}}},
      {820, {{320, 240, Black}}}};  // the intro's last frame shows nothing
  SDL_WarpMouse(77, 66);
  PushButton(true, 10, 10, SDL_BUTTON_RIGHT);  // only the left button ends it
  PushButton(true, 10, 10, SDL_BUTTON_WHEELDOWN);
  Mix_Chunk* hit = nullptr;
  for (int shown = 0; const auto& [tick, probes] : timeline) {
    Frames(Game, tick - std::exchange(shown, tick));
    Expect(probes);
    if (tick == 399) {
      EXPECT_EQ(Mix_GetChunk(ChannelEffects), nullptr) << "silent until the title";
    }
    if (tick == 599) hit = Mix_GetChunk(ChannelEffects);
  }
  EXPECT_TRUE(hit && Mix_GetChunk(ChannelEffects) != hit) << "the title's sound, then the ghost's";
  Frames(Game, 1);
  Expect({{77, 66, Shown("hand")}});  // the menu knows the pointer from its first frame
}

TEST_F(BoglingsAndSkittersTest, MenuOpensEveryScreenAndExits) {
  PushMotion(400, 225);
  PushButton(true, 400, 225);
  PushMotion(400, 225);
  PushButton(false, 400, 225);  // the intro ends at the press; the menu ignores releases
  Frames(Game, 1);
  Expect({{250, 20, Shown("title")},
          {550, 140, Shown("title")},
          {249, 20, Shown("background")},
          {400, 225, Shown("hand")},
          {310, 155, Shown("howtoplay")},
          {489, 194, Shown("howtoplay")},
          {309, 155, Shown("background")},
          {310, 255, Shown("highscores")},
          {310, 355, Shown("exit")},
          {489, 394, Shown("exit")},
          {489, 395, Shown("background")}});
  TModule* const menu = Game.GetCurrentModule();
  const std::type_info& inMenu = typeid(TMenuModule);
  Mix_Chunk* const music = Mix_GetChunk(ChannelMusic);
  const std::tuple<int, int, const std::type_info&> presses[] = {{300, 150, typeid(THelpModule)},
                                                                 {499, 199, typeid(THelpModule)},
                                                                 {300, 200, typeid(TGameModule)},
                                                                 {400, 299, typeid(THighScoreModule)},
                                                                 {400, 349, typeid(TCreditsModule)},
                                                                 {299, 150, inMenu},
                                                                 {300, 149, inMenu},
                                                                 {500, 399, inMenu},
                                                                 {400, 400, inMenu}};
  // Where lines start, and how.
  using Lines = std::vector<std::tuple<int, int, std::string>>;
  const Lines help = {{200, 60, "H"},    {200, 100, "I"}, {560, 100, "the"}, {200, 120, "s"}, {200, 140, "a"},
                      {200, 160, "w"},   {200, 180, "s"}, {200, 210, "C"},   {200, 230, "t"}, {200, 250, "d"},
                      {550, 250, "go,"}, {200, 270, "t"}, {200, 290, "W"},   {200, 310, "g"}, {200, 335, "C"},
                      {200, 360, "B"},   {200, 380, "it"}};
  const Lines credits = {{250, 100, "Credits"}, {400, 160, "L"}, {250, 260, "s"}, {400, 340, "O"}};
  for (const auto& [x, y, screen] : presses) {
    MarkChannel(ChannelEffects);
    PushMotion(x, y);
    PushButton(true, 10, 10);  // judged by the last motion
    PushMotion(20, 450);
    PushButton(false, 20, 450);  // a page ends at a press only
    Frames(Game, 1);
    EXPECT_EQ(Showing(), screen) << x << "," << y;
    EXPECT_EQ(PlayedSince(ChannelEffects), screen != inMenu) << "the click";
    if (screen == typeid(THelpModule) || screen == typeid(TCreditsModule)) {
      for (const auto& [left, top, text] : screen == typeid(THelpModule) ? help : credits) ExpectText(left, top, text);
      Expect({{540, 400, Shown("back")},
              {603, 431, Shown("back")},
              {539, 400, Shown("background")},
              {0, 0, Shown("background")}});
    }
    // Back by a press; from a game by its quit button, then the table.
    for (int press = 0; press < 2 && Showing() != inMenu; ++press) {
      Click(Game, 31, 31);
      Frames(Game, 151);
    }
    EXPECT_EQ(Game.GetCurrentModule(), menu);
    EXPECT_TRUE(Mix_GetChunk(ChannelMusic) == music && Mix_Playing(ChannelMusic)) << "its music never restarted";
  }
  Game.RequestQuit(1);
  EXPECT_FALSE(Game.IsQuitRequested()) << "only code 0 ends the program";
  PushMotion(499, 399);
  PushButton(true, 10, 10);
  PushMotion(200, 100);
  Frames(Game, 1);
  EXPECT_TRUE(Game.IsQuitRequested() && Game.GetCurrentModule() == menu) << "the exit entry";
  Expect({{200, 100, Shown("hand")}});  // the rest of the frame still ran
}

TEST_F(BoglingsAndSkittersTest, TableTakesANameOnTheKeyboard) {
  Click(Game, 0, 0);
  Click(Game, 400, 275);
  ExpectTable({{"hoko", "1000"}, {"hoko", "900"}, {"hoko", "800"}});
  Click(Game, 10, 10);
  Click(Game, 400, 225);
  Click(Game, 31, 31);  // no score: "game over", a bare frame, the table
  Frames(Game, 148);
  ExpectText(300, 160, "game over");
  PushMotion(1, 1);
  Frames(Game, 1);
  Expect({{305, 168, Shown("background")}, {255, 108, Shown("background")}, {1, 1, Shown("hand")}});
  Frames(Game, 1);
  ExpectTable({{"hoko", "1000"}});
  EXPECT_FALSE(fs::exists(HighScoreFileName));

  WriteBytes(HighScoreFileName, Bytes(HighScoreFileBytes, 0));  // any score earns first place
  Click(Game, 10, 10);
  THighScoreModule entering(Game, true, 9);
  MarkChannel(ChannelEffects);
  Game.SetModule(&entering);
  EXPECT_TRUE(PlayedSince(ChannelEffects)) << "the hit sound";
  PushButton(true, 300, 160);  // the keyboard waits for the message
  Frames(Game, 149);
  ExpectText(300, 160, "new high score!");
  Frames(Game, 1);
  for (char key = 'a'; key <= 'z'; ++key) ExpectText(KeyAt(key).X, KeyAt(key).Y, {&key, 1});
  ExpectText(300, 200, "backspace");
  ExpectText(300, 240, "enter");
  // Press, then the name so far and whether a sound played.
  const std::tuple<int, int, std::string, bool> presses[] = {
      {300, 205, "", false},  {286, 141, "a", true},  {285, 160, "a", false},
      {300, 140, "a", false}, {494, 199, "az", true}, {495, 190, "az", false},
      {374, 219, "a", true},  {375, 219, "a", false}, {374, 239, "a", false}};
  for (const auto& [x, y, name, sounds] : presses) {
    MarkChannel(ChannelEffects);
    Click(Game, x, y);
    EXPECT_EQ(PlayedSince(ChannelEffects), sounds) << x << "," << y;
    ExpectText(300, 280, name);
    Expect({{305 + 10 * int(name.size()), 288, Shown("background")}});
  }
  for (const char key : std::string("bcdefghijkl")) Drag(Game, {KeyAt(key)});
  ExpectText(300, 280, "abcdefghijkl");
  Click(Game, 374, 259);  // enter: the same press does not also leave the table
  ExpectTable({{"abcdefgh", "9"}, {"", "0"}});
}

// The whole program in this process: the report's class and message.
TEST(OutsideFaultsTest, FatalFaultsReportAndExitOne) {
  for (const std::string file : {"makerlogo.dat: File not found", "icon.dat: Too many levels of symbolic links"}) {
    ScratchDir scratch;
    if (file.starts_with("icon")) fs::create_symlink("sprites", "sprites");
    testing::internal::CaptureStderr();
    EXPECT_EQ(RunProgram(), 1) << file;
    const std::string reported = testing::internal::GetCapturedStderr();
    const std::regex report("Exception EInOutError in module unit_tests at [0-9A-F]{8}\\.\nsprites/" + file + "\\.\n");
    EXPECT_TRUE(std::regex_match(reported, report)) << reported;
  }
}

// Random input on every screen, for crashes, hangs and sanitizer reports; BOGLINGS_SOAK_FRAMES and
// BOGLINGS_SOAK_SEED change it.
using SoakTest = HeadlessTest;
TEST_F(SoakTest, RandomPlayVisitsEveryScreen) {
  const char* seed = std::getenv("BOGLINGS_SOAK_SEED");
  const char* frames = std::getenv("BOGLINGS_SOAK_FRAMES");
  std::mt19937 random(seed ? std::atol(seed) : 20261206);
  const auto between = [&](int low, int high) { return std::uniform_int_distribution<int>(low, high)(random); };
  UseGeneratedAssets();
  THalloween controller;
  controller.Start();
  std::set<std::type_index> visited;
  for (long frame = frames ? std::atol(frames) : 100000; frame > 0; --frame) {
    visited.insert(typeid(*controller.GetCurrentModule()));
    const auto* game = dynamic_cast<const TGameModule*>(controller.GetCurrentModule());
    if (game && between(1, 25) == 1) {
      const auto line = FindLine([&](int c, int r) { return game->GetBoard().Cell(c, r)->Kind; });
      if (line) Drag(controller, *line);
    }
    SDL_GetKeyState(nullptr)[SDLK_LCTRL] = between(1, 300) == 1;     // the level skip
    SDL_GetKeyState(nullptr)[SDLK_LSHIFT] = between(1, 300) == 1;    // the last life
    const TPoint at{between(0, 639), between(0, game ? 479 : 349)};  // not the menu's exit
    PushMotion(at.X, at.Y);
    if (between(1, 8) == 1) PushButton(between(0, 1), at.X, at.Y);
    Frames(controller, 1);
    ASSERT_FALSE(controller.IsQuitRequested()) << frame << " frames before the end";
  }
  EXPECT_EQ(visited.size(), 6u) << "intro, menu, help, credits, game and high scores";
}
