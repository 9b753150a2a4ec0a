#include "media/LibErrors.h"

#include <gtest/gtest.h>

// System errors that mean a table entry take its message; others keep their number, also one the
// table uses.
TEST(LibErrorsTest, ErrnoMessages) {
  const std::pair<int, const char*> rows[] = {{ENOTDIR, "File not found"},     {ENAMETOOLONG, "Invalid filename"},
                                              {ENFILE, "Too many open files"}, {EROFS, "File access denied"},
                                              {EDQUOT, "Disk full"},           {EINTR, "I/O error 4"},
                                              {106, "I/O error 106"}};
  for (const auto& [error, message] : rows) EXPECT_EQ(IoMessage(IoCodeFromErrno(error)), message);
  EXPECT_EQ(IoMessage(IoReadBeyondEnd), "Read beyond end of file");
  EXPECT_TRUE(FatalReportText(EMediaError("No video.")).ends_with("\nNo video.")) << "one full stop";
  std::string name(300, 'x');  // a program's name, never cut
  char* const own = std::exchange(program_invocation_short_name, name.data());
  const std::string report = FatalReportText(EMediaError("a"));
  EXPECT_TRUE(report.find(name + " at ") != std::string::npos && report.ends_with(".\na.")) << report;
  program_invocation_short_name = own;
}
