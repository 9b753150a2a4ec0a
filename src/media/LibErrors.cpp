#include "media/LibErrors.h"

#include <dlfcn.h>

#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <utility>

EInOutError::EInOutError(TIoCode code) : Exception(IoMessage(code), __builtin_return_address(0)), IoCode(code) {}

EInOutError::EInOutError(TIoCode code, const std::string& fileName)
    : Exception(fileName + ": " + IoMessage(code), __builtin_return_address(0)), IoCode(code) {}

EInOutError::EInOutError(const std::string& fileName, std::error_code error)
    : Exception(fileName + ": " + error.message(), __builtin_return_address(0)),
      IoCode(IoCodeFromErrno(error.value())) {}

EMediaError::EMediaError(const std::string& message) : Exception(message, __builtin_return_address(0)) {}

EStandardError::EStandardError(const std::string& message) : Exception(message, __builtin_return_address(0)) {}

EOutOfMemory::EOutOfMemory() : Exception("Out of memory", __builtin_return_address(0)) {}

std::string IoMessage(TIoCode code) {
  static constexpr std::pair<TIoCode, const char*> Table[] = {
      {IoFileNotFound, "File not found"},
      {IoInvalidFileName, "Invalid filename"},
      {IoTooManyOpenFiles, "Too many open files"},
      {IoAccessDenied, "File access denied"},
      {IoReadBeyondEnd, "Read beyond end of file"},
      {IoDiskFull, "Disk full"},
      {IoInvalidNumericInput, "Invalid numeric input"},
  };
  for (const auto& [tableCode, message] : Table) {
    if (code == tableCode) return message;
  }
  return "I/O error " + std::to_string(code.Number);
}

TIoCode IoCodeFromErrno(int error) {
  switch (error) {
    case ENOENT:
    case ENOTDIR: return IoFileNotFound;
    case ENAMETOOLONG: return IoInvalidFileName;
    case EMFILE:
    case ENFILE: return IoTooManyOpenFiles;
    case EACCES:
    case EPERM:
    case EROFS: return IoAccessDenied;
    case ENOSPC:
    case EDQUOT: return IoDiskFull;
    default: return {error, true};
  }
}

namespace {

uintptr_t OffsetInProgram(const void* address) {
  Dl_info info{};
  if (dladdr(address, &info) == 0 || info.dli_fbase == nullptr) return reinterpret_cast<uintptr_t>(address);
  return reinterpret_cast<uintptr_t>(address) - reinterpret_cast<uintptr_t>(info.dli_fbase);
}

}  // namespace

std::string FatalReportText(const Exception& failure) {
  char address[9];
  std::snprintf(address, sizeof address, "%08X", static_cast<unsigned>(OffsetInProgram(failure.Address())));
  std::string text = std::string("Exception ") + failure.ClassName() + " in module " + program_invocation_short_name +
                     " at " + address + ".\n" + failure.Message();
  if (text.back() != '.') text += '.';
  return text;
}
