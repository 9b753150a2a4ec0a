#!/usr/bin/env bash
# The game as players and packagers install it: installed-game.sh CHECK BUILD_DIR PREFIX. "install"
# installs the build into PREFIX and validates what it installed; "deb" checks the Debian package;
# "homes" starts a copy of the installation from an unrelated folder with odd homes and data.
set -euo pipefail
check=$1 build=$2 prefix=$3
id=org.lanternmoth.Boglings && data=share/$id
scratch=$(realpath "$(mktemp -d)")
trap 'kill $(jobs -p) 2>/dev/null || true; rm -rf "$scratch"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }
files=(bin/boglings "$data/sprites/icon.dat" "$data/sounds/music.dat" "share/applications/$id.desktop"
  "share/metainfo/$id.metainfo.xml" share/icons/hicolor/{48x48,64x64,128x128,256x256}/apps/$id.png
  "share/icons/hicolor/scalable/apps/$id.svg" share/man/man6/boglings.6.gz share/doc/boglings/copyright)

# Starts the installed copy headless and, once its intro opens the first picture, checks that it
# runs in a folder matching $1 with links into the data; then ends it with the signals $2 (the game
# ignores SIGPIPE and takes SIGHUP, SIGQUIT and SIGTERM for the close request).
start_game() {
  rm -f "$scratch/events" && mkfifo "$scratch/events"
  inotifywait -e open -t 120 "$root/$data/sprites/makerlogo.dat" >"$scratch/events" 2>&1 &
  local watcher=$! events first= cwd
  exec {events}<"$scratch/events"
  read -r -u "$events" _ && read -r -u "$events" _  # "Setting up watches." "Watches established."
  (cd "$scratch/elsewhere" && exec "$root/bin/boglings") 2>"$scratch/stderr" &
  local game=$!
  wait -n -p first "$game" "$watcher" || true
  [ "$first" = "$watcher" ] || fail "the game ended before its intro: $(cat "$scratch/stderr")"
  cwd=$(readlink "/proc/$game/cwd")
  # shellcheck disable=SC2053  # $1 may be a pattern
  [[ $cwd == $1 ]] || fail "runs in $cwd, not $1"
  for link in sprites sounds; do
    [ "$(readlink "$cwd/$link")" = "$root/$data/$link" ] || fail "$cwd/$link leads to $(readlink "$cwd/$link")"
  done
  for signal in $2; do kill -"$signal" "$game"; done
  wait "$game" || fail "status $? after $2"
}

case $check in
  install)
    rm -rf "$prefix" && cmake --install "$build" --prefix "$prefix" >/dev/null
    for file in "${files[@]}"; do [ -f "$prefix/$file" ] || fail "$file was not installed"; done
    desktop-file-validate "$prefix/share/applications/$id.desktop"
    appstreamcli validate --no-net "$prefix/share/metainfo/$id.metainfo.xml"
    for size in 48 64 128 256; do file "$prefix/share/icons/hicolor/${size}x$size/apps/$id.png" | grep -q "$size x $size" || fail "icon $size"; done
    ! grep -Eq '<image|<text|href="[^#]' "$prefix/share/icons/hicolor/scalable/apps/$id.svg" ||
      fail "the scalable icon needs other files" ;;
  deb)
    cpack --config "$build/CPackConfig.cmake" -G DEB -B "$scratch" >/dev/null
    deb=$(echo "$scratch"/boglings_*.deb) && listing=$(dpkg-deb -c "$deb")
    for file in "${files[@]}"; do grep -q " \./usr/$file$" <<<"$listing" || fail "$file is not in the package"; done
    [ "$(dpkg-deb -f "$deb" Section)" = games ] || fail "section $(dpkg-deb -f "$deb" Section)"
    depends=", $(dpkg-deb -f "$deb" Depends)"
    for package in libc6 libsdl1.2debian libsdl-mixer1.2 libsdl-gfx1.2-5; do [[ $depends == *", $package ("* ]] || fail "$depends"; done ;;
  homes)  # (the first start and a saved score are the end-to-end journey's)
    root=$scratch/game && cp -a "$prefix" "$root" && mkdir -p "$scratch/elsewhere" "$scratch/tmp" "$scratch/xdg"
    export HOME=$scratch/home TMPDIR=$scratch/tmp SDL_VIDEODRIVER=dummy SDL_AUDIODRIVER=dummy
    # Links into the old place are renewed; a relative XDG_DATA_HOME does not count.
    folder=$HOME/.local/share/$id && mkdir -p "$folder"
    ln -s "$prefix/$data/sprites" "$folder/sprites" && ln -s /nowhere "$folder/sounds"
    XDG_DATA_HOME=relative start_game "$folder" QUIT
    # A plain file in the way: one line says why; the game plays in a temporary folder that it removes.
    echo "not a folder" >"$scratch/xdg/$id"
    XDG_DATA_HOME=$scratch/xdg start_game "$TMPDIR/boglings-*" "PIPE HUP"
    [ "$(cat "$scratch/stderr")" = "$scratch/xdg/$id: the high scores will not be kept: Not a directory" ] ||
      fail "said: $(cat "$scratch/stderr")"
    [ -z "$(ls -A "$TMPDIR")" ] || fail "left behind: $(ls "$TMPDIR")"
    # ... and when not even that folder can be made, the report names it and says why.
    status=0 && XDG_DATA_HOME=$scratch/xdg TMPDIR=$scratch/xdg/$id "$root/bin/boglings" 2>"$scratch/stderr" || status=$?
    [ $status = 1 ] && grep -q "^$scratch/xdg/$id: Not a directory\.$" "$scratch/stderr" || fail "$(cat "$scratch/stderr")"
    # Installed data missing: the usual report names the file, exit code 1.
    rm "$root/$data/sprites/makerlogo.dat"
    status=0 && timeout 60 "$root/bin/boglings" 2>"$scratch/stderr" || status=$?
    [ $status = 1 ] && grep -q "sprites/makerlogo.dat: File not found" "$scratch/stderr" ||
      fail "status $status: $(cat "$scratch/stderr")" ;;
  *) fail "no check $check" ;;
esac
