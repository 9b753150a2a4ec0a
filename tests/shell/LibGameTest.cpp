#include "shell/LibGame.h"

#include <gtest/gtest.h>

#include <SDL.h>

namespace {

using Log = std::vector<std::string>;

class TLoggingModule : public TModule {
 public:
  TLoggingModule(TGame& game, Log& log, bool loadOnce) : TModule(game), Calls(log), LoadOnce(loadOnce) {}
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

class TBareGame : public TGame {
 public:
  void Start() override {}
};

}  // namespace

TEST(LibGameTest, ModulesLoadOnceAndHearThePointerAndUnloadOnlyWhenLoaded) {
  ASSERT_EQ(SDL_Init(SDL_INIT_VIDEO), 0);
  TBareGame game;
  Log calls;
  TLoggingModule once(game, calls, true), always(game, calls, false);
  for (TModule* module : {&once, &once, &always, &always}) game.SetModule(module);
  EXPECT_EQ(game.GetCurrentModule(), &always);
  EXPECT_EQ(calls, (Log{"Load", "MouseMove 0,0", "MouseMove 0,0", "Load", "MouseMove 0,0", "Load", "MouseMove 0,0"}));
  calls.clear();
  OwnedModule<TModule>(new TLoggingModule(game, calls, true))->Load();
  OwnedModule<TModule>{new TLoggingModule(game, calls, false)};
  EXPECT_EQ(calls, (Log{"Load", "Unload"}));
  EXPECT_FALSE(game.IsQuitRequested());
  game.RequestQuit(7);
  EXPECT_TRUE(game.IsQuitRequested()) << "the base controller takes any code";
  SDL_Quit();
}
