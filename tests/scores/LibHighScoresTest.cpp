#include "scores/LibHighScores.h"

#include "media/LibErrors.h"
#include "support/Headless.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/mount.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>

#include <csignal>

class LibHighScoresTest : public ::testing::Test {
 protected:
  static Bytes Saved(const THighScores& table) {
    table.SaveToFile();
    return ReadBytes(HighScoreFileName);
  }
  ScratchDir Scratch;
};

// The fuzz corpus replays short and long files.
TEST_F(LibHighScoresTest, FileBytes) {
  THighScores table;
  table.Insert("abcdefghijkl", 0x01020304);
  table.Insert("", 250);  // over the bytes of the one it pushed down, which stay
  Bytes expected = {8, 'a', 'b', 'c', 'd', 'e', 'f', 'g', 'h', 4, 3, 2, 1};
  for (uint32_t score = 1000; score >= 300; score -= 100) {
    expected.insert(expected.end(), {4, 'h', 'o', 'k', 'o', 0, 0, 0, 0, uint8_t(score), uint8_t(score >> 8), 0, 0});
  }
  expected.insert(expected.end(), {0, 'h', 'o', 'k', 'o', 0, 0, 0, 0, 250, 0, 0, 0});
  EXPECT_EQ(Saved(table), expected);
  fs::remove(HighScoreFileName);
  mkfifo(HighScoreFileName, 0666);
  EXPECT_NO_THROW(THighScores().LoadFromFile()) << "a FIFO is no score file, and never waits for a writer";
}

TEST_F(LibHighScoresTest, PlacesBelowEqualScores) {
  WriteBytes(HighScoreFileName, Bytes(HighScoreFileBytes, 0));
  THighScores table;
  table.LoadFromFile();
  EXPECT_FALSE(table.Qualifies(0));
  EXPECT_TRUE(table.Qualifies(1));
  table.Insert("two", 2000000000);
  table.Insert("three", 3000000000u);
  table.Insert("low", 5);
  table.Insert("twin", 2000000000);
  table.Insert("none", 0);
  std::string names;
  for (const THighScoreEntry& entry : table.GetEntries()) names += std::string(entry.NameText()) + ",";
  EXPECT_EQ(names, "three,two,twin,low,,,,,,,");
}

