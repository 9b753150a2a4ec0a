#include "e2e/ChildProcess.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <stdexcept>
#include <thread>

namespace {

// How often a wait looks at the child again.
constexpr std::chrono::milliseconds ExitPollInterval{2};

// Our environment with the options' entries put in place of any of the same name.
std::vector<std::string> ChildEnvironment(const ChildOptions& options) {
  std::vector<std::string> entries;
  for (char** entry = environ; *entry != nullptr; ++entry) {
    const std::string text = *entry;
    const std::string name = text.substr(0, text.find('='));
    bool replaced = false;
    for (const auto& option : options.Environment) replaced = replaced || option.first == name;
    if (!replaced) entries.push_back(text);
  }
  for (const auto& [name, value] : options.Environment) entries.push_back(name + "=" + value);
  return entries;
}

std::vector<char*> Pointers(std::vector<std::string>& texts) {
  std::vector<char*> pointers;
  for (std::string& text : texts) pointers.push_back(text.data());
  pointers.push_back(nullptr);
  return pointers;
}

// Runs in the child between fork and exec: only async-signal-safe calls and a plain exit.
[[noreturn]] void BecomeChild(char* const* argv, char* const* envp, const ChildOptions& options) {
  const int devNull = open("/dev/null", O_RDWR);
  const int errors = open(options.ErrorFile.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
  if (devNull < 0 || errors < 0) _exit(126);
  dup2(devNull, STDIN_FILENO);
  dup2(devNull, STDOUT_FILENO);
  dup2(errors, STDERR_FILENO);
  if (options.PassedFd >= 0) dup2(options.PassedFd, 3);
  execvpe(argv[0], argv, envp);
  _exit(127);
}

}  // namespace

ChildProcess::ChildProcess(const std::vector<std::string>& arguments, const ChildOptions& options) {
  std::vector<std::string> argumentTexts = arguments;
  std::vector<std::string> environmentTexts = ChildEnvironment(options);
  const std::vector<char*> argv = Pointers(argumentTexts);
  const std::vector<char*> envp = Pointers(environmentTexts);
  Pid = fork();
  if (Pid < 0) throw std::runtime_error("cannot start " + arguments.front());
  if (Pid == 0) BecomeChild(argv.data(), envp.data(), options);
}

ChildProcess::~ChildProcess() {
  if (Running()) {
    kill(Pid, SIGKILL);
    Reap(0);
  }
}

void ChildProcess::Reap(int options) {
  int status = 0;
  if (ExitCode || waitpid(Pid, &status, options) != Pid) return;
  ExitCode = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
}

bool ChildProcess::Running() {
  Reap(WNOHANG);
  return !ExitCode;
}

std::optional<int> ChildProcess::WaitForExit(std::chrono::milliseconds within) {
  const auto deadline = std::chrono::steady_clock::now() + within;
  while (Running() && std::chrono::steady_clock::now() < deadline) std::this_thread::sleep_for(ExitPollInterval);
  return ExitCode;
}

void ChildProcess::Stop() {
  if (!Running()) return;
  kill(Pid, SIGTERM);
  Reap(0);
}
