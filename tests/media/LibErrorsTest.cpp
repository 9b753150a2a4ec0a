#include "media/LibErrors.h"

#include <gtest/gtest.h>

TEST(LibErrorsTest, CodesAndErrorNumbersGiveTheReportsMessages) {
  const std::pair<int, const char*> messages[] = {{2, "File not found"}, {3, "Invalid filename"}, {4, "Too many open files"},
      {5, "File access denied"}, {100, "Read beyond end of file"}, {101, "Disk full"}, {106, "Invalid numeric input"}, {42, "I/O error 42"}};
  for (const auto& [code, message] : messages) EXPECT_EQ(IoMessage(code), message);
  const std::pair<int, int> codes[] = {{ENOENT, 2}, {ENOTDIR, 2}, {ENAMETOOLONG, 3}, {EINVAL, 3}, {EMFILE, 4}, {ENFILE, 4},
      {EACCES, 5}, {EPERM, 5}, {EROFS, 5}, {ENOSPC, 101}, {EDQUOT, 101}, {EIO, EIO}};
  for (const auto& [error, code] : codes) EXPECT_EQ(IoCodeFromErrno(error), code) << error;
  EXPECT_TRUE(FatalReportText(EOutOfMemory()).ends_with("\nOut of memory.")) << "one full stop";
  EXPECT_TRUE(FatalReportText(EMediaError("No video.")).ends_with("\nNo video.")) << "one full stop";
}
