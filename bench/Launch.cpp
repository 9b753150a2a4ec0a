// Starts the real program with the probe preloaded (LaunchProbe.cpp), from the working directory.
//
//   bench_launch PROGRAM PROBE first-frame RUNS   time to the first presented frame, each run and the median
//   bench_launch PROGRAM PROBE session             frames and peak resident memory of a scripted session

#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>
#include <vector>

namespace {

struct TRun {
  int Status;
  long PeakKb;
};

TRun Launch(const char* program, const char* probe, const char* mode, const std::string& out) {
  const auto launched = std::chrono::steady_clock::now().time_since_epoch();
  const pid_t child = fork();
  if (child == 0) {
    setenv("LD_PRELOAD", probe, 1);
    setenv("BOGLINGS_PROBE", mode, 1);
    setenv("BOGLINGS_PROBE_OUT", out.c_str(), 1);
    setenv("BOGLINGS_LAUNCH_NS", std::to_string(std::chrono::nanoseconds(launched).count()).c_str(), 1);
    execl(program, program, static_cast<char*>(nullptr));
    _exit(127);
  }
  int status = 0;
  rusage usage{};
  wait4(child, &status, 0, &usage);
  return {status, usage.ru_maxrss};
}

double Median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  const size_t n = values.size();
  return n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 4) {
    std::fprintf(stderr, "usage: %s PROGRAM PROBE first-frame RUNS | session\n", argv[0]);
    return 2;
  }
  const std::string mode = argv[3];
  const std::string out = "/tmp/boglings-probe-" + std::to_string(getpid());
  if (mode == "session") {
    const TRun run = Launch(argv[1], argv[2], "session", out);
    std::printf("session exit=%d peak-rss-mb=%.1f\n", WEXITSTATUS(run.Status), run.PeakKb / 1024.0);
    return 0;
  }
  const int runs = argc > 4 ? std::atoi(argv[4]) : 11;
  std::vector<double> millis;
  for (int i = 0; i < runs; ++i) {
    std::remove(out.c_str());
    const TRun run = Launch(argv[1], argv[2], "first-frame", out);
    long long nanos = 0;
    std::ifstream(out) >> nanos;
    if (nanos == 0) {  // the program ended before its first frame: no figure, say why
      std::printf("first-frame run=%d failed exit=%d\n", i, WEXITSTATUS(run.Status));
      continue;
    }
    millis.push_back(nanos / 1e6);
    std::printf("first-frame run=%d ms=%.1f\n", i, nanos / 1e6);
  }
  if (millis.empty()) return 1;
  std::remove(out.c_str());
  std::printf("first-frame median-ms=%.1f runs=%zu\n", Median(millis), millis.size());
  return 0;
}
