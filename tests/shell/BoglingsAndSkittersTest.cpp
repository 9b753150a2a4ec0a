// Journeys through the real controller and frame loop, fed with real SDL events, and what every
// screen draws where on the way: the intro, the menu, the pages, the high-score table and keyboard.

#include "shell/BoglingsAndSkitters.h"

#include "game/GameModule.h"
#include "media/LibSound.h"
#include "scores/HighScoreModule.h"
#include "scores/LibHighScores.h"
#include "screens/CreditsModule.h"
#include "screens/HelpModule.h"
#include "screens/IntroModule.h"
#include "screens/MenuModule.h"
#include "support/Headless.h"

#include <typeinfo>

using Probes = std::vector<std::tuple<int, int, Rgb>>;

class BoglingsAndSkittersTest : public HeadlessTest {
 protected:
  void SetUp() override {
    HeadlessTest::SetUp();
    Controller.Start();
  }
  const std::type_info& Showing() { return typeid(*Controller.GetCurrentModule()); }
  void Expect(const Probes& probes) {
    for (const auto& [x, y, colour] : probes) EXPECT_EQ(ScreenAt(x, y), colour) << "at " << x << "," << y;
  }
  // From a page, the table or a game (by its quit button and the table after it) to the menu.
  void BackToMenu() {
    for (int tries = 0; tries < 3 && Showing() != typeid(TMenuModule); ++tries) Click(Controller, 31, 31), Frames(Controller, 151);
  }
  // The rows of the table from the top: name and score.
  void ExpectTable(const std::vector<std::pair<std::string, std::string>>& rows) {
    ExpectText(250, 100, "High Scores");
    for (int i = 0; i < int(rows.size()); ++i) {
      if (!rows[i].first.empty()) ExpectText(250, 160 + 20 * i, rows[i].first);
      ExpectText(500, 160 + 20 * i, rows[i].second);
    }
    Expect({{540, 400, Shown("back")}, {539, 400, Shown("background")}});
  }
  THalloween Controller;
};

TEST_F(BoglingsAndSkittersTest, TheIntroShowsLogoPresentsTitleAndGhostInTurnThenTheMenu) {
  const Rgb logo = Shown("makerlogo"), title = Shown("title"), ghost = Shown("ghost");
  // The tick a frame shows, then what it shows where; the logo and title are centred.
  const std::pair<int, Probes> timeline[] = {{49, {{320, 240, Black}}},
      {50, {{220, 190, logo}, {419, 289, logo}, {219, 190, Black}, {220, 189, Black}}}, {199, {{320, 240, logo}}},
      {200, {{320, 240, Black}}}, {250, {{283, 230, ShownGlyph('p')}}}, {399, {{320, 270, Black}}},
      {400, {{170, 180, title}, {470, 300, title}, {169, 180, Black}, {170, 179, Black}, {283, 230, title}}},
      {599, {{320, 240, title}}}, {749, {{320, 240, title}, {514, 232, ghost}, {513, 232, Black}}},
      {750, {{320, 240, Black}, {540, 256, ghost}}}, {819, {{320, 240, Black}}}};
  SDL_WarpMouse(77, 66);
  Mix_Chunk* hit = nullptr;
  for (int shown = 0; const auto& [tick, probes] : timeline) {
    Frames(Controller, tick - shown);
    shown = tick;
    Expect(probes);
    if (tick == 399) {
      ExpectText(283, 230, "presents");
      EXPECT_EQ(Mix_GetChunk(ChannelEffects), nullptr) << "silent until the title";
    }
    if (tick == 599) hit = Mix_GetChunk(ChannelEffects);
  }
  EXPECT_NE(hit, nullptr);
  EXPECT_NE(Mix_GetChunk(ChannelEffects), hit) << "the ghost's sound follows the title's";
  const std::pair<int, TPoint> flight[] = {{600, {240, 240}}, {601, {242, 241}}, {679, {398, 339}}, {758, {556, 239}}};
  for (const auto& [tick, at] : flight) EXPECT_EQ(TPoint(GhostPosition(tick).X, GhostPosition(tick).Y), at) << tick;
  ASSERT_EQ(Showing(), typeid(TIntroModule));
  Frames(Controller, 1);
  EXPECT_EQ(Showing(), typeid(TMenuModule));
  Expect({{320, 240, Black}});  // the intro's last frame shows nothing
  Frames(Controller, 1);
  Expect({{77, 66, Shown("hand")}});  // the menu knows the pointer from its first frame
}

