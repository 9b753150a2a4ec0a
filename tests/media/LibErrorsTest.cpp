#include "media/LibErrors.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <regex>
#include <utility>

// System errors that mean a table entry take its message; every other one keeps its own number,
// even where the table uses that number for something else (EINTR 4, EIO 5, 100, 101, 106).
TEST(LibErrorsTest, MessagesFollowTheIoCodeTableAndOtherSystemErrorsGiveTheirNumber) {
  const std::pair<TIoCode, std::string> rows[] = {
      {IoCodeFromErrno(ENOENT), "File not found"},         {IoCodeFromErrno(ENOTDIR), "File not found"},
      {IoCodeFromErrno(ENAMETOOLONG), "Invalid filename"}, {IoCodeFromErrno(EMFILE), "Too many open files"},
      {IoCodeFromErrno(ENFILE), "Too many open files"},    {IoCodeFromErrno(EACCES), "File access denied"},
      {IoCodeFromErrno(EPERM), "File access denied"},      {IoCodeFromErrno(EROFS), "File access denied"},
      {IoCodeFromErrno(ENOSPC), "Disk full"},              {IoCodeFromErrno(EDQUOT), "Disk full"},
      {IoReadBeyondEnd, "Read beyond end of file"},        {IoInvalidNumericInput, "Invalid numeric input"},
      {IoCodeFromErrno(EINTR), "I/O error 4"},             {IoCodeFromErrno(EIO), "I/O error 5"},
      {IoCodeFromErrno(EINVAL), "I/O error 22"},           {IoCodeFromErrno(100), "I/O error 100"},
      {IoCodeFromErrno(101), "I/O error 101"},             {IoCodeFromErrno(106), "I/O error 106"},
  };
  for (const auto& [code, message] : rows) EXPECT_EQ(IoMessage(code), message) << code.Number;
}

TEST(LibErrorsTest, ReportNamesClassProgramAddressAndEndsInOneFullStop) {
  const std::string report = FatalReportText(EInOutError(IoReadBeyondEnd));
  EXPECT_TRUE(std::regex_match(report, std::regex("Exception EInOutError in module unit_tests at [0-9A-F]{8}\\.\n"
                                                  "Read beyond end of file\\.")))
      << report;
  EXPECT_TRUE(FatalReportText(EMediaError("Cannot set video mode.")).ends_with("\nCannot set video mode."));
  EXPECT_TRUE(FatalReportText(EOutOfMemory()).starts_with("Exception EOutOfMemory in module unit_tests at "));
  EXPECT_TRUE(FatalReportText(EOutOfMemory()).ends_with("\nOut of memory."));
}
