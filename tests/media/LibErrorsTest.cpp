#include "media/LibErrors.h"

#include <gtest/gtest.h>

// System errors that mean a table entry take its message; every other one keeps its own number,
// even where the table uses that number for something else (EINTR 4, EIO 5, 100, 101, 106).
TEST(LibErrorsTest, CodesAndErrorNumbersGiveTheReportsMessages) {
  const std::pair<TIoCode, const char*> messages[] = {{IoCodeFromErrno(ENOENT), "File not found"},
                                                      {IoCodeFromErrno(ENOTDIR), "File not found"},
                                                      {IoCodeFromErrno(ENAMETOOLONG), "Invalid filename"},
                                                      {IoCodeFromErrno(EMFILE), "Too many open files"},
                                                      {IoCodeFromErrno(ENFILE), "Too many open files"},
                                                      {IoCodeFromErrno(EACCES), "File access denied"},
                                                      {IoCodeFromErrno(EPERM), "File access denied"},
                                                      {IoCodeFromErrno(EROFS), "File access denied"},
                                                      {IoCodeFromErrno(ENOSPC), "Disk full"},
                                                      {IoCodeFromErrno(EDQUOT), "Disk full"},
                                                      {IoReadBeyondEnd, "Read beyond end of file"},
                                                      {IoInvalidNumericInput, "Invalid numeric input"},
                                                      {{42}, "I/O error 42"},
                                                      {IoCodeFromErrno(EINTR), "I/O error 4"},
                                                      {IoCodeFromErrno(EIO), "I/O error 5"},
                                                      {IoCodeFromErrno(EINVAL), "I/O error 22"},
                                                      {IoCodeFromErrno(100), "I/O error 100"},
                                                      {IoCodeFromErrno(101), "I/O error 101"},
                                                      {IoCodeFromErrno(106), "I/O error 106"}};
  for (const auto& [code, message] : messages) EXPECT_EQ(IoMessage(code), message) << code.Number;
  EXPECT_TRUE(FatalReportText(EOutOfMemory()).ends_with("\nOut of memory.")) << "one full stop";
  EXPECT_TRUE(FatalReportText(EMediaError("No video.")).ends_with("\nNo video.")) << "one full stop";
  std::string name(300, 'x');  // a program's name, never cut
  char* const own = std::exchange(program_invocation_short_name, name.data());
  const std::string report = FatalReportText(EMediaError("a"));
  EXPECT_TRUE(report.find(name + " at ") != std::string::npos && report.ends_with(".\na.")) << report;
  program_invocation_short_name = own;
}
