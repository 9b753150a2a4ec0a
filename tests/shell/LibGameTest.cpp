#include "shell/LibGame.h"

#include <gtest/gtest.h>

#include <SDL.h>

#include <string>
#include <vector>

namespace {

using Log = std::vector<std::string>;

class RecordingModule : public TModule {
 public:
  RecordingModule(TGame& game, Log& log, bool loadOnce) : TModule(game), Calls(log), LoadOnce(loadOnce) {}
  void Load() override {
    Calls.push_back("Load");
    if (LoadOnce) TModule::Load();
  }
  void Unload() override { Calls.push_back("Unload"); }
  void MouseMove(int x, int y) override { Calls.push_back("MouseMove " + std::to_string(x) + "," + std::to_string(y)); }

 private:
  Log& Calls;
  bool LoadOnce;
};

class BareGame : public TGame {
 public:
  void Start() override {}
};

}  // namespace

class LibGameTest : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_EQ(SDL_Init(SDL_INIT_VIDEO), 0); }
  void TearDown() override { SDL_Quit(); }
  BareGame Game;
  Log Calls;
};

TEST_F(LibGameTest, SetModuleLoadsFirstThenTellsThePointerAndNeverReloadsALoadedModule) {
  RecordingModule once(Game, Calls, true);
  Game.SetModule(&once);
  Game.SetModule(&once);
  EXPECT_EQ(Game.GetCurrentModule(), &once);
  EXPECT_EQ(Calls, (Log{"Load", "MouseMove 0,0", "MouseMove 0,0"}));

  // A module that does not run the base Load is loaded every time it is made current.
  Calls.clear();
  RecordingModule always(Game, Calls, false);
  Game.SetModule(&always);
  Game.SetModule(&always);
  EXPECT_EQ(Calls, (Log{"Load", "MouseMove 0,0", "Load", "MouseMove 0,0"}));
}

TEST_F(LibGameTest, FreeingUnloadsExactlyTheLoadedModules) {
  {
    OwnedModule<TModule> loaded(new RecordingModule(Game, Calls, true));
    loaded->Load();
  }
  EXPECT_EQ(Calls, (Log{"Load", "Unload"}));
  Calls.clear();
  { OwnedModule<TModule> neverLoaded(new RecordingModule(Game, Calls, false)); }
  EXPECT_TRUE(Calls.empty());
}

TEST_F(LibGameTest, BaseRequestQuitAcceptsAnyCode) {
  EXPECT_FALSE(Game.IsQuitRequested());
  Game.RequestQuit(7);
  EXPECT_TRUE(Game.IsQuitRequested());
}
