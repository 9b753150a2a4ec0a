#pragma once
// An X server of the journey's own (Xvfb) on the first free display number from :90 on, with a
// connection to it. Stopped when the object goes.

#include "e2e/ChildProcess.h"

#include <X11/Xlib.h>

#include <filesystem>
#include <memory>
#include <string>

class VirtualDisplay {
 public:
  // Larger than the game's window, so that its centring shows.
  static constexpr int Width = 1024;
  static constexpr int Height = 768;

  // Starts the server, its messages going to logFile, and connects once it takes connections.
  // Throws std::runtime_error when no server could be started.
  explicit VirtualDisplay(const std::filesystem::path& logFile);
  ~VirtualDisplay();
  VirtualDisplay(const VirtualDisplay&) = delete;
  VirtualDisplay& operator=(const VirtualDisplay&) = delete;

  // The DISPLAY value for programs that should use this server, e.g. ":90".
  const std::string& Name() const { return DisplayName; }
  ::Display* Connection() const { return Connection_; }

 private:
  // Starts a server on one display number; false when that number is taken.
  bool TryStart(int number, const std::filesystem::path& logFile);

  std::unique_ptr<ChildProcess> Server;
  std::string DisplayName;
  ::Display* Connection_ = nullptr;
};
