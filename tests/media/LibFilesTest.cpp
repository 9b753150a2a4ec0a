#include "media/LibFiles.h"

#include "media/LibErrors.h"
#include "support/Headless.h"

using LibFilesTest = HeadlessTest;

// Which files load as pictures and sounds; the fuzz corpus replays the damaged ones it found.
TEST_F(LibFilesTest, OnlyScrambledSafeFilesLoad) {
  // Format fields over 64 silent stereo frames; an extension lengthens the format chunk.
  const auto wav = [](uint32_t rate, uint8_t channels, uint8_t bits, uint16_t encoding = 1, uint8_t align = 4,
                      const Bytes& extension = {}) {
    Bytes made = MakeWav(64, rate);
    made[20] = uint8_t(encoding), made[21] = encoding >> 8, made[22] = channels, made[32] = align, made[34] = bits;
    made.insert(made.begin() + 36, extension.begin(), extension.end());
    made[16] += uint8_t(extension.size());
    return made;
  };
  Bytes pcmSubFormat(24), msAdpcm = {32, 0, 66, 0, 7, 0};  // samples a block, then SDL's seven coefficient pairs
  pcmSubFormat[8] = 1;
  for (const int16_t c : {256, 0, 512, -256, 0, 0, 192, 64, 240, 0, 460, -208, 392, -232})
    msAdpcm.insert(msAdpcm.end(), {uint8_t(c), uint8_t(c >> 8)});
  const Bytes red = MakeBmp(3, 2, [](int, int) { return Rgb{255, 0, 0}; });
  Bytes listFirst = MakeWav(64), shortFormat = MakeWav(64);
  Bytes noData = shortFormat;
  shortFormat.resize(34);
  noData.resize(36);
  listFirst.insert(listFirst.begin() + 12, {'L', 'I', 'S', 'T', 4, 0, 0, 0, 'a', 'b', 'c', 'd'});
  // File (unscrambled where plain), bytes, whether it loads. Rates within a factor of 16 of the
  // mixer's 44100 Hz and 1 to 8 channels pass; what the mixer decodes, it plays. PCM whose block
  // alignment is not the 4 of 16-bit stereo loads on sdl12-compat too.
  const std::tuple<std::string, Bytes, bool> rows[] = {
      {"sprites/red.dat", red, true},
      {"sprites/plain.dat", red, false},
      {"sprites/plain-empty.dat", {}, false},
      {"sounds/mono8.dat", wav(2757, 1, 8), true},
      {"sounds/eight8.dat", wav(2757, 8, 8), true},
      {"sounds/slow.dat", wav(2756, 1, 8), false},
      {"sounds/fast.dat", wav(705600, 8, 8), true},
      {"sounds/faster.dat", wav(705601, 2, 16), false},
      {"sounds/three.dat", wav(44100, 3, 16), true},
      {"sounds/none.dat", wav(44100, 0, 16), false},
      {"sounds/nine.dat", wav(44100, 9, 8), false},
      {"sounds/quad.dat", wav(44100, 4, 16, 0xFFFE, 8, pcmSubFormat), true},
      {"sounds/ima.dat", wav(22050, 1, 4, 0x11, 36, {2, 0, 65, 0}), true},
      {"sounds/ima-lies.dat", wav(22050, 1, 4, 0x11, 36, {2, 0, 66, 0}), false},
      {"sounds/ms.dat", wav(8000, 1, 4, 2, 39, msAdpcm), true},
      {"sounds/twelve.dat", wav(44100, 2, 12), false},
      {"sounds/float.dat", wav(44100, 2, 16, 3), false},
      {"sounds/list.dat", listFirst, true},
      {"sounds/short.dat", shortFormat, false},
      {"sounds/no-data.dat", noData, false},
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
  Bytes tone = MakeWav(64);  // in the mixer's own format: the samples reach it as they are stored
  for (size_t i = 44; i < tone.size(); ++i) tone[i] = uint8_t(i * 7);
  WriteDatFile("sounds/tone.dat", tone);
  const SoundPtr chunk = LoadSound("sounds/tone.dat");
  EXPECT_EQ(Bytes(chunk->abuf, chunk->abuf + chunk->alen), Bytes(tone.begin() + 44, tone.end()));
}
