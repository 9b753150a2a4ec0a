#include "Sounds.h"

#include "Effects.h"
#include "Mix.h"
#include "Music.h"

#include <stdexcept>

namespace assetgen {

std::vector<Sound> MakeSounds(const std::filesystem::path& assets) {
  std::vector<Sound> sounds;
  sounds.push_back(MakeMusic(assets / "music" / "theme.txt"));
  sounds.push_back(MakePop());
  sounds.push_back(MakeHit());
  sounds.push_back(MakeGhost());
  sounds.push_back(MakeScore());
  sounds.push_back(MakeSqueak());
  // Which screen plays what on which channel is the game's business: here every two effects may
  // sound at once, which holds whatever the game pairs.
  std::vector<std::string> effects;
  for (const Sound& sound : sounds)
    if (sound.Name != "music") effects.push_back(sound.Name);
  const auto faults = MixFaults(sounds, effects, effects);
  if (!faults.empty()) throw std::runtime_error("the sounds break the game's mix: " + faults.front());
  return sounds;
}

}  // namespace assetgen