TEST_F(BoglingsAndSkittersTest, APressEndsTheIntroAndOnlyLeftButtonsAndTheCloseRequestCount) {
  for (const Uint8 button : {SDL_BUTTON_RIGHT, SDL_BUTTON_MIDDLE, SDL_BUTTON_WHEELUP, SDL_BUTTON_WHEELDOWN}) PushButton(true, 10, 10, button);
  SDL_Event key{SDL_KEYDOWN};
  key.key.keysym.sym = SDLK_SPACE;
  SDL_PushEvent(&key);
  PushButton(false, 10, 10);
  Frames(Controller, 1);
  EXPECT_EQ(Showing(), typeid(TIntroModule));
  EXPECT_EQ(Mix_GetChunk(ChannelEffects), nullptr) << "ended before any of its sounds";
  PushMotion(400, 225);  // over "New game"
  PushButton(true, 400, 225);
  PushButton(false, 400, 225);  // the menu ignores releases
  PushMotion(123, 45);
  Frames(Controller, 2);
  EXPECT_EQ(Showing(), typeid(TMenuModule));
  Expect({{123, 45, Shown("hand")}});  // later events of the frame reach the menu
  Controller.RequestQuit(1);
  EXPECT_FALSE(Controller.IsQuitRequested());
}

TEST_F(BoglingsAndSkittersTest, TheMenuOpensEveryScreenFromItsBandsAndEachReturnsToIt) {
  PushButton(true, 0, 0);
  PushMotion(400, 225);
  Frames(Controller, 1);
  Expect({{0, 479, Shown("background")}, {250, 20, Shown("title")}, {550, 140, Shown("title")}, {249, 20, Shown("background")},
          {400, 225, Shown("hand")}, {310, 155, Shown("howtoplay")}, {489, 194, Shown("howtoplay")}, {309, 155, Shown("background")},
          {310, 205, Shown("newgame")}, {310, 255, Shown("highscores")}, {489, 294, Shown("highscores")},
          {310, 305, Shown("credits")}, {310, 355, Shown("exit")}, {489, 394, Shown("exit")}, {489, 395, Shown("background")}});
  TModule* const menu = Controller.GetCurrentModule();
  Mix_Chunk* const music = Mix_GetChunk(ChannelMusic);
  const std::tuple<int, int, const std::type_info&> presses[] = {{300, 150, typeid(THelpModule)}, {499, 199, typeid(THelpModule)},
      {300, 200, typeid(TGameModule)}, {400, 299, typeid(THighScoreModule)}, {400, 349, typeid(TCreditsModule)},
      {299, 150, typeid(TMenuModule)}, {300, 149, typeid(TMenuModule)}, {500, 399, typeid(TMenuModule)}, {400, 400, typeid(TMenuModule)}};
  for (const auto& [x, y, screen] : presses) {
    MarkChannel(ChannelEffects);
    PushMotion(x, y);
    PushButton(true, 10, 10);  // judged by the last motion
    Frames(Controller, 1);
    EXPECT_EQ(Showing(), screen) << x << "," << y;
    EXPECT_EQ(PlayedSince(ChannelEffects), screen != typeid(TMenuModule)) << "the click";
    BackToMenu();
    EXPECT_EQ(Controller.GetCurrentModule(), menu);
    EXPECT_EQ(Mix_GetChunk(ChannelMusic), music);
    EXPECT_TRUE(Mix_Playing(ChannelMusic)) << "the music plays on, never restarted";
  }
}

