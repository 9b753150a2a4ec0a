#pragma once
// A program a journey starts: the X server or the game. Killed, at the latest, when the object goes.

#include <sys/types.h>

#include <chrono>
#include <filesystem>
#include <optional>
#include <string>
#include <utility>
#include <vector>

struct ChildOptions {
  std::vector<std::pair<std::string, std::string>> Environment;  // added to ours
  std::filesystem::path ErrorFile;  // receives its standard error; its standard output is dropped
  int PassedFd = -1;                // handed to it as descriptor 3 when not -1
};

class ChildProcess {
 public:
  // Starts arguments[0] (searched on PATH when it has no slash) in the current working directory.
  // Throws std::runtime_error when it cannot be started.
  ChildProcess(const std::vector<std::string>& arguments, const ChildOptions& options);
  ~ChildProcess();
  ChildProcess(const ChildProcess&) = delete;
  ChildProcess& operator=(const ChildProcess&) = delete;

  bool Running();
  // Waits up to within for it to end: its exit code (128 + the signal's number when a signal
  // ended it), or none while it still runs.
  std::optional<int> WaitForExit(std::chrono::milliseconds within);
  // Asks it to end (SIGTERM) and waits for it.
  void Stop();

 private:
  void Reap(int options);

  pid_t Pid = -1;
  std::optional<int> ExitCode;
};
