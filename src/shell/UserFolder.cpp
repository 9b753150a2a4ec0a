#include "shell/UserFolder.h"

#include "media/LibErrors.h"

#include <pwd.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <string>
#include <system_error>

namespace fs = std::filesystem;

namespace {

constexpr const char* LinkedFolders[] = {"sprites", "sounds"};

// The installed data folder, or empty when the program has none beside it.
fs::path InstalledData() {
  std::error_code error;
  const fs::path program = fs::read_symlink("/proc/self/exe", error);
  if (error) return {};
  const fs::path data = (program.parent_path() / BOGLINGS_DATA_FROM_PROGRAM).lexically_normal();
  return fs::is_directory(data, error) ? data : fs::path();
}

// $XDG_DATA_HOME counts only when it is absolute; otherwise ~/.local/share, with the home from the
// password database when HOME is unset. Empty when there is no home at all.
fs::path DataHome() {
  const char* xdg = std::getenv("XDG_DATA_HOME");
  if (xdg != nullptr && fs::path(xdg).is_absolute()) return xdg;
  const char* home = std::getenv("HOME");
  if (home == nullptr || *home == '\0') {
    const passwd* entry = getpwuid(getuid());
    home = entry != nullptr ? entry->pw_dir : "";
  }
  return *home != '\0' ? fs::path(home) / ".local" / "share" : fs::path();
}

struct Failure {
  fs::path Where;
  std::error_code Error;
  const char* Why = nullptr;  // said instead of the error's own text

  std::string Reason() const { return Why != nullptr ? Why : Error.message(); }
};

std::error_code LastError() { return {errno, std::generic_category()}; }

// Gives the folder links to the data's folders, renewing links that lead elsewhere, and makes it
// the working directory. A name taken by anything but a link is left as it is: it is the player's.
std::optional<Failure> Enter(const fs::path& folder, const fs::path& data) {
  std::error_code error;
  if (!folder.is_absolute())
    return Failure{folder, std::make_error_code(std::errc::no_such_file_or_directory), "no home folder"};
  if (fs::create_directories(folder, error); error) return Failure{folder, error};
  for (const char* name : LinkedFolders) {
    const fs::path link = folder / name, target = data / name;
    const fs::file_status status = fs::symlink_status(link, error);
    error.clear();  // only "not found" matters here, and then the link is made below
    if (fs::is_symlink(status)) {
      if (fs::read_symlink(link, error) == target) continue;
      fs::remove(link, error);
    } else if (fs::exists(status)) {
      return Failure{link, std::make_error_code(std::errc::file_exists), "in the way of a link to the game's data"};
    }
    if (!error) fs::create_directory_symlink(target, link, error);
    if (error) return Failure{link, error};
  }
  if (fs::current_path(folder, error); error) return Failure{folder, error};
  return std::nullopt;
}

// True when one folder is the other or lies inside it: the player's folder must never share a file
// with the installed data, which it would write over or link to itself.
bool Overlap(const fs::path& a, const fs::path& b) {
  std::error_code error;
  const fs::path x = fs::weakly_canonical(a, error), y = error ? fs::path() : fs::weakly_canonical(b, error);
  if (error) return false;
  const auto [left, right] = std::mismatch(x.begin(), x.end(), y.begin(), y.end());
  return left == x.end() || right == y.end();
}

// A fresh private folder under the system's temporary folder.
fs::path MakeTemporaryFolder() {
  std::error_code error;
  std::string pattern = (fs::temp_directory_path(error) / "boglings-XXXXXX").string();
  if (!error && mkdtemp(pattern.data()) == nullptr) error = LastError();
  if (error) throw EInOutError(IoCodeFromErrno(error.value()), pattern);
  return pattern;
}

// Removes the folder with its links, never what they lead to.
void RemoveFolder(const fs::path& folder) {
  std::error_code ignored;
  fs::remove_all(folder, ignored);
}

}  // namespace

TUserFolder::TUserFolder() {
  const fs::path data = InstalledData();
  if (data.empty()) return;
  const fs::path folder = DataHome() / BOGLINGS_APP_ID;
  const std::optional<Failure> failure =
      Overlap(folder, data) ? Failure{folder, {}, "it overlaps the game's data folder"} : Enter(folder, data);
  if (!failure) return;
  std::fprintf(stderr, "%s: the high scores will not be kept: %s\n", failure->Where.c_str(), failure->Reason().c_str());
  Temporary = MakeTemporaryFolder();
  if (const std::optional<Failure> again = Enter(Temporary, data)) {
    RemoveFolder(Temporary);
    throw EInOutError(IoCodeFromErrno(again->Error.value()), again->Where.string());
  }
}

TUserFolder::~TUserFolder() {
  if (!Temporary.empty()) RemoveFolder(Temporary);
}
