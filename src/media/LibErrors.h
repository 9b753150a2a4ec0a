#pragma once
// The failures that end the program. Each is thrown where it happens and caught once, at the
// program entry, which shows the fatal failure report and exits with code 1.

#include <string>

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

// A file operation failed after the file was opened, or an asset could not be opened at all.
class EInOutError : public Exception {
 public:
  [[gnu::noinline]] explicit EInOutError(int code);
  // For a failure tied to one file: the message names it, then gives the code's text.
  [[gnu::noinline]] EInOutError(int code, const std::string& fileName);
  const char* ClassName() const override { return "EInOutError"; }
  int Code() const { return IoCode; }

 private:
  int IoCode;
};

// The media library refused something: a picture or sound it cannot decode, a video mode it
// cannot set. The message carries SDL's own error text.
class EMediaError : public Exception {
 public:
  [[gnu::noinline]] explicit EMediaError(const std::string& message);
  const char* ClassName() const override { return "EMediaError"; }
};

class EOutOfMemory : public Exception {
 public:
  [[gnu::noinline]] EOutOfMemory();
  const char* ClassName() const override { return "EOutOfMemory"; }
};

// I/O codes of the report ("Read beyond end of file", ...).
constexpr int IoFileNotFound = 2;
constexpr int IoInvalidFileName = 3;
constexpr int IoTooManyOpenFiles = 4;
constexpr int IoAccessDenied = 5;
constexpr int IoReadBeyondEnd = 100;
constexpr int IoDiskFull = 101;
constexpr int IoInvalidNumericInput = 106;

// The report's message for an I/O code; "I/O error N" for codes without a name.
std::string IoMessage(int code);
// The I/O code for an operating-system error number (errno).
int IoCodeFromErrno(int error);

// "Exception <class> in module <program> at <address>.\n<message>." -- the whole report text.
// The address is relative to the start of the program's code, as 8 hex digits.
std::string FatalReportText(const Exception& failure);
