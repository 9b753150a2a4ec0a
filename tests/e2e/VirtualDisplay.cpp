#include "e2e/VirtualDisplay.h"

#include <fcntl.h>
#include <poll.h>
#include <unistd.h>

#include <chrono>
#include <stdexcept>

namespace fs = std::filesystem;

namespace {

constexpr int FirstDisplay = 90;
constexpr int DisplaysTried = 40;
// A loaded machine may take a while to bring a server up; a server that cannot start ends at once.
constexpr int StartTimeoutMs = 20000;

// Xlib's default handler ends the process. A window that goes away while a journey looks at it
// must fail that look alone (the calls then report failure), not end the test run.
int KeepGoing(::Display*, XErrorEvent*) { return 0; }

// Reads what the server writes to its -displayfd descriptor once it takes connections: the
// display number and a line break. Empty when it ends (or times out) without being ready.
std::string ReadReadyLine(int fd) {
  std::string line;
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(StartTimeoutMs);
  while (line.empty() || line.back() != '\n') {
    const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now());
    pollfd ready{fd, POLLIN, 0};
    if (left.count() <= 0 || poll(&ready, 1, static_cast<int>(left.count())) <= 0) return {};
    char c = 0;
    if (read(fd, &c, 1) != 1) return {};
    line += c;
  }
  return line;
}

}  // namespace

VirtualDisplay::VirtualDisplay(const fs::path& logFile) {
  XSetErrorHandler(KeepGoing);
  for (int number = FirstDisplay; number < FirstDisplay + DisplaysTried; ++number) {
    if (fs::exists("/tmp/.X" + std::to_string(number) + "-lock")) continue;
    if (TryStart(number, logFile)) return;
  }
  throw std::runtime_error("no free X display from :" + std::to_string(FirstDisplay) + " on; see " +
                           logFile.string());
}

bool VirtualDisplay::TryStart(int number, const fs::path& logFile) {
  int ends[2];
  if (pipe2(ends, O_CLOEXEC) != 0) throw std::runtime_error("cannot make a pipe");
  const std::string name = ":" + std::to_string(number);
  const std::string size = std::to_string(Width) + "x" + std::to_string(Height) + "x24";
  // The display number is written to the pipe when the server is ready, and only by our server,
  // so a race with another journey for the same number cannot connect us to the wrong one.
  auto server = std::make_unique<ChildProcess>(
      std::vector<std::string>{"Xvfb", name, "-screen", "0", size, "-nolisten", "tcp", "-displayfd", "3"},
      ChildOptions{{}, logFile, ends[1]});
  close(ends[1]);
  const std::string ready = ReadReadyLine(ends[0]);
  close(ends[0]);
  if (ready != std::to_string(number) + "\n") return false;
  Connection_ = XOpenDisplay(name.c_str());
  if (Connection_ == nullptr) return false;
  Server = std::move(server);
  DisplayName = name;
  return true;
}

VirtualDisplay::~VirtualDisplay() {
  if (Connection_ != nullptr) XCloseDisplay(Connection_);
  Server->Stop();
}
