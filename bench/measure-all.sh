#!/bin/bash
# Every figure of docs/performance.md in one run, raw lines on standard output:
#   bench/measure-all.sh BUILD_DIR [SECONDS_PER_LOOP_RUN] [ROUNDS]
# BUILD_DIR is a configured build (Release for real figures). BEFORE_BUILD, when set, names a
# configured build of other sources (the code before a change): every game screen's display run is
# repeated with its bench_present right after this build's, so both meet the same load. SDL12COMPAT_DIR,
# when set, names a directory holding Debian's libsdl1.2-compat libSDL-1.2.so.0 (dpkg -x of the
# package), and the display runs are repeated with it. The X displays :70 and :71 are used and must
# be free. The display runs end with their medians per library, depth, build and program.
# LOOPS_ONLY=1 takes only the display runs (frame rate and CPU), SCREENS="Menu Help ..." only those
# screens' (names as in bench/ScreenScenarios.h), for a short run.
set -euo pipefail
build=$(realpath "$1")
seconds=${2:-10}
rounds=${3:-3}
source_dir=$(realpath "$(dirname "$0")/..")
cmake --build "$build" --target bench_programs -j2 > /dev/null
before=""
if [ -n "${BEFORE_BUILD:-}" ]; then
  before=$(realpath "$BEFORE_BUILD")
  cmake --build "$before" --target bench_present -j2 > /dev/null
fi
screens=${SCREENS:-Intro Menu Help Credits ScoreTable ScoreKeyboard GameAtRest GameFalling GameSelection}

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

if [ -z "${LOOPS_ONLY:-}" ]; then
  echo "## frame work (dummy video, median of 5 repetitions)"
  SDL_VIDEODRIVER=dummy SDL_AUDIODRIVER=dummy BOGLINGS_GAME_DIR="$build/game" \
    "$build/bench/bench_frames" --benchmark_repetitions=5 --benchmark_report_aggregates_only=true 2>&1 |
    grep -E "median|^Benchmark"

  echo "## instructions per frame (callgrind, 100 frames): frame work, then presenting before SDL converts"
  for screen in $screens; do
    for part in work present; do
      total=$(SDL_VIDEODRIVER=dummy SDL_AUDIODRIVER=dummy BOGLINGS_GAME_DIR="$build/game" \
        valgrind --tool=callgrind --collect-atstart=no --callgrind-out-file=/dev/null \
        "$build/bench/bench_frame_count" "$screen" 100 $([ $part = present ] && echo present) 2>&1 |
        sed -n 's/.*Collected : //p')
      echo "instructions $part $screen $((total / 100))"
    done
  done

  echo "## live heap over many games (dummy video)"
  SDL_VIDEODRIVER=dummy SDL_AUDIODRIVER=dummy BOGLINGS_GAME_DIR="$build/game" "$build/bench/bench_long_play" 200

  echo "## asset generation (3 runs)"
  for run in 1 2 3; do
    start=$(date +%s%N)
    "$build/tools/boglings_assetgen" "$source_dir/assets" "$scratch/assets" "$scratch/sheet.png" > /dev/null
    echo "assetgen ms=$((($(date +%s%N) - start) / 1000000))"
  done
fi

# The long play (every sound of the game, over the music) through SDL's disk audio driver, which
# writes the mixed output to a file, a buffer (4096 frames, 93 ms) at a time in about real time;
# then every sound's levels and the clipped samples of each recording.
if [ -z "${LOOPS_ONLY:-}" ]; then
  echo "## the mix: sound levels, and the long play recorded through the mixer (${MIX_GAMES:=40} games)"
  recordings=("$scratch/mix-classic.raw")
  libraries=("")
  if [ -n "${SDL12COMPAT_DIR:-}" ]; then
    recordings+=("$scratch/mix-compat.raw")
    libraries+=("LD_LIBRARY_PATH=$SDL12COMPAT_DIR")
  fi
  for i in "${!recordings[@]}"; do
    env ${libraries[$i]} SDL_VIDEODRIVER=dummy SDL_AUDIODRIVER=disk SDL_DISKAUDIOFILE="${recordings[$i]}" \
      SDL_DISKAUDIODELAY=93 BOGLINGS_GAME_DIR="$build/game" "$build/bench/bench_long_play" "$MIX_GAMES" > /dev/null
  done
  "$build/bench/bench_mix_levels" "$build/game" "${recordings[@]}"
fi

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

