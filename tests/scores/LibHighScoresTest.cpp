#include "scores/LibHighScores.h"

#include "media/LibErrors.h"
#include "support/Headless.h"

#include <sys/resource.h>
#include <unistd.h>

#include <csignal>
#include <cstring>

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

template <class Action>
TIoCode IoCodeOf(Action action) {
  try {
    action();
  } catch (const EInOutError& failure) {
    return failure.Code();
  }
  return {};
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
    EXPECT_EQ(IoCodeOf([&] { Loaded(Bytes(size, 0x2A)); }), IoReadBeyondEnd) << size;
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

TEST_F(LibHighScoresTest, SaveThatCannotCreateItsFileSaysSoAndGoesOn) {
  ASSERT_EQ(rmdir(Scratch.Path().c_str()), 0);  // not even root can create files here now
  testing::internal::CaptureStderr();
  EXPECT_EQ(IoCodeOf([] { THighScores().SaveToFile(); }), TIoCode{});
  EXPECT_EQ(testing::internal::GetCapturedStderr(),
            std::string("highscores.bin: the high scores were not saved: ") + std::strerror(ENOENT) + "\n");
}

TEST_F(LibHighScoresTest, SaveThatFailsHalfWayLeavesTheOldFileWhole) {
  WriteBytes(HighScoreFileName, Bytes(130, 0));
  // A file size limit stores only part of the write, as a full disk would.
  std::signal(SIGXFSZ, SIG_IGN);
  rlimit normal{};
  getrlimit(RLIMIT_FSIZE, &normal);
  const rlimit tiny{50, normal.rlim_max};
  ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &tiny), 0);
  const TIoCode code = IoCodeOf([] { THighScores().SaveToFile(); });
  setrlimit(RLIMIT_FSIZE, &normal);
  EXPECT_EQ(code, IoDiskFull);
  EXPECT_EQ(ReadBytes(HighScoreFileName), Bytes(130, 0));
  EXPECT_EQ(FilesHere(), 1u);
}
