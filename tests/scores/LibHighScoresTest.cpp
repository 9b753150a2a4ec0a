#include "scores/LibHighScores.h"

#include "media/LibErrors.h"
#include "support/Headless.h"

#include <sys/resource.h>

#include <csignal>

namespace fs = std::filesystem;

class LibHighScoresTest : public ::testing::Test {
 protected:
  static Bytes Saved(const THighScores& table) {
    table.SaveToFile();
    return ReadBytes(HighScoreFileName);
  }
  static THighScores Loaded(const Bytes& file) {
    WriteBytes(HighScoreFileName, file);
    THighScores table;
    table.LoadFromFile();
    return table;
  }
  ScratchDir Scratch;
};

// The fuzz corpus replays short and long files.
TEST_F(LibHighScoresTest, TheFileIsTenRecordsOfNameLengthNameAndLittleEndianScore) {
  THighScores table;
  table.Insert("abcdefghijkl", 0x01020304);
  table.Insert("", 250);  // over the bytes of the one it pushed down, which stay
  Bytes expected = {8, 'a', 'b', 'c', 'd', 'e', 'f', 'g', 'h', 4, 3, 2, 1};
  for (uint32_t score = 1000; score >= 300; score -= 100) {
    expected.insert(expected.end(), {4, 'h', 'o', 'k', 'o', 0, 0, 0, 0, uint8_t(score), uint8_t(score >> 8), 0, 0});
  }
  expected.insert(expected.end(), {0, 'h', 'o', 'k', 'o', 0, 0, 0, 0, 250, 0, 0, 0});
  EXPECT_EQ(Saved(table), expected);
  EXPECT_EQ(Saved(Loaded(expected)), expected);
  fs::remove(HighScoreFileName);
  fs::create_directory(HighScoreFileName);
  EXPECT_NO_THROW(THighScores().LoadFromFile()) << "a directory is no score file";
}

TEST_F(LibHighScoresTest, ScoresPlaceBelowEqualOnesCompareUnsignedAndMustBeatTheTenth) {
  THighScores table = Loaded(Bytes(HighScoreFileBytes, 0));
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

// Each save runs in a child, as nobody when the suite runs as root, so that permission bits count.
// Old files hold zeros; a linked score file leads into the folder "real".
TEST_F(LibHighScoresTest, SavesKeepTheScoreWhereverTheyCan) {
  enum TStale { None, Link, Folder, ReadOnly };  // what a killed game left as the temporary file
  const char *quiet = "^$", *diskFull = "^Disk full$",
             *notSaved = "^highscores.bin: the high scores were not saved: Permission denied\n$";
  const struct {
    mode_t Folder, File;  // permission bits; File 0: no score file
    int Links;            // 1: the score file links into "real"; 2: to itself
    TStale Stale;
    rlim_t SizeLimit;  // 0: none
    size_t NewBytes;   // the file then holds the new table's first NewBytes; 0: its old bytes
    const char* Stderr;
  } rows[] = {{0777, 0, 0, None, 0, 130, quiet},      // a first save
              {0777, 0622, 0, None, 0, 130, quiet},   // the new file keeps the old one's bits
              {0777, 0444, 0, None, 0, 0, notSaved},  // a read-only file stays
              {0555, 0622, 0, None, 0, 130, quiet},   // a read-only folder: rewritten in place
              {0555, 0, 0, None, 0, 0, notSaved},     // ... where no file can be made
              {0777, 0622, 1, None, 0, 130, quiet},
              {0777, 0, 1, None, 0, 130, quiet},  // through the link, which stays
              {0777, 0622, 0, Link, 0, 130, quiet},
              {0777, 0622, 0, Folder, 0, 130, quiet},                                   // a stale temporary file
              {0777, 0622, 0, ReadOnly, 0, 130, quiet},                                 // ... is replaced
              {0777, 0, 2, None, 0, 0, "saved: Too many levels of symbolic links\n$"},  // a loop of links
              {0777, 0622, 0, None, 50, 0, diskFull},    // a full disk leaves the old file whole
              {0555, 0622, 0, None, 50, 50, diskFull}};  // ... or, in place, cut short
  const Bytes old(HighScoreFileBytes, 0), saved = Saved(THighScores());
  for (const auto& row : rows) {
    SCOPED_TRACE(&row - rows);
    ScratchDir scratch;
    const fs::path folder = row.Links ? "real" : ".", file = folder / HighScoreFileName, stale = file.string() + ".tmp";
    fs::create_directory(folder);
    if (row.Links) fs::create_symlink(row.Links == 2 ? HighScoreFileName : file, HighScoreFileName);
    if (row.File) {
      WriteBytes(file, old);
      fs::permissions(file, fs::perms(row.File));
    }
    if (row.Stale == Link) fs::create_symlink("elsewhere", stale);
    if (row.Stale == Folder) fs::create_directory(stale);
    if (row.Stale == ReadOnly) {
      WriteBytes(stale, old);
      fs::permissions(stale, fs::perms(0444));
    }
    fs::permissions(folder, fs::perms(row.Folder));
    fs::permissions(".", fs::perms(row.Folder));
    const auto saveAsNobody = [&row] {
      const rlimit limit{row.SizeLimit, RLIM_INFINITY};
      std::signal(SIGXFSZ, SIG_IGN);
      if (row.SizeLimit) setrlimit(RLIMIT_FSIZE, &limit);
      DropRootInChild();
      try {
        THighScores().SaveToFile();
      } catch (const EInOutError& failure) {
        std::fputs(failure.Message().c_str(), stderr);
      }
      std::_Exit(0);
    };
    EXPECT_EXIT(saveAsNobody(), testing::ExitedWithCode(0), row.Stderr);
    Bytes expected = row.File ? old : Bytes();
    if (row.NewBytes) expected.assign(saved.begin(), saved.begin() + row.NewBytes);
    EXPECT_EQ(ReadBytes(file), expected);
    EXPECT_TRUE(!row.File || fs::status(file).permissions() == fs::perms(row.File));
    EXPECT_EQ(fs::is_symlink(HighScoreFileName), row.Links > 0);
    EXPECT_FALSE(fs::exists(fs::symlink_status(stale)));
  }
}
