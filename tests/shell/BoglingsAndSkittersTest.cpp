// The real controller and frame loop fed real SDL events: what each screen draws where, and the
// fatal faults.

#include "shell/BoglingsAndSkitters.h"

#include "game/GameModuleAccess.h"
#include "scores/HighScoreModule.h"
#include "screens/CreditsModule.h"
#include "screens/HelpModule.h"
#include "screens/MenuModule.h"
#include "shell/InputEvents.h"
#include "support/Headless.h"

#include <regex>

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
          {0, 0, Shown("background")},
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
  const Lines credits = {{250, 100, "Credits"}, {250, 160, "P"}, {400, 160, "L"}, {250, 200, "G"},
                         {400, 200, "L"},       {250, 240, "M"}, {250, 260, "s"}, {400, 240, "L"},
                         {250, 300, "T"},       {400, 300, "N"}, {400, 320, "P"}, {400, 340, "O"}};
  for (const auto& [x, y, screen] : presses) {
    MarkChannel(ChannelEffects);
    PushMotion(x, y);
    PushButton(true, 10, 10);  // judged by the last motion
    PushMotion(20, 450);
    PushButton(false, 20, 450);  // a page ends at a press only
    Frames(Game, 1);
    EXPECT_EQ(Showing(), screen) << x << "," << y;
    EXPECT_EQ(Plays(ChannelEffects), screen != inMenu) << "the click";
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
  PushButton(true, 499, 399, SDL_BUTTON_LEFT, TouchDevice);  // a finger, with no motion before it
  PushMotion(200, 100, TouchDevice);
  Frames(Game, 1);
  EXPECT_TRUE(Game.IsQuitRequested() && Game.GetCurrentModule() == menu) << "the exit entry";
  Expect({{200, 100, Shown("background")}});  // nothing hovers under a finger
  PushMotion(200, 100);
  Frames(Game, 1);
  Expect({{200, 100, Shown("hand")}});  // the mouse's again, and frames still run after the exit
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
  EXPECT_EQ(Plays(ChannelEffects), 1) << "the hit sound";
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
    EXPECT_EQ(Plays(ChannelEffects), sounds) << x << "," << y;
    ExpectText(300, 280, name);
    Expect({{305 + 10 * int(name.size()), 288, Shown("background")}});
  }
  for (const char key : std::string("bcdefghijkl")) Drag(Game, {KeyAt(key)});
  ExpectText(300, 280, "abcdefgh");
  Expect({{385, 288, Shown("background")}});  // typing stops at the table's 8 letters
  fs::remove(HighScoreFileName);
  fs::create_directory(HighScoreFileName);  // the save fails: the table's panel says so
  Click(Game, 374, 259);                    // enter: the same press does not also leave the table
  ExpectTable({{"abcdefgh", "9"}, {"", "0"}});
  ExpectText(255, 370, "name not saved, is a directory");
}

