// Generates every picture and sound of the game from the sources under assets/:
//   boglings_assetgen ASSETS_DIR GAME_DIR [CONTACT_SHEET_PNG [ICONS_DIR ICON...]]
// writes the files ASSETS_DIR/files.txt lists into GAME_DIR (sprites/*.dat, sounds/*.dat), and
// the icons ICONS_DIR/ICON.png (ICON as NxN or maskable-NxN) and ICONS_DIR/scalable.svg. The same
// sources always give the same bytes. Exits with 1 and a message on standard error when a source cannot be read,
// the files made differ from the list, or a file cannot be written.

#include "AppIcon.h"
#include "ContactSheet.h"
#include "DatFile.h"
#include "Pictures.h"
#include "Sounds.h"

#include <exception>
#include <filesystem>
#include <iostream>
#include <map>
#include <string>
#include <vector>

namespace fs = std::filesystem;
using namespace assetgen;

int main(int argc, char** argv) {
  if (argc < 3 || argc == 5) {
    std::cerr << "usage: " << argv[0] << " ASSETS_DIR GAME_DIR [CONTACT_SHEET_PNG [ICONS_DIR ICON...]]\n";
    return 2;
  }
  try {
    const fs::path assets = argv[1], game = argv[2];
    fs::create_directories(game / "sprites");
    fs::create_directories(game / "sounds");
    const auto pictures = MakePictures(assets);
    std::map<std::string, std::vector<uint8_t>> files;
    for (const Picture& picture : pictures) files["sprites/" + picture.Name + ".dat"] = EncodeBmp(picture);
    for (const Sound& sound : MakeSounds(assets)) files["sounds/" + sound.Name + ".dat"] = EncodeWav(sound);
    WriteAssetFiles(game, files, ReadAssetList(assets / "files.txt"));
    if (argc >= 4) WriteContactSheet(pictures, argv[3]);
    if (argc >= 6) WriteIcons(assets / "pictures", argv[4], std::vector<std::string>(argv + 5, argv + argc));
  } catch (const std::exception& failure) {
    std::cerr << argv[0] << ": " << failure.what() << "\n";
    return 1;
  }
  return 0;
}
