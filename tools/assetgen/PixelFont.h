#pragma once
// The font and digit strips, drawn from the hand-made pixel glyphs in assets/font/glyphs.txt.

#include "Picture.h"

#include <filesystem>
#include <vector>

namespace assetgen {

// One picture per strip in the file, named by the strip. Throws std::runtime_error with the file
// and line when the glyph file is malformed.
std::vector<Picture> MakeGlyphStrips(const std::filesystem::path& glyphFile);

}  // namespace assetgen
