#include "scores/LibHighScores.h"

#include "media/LibErrors.h"
#include "support/Headless.h"

#include <sys/resource.h>

#include <csignal>
#include <cstdio>
#include <cstdlib>

namespace fs = std::filesystem;
using Bytes = std::vector<uint8_t>;

namespace {

Bytes Saved(const THighScores& table) {
  table.SaveToFile();
  return ReadBytes(HighScoreFileName);
}

THighScores Loaded(const Bytes& file) {
  WriteBytes(HighScoreFileName, file);
  THighScores table;
  table.LoadFromFile();
  return table;
}

size_t FilesHere() { return static_cast<size_t>(std::distance(fs::directory_iterator("."), fs::directory_iterator())); }

}  // namespace

class LibHighScoresTest : public ::testing::Test {
 protected:
  ScratchDir Scratch;
};

TEST_F(LibHighScoresTest, DefaultTableIsHokoFromAThousandDownAndLoadingCreatesNoFile) {
  THighScores table;
  table.LoadFromFile();
  EXPECT_EQ(FilesHere(), 0u);
  const Bytes file = Saved(table);
  ASSERT_EQ(file.size(), 130u);
  EXPECT_EQ(Bytes(file.begin(), file.begin() + 13), (Bytes{4, 'h', 'o', 'k', 'o', 0, 0, 0, 0, 0xE8, 3, 0, 0}));
  EXPECT_EQ(Bytes(file.end() - 4, file.end()), (Bytes{100, 0, 0, 0}));
  EXPECT_EQ(FilesHere(), 1u);
}

TEST_F(LibHighScoresTest, LeftoverNameBytesSurviveLoadInsertAndSave) {
  Bytes file;
  for (uint8_t i = 0; i < 10; ++i) file.insert(file.end(), {1, 'x', 'y', 'z', i, 0xFF, 7, 8, 9, uint8_t(99 - i), 0, 0, 0});
  file[0] = 200;  // a length past the field is read as 8, the bytes kept
  THighScores table = Loaded(file);
  EXPECT_EQ(table.GetEntries()[0].NameText(), std::string_view("xyz\0\xFF\x07\x08\x09", 8));
  file[0] = 8;
  EXPECT_EQ(Saved(table), file);

  table.Insert("ab", 100);  // over "xyz..": the tail stays
  file = Saved(table);
  EXPECT_EQ(Bytes(file.begin(), file.begin() + 13), (Bytes{2, 'a', 'b', 'z', 0, 0xFF, 7, 8, 9, 100, 0, 0, 0}));
}

TEST_F(LibHighScoresTest, FilesShorterThanATableAreFatalAndLeftAsTheyAre) {
  for (const size_t size : {0u, 129u}) {
    EXPECT_EQ(ThrownMessage<EInOutError>([&] { Loaded(Bytes(size, 0x2A)); }), "Read beyond end of file") << size;
    EXPECT_EQ(ReadBytes(HighScoreFileName), Bytes(size, 0x2A));
  }
  Bytes longer(131, 0);
  longer[9] = 5;
  EXPECT_EQ(Loaded(Bytes(longer.begin(), longer.end() - 1)).GetEntries()[0].Score, 5u);
  EXPECT_EQ(Saved(Loaded(longer)), Bytes(longer.begin(), longer.end() - 1));
}

TEST_F(LibHighScoresTest, ZeroFilledFileTakesAnyScoreAboveZeroComparedUnsigned) {
  THighScores table = Loaded(Bytes(130, 0));
  EXPECT_EQ(table.GetEntries()[9].NameText(), "");
  EXPECT_FALSE(table.Qualifies(0));
  EXPECT_TRUE(table.Qualifies(1));
  table.Insert("two", 2000000000u);
  table.Insert("three", 3000000000u);
  EXPECT_EQ(table.GetEntries()[0].NameText(), "three");
  EXPECT_EQ(table.GetEntries()[1].NameText(), "two");
}

