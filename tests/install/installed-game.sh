#!/usr/bin/env bash
# The game as players and packagers install it. Usage: installed-game.sh CHECK BUILD_DIR PREFIX
# "install" installs the build into PREFIX; the other checks read that installation.
set -euo pipefail
check=$1 build=$2 prefix=$3
id=org.lanternmoth.Boglings data=share/org.lanternmoth.Boglings
scratch=$(realpath "$(mktemp -d)")
trap 'kill $(jobs -p) 2>/dev/null || true; rm -rf "$scratch"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }
files=(bin/boglings "$data/sprites/icon.dat" "$data/sounds/music.dat" "share/applications/$id.desktop"
  "share/metainfo/$id.metainfo.xml" share/icons/hicolor/{48x48,64x64,128x128,256x256}/apps/$id.png
  "share/icons/hicolor/scalable/apps/$id.svg" share/man/man6/boglings.6.gz share/doc/boglings/copyright)

# Starts the installed command from an unrelated folder, headless, and once the intro opens its
# first picture checks where it runs, then ends it with SIGTERM (SDL's quit request).
start_game() {
  mkfifo "$scratch/events"
  inotifywait -e open -t 120 "$root/$data/sprites/makerlogo.dat" >"$scratch/events" 2>&1 &
  local watcher=$! events first=
  exec {events}<"$scratch/events"
  read -r -u "$events" _ && read -r -u "$events" _  # "Setting up watches." "Watches established."
  (cd "$scratch/elsewhere" && exec "$root/bin/boglings") 2>"$scratch/stderr" &
  local game=$!
  wait -n -p first "$game" "$watcher" || true
  [ "$first" = "$watcher" ] || fail "the game ended before its intro: $(cat "$scratch/stderr")"
  local cwd; cwd=$(readlink "/proc/$game/cwd")
  # shellcheck disable=SC2053  # $folder may be a pattern
  [[ $cwd == $folder ]] || fail "runs in $cwd, not $folder"
  for link in sprites sounds; do
    [ "$(readlink "$cwd/$link")" = "$root/$data/$link" ] || fail "$cwd/$link leads to $(readlink "$cwd/$link")"
  done
  kill -TERM "$game"
  wait "$game" || fail "status $? after the quit request"
}

mkdir -p "$scratch/home" "$scratch/elsewhere" "$scratch/tmp"
export HOME=$scratch/home TMPDIR=$scratch/tmp SDL_VIDEODRIVER=dummy SDL_AUDIODRIVER=dummy
# Every start runs a copy of its own: no other check opens the files it watches, and moving works.
root=$scratch/game folder=$scratch/xdg/$id
[ "$check" = install ] || cp -a "$prefix" "$root"
case $check in
  install)
    rm -rf "$prefix"
    cmake --install "$build" --prefix "$prefix" >/dev/null
    for file in "${files[@]}"; do [ -f "$prefix/$file" ] || fail "$file was not installed"; done ;;
  metadata)
    desktop-file-validate "$prefix/share/applications/$id.desktop"
    appstreamcli validate --no-net "$prefix/share/metainfo/$id.metainfo.xml"
    for size in 48 64 128 256; do
      file "$prefix/share/icons/hicolor/${size}x$size/apps/$id.png" | grep -q "$size x $size" || fail "icon of $size"
    done
    ! grep -Eq '<image|<text|href="[^#]' "$prefix/share/icons/hicolor/scalable/apps/$id.svg" ||
      fail "the scalable icon needs other files" ;;
  deb)
    cpack --config "$build/CPackConfig.cmake" -G DEB -B "$scratch" >/dev/null
    deb=$(echo "$scratch"/boglings_*.deb) && listing=$(dpkg-deb -c "$deb")
    for file in "${files[@]}"; do grep -q " \./usr/$file$" <<<"$listing" || fail "$file is not in the package"; done
    [ "$(dpkg-deb -f "$deb" Section)" = games ] || fail "section $(dpkg-deb -f "$deb" Section)"
    depends=$(dpkg-deb -f "$deb" Depends)
    for package in libc6 libsdl1.2debian libsdl-mixer1.2 libsdl-gfx1.2-5; do
      [[ ", $depends" == *", $package ("* ]] || fail "Depends: $depends (no $package)"
    done ;;
  stale-links)  # links into the old place are renewed; a relative XDG_DATA_HOME does not count (the
    # first start and a saved score are the end-to-end journey's)
    folder=$HOME/.local/share/$id && mkdir -p "$folder"
    ln -s "$prefix/$data/sprites" "$folder/sprites" && ln -s /nowhere "$folder/sounds"
    XDG_DATA_HOME=relative start_game ;;
  plain-file)  # one line says why; the game plays in a temporary folder that it removes
    mkdir -p "$scratch/xdg" && echo "not a folder" >"$scratch/xdg/$id"
    folder="$TMPDIR/boglings-*" XDG_DATA_HOME=$scratch/xdg start_game
    [ "$(cat "$scratch/stderr")" = "$scratch/xdg/$id: the high scores will not be kept: Not a directory" ] ||
      fail "said: $(cat "$scratch/stderr")"
    [ -z "$(ls -A "$TMPDIR")" ] || fail "left behind: $(ls "$TMPDIR")" ;;
  missing-data)  # the usual report names the file, exit code 1
    rm "$root/$data/sprites/makerlogo.dat"
    status=0 && timeout 60 "$root/bin/boglings" 2>"$scratch/stderr" || status=$?
    [ $status = 1 ] && grep -q "sprites/makerlogo.dat: File not found" "$scratch/stderr" ||
      fail "status $status: $(cat "$scratch/stderr")" ;;
  *) fail "no check $check" ;;
esac
