#!/usr/bin/env bash
# The game as players and packagers install it: installed-game.sh install|deb|homes BUILD_DIR PREFIX.
set -euo pipefail
check=$1 build=$2 prefix=$3
id=org.lanternmoth.Boglings && data=share/games/boglings
scratch=$(realpath "$(mktemp -d)") && err=$scratch/stderr
trap 'kill $(jobs -p) 2>/dev/null || true; rm -rf "$scratch"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }
files=(games/boglings "$data/sprites/icon.dat" "$data/sounds/music.dat" "share/applications/$id.desktop"
  "share/metainfo/$id.metainfo.xml" share/icons/hicolor/{48x48,64x64,128x128,256x256}/apps/$id.png
  "share/icons/hicolor/scalable/apps/$id.svg")  # lintian reports a missing manual or copyright

# Starts the installed copy; once its intro opens a picture, checks that it runs in a folder
# matching $1 with links into the data, then ends it with the signals $2 (SIGPIPE is ignored).
start_game() {
  rm -f "$scratch/events" && mkfifo "$scratch/events"
  inotifywait -e open -t 120 "$root/$data/sprites/makerlogo.dat" >"$scratch/events" 2>&1 &
  local watcher=$! events first= cwd
  exec {events}<"$scratch/events"
  read -r -u "$events" _ && read -r -u "$events" _  # "Setting up watches." "Watches established."
  (cd "$scratch/elsewhere" && exec ${as[@]+"${as[@]}"} "$root/games/boglings") 2>"$err" &
  local pid=$!
  wait -n -p first "$pid" "$watcher" || true
  [ "$first" = "$watcher" ] || fail "the game ended before its intro: $(cat "$err")"
  cwd=$(readlink "/proc/$pid/cwd")
  # shellcheck disable=SC2053  # $1 may be a pattern
  [[ $cwd == $1 ]] || fail "runs in $cwd, not $1"
  for link in sprites sounds; do
    [ "$(readlink "$cwd/$link")" = "$root/$data/$link" ] || fail "$cwd/$link leads to $(readlink "$cwd/$link")"
  done
  for signal in $2; do kill -"$signal" "$pid"; done
  wait "$pid" || fail "status $? after $2"
}

case $check in
  install)
    rm -rf "$prefix" && cmake --install "$build" --prefix "$prefix" >/dev/null
    for file in "${files[@]}"; do [ -f "$prefix/$file" ] || fail "$file was not installed"; done
    desktop-file-validate "$prefix/share/applications/$id.desktop"
    grep -qx "Exec=$prefix/games/boglings" "$prefix/share/applications/$id.desktop" || fail "Exec is not the program's path"
    appstreamcli validate --no-net "$prefix/share/metainfo/$id.metainfo.xml"
    ;;
  deb)
    # Built twice, the same bytes.
    for run in 1 2; do cpack --config "$build/CPackConfig.cmake" -B "$scratch/$run" >/dev/null; done
    for deb in "$scratch"/1/*.deb; do cmp "$deb" "$scratch/2/${deb##*/}" || fail "${deb##*/} differs"; done
    deb=$(echo "$scratch"/1/boglings_*.deb) && data_deb=$(echo "$scratch"/1/boglings-data_*_all.deb)
    lintian --pedantic --fail-on error,warning "$deb" "$data_deb" >"$scratch/lintian" || fail "$(cat "$scratch/lintian")"
    listing=$(dpkg-deb -c "$deb" && dpkg-deb -c "$data_deb")
    for file in "${files[@]}"; do grep -q " \./usr/$file$" <<<"$listing" || fail "$file is not in the packages"; done
    # (lintian reports a binary package without the libraries' dependencies)
    [[ $(dpkg-deb -f "$deb" Depends) == *boglings-data* ]] || fail "no dependency on the data" ;;
  homes)
    root=$scratch/game && game=$root/games/boglings && cp -a "$prefix" "$root" && mkdir -p "$scratch/elsewhere" "$scratch/tmp" "$scratch/xdg"
    export HOME=$scratch/home TMPDIR=$scratch/tmp SDL_VIDEODRIVER=dummy SDL_AUDIODRIVER=dummy
    # Links into the old place are renewed; a relative XDG_DATA_HOME does not count.
    folder=$HOME/.local/share/$id && mkdir -p "$folder"
    ln -s "$prefix/$data/sprites" "$folder/sprites" && ln -s /nowhere "$folder/sounds"
    XDG_DATA_HOME=relative start_game "$folder" QUIT
    # A read-only folder is played in, so its table shows (as nobody: root writes anywhere).
    [ "$(id -u)" != 0 ] || as=(setpriv --reuid=65534 --regid=65534 --clear-groups)
    chmod -R a+rX "$scratch" && chmod a-w "$folder" && XDG_DATA_HOME=relative start_game "$folder" TERM && unset as
    [ ! -s "$err" ] && chmod u+w "$folder" || fail "said: $(cat "$err")"
    # A file in the way, or a folder in the data: one line says why; play goes on in a temporary
    # folder, removed at the end.
    echo "not a folder" >"$scratch/xdg/$id"
    for row in "$scratch/xdg:Not a directory" "$root/$data:it overlaps the game's data folder"; do
      XDG_DATA_HOME=${row%%:*} start_game "$TMPDIR/boglings-*" "PIPE HUP"
      [ "$(cat "$err")" = "${row%%:*}/$id: the high scores will not be kept: ${row#*:}" ] ||
        fail "said: $(cat "$err")"
      [ -z "$(ls -A "$TMPDIR")" ] || fail "left behind: $(ls "$TMPDIR")"
    done
    # ... and when that cannot be made, the report names it and says why.
    status=0 && XDG_DATA_HOME=$scratch/xdg TMPDIR=$scratch/xdg/$id "$game" 2>"$err" || status=$?
    [ $status = 1 ] && grep -q "^$scratch/xdg/$id: Not a directory\.$" "$err" || fail "$(cat "$err")"
    # Arguments, and no display at all: one line names the cause; status 0, 1 or 2.
    while IFS='|' read -r code said args; do
      status=0 && out=$(eval "$args" 2>&1) || status=$?
      [ $status = "$code" ] && grep -Eq "$said" <<<"$out" || fail "$args: status $status: $out"
    done <<'EOF'
0|^Usage: boglings|"$game" --help
0|^boglings [0-9.]+$|"$game" --version
2|^boglings: unknown argument '-x'|"$game" --version -x
1|DISPLAY is not set|env -u DISPLAY -u SDL_VIDEODRIVER "$game"
EOF
    ;;
  *) fail "no check $check" ;;
esac