TEST_F(BoglingsAndSkittersTest, EachPageSetsItsLinesAndAnyPressEndsIt) {
  const std::pair<int, std::vector<std::tuple<int, int, std::string>>> pages[] = {
      {175, {{200, 60, "How to play"}, {200, 100, "It's Halloween and you've called at the"},
             {200, 120, "spookiest house on the street! Boglings"}, {200, 140, "and skitters are everywhere but that"},
             {200, 160, "won't keep you from getting as many"}, {200, 180, "sweets as you can."},
             {200, 210, "Click and drag a line over 3 or more of"}, {200, 230, "the same picture tile to make them"},
             {200, 250, "disappear. The more you get in one go,"}, {200, 270, "the more sweets you'll earn."},
             {200, 290, "When you clear enough tiles, you'll"}, {200, 310, "go to the next level."},
             {200, 335, "Click the wand if you need a hint."}, {200, 360, "Beware, your time is limited, when"},
             {200, 380, "it runs out you lose a turn."}}},
      {325, {{250, 100, "Credits"}, {250, 160, "Programming"}, {400, 160, "Lantern Moth"}, {250, 200, "Graphics"},
             {400, 200, "Lantern Moth"}, {250, 240, "Music and"}, {250, 260, "sound"}, {400, 240, "Lantern Moth"},
             {250, 300, "Testing"}, {400, 300, "Night Shift"}, {400, 320, "Pumpkin Patch"}, {400, 340, "Our Players"}}}};
  Click(Controller, 0, 0);
  for (const auto& [entry, lines] : pages) {
    Click(Controller, 400, entry);
    PushMotion(20, 450);
    PushButton(false, 20, 450);
    Frames(Controller, 1);
    for (const auto& [x, y, text] : lines) ExpectText(x, y, text);
    Expect({{0, 0, Shown("background")}, {540, 400, Shown("back")}, {603, 431, Shown("back")}, {539, 400, Shown("background")},
            {20, 450, Shown("hand")}});
    EXPECT_NE(Showing(), typeid(TMenuModule));
    Click(Controller, 20, 450);  // far from the back picture
    EXPECT_EQ(Showing(), typeid(TMenuModule));
  }
}

