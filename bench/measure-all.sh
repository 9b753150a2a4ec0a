#!/bin/bash
# Every figure of docs/performance.md in one run, raw lines on standard output:
#   bench/measure-all.sh BUILD_DIR [SECONDS_PER_LOOP_RUN] [ROUNDS]
# BUILD_DIR is a configured build (Release for real figures). SDL12COMPAT_DIR, when set, names a
# directory holding Debian's libsdl1.2-compat libSDL-1.2.so.0 (dpkg -x of the package), and the
# display runs are repeated with it. The X displays :70 to :73 are used and must be free.
set -euo pipefail
build=$(realpath "$1")
seconds=${2:-10}
rounds=${3:-3}
source_dir=$(realpath "$(dirname "$0")/..")
cmake --build "$build" --target bench_programs -j2 > /dev/null

scratch=$(mktemp -d /tmp/boglings-measure-XXXXXX)
servers=()
finish() {
  for pid in "${servers[@]}"; do kill "$pid" 2> /dev/null || true; done
  rm -rf "$scratch"
}
trap finish EXIT

echo "## machine"
date -u +"date %Y-%m-%d %H:%M UTC"
echo "cpu $(grep -m1 'model name' /proc/cpuinfo | cut -d: -f2 | xargs), $(nproc) cores"
echo "load at start: $(cut -d' ' -f1-3 /proc/loadavg)"

echo "## frame work (dummy video, median of 5 repetitions)"
SDL_VIDEODRIVER=dummy SDL_AUDIODRIVER=dummy BOGLINGS_GAME_DIR="$build/game" \
  "$build/bench/bench_frames" --benchmark_repetitions=5 --benchmark_report_aggregates_only=true 2>&1 |
  grep -E "median|^Benchmark"

echo "## instructions per frame (callgrind, 100 frames)"
for screen in Intro Menu Help Credits ScoreTable ScoreKeyboard GameAtRest GameFalling GameSelection; do
  total=$(SDL_VIDEODRIVER=dummy SDL_AUDIODRIVER=dummy BOGLINGS_GAME_DIR="$build/game" \
    valgrind --tool=callgrind --collect-atstart=no --callgrind-out-file=/dev/null \
    "$build/bench/bench_frame_count" "$screen" 100 2>&1 | sed -n 's/.*Collected : //p')
  echo "instructions $screen $((total / 100))"
done

echo "## live heap over many games (dummy video)"
SDL_VIDEODRIVER=dummy SDL_AUDIODRIVER=dummy BOGLINGS_GAME_DIR="$build/game" "$build/bench/bench_long_play" 200

echo "## asset generation (3 runs)"
for run in 1 2 3; do
  start=$(date +%s%N)
  "$build/tools/boglings_assetgen" "$source_dir/assets" "$scratch/assets" "$scratch/sheet.png" > /dev/null
  echo "assetgen ms=$((($(date +%s%N) - start) / 1000000))"
done

# The program in a copy of its directory, so the session's score file is its own.
mkdir -p "$scratch/game"
cp -r "$build/game/sprites" "$build/game/sounds" "$build/game/boglings" "$scratch/game/"

# -noreset: a server that resets when its last client leaves refuses the next one for a moment.
start_display() {  # display depth
  Xvfb ":$1" -screen 0 "1024x768x$2" -nolisten tcp -noreset > /dev/null 2>&1 &
  servers+=($!)
  for _ in $(seq 50); do xdpyinfo -display ":$1" > /dev/null 2>&1 && return; sleep 0.1; done
  echo "Xvfb :$1 did not start" >&2
  exit 1
}
start_display 70 24
start_display 71 16

# One library set: the frame rate and processor use of the bare loop, the game's heaviest screen
# and the idle menu, alternating, on both displays.
loops() {  # label, then env assignments
  local label=$1
  shift
  for round in $(seq "$rounds"); do
    for display in 70 71; do
      depth=$([ $display = 70 ] && echo 24 || echo 16)
      for program in floor GameSelection Menu; do
        if [ $program = floor ]; then
          line=$(env "$@" DISPLAY=":$display" "$build/bench/bench_floor" "$seconds")
        else
          line=$(cd "$scratch/game" && env "$@" DISPLAY=":$display" SDL_AUDIODRIVER=dummy \
            BOGLINGS_GAME_DIR="$scratch/game" "$build/bench/bench_present" $program "$seconds")
        fi
        echo "loop lib=$label depth=$depth round=$round $line load=$(cut -d' ' -f1 /proc/loadavg)"
      done
    done
  done
}

echo "## start-up to the first frame (24-bit display, 11 runs)"
(cd "$scratch/game" && DISPLAY=:70 SDL_AUDIODRIVER=dummy \
  "$build/bench/bench_launch" "$scratch/game/boglings" "$build/bench/libbench_probe.so" first-frame 11)

echo "## peak resident memory of a session (24-bit display, 3 runs)"
for run in 1 2 3; do
  rm -f "$scratch/game/highscores.bin"
  (cd "$scratch/game" && DISPLAY=:70 SDL_AUDIODRIVER=dummy \
    "$build/bench/bench_launch" "$scratch/game/boglings" "$build/bench/libbench_probe.so" session)
done

echo "## display loops, classic SDL 1.2"
loops classic
if [ -n "${SDL12COMPAT_DIR:-}" ]; then
  echo "## display loops, sdl12-compat over SDL 2"
  loops compat LD_LIBRARY_PATH="$SDL12COMPAT_DIR"
  echo "## start-up, sdl12-compat"
  (cd "$scratch/game" && DISPLAY=:70 SDL_AUDIODRIVER=dummy LD_LIBRARY_PATH="$SDL12COMPAT_DIR" \
    "$build/bench/bench_launch" "$scratch/game/boglings" "$build/bench/libbench_probe.so" first-frame 11)
fi
echo "load at end: $(cut -d' ' -f1-3 /proc/loadavg)"
