#!/usr/bin/env bash
# The installed game: cmake --install into a temporary folder gives the program, its tunes, a menu
# entry, icons, AppStream data and a man page; the installed program, and the one in the build
# folder (make play), started from a folder without the tunes, find them and show the start screen.
set -euo pipefail
# A command that stops the test without a reason of its own still names itself in the log.
trap 'echo "FAILED: $(basename "$0") line $LINENO: $BASH_COMMAND" >&2' ERR
build=$1
source=$(cd "$2" && pwd)
stage=$(mktemp -d)
trap 'rm -rf "$stage"' EXIT
DESTDIR="$stage" cmake --install "$build" >/dev/null
desktop=$(find "$stage" -name morvath.desktop)
[[ -n "$desktop" ]] || { echo "no menu entry installed"; exit 1; }
bin=$(find "$stage" -path '*/bin/morvath' -type f)
[[ -x "$bin" ]] || { echo "no program installed"; exit 1; }
grep -qx 'Exec=morvath' "$desktop" || { echo "menu entry does not start morvath"; exit 1; }
! grep -q '^Path=' "$desktop" || { echo "the menu entry names a working folder"; exit 1; }
music=$(dirname "$(find "$stage" -path '*/Music/Temple.mid')")
for tune in Temple.mid Outside.mid Outside.MID Outside.rmi FightMusic.rmi Death.MID; do
  [[ -f "$music/$tune" ]] || { echo "tune $tune missing beside Temple.mid"; exit 1; }
done
share=$(dirname "$desktop")/..
for size in 16 32 48 64 128 256; do
  [[ -f $share/icons/hicolor/${size}x${size}/apps/morvath.png ]] || { echo "icon $size missing"; exit 1; }
done
[[ -n $(find "$share/metainfo" -name '*.metainfo.xml') ]] || { echo "no AppStream metainfo"; exit 1; }
[[ -f $share/man/man6/morvath.6 ]] || { echo "no man page"; exit 1; }

# The folder whose Music/Temple.mid the game ($1) holds open: the title tune it plays.
# A descriptor may close between the listing and its reading: that is no failure of the test.
tune_folder_of() {
  local fd target
  for fd in "/proc/$1"/fd/*; do
    target=$(readlink "$fd" 2>/dev/null) || continue
    [[ $target == */Music/Temple.mid ]] && { echo "${target%/Music/Temple.mid}"; break; }
  done
  return 0
}

# Started from a folder without the tunes, each program shows the start screen (the benchmark
# mode leaves once it is shown) and plays its own tunes, without leaving the starting folder.
elsewhere=$stage/elsewhere
mkdir -p "$elsewhere/config" "$elsewhere/Music"  # a player's own Music folder
for pair in "$bin:$(dirname "$music")" "$build/morvath:$source"; do
  program=${pair%%:*} want=${pair#*:}
  shown=$(cd "$elsewhere" && QT_QPA_PLATFORM=offscreen MORVATH_BENCH=1 \
          XDG_CONFIG_HOME="$elsewhere/config" timeout 30 "$program" 2>"$stage/stderr")
  [[ "$shown" == "shown" ]] || { echo "$program did not show its start screen"; exit 1; }
  ! grep '^morvath:' "$stage/stderr" || { echo "$program did not find its tunes"; exit 1; }
  (cd "$elsewhere" && exec env QT_QPA_PLATFORM=offscreen XDG_CONFIG_HOME="$elsewhere/config" \
     "$program" >/dev/null 2>&1) &
  game=$!
  folder=
  for _ in $(seq 100); do
    folder=$(tune_folder_of "$game")
    [[ "$folder" != "$want" ]] || break
    sleep 0.1
  done
  cwd=$(readlink "/proc/$game/cwd" || true)
  kill "$game" 2>/dev/null || true
  wait "$game" 2>/dev/null || true
  [[ "$folder" == "$want" ]] || { echo "$program plays from ${folder:-nowhere}, not $want" >&2; exit 1; }
  [[ "$cwd" == "$elsewhere" ]] || { echo "$program left its starting folder for $cwd" >&2; exit 1; }
done
