#include "scores/LibHighScores.h"

#include "media/LibErrors.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <utility>

namespace {

// Written first and renamed over the score file, so a failed save never leaves a partial file.
constexpr const char* TemporaryFileName = "highscores.bin.tmp";
constexpr const char* DefaultName = "hoko";
constexpr uint32_t DefaultScoreStep = 100;
constexpr int ScoreOffset = 1 + NameCapacity;

using TFileImage = std::array<uint8_t, HighScoreFileBytes>;

// Owns an open file descriptor; closes it unchecked unless Close was called.
class TDescriptor {
 public:
  explicit TDescriptor(int descriptor) : Descriptor(descriptor) {}
  ~TDescriptor() {
    if (Descriptor >= 0) close(Descriptor);
  }
  TDescriptor(const TDescriptor&) = delete;
  TDescriptor& operator=(const TDescriptor&) = delete;

  bool IsOpen() const { return Descriptor >= 0; }
  int Get() const { return Descriptor; }
  // Throws EInOutError when the system reports an error on closing.
  void Close() {
    if (close(std::exchange(Descriptor, -1)) != 0) throw EInOutError(IoCodeFromErrno(errno));
  }

 private:
  int Descriptor;
};

// The temporary file of one save: removed again when the save ends without Commit.
class TTemporaryFile {
 public:
  TTemporaryFile()
      : File(open(TemporaryFileName, O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666)), Created(File.IsOpen()) {}
  ~TTemporaryFile() {
    if (Created && !Committed) unlink(TemporaryFileName);
  }
  TTemporaryFile(const TTemporaryFile&) = delete;
  TTemporaryFile& operator=(const TTemporaryFile&) = delete;

  bool IsCreated() const { return Created; }

  // Writes all bytes, flushes them to the disk and closes the file, or throws EInOutError.
  void WriteAll(const TFileImage& image) {
    const ssize_t written = write(File.Get(), image.data(), image.size());
    if (written < 0) throw EInOutError(IoCodeFromErrno(errno));
    if (static_cast<size_t>(written) != image.size()) throw EInOutError(IoDiskFull);
    if (fsync(File.Get()) != 0) throw EInOutError(IoCodeFromErrno(errno));
    File.Close();
  }

  // Moves the written file over target; false with errno set when the system refuses.
  bool Commit(const char* target) {
    Committed = rename(TemporaryFileName, target) == 0;
    return Committed;
  }

 private:
  TDescriptor File;
  bool Created;
  bool Committed = false;
};

void WarnNotSaved(int error) {
  std::fprintf(stderr, "%s: the high scores were not saved: %s\n", HighScoreFileName, std::strerror(error));
}

void PutEntry(const THighScoreEntry& entry, uint8_t* at) {
  at[0] = entry.NameLength;
  std::copy(entry.Name.begin(), entry.Name.end(), at + 1);
  for (int i = 0; i < 4; ++i) at[ScoreOffset + i] = static_cast<uint8_t>(entry.Score >> (8 * i));
}

THighScoreEntry TakeEntry(const uint8_t* at) {
  THighScoreEntry entry;
  entry.NameLength = std::min<uint8_t>(at[0], NameCapacity);
  std::copy_n(at + 1, NameCapacity, entry.Name.begin());
  for (int i = 0; i < 4; ++i) entry.Score |= uint32_t{at[ScoreOffset + i]} << (8 * i);
  return entry;
}

// Sets the name's first min(length, 8) bytes and its length; the bytes after them stay.
void SetName(THighScoreEntry& entry, std::string_view name) {
  entry.NameLength = static_cast<uint8_t>(std::min<size_t>(name.size(), NameCapacity));
  std::copy_n(name.begin(), entry.NameLength, entry.Name.begin());
}

bool IsDirectory(int descriptor) {
  struct stat info {};
  return fstat(descriptor, &info) == 0 && S_ISDIR(info.st_mode);
}

}  // namespace

THighScores::THighScores() {
  for (int i = 0; i < HighScoreCount; ++i) {
    SetName(Entries[i], DefaultName);
    Entries[i].Score = static_cast<uint32_t>(HighScoreCount - i) * DefaultScoreStep;
  }
}

void THighScores::LoadFromFile() {
  TDescriptor file(open(HighScoreFileName, O_RDONLY | O_CLOEXEC));
  if (!file.IsOpen() || IsDirectory(file.Get())) return;
  TFileImage image;
  const ssize_t got = read(file.Get(), image.data(), image.size());
  if (got < 0) throw EInOutError(IoCodeFromErrno(errno));
  if (static_cast<size_t>(got) != image.size()) throw EInOutError(IoReadBeyondEnd);
  file.Close();
  for (int i = 0; i < HighScoreCount; ++i) Entries[i] = TakeEntry(image.data() + EntryBytes * i);
}

void THighScores::SaveToFile() const {
  TFileImage image;
  for (int i = 0; i < HighScoreCount; ++i) PutEntry(Entries[i], image.data() + EntryBytes * i);
  TTemporaryFile file;
  if (!file.IsCreated()) {
    WarnNotSaved(errno);
    return;
  }
  file.WriteAll(image);
  if (!file.Commit(HighScoreFileName)) WarnNotSaved(errno);
}

bool THighScores::Qualifies(uint32_t score) const { return score > Entries[HighScoreCount - 1].Score; }

void THighScores::Insert(std::string_view name, uint32_t score) {
  int place = HighScoreCount;
  while (place > 0 && Entries[place - 1].Score < score) --place;
  if (place == HighScoreCount) return;
  std::copy_backward(Entries.begin() + place, Entries.end() - 1, Entries.end());
  SetName(Entries[place], name);
  Entries[place].Score = score;
}