// Each save of "b" runs in a child, as nobody under root, for permission bits to count. Old files hold
// the default table and are the saver's. A link leads into the folder "real" (Links 1), to itself,
// to a device or, in a sticky folder, is another user's.
TEST_F(LibHighScoresTest, SavesHarmNoOtherFile) {
  enum TExtra { None, Foreign, Bound, Rival, Held, Short, Link, HardLink, Full };
  constexpr rlim_t DiskBytes = 50;  // what a full disk still takes
  const char *quiet = "^$", *notSaved = "^highscores.bin: the high scores were not saved: Permission denied\n$";
  const struct {
    mode_t Folder, File;  // permission bits; File 0: no score file
    int Links;
    TExtra Extra;
    const char* Stderr;                         // and quiet, the new table saved
  } rows[] = {{0777, 0, 0, None, quiet},        // a first save
              {0777, 0622, 0, None, quiet},     // the new file keeps the old one's bits
              {0777, 0444, 0, None, notSaved},  // a read-only file stays
              {0555, 0622, 0, None, quiet},     // a read-only folder: rewritten in place
              {0555, 0, 0, None, notSaved},     // ... where no file can be made
              {01777, 0622, 1, None, quiet},    // a link of the sticky folder's owner
              {0777, 0, 1, None, quiet},        // through the link, which stays
              {0777, 0622, 0, Link, quiet},     // a player's .tmp file stays
              {0777, 0, 2, None, "saved: Too many levels of symbolic links\n$"},  // a loop of links
              {0777, 0, 3, None, "saved: not a regular file\n$"},
              {01777, 0622, 4, None, notSaved},
              {0777, 0622, 0, HardLink, quiet},  // other names, another owner, a bind mount:
              {0777, 0622, 0, Foreign, quiet},   // in place
              {0777, 0622, 0, Bound, quiet},
              {0777, 0622, 0, Rival, quiet},          // the save waits, then keeps both names
              {0777, 0622, 0, Held, quiet},           // ... but not for ever
              {0777, 0622, 0, Short, quiet},          // a file cut short since it was shown, or
              {0777, 0222, 0, None, quiet},           // unreadable: the table shown replaces it
              {0777, 0622, 0, Full, "^Disk full$"},   // a full disk leaves the old file whole
              {0555, 0622, 0, Full, "^Disk full$"}};  // ... or, in place, cut short
  THighScores table;
  const Bytes old = Saved(table);
  table.Insert("b", 5000);
  const Bytes saved = Saved(table);
  Bytes rivals = old, both = saved;  // a rival saves "aoko" over hoko's 1000
  rivals[1] = both[14] = 'a';
  for (const auto& row : rows) {
    SCOPED_TRACE(&row - rows);
    ScratchDir scratch;
    const fs::path folder = row.Links ? "real" : ".", file = folder / HighScoreFileName, stale = file.string() + ".tmp";
    fs::create_directory(folder);
    const char* to[] = {"", file.c_str(), HighScoreFileName, "/dev/null", file.c_str()};
    if (row.Links) fs::create_symlink(to[row.Links], HighScoreFileName);
    if (row.Links == 4 && lchown(HighScoreFileName, 1, 1) != 0) continue;  // not root
    if (row.File) {
      WriteBytes(file, old);
      fs::permissions(file, fs::perms(row.File));
    }
    if (row.File && row.Extra != Foreign) std::ignore = chown(file.c_str(), 65534, 65534);
    if (row.Extra == Link) fs::create_symlink("elsewhere", stale);
    if (row.Extra == HardLink) fs::create_hard_link(file, stale);
    if (row.Extra == Short) fs::resize_file(file, HighScoreFileBytes - 1);
    for (const fs::path& dir : {folder, fs::path(".")}) fs::permissions(dir, fs::perms(row.Folder));
    const auto owner = [&file] {
      struct stat info {};
      stat(file.c_str(), &info);
      return std::tuple(info.st_mode, info.st_uid, info.st_gid, info.st_nlink);
    };
    const auto before = owner();
    const int lock = open(".", O_RDONLY);
    const pid_t rival = (row.Extra == Rival || row.Extra == Held) && flock(lock, LOCK_EX) == 0 ? fork() : -1;
    if (rival == 0) {  // once the save waits for the lock, saves and lets go, or keeps it
      for (Bytes locks; std::ranges::search(locks, std::string_view("-> FLOCK")).empty(); usleep(1000))
        locks = ReadBytes("/proc/locks");
      if (row.Extra == Held) pause();
      WriteBytes(file, rivals);
      std::_Exit(0);
    }
    close(lock);
    const auto saveAsNobody = [&row, &file] {
      const rlimit limit{DiskBytes, RLIM_INFINITY};
      std::signal(SIGXFSZ, SIG_IGN);
      if (row.Extra == Full) setrlimit(RLIMIT_FSIZE, &limit);
      if (row.Extra == Bound && unshare(CLONE_NEWNS) == 0) {
        mount("", "/", nullptr, MS_REC | MS_PRIVATE, nullptr);
        mount(file.c_str(), file.c_str(), nullptr, MS_BIND, nullptr);
      }
      DropRootInChild();
      try {
        THighScores().SaveEntry("b", 5000);
      } catch (const EInOutError& failure) {
        std::fputs(IoMessage(failure.Code()).c_str(), stderr);
      }
      std::_Exit(0);
    };
    EXPECT_EXIT(saveAsNobody(), testing::ExitedWithCode(0), row.Stderr);
    if (rival > 0) {
      kill(rival, SIGKILL);
      waitpid(rival, nullptr, 0);
    }
    const Bytes written = row.Stderr == quiet                       ? saved
                          : row.Folder == 0555 && row.Extra == Full ? Bytes(saved.begin(), saved.begin() + DiskBytes)
                          : row.File                                ? old
                                                                    : Bytes();
    EXPECT_EQ(ReadBytes(file), row.Extra == Rival ? both : written);
    EXPECT_TRUE(!row.File || owner() == before);
    EXPECT_EQ(fs::is_symlink(HighScoreFileName), row.Links > 0);
    EXPECT_EQ(std::ranges::count_if(fs::directory_iterator(folder),
                                    [](const auto& entry) { return entry.path().extension() == ".tmp"; }),
              row.Extra == Link || row.Extra == HardLink);
  }
}
