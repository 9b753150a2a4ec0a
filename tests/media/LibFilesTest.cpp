#include "media/LibFiles.h"

#include "media/LibErrors.h"
#include "support/Headless.h"

using LibFilesTest = HeadlessTest;

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
  // File (unscrambled where plain), bytes, whether it loads.
  const std::tuple<std::string, Bytes, bool> rows[] = {
      {"sprites/red.dat", red, true},
      {"sprites/plain.dat", red, false},
      {"sprites/plain-empty.dat", {}, false},
      {"sounds/mono8.dat", wav(4000, 1, 8), true},
      {"sounds/fast.dat", wav(192001, 2, 16), false},
      {"sounds/three.dat", wav(44100, 3, 16), false},
      {"sounds/twelve.dat", wav(44100, 2, 12), false},
      {"sounds/float.dat", wav(44100, 2, 16, 3), false},
      {"sounds/list.dat", listFirst, true},
      {"sounds/short.dat", shortFormat, false},
      {"sounds/plain.dat", MakeWav(10), false},
  };
  for (const auto& [file, bytes, loads] : rows) {
    const bool picture = file.starts_with("sprites");
    if (file.find("plain") == std::string::npos)
      WriteDatFile(file, bytes);
    else
      WriteBytes(file, bytes);
    std::string message = "loaded";
    try {
      if (picture)
        LoadSprite(file.c_str());
      else
        LoadSound(file.c_str());
    } catch (const Exception& failure) {
      message = failure.Message();
    }
    const std::string cause = (picture ? "Cannot load picture " : "Cannot load sound ") + file + ": ";
    EXPECT_TRUE(loads ? message == "loaded" : message.starts_with(cause)) << message;
  }
}
