#include "media/LibFiles.h"

#include "media/LibErrors.h"
#include "support/Headless.h"

class LibFilesTest : public HeadlessTest {};

// Which files load as pictures and sounds; the fuzz corpus replays the damaged ones it found.
TEST_F(LibFilesTest, OnlyScrambledSafeFilesLoad) {
  const auto wav = [](uint32_t rate, uint8_t channels, uint8_t bits, uint8_t encoding = 1) {
    Bytes made = MakeWav(64, rate);
    made[20] = encoding;
    made[22] = channels;
    made[34] = bits;
    return made;
  };
  const Bytes red = MakeBmp(3, 2, [](int, int) { return Rgb{255, 0, 0}; });
  Bytes listFirst = MakeWav(64), shortFormat = MakeWav(64);
  shortFormat.resize(34);
  listFirst.insert(listFirst.begin() + 12, {'L', 'I', 'S', 'T', 4, 0, 0, 0, 'a', 'b', 'c', 'd'});
  // File, bytes, whether scrambled, whether it loads.
  const std::tuple<const char*, Bytes, bool, bool> rows[] = {
      {"sprites/red.dat", red, true, true},
      {"sprites/plain.dat", red, false, false},
      {"sprites/empty.dat", {}, false, false},
      {"sounds/mono8.dat", wav(4000, 1, 8), true, true},
      {"sounds/fast.dat", wav(192001, 2, 16), true, false},
      {"sounds/three.dat", wav(44100, 3, 16), true, false},
      {"sounds/twelve.dat", wav(44100, 2, 12), true, false},
      {"sounds/float.dat", wav(44100, 2, 16, 3), true, false},
      {"sounds/list.dat", listFirst, true, true},
      {"sounds/short.dat", shortFormat, true, false},
      {"sounds/plain.dat", MakeWav(10), false, false},
  };
  for (const auto& [file, bytes, scrambled, loads] : rows) {
    const bool picture = std::string(file).starts_with("sprites");
    if (scrambled)
      WriteDatFile(file, bytes);
    else
      WriteBytes(file, bytes);
    std::string message = "loaded";
    try {
      if (picture)
        LoadSprite(file);
      else
        LoadSound(file);
    } catch (const Exception& failure) {
      message = failure.Message();
    }
    const std::string cause = std::string(picture ? "Cannot load picture " : "Cannot load sound ") + file + ": ";
    EXPECT_TRUE(loads ? message == "loaded" : message.starts_with(cause)) << message;
  }
}
