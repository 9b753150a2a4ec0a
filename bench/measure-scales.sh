#!/bin/bash
# The display loop on a 3840x2160 display at each scale, raw lines on standard output:
#   bench/measure-scales.sh BUILD_DIR [SECONDS_PER_RUN] [ROUNDS]
# Each round runs, per library (classic SDL 1.2, then sdl12-compat when Debian's libsdl1.2-compat is
# installed), the bare loop (bench_floor, a 640x480 window flipped whole) and an idle screen (Help:
# nothing changes) and a busy one (GameSelection: 64 sparks, the hint, the timer) in a window at 1x
# and 2x and fullscreen at 4x. xcpu is the X server's processor use meanwhile. The X server is its
# own, on a free display number.
set -euo pipefail
build=$(realpath "$1")
seconds=${2:-8}
rounds=${3:-2}
compat=$(dirname "$(dpkg -L libsdl1.2-compat 2> /dev/null | grep '/libSDL-1.2.so.0$' || echo /nonexistent/x)")
cmake --build "$build" --target bench_present bench_floor -j2 > /dev/null
scratch=$(mktemp -d /tmp/boglings-scales-XXXXXX)
mkdir -p "$scratch/game"
cp -r "$build/game/sprites" "$build/game/sounds" "$scratch/game/"
exec 5<> <(:)
Xvfb -displayfd 5 -screen 0 3840x2160x24 -nolisten tcp -noreset > /dev/null 2>&1 &
server=$!
trap 'kill $server; rm -rf "$scratch"' EXIT
read -r -u 5 number
export DISPLAY=":$number" SDL_AUDIODRIVER=dummy BOGLINGS_GAME_DIR="$scratch/game"
server_ticks() { awk '{ print $14 + $15 }' "/proc/$server/stat"; }
run() {  # label, command: the command's line with the server's use and the load added
  local label=$1 ticks start line
  shift
  ticks=$(server_ticks)
  start=$(date +%s%N)
  line=$(cd "$scratch/game" && "$@")
  awk -v line="$label $line" -v t=$(($(server_ticks) - ticks)) -v ns=$(($(date +%s%N) - start)) \
    -v hz="$(getconf CLK_TCK)" -v load="$(cut -d' ' -f1 /proc/loadavg)" \
    'BEGIN { printf "%s xcpu=%.1f load=%s\n", line, 100 * t / hz / (ns / 1e9), load }'
}
echo "load at start: $(cut -d' ' -f1-3 /proc/loadavg)"
libraries=(classic)
[ -e "$compat/libSDL-1.2.so.0" ] && libraries+=(compat)
for round in $(seq "$rounds"); do
  for library in "${libraries[@]}"; do
    with=(env)
    [ "$library" = compat ] && with+=(LD_LIBRARY_PATH="$compat")
    run "lib=$library round=$round window=bare" "${with[@]}" "$build/bench/bench_floor" "$seconds"
    for window in 1 2 full; do
      for screen in Help GameSelection; do
        run "lib=$library round=$round window=$window" "${with[@]}" "$build/bench/bench_present" "$screen" \
          "$seconds" "$window"
      done
    done
  done
done
echo "load at end: $(cut -d' ' -f1-3 /proc/loadavg)"
