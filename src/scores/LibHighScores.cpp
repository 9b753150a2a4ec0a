#include "scores/LibHighScores.h"

#include "media/LibErrors.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <sys/time.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <optional>
#include <string>
#include <utility>

namespace fs = std::filesystem;

namespace {

constexpr const char* DefaultName = "hoko";
constexpr uint32_t DefaultScoreStep = 100;
constexpr int ScoreOffset = 1 + NameCapacity;
// Linux follows at most this many symbolic links in one path; a longer chain is taken as a loop.
constexpr int MaxLinkHops = 40;
constexpr mode_t ModeBits = 07777;
// Temporary names tried before a save gives up making one (each taken by a file it did not make).
constexpr int MaxNameTries = 100;
constexpr const char* NotRegular = "not a regular file";
// A save waits this long for another copy's save to end (which takes milliseconds), then goes on
// without the lock rather than freeze the window behind a program that keeps it.
constexpr timeval LockWait{0, 500'000};

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
  // Hands the descriptor over to the caller, who closes it.
  int Release() { return std::exchange(Descriptor, -1); }
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

// Tells standard error why the save failed, and gives the reason back for the screen.
std::string WarnNotSaved(const char* reason) {
  std::fprintf(stderr, "%s: the high scores were not saved: %s\n", HighScoreFileName, reason);
  return reason;
}

bool IsRegular(int descriptor) {
  struct stat info {};
  return fstat(descriptor, &info) == 0 && S_ISREG(info.st_mode);
}

// The temporary file of one save, written first and renamed over the file it replaces, so a failed
// save never leaves a partial file. It lies beside that file under a name no file had (this
// process's number and a count), and is removed again when the save ends without Commit.
class TTemporaryFile {
 public:
  explicit TTemporaryFile(const fs::path& target) : File(CreateUnique(target, Path)), Created(File.IsOpen()) {}
  ~TTemporaryFile() {
    if (Created && !Committed) unlink(Path.c_str());
  }
  TTemporaryFile(const TTemporaryFile&) = delete;
  TTemporaryFile& operator=(const TTemporaryFile&) = delete;

  bool IsCreated() const { return Created; }

  // Gives the file old's group and permission bits; false when the group is not ours to give.
  bool Keep(const struct stat& old) {
    return fchown(File.Get(), static_cast<uid_t>(-1), old.st_gid) == 0 &&
           fchmod(File.Get(), old.st_mode & ModeBits) == 0;
  }

  // Writes all bytes, flushes them to the disk and closes the file, or throws EInOutError.
  void WriteAll(const TFileImage& image) {
    WriteImage(File, image);
    Flush(File);
    File.Close();
  }

  // Moves the written file over target; false with errno set when the system refuses.
  bool Commit(const fs::path& target) {
    Committed = rename(Path.c_str(), target.c_str()) == 0;
    return Committed;
  }

 private:
  static int CreateUnique(const fs::path& target, std::string& path) {
    for (int count = 0; count < MaxNameTries; ++count) {
      path = target.string() + "." + std::to_string(getpid()) + "-" + std::to_string(count) + ".tmp";
      const int descriptor = open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0666);
      if (descriptor >= 0 || errno != EEXIST) return descriptor;
    }
    return -1;
  }

  std::string Path;
  TDescriptor File;
  bool Created;
  bool Committed = false;
};

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

fs::path FolderOf(const fs::path& file) { return file.has_parent_path() ? file.parent_path() : "."; }

// Whether the kernel follows this link in its folder (fs.protected_symlinks): in a sticky folder
// that anyone may write, only a link of this user's or of the folder's owner.
bool MayFollow(const struct stat& link, const fs::path& folder) {
  struct stat info {};
  if (stat(folder.c_str(), &info) != 0) return false;
  constexpr mode_t Shared = S_ISVTX | S_IWOTH;
  return (info.st_mode & Shared) != Shared || link.st_uid == geteuid() || link.st_uid == info.st_uid;
}

// The file a save replaces: the score file or, when that is a symbolic link, the file at the end of
// its links, which need not exist yet. Empty, with error set, for a loop of links or a link the
// kernel would not follow.
fs::path SaveTarget(int& error) {
  fs::path path = HighScoreFileName;
  for (int hop = 0; hop < MaxLinkHops; ++hop) {
    struct stat link {};
    if (lstat(path.c_str(), &link) != 0 || !S_ISLNK(link.st_mode)) return path;
    if (!MayFollow(link, FolderOf(path))) return error = EACCES, fs::path();
    std::error_code ignored;
    path = path.parent_path() / fs::read_symlink(path, ignored);
  }
  error = ELOOP;
  return {};
}

// Rules of the folder, not faults of the disk: the file itself may still be written in place.
bool RefusedByFolder(int error) { return error == EBUSY || error == EPERM || error == EACCES || error == EXDEV; }

// The fallback: truncate the file and write it again, so a failure half-way leaves it cut short. The
// file keeps its owner, group, bits and names. Opening never waits, and anything that took the
// regular file's place meanwhile is not written.
std::string RewriteInPlace(const fs::path& target, const TFileImage& image) {
  TDescriptor file(open(target.c_str(), O_WRONLY | O_CREAT | O_NONBLOCK | O_NOFOLLOW | O_CLOEXEC, 0666));
  if (!file.IsOpen()) return WarnNotSaved(std::strerror(errno));
  if (!IsRegular(file.Get())) return WarnNotSaved(NotRegular);
  if (ftruncate(file.Get(), 0) != 0) throw EInOutError(IoCodeFromErrno(errno));
  WriteImage(file, image);
  file.Close();
  return {};
}

// Replaces target with image, in the ways SaveToFile tells; the reason when it could not.
std::string Replace(const fs::path& target, const TFileImage& image) {
  struct stat old {};
  const bool exists = lstat(target.c_str(), &old) == 0;
  if (!exists && errno != ENOENT) return WarnNotSaved(std::strerror(errno));
  if (exists && !S_ISREG(old.st_mode)) return WarnNotSaved(S_ISDIR(old.st_mode) ? std::strerror(EISDIR) : NotRegular);
  // A score file we may not write stays as it is: the folder would let a new file replace it, but
  // the file's own mode is the player's word.
  if (exists && faccessat(AT_FDCWD, target.c_str(), W_OK, AT_EACCESS) != 0) return WarnNotSaved(std::strerror(errno));
  if (exists && (old.st_uid != geteuid() || old.st_nlink > 1)) return RewriteInPlace(target, image);
  TTemporaryFile file(target);
  if (!file.IsCreated() || (exists && !file.Keep(old))) return RewriteInPlace(target, image);
  file.WriteAll(image);
  if (file.Commit(target)) return {};
  if (exists && RefusedByFolder(errno)) return RewriteInPlace(target, image);
  return WarnNotSaved(std::strerror(errno));
}

// The score file's first 130 bytes, when it is a regular file that can be opened (Failure tells a
// short file, or a read or close error).
struct TReading {
  std::optional<TFileImage> Image = std::nullopt;
  std::optional<TIoCode> Failure = std::nullopt;
};

TReading ReadScoreFile() {
  TDescriptor file(open(HighScoreFileName, O_RDONLY | O_NONBLOCK | O_CLOEXEC));
  if (!file.IsOpen() || !IsRegular(file.Get())) return {};
  TFileImage image;
  const ssize_t got = read(file.Get(), image.data(), image.size());
  if (got < 0) return {.Failure = IoCodeFromErrno(errno)};
  if (static_cast<size_t>(got) != image.size()) return {.Failure = IoReadBeyondEnd};
  if (close(file.Release()) != 0) return {.Failure = IoCodeFromErrno(errno)};
  return {.Image = image};
}

// Takes the lock, or gives up on it after LockWait: the real-time timer's signal, caught without
// restarting, ends the wait. The timer and the signal's handling are put back as they were.
void LockWithin(const TDescriptor& folder) {
  struct sigaction interrupt {};
  struct sigaction handling {};
  interrupt.sa_handler = [](int) {};
  sigaction(SIGALRM, &interrupt, &handling);
  const itimerval wait{LockWait, LockWait};  // repeating, should it fire before the wait began
  itimerval timer{};
  setitimer(ITIMER_REAL, &wait, &timer);
  flock(folder.Get(), LOCK_EX);
  setitimer(ITIMER_REAL, &timer, nullptr);
  sigaction(SIGALRM, &handling, nullptr);
}

TFileImage ImageOf(const std::array<THighScoreEntry, HighScoreCount>& entries) {
  TFileImage image;
  for (int i = 0; i < HighScoreCount; ++i) PutEntry(entries[i], image.data() + EntryBytes * i);
  return image;
}

std::array<THighScoreEntry, HighScoreCount> EntriesOf(const TFileImage& image) {
  std::array<THighScoreEntry, HighScoreCount> entries;
  for (int i = 0; i < HighScoreCount; ++i) entries[i] = TakeEntry(image.data() + EntryBytes * i);
  return entries;
}

// One save's target and the exclusive lock on its folder, held while the object lives. The folder,
// unlike the file, is never replaced, and locking it needs no file of ours beside the player's.
// Where it cannot be opened or locked in time (no read permission, a file system without locks,
// a program that keeps the lock) the save goes on without the lock.
class TSaveSite {
 public:
  TSaveSite()
      : Target(SaveTarget(Error)),
        Lock(Target.empty() ? -1 : open(FolderOf(Target).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC)) {
    if (Lock.IsOpen()) LockWithin(Lock);
  }

  std::string Save(const TFileImage& image) const {
    if (Target.empty()) return WarnNotSaved(std::strerror(Error));
    return Replace(Target, image);
  }

 private:
  int Error = 0;
  fs::path Target;
  TDescriptor Lock;
};

}  // namespace

THighScores::THighScores() {
  for (int i = 0; i < HighScoreCount; ++i) {
    SetName(Entries[i], DefaultName);
    Entries[i].Score = static_cast<uint32_t>(HighScoreCount - i) * DefaultScoreStep;
  }
}

void THighScores::LoadFromFile() {
  const TReading file = ReadScoreFile();
  if (file.Failure) throw EInOutError(*file.Failure);
  if (file.Image) Entries = EntriesOf(*file.Image);
}

std::string THighScores::SaveToFile() const { return TSaveSite().Save(ImageOf(Entries)); }

std::string THighScores::SaveEntry(std::string_view name, uint32_t score) {
  const TSaveSite site;
  // A file cut short or damaged since the screen read it is replaced by the table the screen shows.
  const TReading file = ReadScoreFile();
  if (file.Image) Entries = EntriesOf(*file.Image);
  Insert(name, score);
  return site.Save(ImageOf(Entries));
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
