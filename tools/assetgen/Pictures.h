#pragma once
// Every picture of the game, drawn from the sources under assets/.

#include "Picture.h"

#include <filesystem>
#include <vector>

namespace assetgen {

// Screen positions the pictures are drawn at; their soft edges are blended into what lies there.
constexpr int TileRadius = 24;  // opaque pixels stay inside the disc's selection ring (25-30)
constexpr int TileSize = 2 * TileRadius + 1;

// All 26 pictures of the asset index and the window's icon, in a fixed order. Throws
// std::runtime_error naming the source that cannot be read.
std::vector<Picture> MakePictures(const std::filesystem::path& assets);

}  // namespace assetgen
