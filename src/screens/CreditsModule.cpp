#include "screens/CreditsModule.h"

namespace {

constexpr int Roles = 250;
constexpr int Names = 400;
// One studio made the game; the testing was shared out.
constexpr const char* Maker = "Lantern Moth";

constexpr TPageLine CreditLines[] = {
    {Roles, 100, "Credits"}, {Roles, 160, "Programming"}, {Names, 160, Maker},           {Roles, 200, "Graphics"},
    {Names, 200, Maker},     {Roles, 240, "Music and"},   {Roles, 260, "sound"},         {Names, 240, Maker},
    {Roles, 300, "Testing"}, {Names, 300, "Night Shift"}, {Names, 320, "Pumpkin Patch"}, {Names, 340, "Our Players"},
};

}  // namespace

TCreditsModule::TCreditsModule(TGame& game) : TPageModule(game, CreditLines) {}
