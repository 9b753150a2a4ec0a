#pragma once
// The folder the installed game runs in.
//
// The game reads sprites/, sounds/ and highscores.bin relative to its working directory. An
// installed program finds its data folder by a fixed path from its own folder and runs in the
// player's own folder, $XDG_DATA_HOME/org.lanternmoth.Boglings (by default under
// ~/.local/share): the score file lives there, and the links sprites and sounds lead into the
// data folder. A program with no data folder beside it (the build tree) runs where it started.

#include <filesystem>

class TUserFolder {
 public:
  // Makes the player's folder the working directory, creating it and renewing its links as
  // needed; a folder that can be read but not written is still used, so its table shows. When it
  // cannot be created or overlaps the installed data, says so in one line on standard error and
  // runs in a private temporary folder instead: scores then last for this session only, and
  // nothing is ever written beside the installed data. Throws EInOutError when not even that
  // folder can be made.
  TUserFolder();
  // Removes the temporary folder, if one was made.
  ~TUserFolder();
  TUserFolder(const TUserFolder&) = delete;
  TUserFolder& operator=(const TUserFolder&) = delete;

 private:
  std::filesystem::path Temporary;
};
