#pragma once
// The game's icon: the window's sprite and the icon files of the desktop and the page, all from
// one drawing.

#include "Picture.h"

#include <filesystem>
#include <string>
#include <vector>

namespace assetgen {

constexpr int WindowIconSize = 32;

// The window's icon ("icon"): its rounded corners are transparent, its soft edges blended into
// a dark task bar.
Picture MakeWindowIcon(const std::filesystem::path& pictures);

// Writes DIR/NAME.png for every name, and DIR/scalable.svg: vector paths and gradients only, no
// fonts and no references outside the file. "NxN" is the icon of N pixels on its rounded plate
// with transparent corners; "maskable-NxN" fills the square to its edges and keeps the picture
// inside the middle circle, for a system that cuts an app's icon to its own shape. Throws
// std::runtime_error naming a file it cannot write, a source it cannot read or a name it does not know.
void WriteIcons(const std::filesystem::path& pictures, const std::filesystem::path& dir,
                const std::vector<std::string>& names);

}  // namespace assetgen
