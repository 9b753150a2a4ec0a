#include "screens/HelpModule.h"

namespace {

constexpr int Left = 200;

constexpr TPageLine HelpLines[] = {
    {Left, 60, "How to play"},
    {Left, 100, "It's Halloween and you've called at the"},
    {Left, 120, "spookiest house on the street! Boglings"},
    {Left, 140, "and skitters are everywhere but that"},
    {Left, 160, "won't keep you from getting as many"},
    {Left, 180, "sweets as you can."},
    {Left, 210, "Click and drag a line over 3 or more of"},
    {Left, 230, "the same picture tile to make them"},
    {Left, 250, "disappear. The more you get in one go,"},
    {Left, 270, "the more sweets you'll earn."},
    {Left, 290, "When you clear enough tiles, you'll"},
    {Left, 310, "go to the next level."},
    {Left, 335, "Click the wand if you need a hint."},
    {Left, 360, "Beware, your time is limited, when"},
    {Left, 380, "it runs out you lose a turn."},
};

}  // namespace

THelpModule::THelpModule(TGame& game) : TPageModule(game, HelpLines) {}
