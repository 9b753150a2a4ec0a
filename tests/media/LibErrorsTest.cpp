#include "media/LibErrors.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <regex>

TEST(LibErrorsTest, MessagesFollowTheIoCodeTable) {
  EXPECT_EQ(IoMessage(2), "File not found");
  EXPECT_EQ(IoMessage(5), "File access denied");
  EXPECT_EQ(IoMessage(100), "Read beyond end of file");
  EXPECT_EQ(IoMessage(101), "Disk full");
  EXPECT_EQ(IoMessage(106), "Invalid numeric input");
  EXPECT_EQ(IoMessage(42), "I/O error 42");
  EXPECT_EQ(IoCodeFromErrno(ENOENT), 2);
  EXPECT_EQ(IoCodeFromErrno(EACCES), 5);
  EXPECT_EQ(IoCodeFromErrno(ENOSPC), 101);
  EXPECT_EQ(IoCodeFromErrno(EIO), EIO);
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
