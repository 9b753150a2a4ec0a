#include "scores/LibHighScores.h"

#include "media/LibErrors.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <string>
#include <utility>

namespace {

constexpr const char* DefaultName = "hoko";
constexpr uint32_t DefaultScoreStep = 100;
constexpr int ScoreOffset = 1 + NameCapacity;
// Linux follows at most this many symbolic links in one path; a longer chain is taken as a loop.
constexpr int MaxLinkHops = 40;
constexpr mode_t PermissionBits = 0777;

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

// Writes all bytes or throws EInOutError, for a short write IoDiskFull.
void WriteImage(const TDescriptor& file, const TFileImage& image) {
  const ssize_t written = write(file.Get(), image.data(), image.size());
  if (written < 0) throw EInOutError(IoCodeFromErrno(errno));
  if (static_cast<size_t>(written) != image.size()) throw EInOutError(IoDiskFull);
}

// Flushes the file to the disk or throws EInOutError; a file system that cannot flush is no fault.
void Flush(const TDescriptor& file) {
  if (fsync(file.Get()) == 0 || errno == EINVAL || errno == ENOTSUP || errno == EOPNOTSUPP) return;
  throw EInOutError(IoCodeFromErrno(errno));
}

// The temporary file of one save, written first and renamed over the file it replaces, so a failed
// save never leaves a partial file. It lies beside that file, has its permission bits, and is
// removed again when the save ends without Commit.
class TTemporaryFile {
 public:
  explicit TTemporaryFile(const std::filesystem::path& target)
      : Path(target.string() + ".tmp"), File(CreateFresh(Path)), Created(File.IsOpen()) {
    struct stat old {};
    if (Created && stat(target.c_str(), &old) == 0) fchmod(File.Get(), old.st_mode & PermissionBits);
  }
  ~TTemporaryFile() {
    if (Created && !Committed) unlink(Path.c_str());
  }
  TTemporaryFile(const TTemporaryFile&) = delete;
  TTemporaryFile& operator=(const TTemporaryFile&) = delete;

  bool IsCreated() const { return Created; }

  // Writes all bytes, flushes them to the disk and closes the file, or throws EInOutError.
  void WriteAll(const TFileImage& image) {
    WriteImage(File, image);
    Flush(File);
    File.Close();
  }

  // Moves the written file over target; false with errno set when the system refuses.
  bool Commit(const std::filesystem::path& target) {
    Committed = rename(Path.c_str(), target.c_str()) == 0;
    return Committed;
  }

 private:
  // A temporary file left by a killed game, or a link or an empty folder in its place, is removed
  // and a new one made that did not exist before: a save never writes through a stale link.
  static int CreateFresh(const std::string& path) {
    if (unlink(path.c_str()) != 0 && errno == EISDIR) rmdir(path.c_str());
    return open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
  }

  std::string Path;
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

// The file a save replaces: the score file or, when that is a symbolic link, the file at the end of
// its links, which need not exist yet. Empty for a loop of links.
std::filesystem::path SaveTarget() {
  std::filesystem::path path = HighScoreFileName;
  for (int hop = 0; hop < MaxLinkHops; ++hop) {
    std::error_code notALink;
    const std::filesystem::path link = std::filesystem::read_symlink(path, notALink);
    if (notALink) return path;
    path = path.parent_path() / link;
  }
  return {};
}

// Where no temporary file can be made beside the target: truncate it and write it again, which a
// failure half-way leaves cut short, so it is only the fallback.
void RewriteInPlace(const std::filesystem::path& target, const TFileImage& image) {
  TDescriptor file(open(target.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666));
  if (!file.IsOpen()) {
    WarnNotSaved(errno);
    return;
  }
  WriteImage(file, image);
  file.Close();
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
  const std::filesystem::path target = SaveTarget();
  if (target.empty()) {
    WarnNotSaved(ELOOP);
    return;
  }
  // A score file we may not write stays as it is: the folder would let a new file replace it, but
  // the file's own mode is the player's word.
  if (faccessat(AT_FDCWD, target.c_str(), W_OK, AT_EACCESS) != 0 && errno != ENOENT) {
    WarnNotSaved(errno);
    return;
  }
  TTemporaryFile file(target);
  if (!file.IsCreated()) {
    RewriteInPlace(target, image);
    return;
  }
  file.WriteAll(image);
  if (!file.Commit(target)) WarnNotSaved(errno);
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
