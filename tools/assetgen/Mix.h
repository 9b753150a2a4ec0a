#pragma once
// The rules the game's mix sets its sounds. The game adds its three channels without headroom and
// clamps the sum, plays a channel's sounds one at a time, and may start a sound on ChannelGame
// (a signal) together with one on ChannelEffects (an effect), over the looping music.

#include "Wave.h"

#include <string>
#include <vector>

namespace assetgen {

// What breaks the mix, a line each, none when it holds:
// - a signal's peak, an effect's and the music's at MusicVolume add up to full scale or more;
// - a signal or an effect is not 6 to 10 dB louder (RMS) than the music as the game plays it;
// - a sound's offset (mean of a side) is 1e-4 of full scale or more;
// - a centred sound's sides peak more than 1 dB apart;
// - a sound's first or last frame (the music's first only: its end runs on into its start) is
//   1e-3 of full scale or louder, a click.
// `sounds` holds the music (named "music") and every sound `signals` and `effects` name.
std::vector<std::string> MixFaults(const std::vector<Sound>& sounds, const std::vector<std::string>& signals,
                                   const std::vector<std::string>& effects);

}  // namespace assetgen
