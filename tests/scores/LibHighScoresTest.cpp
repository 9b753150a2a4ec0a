#include "scores/LibHighScores.h"

#include "media/LibErrors.h"
#include "support/Headless.h"

#include <sys/resource.h>
#include <unistd.h>

#include <csignal>

class LibHighScoresTest : public ::testing::Test {
 protected:
  static Bytes Saved(const THighScores& table) { return table.SaveToFile(), ReadBytes(HighScoreFileName); }
  static THighScores Loaded(const Bytes& file) {
    WriteBytes(HighScoreFileName, file);
    THighScores table;
    table.LoadFromFile();
    return table;
  }
  static int IoCodeOf(const std::function<void()>& action) {
    try {
      action();
    } catch (const EInOutError& failure) {
      return failure.Code();
    }
    return 0;
  }
  static size_t FilesHere() { return size_t(std::distance(std::filesystem::directory_iterator("."), {})); }
  ScratchDir Scratch;
};

TEST_F(LibHighScoresTest, TheFileIsTenRecordsOfNameLengthNameAndLittleEndianScore) {
  THighScores table;
  table.LoadFromFile();
  EXPECT_EQ(FilesHere(), 0u) << "loading creates no file";
  table.Insert("abcdefghijkl", 0x01020304);
  table.Insert("", 250);  // over the bytes of the one it pushed down, which stay
  Bytes expected = {8, 'a', 'b', 'c', 'd', 'e', 'f', 'g', 'h', 4, 3, 2, 1};
  for (uint32_t score = 1000; score >= 300; score -= 100) expected.insert(expected.end(), {4, 'h', 'o', 'k', 'o', 0, 0, 0, 0, uint8_t(score), uint8_t(score >> 8), 0, 0});
  expected.insert(expected.end(), {0, 'h', 'o', 'k', 'o', 0, 0, 0, 0, 250, 0, 0, 0});
  EXPECT_EQ(Saved(table), expected);
  EXPECT_EQ(FilesHere(), 1u);
  EXPECT_EQ(Loaded(expected).GetEntries()[0].NameText(), "abcdefgh");
  EXPECT_EQ(Saved(Loaded(expected)), expected);
  expected[0] = 200;  // a length past the field is read as 8
  EXPECT_EQ(Loaded(expected).GetEntries()[0].NameText(), "abcdefgh");
}

TEST_F(LibHighScoresTest, FilesShorterThanATableAreFatalAndLeftAsTheyAre) {
  for (const size_t size : {0u, 129u}) {
    EXPECT_EQ(IoCodeOf([&] { Loaded(Bytes(size, 0x2A)); }), IoReadBeyondEnd) << size;
    EXPECT_EQ(ReadBytes(HighScoreFileName), Bytes(size, 0x2A));
  }
  Bytes longer(131, 0);
  longer[9] = 5;
  EXPECT_EQ(Saved(Loaded(longer)), Bytes(longer.begin(), longer.end() - 1)) << "the first 130 bytes";
  std::filesystem::remove(HighScoreFileName);
  std::filesystem::create_directory(HighScoreFileName);
  EXPECT_EQ(IoCodeOf([] { THighScores().LoadFromFile(); }), 0) << "a directory is no score file";
}

TEST_F(LibHighScoresTest, ScoresPlaceBelowEqualOnesCompareUnsignedAndMustBeatTheTenth) {
  THighScores table = Loaded(Bytes(HighScoreFileBytes, 0));
  EXPECT_EQ(std::pair(table.Qualifies(0), table.Qualifies(1)), std::pair(false, true));
  for (const auto& [name, score] : {std::pair{"two", 2000000000u}, {"three", 3000000000u}, {"low", 5u}, {"twin", 2000000000u}, {"zero", 0u}}) {
    table.Insert(name, score);
  }
  std::string names;
  for (const THighScoreEntry& entry : table.GetEntries()) names += std::string(entry.NameText()) + ",";
  EXPECT_EQ(names, "three,two,twin,low,,,,,,,");
  THighScores full;
  full.Insert("late", 100);
  full.Insert("top", 5000);
  EXPECT_FALSE(full.Qualifies(200));
  EXPECT_EQ(std::pair(full.GetEntries()[1].Score, full.GetEntries()[9].NameText()), std::pair(1000u, std::string_view("hoko")));
}

TEST_F(LibHighScoresTest, ASaveThatFailsLeavesTheOldFileWholeAndWhereItCannotStartSaysSo) {
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
  std::filesystem::remove(HighScoreFileName);
  ASSERT_EQ(rmdir(Scratch.Dir.c_str()), 0);  // not even root can create files here now
  testing::internal::CaptureStderr();
  EXPECT_EQ(IoCodeOf([] { THighScores().SaveToFile(); }), 0);
  EXPECT_EQ(testing::internal::GetCapturedStderr(), "highscores.bin: the high scores were not saved: No such file or directory\n");
}
