#pragma once
// The failures that end the program. Each is thrown where it happens and caught once, at the
// program entry, which shows the fatal failure report and exits with code 1.

#include <string>
#include <system_error>

class Exception {
 public:
  virtual ~Exception() = default;
  // The class name the report shows, e.g. "EInOutError".
  virtual const char* ClassName() const = 0;
  const std::string& Message() const { return Text; }
  // Code address of the throw site, for the report.
  const void* Address() const { return Where; }

 protected:
  Exception(std::string message, const void* address) : Text(std::move(message)), Where(address) {}

 private:
  std::string Text;
  const void* Where;
};

// The cause of an I/O failure: a code of the report's table, or the number of an operating-system
// error (errno) that no table code means. The two are kept apart so that an errno never shows as
// the table code of the same number.
struct TIoCode {
  int Number = 0;
  bool IsSystemError = false;
  bool operator==(const TIoCode&) const = default;
};

// A file operation failed after the file was opened, or an asset could not be opened at all.
class EInOutError : public Exception {
 public:
  [[gnu::noinline]] explicit EInOutError(TIoCode code);
  // For a failure tied to one file: the message names it, then gives the code's text.
  [[gnu::noinline]] EInOutError(TIoCode code, const std::string& fileName);
  // For a system error the caller cannot put into the table's words without losing its cause (a
  // std::filesystem call's, a folder that cannot be made): the message names the file, then gives
  // the system's own text for the error.
  [[gnu::noinline]] EInOutError(const std::string& fileName, std::error_code error);
  const char* ClassName() const override { return "EInOutError"; }
  TIoCode Code() const { return IoCode; }

 private:
  TIoCode IoCode;
};

// The media library refused something: a picture or sound it cannot decode, a video mode it
// cannot set. The message carries SDL's own error text.
class EMediaError : public Exception {
 public:
  [[gnu::noinline]] explicit EMediaError(const std::string& message);
  const char* ClassName() const override { return "EMediaError"; }
};

// A failure the C++ standard library raised that no other class names; the message is its own.
class EStandardError : public Exception {
 public:
  [[gnu::noinline]] explicit EStandardError(const std::string& message);
  const char* ClassName() const override { return "EStandardError"; }
};

class EOutOfMemory : public Exception {
 public:
  [[gnu::noinline]] EOutOfMemory();
  const char* ClassName() const override { return "EOutOfMemory"; }
};

// The report's table of I/O codes ("Read beyond end of file", ...).
constexpr TIoCode IoFileNotFound{2};
constexpr TIoCode IoInvalidFileName{3};
constexpr TIoCode IoTooManyOpenFiles{4};
constexpr TIoCode IoAccessDenied{5};
constexpr TIoCode IoReadBeyondEnd{100};
constexpr TIoCode IoDiskFull{101};
constexpr TIoCode IoInvalidNumericInput{106};

// The report's message for an I/O code: the table's text, or "I/O error N" for a system error.
std::string IoMessage(TIoCode code);
// The code for an operating-system error number (errno): the table code that means the same
// thing, or else the system error itself.
TIoCode IoCodeFromErrno(int error);

// "Exception <class> in module <program> at <address>.\n<message>." -- the whole report text.
// The address is relative to the start of the program's code, as 8 hex digits.
std::string FatalReportText(const Exception& failure);