TEST_F(BoglingsAndSkittersTest, TheTableShowsAndAQualifyingGameTakesANameOnTheKeyboard) {
  Click(Controller, 0, 0);
  Click(Controller, 400, 275);
  ExpectTable({{"hoko", "1000"}, {"hoko", "900"}, {"hoko", "800"}, {"hoko", "700"}, {"hoko", "600"}, {"hoko", "500"},
               {"hoko", "400"}, {"hoko", "300"}, {"hoko", "200"}, {"hoko", "100"}});
  Click(Controller, 10, 10);
  Click(Controller, 400, 225);
  Click(Controller, 31, 31);  // a game of no score: "game over", one frame of background only, the table
  Frames(Controller, 148);
  ExpectText(300, 160, "game over");
  PushMotion(1, 1);
  Frames(Controller, 1);
  Expect({{305, 168, Shown("background")}, {255, 108, Shown("background")}, {1, 1, Shown("hand")}});
  Frames(Controller, 1);
  ExpectTable({{"hoko", "1000"}});
  EXPECT_FALSE(std::filesystem::exists(HighScoreFileName));

  WriteBytes(HighScoreFileName, Bytes(HighScoreFileBytes, 0));  // any score earns first place
  Click(Controller, 10, 10);
  Click(Controller, 400, 225);
  Frames(Controller, 40);  // the new tiles come to rest
  const TBoard& board = dynamic_cast<TGameModule&>(*Controller.GetCurrentModule()).GetBoard();
  const auto line = FindLine([&](int column, int row) { return board.Cell(column, row)->Kind; });
  ASSERT_TRUE(line) << "a board at rest always holds a line";
  Drag(Controller, *line);
  MarkChannel(ChannelEffects);
  Click(Controller, 31, 31);
  EXPECT_TRUE(PlayedSince(ChannelEffects)) << "the hit sound";
  PushButton(true, 300, 160);  // the keyboard waits for the message
  PushMotion(620, 10);
  Frames(Controller, 148);
  ExpectText(300, 160, "new high score!");
  Frames(Controller, 1);
  for (char letter = 'a'; letter <= 'z'; ++letter) ExpectText(300 + 15 * ((letter - 'a') % 13), 160 + 20 * ((letter - 'a') / 13), {&letter, 1});
  ExpectText(300, 200, "backspace");
  ExpectText(300, 240, "enter");
  // Press, then the name so far and whether a sound played.
  const std::tuple<int, int, std::string, bool> presses[] = {{300, 205, "", false}, {286, 141, "a", true}, {285, 160, "a", false},
      {300, 140, "a", false}, {494, 199, "az", true}, {495, 190, "az", false}, {374, 219, "a", true}, {375, 219, "a", false},
      {374, 239, "a", false}};
  for (const auto& [x, y, name, sounds] : presses) {
    MarkChannel(ChannelEffects);
    Click(Controller, x, y);
    EXPECT_EQ(PlayedSince(ChannelEffects), sounds) << x << "," << y;
    if (!name.empty()) ExpectText(300, 280, name);
    Expect({{305 + 10 * int(name.size()), 288, Shown("background")}});
  }
  for (const char letter : std::string("bcdefghijkl")) Click(Controller, 300 + 15 * ((letter - 'a') % 13), 160 + 20 * ((letter - 'a') / 13));
  ExpectText(300, 280, "abcdefghijkl");
  Click(Controller, 374, 259);
  EXPECT_EQ(Showing(), typeid(THighScoreModule)) << "the press on enter does not also leave";
  ExpectTable({{"abcdefgh", "9"}, {"", "0"}});
  Bytes saved = {8, 'a', 'b', 'c', 'd', 'e', 'f', 'g', 'h', 9};
  saved.resize(HighScoreFileBytes);
  EXPECT_EQ(ReadBytes(HighScoreFileName), saved);
  Click(Controller, 10, 10);
  EXPECT_EQ(Showing(), typeid(TMenuModule));
}

TEST_F(BoglingsAndSkittersTest, TheCloseRequestAndTheExitEntryEndTheProgramAfterTheirFrameSavingNothing) {
  WriteBytes(HighScoreFileName, Bytes(HighScoreFileBytes, 0));
  // Presses on the way; the exit entry ends the last road, the close request the others.
  const std::vector<TPoint> roads[] = {{}, {{0, 0}, {400, 175}}, {{0, 0}, {400, 225}}, {{0, 0}, {400, 225}, {31, 31}}, {{0, 0}}};
  for (const auto& road : roads) {
    THalloween controller;
    controller.Start();
    for (const TPoint press : road) Click(controller, press.X, press.Y);
    Frames(controller, 200);
    TModule* const showing = controller.GetCurrentModule();
    SDL_Event close{SDL_QUIT};
    if (road.size() == 1) {
      PushMotion(499, 399);
      PushButton(true, 499, 399);
    } else {
      SDL_PushEvent(&close);
    }
    PushMotion(200, 100);
    Frames(controller, 1);
    EXPECT_TRUE(controller.IsQuitRequested()) << road.size();
    EXPECT_EQ(controller.GetCurrentModule(), showing);
    EXPECT_EQ(ReadBytes(HighScoreFileName), Bytes(HighScoreFileBytes, 0));
    if (!road.empty()) Expect({{200, 100, Shown("hand")}});  // the rest of the frame still ran
  }
}