# One library set: the frame rate and processor use of the bare loop and of every screen, on both
# displays, alternating so that each round meets the same load. xcpu is the X server's processor
# use meanwhile: the pixels a program hands it are copied into the screen in the server's time.
server_ticks() { awk '{ print $14 + $15 }' "/proc/$1/stat"; }
with_server() {  # server pid, command: the command's line with the server's use added
  local pid=$1 ticks start line
  shift
  ticks=$(server_ticks "$pid")
  start=$(date +%s%N)
  line=$("$@")
  awk -v line="$line" -v t=$(($(server_ticks "$pid") - ticks)) -v ns=$(($(date +%s%N) - start)) \
    -v hz="$(getconf CLK_TCK)" 'BEGIN { printf "%s xcpu=%.1f\n", line, 100 * t / hz / (ns / 1e9) }'
}
present() {  # build dir, screen, env assignments
  local dir=$1 screen=$2
  shift 2
  (cd "$scratch/game" && env "$@" SDL_AUDIODRIVER=dummy BOGLINGS_GAME_DIR="$scratch/game" \
    "$dir/bench/bench_present" "$screen" "$seconds")
}
loops() {  # label, then env assignments
  local label=$1
  shift
  for round in $(seq "$rounds"); do
    for display in 70 71; do
      depth=$([ $display = 70 ] && echo 24 || echo 16)
      server=${servers[$((display - 70))]}
      tag="loop lib=$label depth=$depth round=$round"
      echo "$tag build=this $(with_server "$server" env "$@" DISPLAY=":$display" "$build/bench/bench_floor" \
        "$seconds") load=$(load)"
      for screen in $screens; do
        echo "$tag build=this $(with_server "$server" present "$build" "$screen" "$@" DISPLAY=":$display") load=$(load)"
        [ -z "$before" ] && continue
        echo "$tag build=before $(with_server "$server" present "$before" "$screen" "$@" DISPLAY=":$display") load=$(load)"
      done
    done
  done | tee -a "$scratch/loops"
}
load() { cut -d' ' -f1 /proc/loadavg; }

if [ -z "${LOOPS_ONLY:-}" ]; then
  echo "## start-up to the first frame (24-bit display, 11 runs)"
  (cd "$scratch/game" && DISPLAY=:70 SDL_AUDIODRIVER=dummy \
    "$build/bench/bench_launch" "$scratch/game/boglings" "$build/bench/libbench_probe.so" first-frame 11)

  echo "## peak resident memory of a session (24-bit display, 3 runs)"
  for run in 1 2 3; do
    rm -f "$scratch/game/highscores.bin"
    (cd "$scratch/game" && DISPLAY=:70 SDL_AUDIODRIVER=dummy \
      "$build/bench/bench_launch" "$scratch/game/boglings" "$build/bench/libbench_probe.so" session)
  done
fi

echo "## display loops, classic SDL 1.2"
loops classic
if [ -n "${SDL12COMPAT_DIR:-}" ]; then
  echo "## display loops, sdl12-compat over SDL 2"
  loops compat LD_LIBRARY_PATH="$SDL12COMPAT_DIR"
  if [ -z "${LOOPS_ONLY:-}" ]; then
    echo "## start-up, sdl12-compat"
    (cd "$scratch/game" && DISPLAY=:70 SDL_AUDIODRIVER=dummy LD_LIBRARY_PATH="$SDL12COMPAT_DIR" \
      "$build/bench/bench_launch" "$scratch/game/boglings" "$build/bench/libbench_probe.so" first-frame 11)
  fi
fi
echo "## display loops, medians of the rounds"
awk 'function median(v, n,   i, j, x) {
  for (i = 2; i <= n; i++) { x = v[i]; for (j = i - 1; j > 0 && v[j] > x; j--) v[j + 1] = v[j]; v[j + 1] = x }
  return v[int((n + 1) / 2)]
}
{
  key = $2 " " $3 " " $5 " " $6
  if (!(key in n)) keys[++count] = key
  n[key]++; fps[key, n[key]] = substr($9, 5) + 0; cpu[key, n[key]] = substr($10, 5) + 0
  xcpu[key, n[key]] = substr($11, 6) + 0
} END {
  for (k = 1; k <= count; k++) {
    key = keys[k]
    for (i = 1; i <= n[key]; i++) { f[i] = fps[key, i]; c[i] = cpu[key, i]; x[i] = xcpu[key, i] }
    printf "median %s fps=%.1f cpu=%.1f xcpu=%.1f rounds=%d\n", key, median(f, n[key]), median(c, n[key]),
      median(x, n[key]), n[key]
  }
}' "$scratch/loops"
echo "load at end: $(cut -d' ' -f1-3 /proc/loadavg)"
