#pragma once
// A PNG of all pictures enlarged on a grid, for looking the art over (never shipped).

#include "Picture.h"

#include <filesystem>
#include <vector>

namespace assetgen {

// Writes the sheet to `file`, and each picture enlarged on its own next to it under preview/.
// Throws std::runtime_error when a PNG cannot be written.
void WriteContactSheet(const std::vector<Picture>& pictures, const std::filesystem::path& file);

}  // namespace assetgen
