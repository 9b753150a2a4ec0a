// Arbitrary bytes as highscores.bin: loading either fails with the report's I/O error or gives a
// table that survives a save and a reload unchanged.

#include "FuzzSupport.h"

#include "media/LibErrors.h"
#include "scores/LibHighScores.h"

#include <algorithm>
#include <string_view>

namespace {

bool SameEntries(const THighScores& a, const THighScores& b) {
  for (int i = 0; i < HighScoreCount; ++i) {
    const THighScoreEntry& x = a.GetEntries()[i];
    const THighScoreEntry& y = b.GetEntries()[i];
    if (x.NameLength != y.NameLength || x.Name != y.Name || x.Score != y.Score) return false;
  }
  return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  EnterFuzzDirectory();
  WriteFile(HighScoreFileName, data, size);
  THighScores table;
  try {
    table.LoadFromFile();
  } catch (const EInOutError& failure) {
    if (size >= HighScoreFileBytes || failure.Code() != IoReadBeyondEnd) __builtin_trap();
    return 0;
  }
  for (const THighScoreEntry& entry : table.GetEntries()) {
    if (entry.NameLength > NameCapacity) __builtin_trap();
  }
  if (size < HighScoreFileBytes) __builtin_trap();
  const uint32_t score = size >= 4 ? data[0] | data[1] << 8 | data[2] << 16 | uint32_t{data[3]} << 24 : 0;
  const std::string_view name(reinterpret_cast<const char*>(data), std::min<size_t>(size, 12));
  if (table.Qualifies(score)) table.Insert(name, score);
  table.SaveToFile();
  THighScores reloaded;
  reloaded.LoadFromFile();
  if (!SameEntries(table, reloaded)) __builtin_trap();
  return 0;
}
