#pragma once
// The ten best scores with their players' names, best first, and their file highscores.bin in the
// working directory: ten 13-byte records (a length byte, 8 name bytes, an unsigned 32-bit
// little-endian score), 130 bytes with nothing else. Scores always compare unsigned.

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

constexpr int NameCapacity = 8;
constexpr int HighScoreCount = 10;
constexpr int EntryBytes = 1 + NameCapacity + 4;
constexpr int HighScoreFileBytes = HighScoreCount * EntryBytes;
constexpr const char* HighScoreFileName = "highscores.bin";

// One place of the table. Name bytes past the length carry no meaning but are never cleared: they
// go back to the file as they came, or as a longer name in that place left them.
struct THighScoreEntry {
  uint8_t NameLength = 0;  // 0 to NameCapacity
  std::array<uint8_t, NameCapacity> Name{};
  uint32_t Score = 0;

  std::string_view NameText() const { return {reinterpret_cast<const char*>(Name.data()), NameLength}; }
};

class THighScores {
 public:
  // The default table: "hoko" with 1000, 900, ... 100.
  THighScores();

  // Replaces the table with the file's first 130 bytes. A file that cannot be opened, or is no
  // regular file, leaves the table as it is; opening never waits (a FIFO). A shorter file throws
  // EInOutError(IoReadBeyondEnd), a read or close error EInOutError with its code. A name length
  // above 8 is taken as 8. Never writes to the file.
  void LoadFromFile();

  // Replaces the file with the table, under an exclusive lock on the file's folder that a save of
  // another copy of the game waits for (half a second at most, then it goes on without it). Where
  // it can, whole or not at all: the bytes go to a temporary file of a name no other file has,
  // beside the file (beside the file a symbolic link leads to, where the kernel would follow that
  // link: so the link stays), which takes the old file's group and permission bits, is flushed to
  // disk and renamed over it. Rewritten in place instead, keeping owner, group, bits and other
  // names, where a new file could not keep them (another owner's file, other hard links), where no
  // file can be made beside it, or where the folder refuses the rename (a bind mount, a sticky
  // folder). Only a regular file (or none) is replaced or written. A file we may not write, or one
  // that cannot be replaced or created, stays as it is, with one line naming the file and the
  // reason on stderr; the reason is returned too (empty when saved). A short write throws
  // EInOutError(IoDiskFull), any other write, flush or close error EInOutError with its code: the
  // old file then stays whole (rewritten in place, it holds what was written). Only the temporary
  // file this save made is ever removed.
  std::string SaveToFile() const;

  // Inserts name and score into the table as the file holds it at the moment of saving, and saves
  // that, all under the save's lock: two copies of the game saving at once keep both names. A file
  // that cannot be read then (cut short, a read error) never costs the entry: this table, with it,
  // is saved over the file. The table then holds what was saved (or would have been, when it could
  // not be); returns as SaveToFile.
  std::string SaveEntry(std::string_view name, uint32_t score);

  // True when score beats the tenth entry; an equal score does not.
  bool Qualifies(uint32_t score) const;

  // Puts name (its first 8 characters) and score directly below every entry scoring at least as
  // much, dropping the tenth; a score that does not qualify changes nothing. Does not save.
  void Insert(std::string_view name, uint32_t score);

  const std::array<THighScoreEntry, HighScoreCount>& GetEntries() const { return Entries; }

 private:
  std::array<THighScoreEntry, HighScoreCount> Entries;  // index 0 the best place
};
