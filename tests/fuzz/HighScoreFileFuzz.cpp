// Any bytes as highscores.bin: too short to read, or a table that an insert, save and reload keep.

#include "FuzzSupport.h"

#include "media/LibErrors.h"
#include "scores/LibHighScores.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  StartHeadless(false);
  WriteBytes(HighScoreFileName, Bytes(data, data + size));
  THighScores table;
  try {
    table.LoadFromFile();
  } catch (const EInOutError& failure) {
    if (size >= HighScoreFileBytes || failure.Code() != IoReadBeyondEnd) __builtin_trap();
    return 0;
  }
  if (size < HighScoreFileBytes) __builtin_trap();
  uint32_t score = 0;
  std::memcpy(&score, data, 4);
  if (table.Qualifies(score)) table.Insert({reinterpret_cast<const char*>(data), 12}, score);
  table.SaveToFile();
  THighScores reloaded;
  reloaded.LoadFromFile();
  for (int i = 0; i < HighScoreCount; ++i) {
    const THighScoreEntry &a = table.GetEntries()[i], &b = reloaded.GetEntries()[i];
    if (a.NameLength > NameCapacity || a.NameLength != b.NameLength || a.Name != b.Name || a.Score != b.Score)
      __builtin_trap();
  }
  return 0;
}
