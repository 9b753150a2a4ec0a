#pragma once
// Every sound of the game: the effects are synthesised here, the music from assets/music/.

#include "Wave.h"

#include <filesystem>
#include <vector>

namespace assetgen {

// The six sounds of the asset index, at their levels in the game's mix, with click-free ends. Throws
// std::runtime_error naming a music source that cannot be read, or the first fault when any two
// effects together over the music would break the mix (see MixFaults).
std::vector<Sound> MakeSounds(const std::filesystem::path& assets);

}  // namespace assetgen
