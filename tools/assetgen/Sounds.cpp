#include "Sounds.h"

#include "Effects.h"
#include "Music.h"

namespace assetgen {

std::vector<Sound> MakeSounds(const std::filesystem::path& assets) {
  std::vector<Sound> sounds;
  sounds.push_back(MakeMusic(assets / "music" / "theme.txt"));
  sounds.push_back(MakePop());
  sounds.push_back(MakeHit());
  sounds.push_back(MakeGhost());
  sounds.push_back(MakeScore());
  sounds.push_back(MakeSqueak());
  return sounds;
}

}  // namespace assetgen
