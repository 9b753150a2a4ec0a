#include "scores/LibHighScores.h"

#include "media/LibErrors.h"
#include "support/Headless.h"

#include <sys/resource.h>
#include <unistd.h>

#include <csignal>
#include <cstring>

namespace fs = std::filesystem;

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

int IoCodeOf(const std::function<void()>& action) {
  try {
    action();
  } catch (const EInOutError& failure) {
    return failure.Code();
  }
  return 0;
}

size_t FilesHere() { return static_cast<size_t>(std::distance(fs::directory_iterator("."), fs::directory_iterator())); }

}  // namespace

class LibHighScoresTest : public ::testing::Test {
 protected:
  ScratchDir Scratch;
};


TEST_F(LibHighScoresTest, TheFileIsTenRecordsOfNameLengthNameAndLittleEndianScore) {
  THighScores table;
  table.LoadFromFile();
  EXPECT_EQ(FilesHere(), 0u) << "loading creates no file";
  table.Insert("abcdefghijkl", 0x01020304);
  table.Insert("", 250);  // an empty name over the bytes of the one it pushed down
  Bytes expected = {8, 'a', 'b', 'c', 'd', 'e', 'f', 'g', 'h', 4, 3, 2, 1};
  for (uint32_t score = 1000; score >= 300; score -= 100) {
    expected.insert(expected.end(), {4, 'h', 'o', 'k', 'o', 0, 0, 0, 0, uint8_t(score), uint8_t(score >> 8), 0, 0});
  }
  expected.insert(expected.end(), {0, 'h', 'o', 'k', 'o', 0, 0, 0, 0, 250, 0, 0, 0});
  EXPECT_EQ(Saved(table), expected);
  EXPECT_EQ(FilesHere(), 1u);
  EXPECT_EQ(Loaded(expected).GetEntries()[0].NameText(), "abcdefgh");
  EXPECT_EQ(Saved(Loaded(expected)), expected);
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
    EXPECT_EQ(IoCodeOf([&] { Loaded(Bytes(size, 0x2A)); }), IoReadBeyondEnd) << size;
    EXPECT_EQ(ReadBytes(HighScoreFileName), Bytes(size, 0x2A));
  }
  Bytes longer(131, 0);
  longer[9] = 5;
  EXPECT_EQ(Saved(Loaded(longer)), Bytes(longer.begin(), longer.end() - 1));
  fs::remove(HighScoreFileName);
  fs::create_directory(HighScoreFileName);
  EXPECT_EQ(IoCodeOf([] { THighScores().LoadFromFile(); }), 0) << "a directory is no score file";
}

TEST_F(LibHighScoresTest, ScoresPlaceBelowEqualOnesCompareUnsignedAndMustBeatTheTenth) {
  THighScores table = Loaded(Bytes(HighScoreFileBytes, 0));
  EXPECT_FALSE(table.Qualifies(0));
  EXPECT_TRUE(table.Qualifies(1));
  // Name and score inserted, then the table's names from the top.
  const std::pair<const char*, uint32_t> inserts[] = {{"two", 2000000000u}, {"three", 3000000000u}, {"low", 5},
                                                      {"twin", 2000000000u}, {"zero", 0}};
  for (const auto& [name, score] : inserts) table.Insert(name, score);
  std::string names;
  for (const THighScoreEntry& entry : table.GetEntries()) names += std::string(entry.NameText()) + ",";
  EXPECT_EQ(names, "three,two,twin,low,,,,,,,");
  THighScores full;
  full.Insert("late", 100);
  EXPECT_FALSE(full.Qualifies(100));
  EXPECT_EQ(full.GetEntries()[9].NameText(), "hoko");
  full.Insert("top", 5000);
  EXPECT_EQ(full.GetEntries()[1].Score, 1000u);
  EXPECT_EQ(full.GetEntries()[9].Score, 200u);
}

TEST_F(LibHighScoresTest, SaveThatCannotCreateItsFileSaysSoAndGoesOn) {
  ASSERT_EQ(rmdir(Scratch.Dir.c_str()), 0);  // not even root can create files here now
  testing::internal::CaptureStderr();
  EXPECT_EQ(IoCodeOf([] { THighScores().SaveToFile(); }), 0);
  EXPECT_EQ(testing::internal::GetCapturedStderr(),
            std::string("highscores.bin: the high scores were not saved: ") + std::strerror(ENOENT) + "\n");
}

TEST_F(LibHighScoresTest, SaveThatFailsHalfWayLeavesTheOldFileWhole) {
  WriteBytes(HighScoreFileName, Bytes(HighScoreFileBytes, 0));
  // A file size limit stores only part of the write, as a full disk would.
  std::signal(SIGXFSZ, SIG_IGN);
  rlimit normal{};
  getrlimit(RLIMIT_FSIZE, &normal);
  const rlimit tiny{50, normal.rlim_max};
  ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &tiny), 0);
  const int code = IoCodeOf([] { THighScores().SaveToFile(); });
  setrlimit(RLIMIT_FSIZE, &normal);
  EXPECT_EQ(code, IoDiskFull);
  EXPECT_EQ(ReadBytes(HighScoreFileName), Bytes(HighScoreFileBytes, 0));
  EXPECT_EQ(FilesHere(), 1u);
}
