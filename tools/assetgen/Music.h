#pragma once
// The menu music: a score in a small text format, played by built-in instruments.

#include "Wave.h"

#include <filesystem>

namespace assetgen {

// Renders the score file as a seamless loop: notes and echoes that run past the end sound again
// at the start. Throws std::runtime_error with the file and line for a malformed score, and when
// a part's length differs from the loop's.
Sound MakeMusic(const std::filesystem::path& scoreFile);

}  // namespace assetgen
