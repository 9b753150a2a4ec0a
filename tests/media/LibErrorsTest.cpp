#include "media/LibErrors.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <regex>

TEST(LibErrorsTest, CodesAndErrorNumbersGiveTheReportsMessages) {
  const std::pair<int, const char*> messages[] = {{2, "File not found"}, {3, "Invalid filename"},
      {4, "Too many open files"}, {5, "File access denied"}, {100, "Read beyond end of file"}, {101, "Disk full"},
      {106, "Invalid numeric input"}, {42, "I/O error 42"}};
  for (const auto& [code, message] : messages) EXPECT_EQ(IoMessage(code), message);
  const std::pair<int, int> codes[] = {{ENOENT, 2}, {ENOTDIR, 2}, {ENAMETOOLONG, 3}, {EINVAL, 3}, {EMFILE, 4},
      {ENFILE, 4}, {EACCES, 5}, {EPERM, 5}, {EROFS, 5}, {ENOSPC, 101}, {EDQUOT, 101}, {EIO, EIO}};
  for (const auto& [error, code] : codes) EXPECT_EQ(IoCodeFromErrno(error), code) << error;
}

TEST(LibErrorsTest, ReportNamesClassProgramAddressAndEndsInOneFullStop) {
  const std::string head = "Exception E(InOutError|MediaError|OutOfMemory) in module unit_tests at [0-9A-F]{8}\\.\n";
  const std::pair<std::string, std::string> reports[] = {
      {FatalReportText(EInOutError(IoReadBeyondEnd)), "Read beyond end of file\\."},
      {FatalReportText(EInOutError(IoFileNotFound, "sprites/x.dat")), "sprites/x\\.dat: File not found\\."},
      {FatalReportText(EMediaError("Cannot set video mode.")), "Cannot set video mode\\."},
      {FatalReportText(EOutOfMemory()), "Out of memory\\."}};
  for (const auto& [report, message] : reports) EXPECT_TRUE(std::regex_match(report, std::regex(head + message))) << report;
  EXPECT_EQ(EInOutError(IoDiskFull).Code(), IoDiskFull);
}
