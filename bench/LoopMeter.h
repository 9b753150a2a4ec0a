#pragma once
// Frames per second and processor use of a frame loop over a stretch of wall-clock time, measured
// the same way for the game and for the bare loop it is compared with.

#include <sys/resource.h>

#include <chrono>
#include <cstdio>

class TLoopMeter {
 public:
  TLoopMeter() : Start(std::chrono::steady_clock::now()), StartCpu(CpuSeconds()) {}

  double Seconds() const { return std::chrono::duration<double>(std::chrono::steady_clock::now() - Start).count(); }

  // One line: frames, seconds, frames per second and percent of one core (user and system).
  void Report(const char* what, long frames) const {
    const double seconds = Seconds();
    std::printf("%s frames=%ld seconds=%.2f fps=%.2f cpu=%.1f\n", what, frames, seconds, frames / seconds,
                100.0 * (CpuSeconds() - StartCpu) / seconds);
  }

 private:
  static double CpuSeconds() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    auto seconds = [](const timeval& t) { return t.tv_sec + t.tv_usec / 1e6; };
    return seconds(usage.ru_utime) + seconds(usage.ru_stime);
  }

  std::chrono::steady_clock::time_point Start;
  double StartCpu;
};