TEST_F(LibHighScoresTest, InsertGoesBelowEqualScoresAndCutsNamesToEight) {
  THighScores table;
  table.Insert("abcdefghijkl", 500);
  EXPECT_EQ(table.GetEntries()[5].NameText(), "hoko");
  EXPECT_EQ(table.GetEntries()[6].NameText(), "abcdefgh");
  EXPECT_EQ(table.GetEntries()[9].Score, 200u);
  EXPECT_FALSE(table.Qualifies(200));
  const Bytes before = Saved(table);
  table.Insert("late", 200);
  EXPECT_EQ(Saved(table), before);
}

// Each save runs in a child, as nobody when the suite runs as root, so that permission bits count.
// Old files hold zeros; a linked score file leads into the folder "real".
TEST_F(LibHighScoresTest, SaveKeepsTheScoreThroughLinksReadOnlyFoldersAndStaleTemporaryFiles) {
  enum TStale { None, Link, Folder, ReadOnly };  // what a killed game left as the temporary file
  const char *quiet = "^nothing thrown$", *diskFull = "^Disk full$",
             *notSaved = "^highscores.bin: the high scores were not saved: Permission denied\nnothing thrown$";
  const struct {
    mode_t Folder, File;  // permission bits; File 0: no score file
    bool Linked;
    TStale Stale;
    rlim_t SizeLimit;  // 0: none
    size_t NewBytes;   // the file then holds the new table's first NewBytes; 0: its old bytes
    const char* Stderr;
  } rows[] = {
      {0777, 0, false, None, 0, 130, quiet},       // a first save
      {0777, 0622, false, None, 0, 130, quiet},    // the new file keeps the old one's bits
      {0777, 0444, false, None, 0, 0, notSaved},   // a read-only file stays
      {0555, 0622, false, None, 0, 130, quiet},    // a read-only folder: rewritten in place
      {0555, 0, false, None, 0, 0, notSaved},      // ... where no file can be made
      {0777, 0622, true, None, 0, 130, quiet},     // written through the link, which stays
      {0777, 0, true, None, 0, 130, quiet},        // a link to a file not made yet
      {0777, 0622, false, Link, 0, 130, quiet},    // a stale temporary file is replaced
      {0777, 0622, false, Folder, 0, 130, quiet},
      {0777, 0622, false, ReadOnly, 0, 130, quiet},
      {0777, 0622, false, None, 50, 0, diskFull},   // a full disk leaves the old file whole
      {0555, 0622, false, None, 50, 50, diskFull},  // ... or, in place, cut short
  };
  const Bytes old(130, 0), saved = Saved(THighScores());
  for (const auto& row : rows) {
    SCOPED_TRACE(&row - rows);
    ScratchDir scratch;
    const fs::path folder = row.Linked ? "real" : ".", file = folder / HighScoreFileName;
    const fs::path stale = file.string() + ".tmp";
    fs::create_directory(folder);
    if (row.Linked) fs::create_symlink(file, HighScoreFileName);
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
    const rlimit limit{row.SizeLimit, RLIM_INFINITY};
    EXPECT_EXIT(
        {
          if (row.SizeLimit) {
            std::signal(SIGXFSZ, SIG_IGN);
            setrlimit(RLIMIT_FSIZE, &limit);
          }
          DropRootInChild();
          std::fputs(ThrownMessage<EInOutError>([] { THighScores().SaveToFile(); }).c_str(), stderr);
          std::_Exit(0);
        },
        testing::ExitedWithCode(0), row.Stderr);
    EXPECT_EQ(ReadBytes(file), row.NewBytes ? Bytes(saved.begin(), saved.begin() + row.NewBytes) : row.File ? old : Bytes());
    if (row.File) {
      EXPECT_EQ(fs::status(file).permissions(), fs::perms(row.File));
    }
    EXPECT_EQ(fs::is_symlink(HighScoreFileName), row.Linked);
    EXPECT_FALSE(fs::exists(fs::symlink_status(stale)));
  }
}