TEST_F(BoglingsAndSkittersTest, KeysAlonePausePlayAndMute) {
  const auto hand = [](int y) { return std::tuple(470, y, Shown("hand")); };
  const auto playing = [&] { return TGameModuleAccess(*static_cast<TGameModule*>(Game.GetCurrentModule())); };
  const auto holds = [&](const std::function<void()>& pause) {  // the timer and the hint over many frames
    const auto clocks = [&] { return std::pair(playing().Timer, playing().HintTicks); };
    const auto before = clocks();
    pause();
    Frames(Game, 300);
    return clocks() == before;
  };
  const std::vector<std::tuple<int, int, Rgb>> panel = {
      {181, 8, Shown("paused")}, {628, 455, Shown("paused")}, {405, 232, Shown("paused")}};
  const std::function<void()> journeys[] = {
      [&] {  // the menu's hand stops at the first and the last entry
        Keys(Game, {SDLK_x, SDLK_DOWN, SDLK_UP});
        Expect({hand(175)});
        Keys(Game, {SDLK_DOWN, SDLK_DOWN, SDLK_DOWN, SDLK_DOWN, SDLK_DOWN, SDLK_DOWN});
        Expect({hand(375)});
        Keys(Game, {SDLK_UP, SDLK_KP8, SDLK_UP, SDLK_RETURN});
        EXPECT_EQ(Showing(), typeid(TGameModule));
      },
      [&] {  // a line by the cursor, the wand, the pause, then Q
        Settle(playing().Board, {{2, 3}, {3, 3}, {4, 3}});
        Keys(Game, {SDLK_LEFT, SDLK_h});
        PushKey(SDLK_SPACE, true);
        Keys(Game, {SDLK_RIGHT, SDLK_RIGHT});
        Expect({{213 + 64 * 4 - 31, 232, OnScreen({255, 128, 0})}, {213 + 64 * 4, 232 - 28, OnScreen({255, 255, 0})}});
        PushKey(SDLK_SPACE, false);
        Frames(Game, 1);
        EXPECT_EQ(std::tuple(playing().Score, playing().TilesToClear, playing().HintsLeft), std::tuple(9, 97, 3));
        // Diagonals by the keypad, and by Up pressed while Left is held: that first Up takes back the
        // tile beside the line that Left alone picked.
        const std::tuple<Cells, SDLKey, SDLKey> diagonals[] = {{{{4, 3}, {3, 4}, {2, 5}}, SDLK_UNKNOWN, SDLK_KP1},
                                                               {{{2, 5}, {1, 4}, {0, 3}, {1, 5}}, SDLK_LEFT, SDLK_UP}};
        for (const auto& [cells, held, tapped] : diagonals) {
          Settle(playing().Board, cells);
          for (const SDLKey key : {SDLK_SPACE, held}) PushKey(key, true);
          Keys(Game, {tapped, tapped});
          for (const SDLKey key : {held, SDLK_SPACE}) PushKey(key, false);
          Frames(Game, 1);
        }
        EXPECT_EQ(std::pair(playing().Score, playing().TilesToClear), std::pair(27, 91));
        // Neither P's repeat nor a modifier alone (Alt, as Alt+Tab begins) resumes.
        EXPECT_TRUE(holds([&] {
          PushKey(SDLK_p, true);
          Keys(Game, {SDLK_p, SDLK_LALT, SDLK_RMETA});
        }));
        Expect(panel);
        Click(Game, 10, 10);
        EXPECT_EQ(playing().Timer, playing().TimeLimit - 2) << "resumed";
        WriteBytes(HighScoreFileName, Bytes(HighScoreFileBytes, 0));
        Keys(Game, {SDLK_ESCAPE, SDLK_q});
        EXPECT_EQ(Showing(), typeid(THighScoreModule));
      },
      [&] {  // M is a letter here, and typing stops at 8
        Frames(Game, 150);
        Keys(Game, {SDLK_m, SDLK_m, SDLK_z, SDLK_b, SDLK_c, SDLK_d, SDLK_e, SDLK_f, SDLK_g, SDLK_BACKSPACE});
        for (int repeat = 0; repeat < 3; ++repeat) PushKey(SDLK_KP_ENTER, true);  // held: it stays on the table
        Frames(Game, 1);
        ExpectTable({{"mmzbcde", "27"}});
        PushKey(SDLK_KP_ENTER, false);
        THighScores saved;
        saved.LoadFromFile();
        EXPECT_EQ(saved.GetEntries()[0].NameText(), "mmzbcde");
        Keys(Game, {SDLK_LSHIFT});
        EXPECT_EQ(Showing(), typeid(THighScoreModule)) << "a modifier alone is no key";
        Keys(Game, {SDLK_x});
        EXPECT_EQ(Showing(), typeid(TMenuModule));
      },
      [&] {  // a hidden window pauses, a lost focus does not; either lets go of the keys held
        Keys(Game, {SDLK_DOWN, SDLK_DOWN, SDLK_RETURN});
        PushKey(SDLK_x, true);
        for (const int state : {SDL_APPINPUTFOCUS | SDL_APPMOUSEFOCUS, SDL_APPACTIVE}) {
          SDL_Event event{.active = {SDL_ACTIVEEVENT, 0, Uint8(state)}};
          EXPECT_EQ(holds([&] { SDL_PushEvent(&event); }), state == SDL_APPACTIVE);
        }
        Expect(panel);
        Keys(Game, {SDLK_x});  // a new press, which resumes
        EXPECT_FALSE(holds([] {}));
      },
      [&] {  // mute silences every channel, keeps the music's place and shows its sign
        Mix_Chunk* const music = Mix_GetChunk(ChannelMusic);
        for (const int volume : {0, 128}) {
          Keys(Game, {SDLK_m});
          EXPECT_TRUE(Mix_Playing(ChannelMusic) && Mix_GetChunk(ChannelMusic) == music);
          EXPECT_EQ(
              std::vector({Mix_Volume(ChannelGame, -1), Mix_Volume(ChannelEffects, -1), Mix_Volume(ChannelMusic, -1)}),
              std::vector({volume, volume, volume * 48 / 128}));
          const Rgb sign = volume ? Shown("background") : Shown("mute");
          Expect({{608, 459, sign}, {633, 478, sign}});
        }
      }};
  for (const auto& journey : journeys) journey();
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
