#pragma once
// The game's icon: the window's sprite and the desktop's icon files, all from one drawing.

#include "Picture.h"

#include <filesystem>
#include <vector>

namespace assetgen {

constexpr int WindowIconSize = 32;

// The window's icon ("icon"): its rounded corners are transparent, its soft edges blended into
// a dark task bar.
Picture MakeWindowIcon(const std::filesystem::path& pictures);

// Writes DIR/NxN.png for every size, and DIR/scalable.svg: vector paths and gradients only, no
// fonts and no references outside the file. Throws std::runtime_error naming a file it cannot
// write or a source it cannot read.
void WriteDesktopIcons(const std::filesystem::path& pictures, const std::filesystem::path& dir,
                       const std::vector<int>& sizes);

}  // namespace assetgen
