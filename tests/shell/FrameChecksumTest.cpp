// Whole frames of every screen against checksums recorded from the game as it draws today: any
// change to what is drawn, in what order or in which colours shows here, so a faster drawing path
// must keep every pixel. The fixture pictures stand in for the art, so new art changes nothing.
// When a change of the picture is meant, record the new values printed by the failure.

#include "support/Headless.h"
#include "support/ScreenScenarios.h"

#include <cstdio>
#include <map>

namespace {

// Long enough for every state to run its course and be built again at least once.
constexpr int FramesPerScreen = 160;

const std::map<TScreenState, uint32_t> Recorded = {
    {TScreenState::Intro, 0xcdd5b1cbu},
    {TScreenState::Menu, 0xa4c8ddacu},
    {TScreenState::Help, 0xf90d1184u},
    {TScreenState::Credits, 0xeb3c800cu},
    {TScreenState::ScoreTable, 0x834ea001u},
    {TScreenState::ScoreKeyboard, 0x0b5cf2cbu},
    {TScreenState::GameAtRest, 0xe2a6f69fu},
    {TScreenState::GameFalling, 0xefdb9be3u},
    {TScreenState::GameSelection, 0x19d35df9u},
};

}  // namespace

class FrameChecksumTest : public HeadlessTest {};

TEST_F(FrameChecksumTest, EveryScreenDrawsTheRecordedFrames) {
  for (const TScreenState state : AllScreenStates) {
    // Every frame's pixels, one after the other, hashed into one value per screen.
    TScreenScenario scenario(state);
    uint32_t checksum = ChecksumStart;
    for (int frame = 0; frame < FramesPerScreen; ++frame) {
      scenario.Frame();
      checksum = ScreenChecksum(checksum);
    }
    EXPECT_EQ(checksum, Recorded.at(state)) << ScreenStateName(state) << ": now 0x" << std::hex << checksum;
  }
}
