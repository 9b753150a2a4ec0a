#pragma once
// Pictures made of lettering: the title, the menu entries, the back sign, the maker's mark and the
// panel that hides the board during a pause.

#include "Canvas.h"
#include "Picture.h"

#include <filesystem>
#include <string>

namespace assetgen {

// `backdrop(cornerX, cornerY)` gives what lies under a picture drawn with that corner.
using BackdropAt = std::function<Backdrop(int cornerX, int cornerY)>;

Picture MakeTitle(const std::filesystem::path& bat, const BackdropAt& screen);
Picture MakeMenuEntry(const std::string& name, const std::string& words, int index, const BackdropAt& screen);
Picture MakeBack(const BackdropAt& screen);
Picture MakeMakerLogo(const std::filesystem::path& emblem);
// A plate as large as the board's, with a ghost over the word "paused".
Picture MakePausedPanel(const std::filesystem::path& ghost, const BackdropAt& screen);

}  // namespace assetgen
