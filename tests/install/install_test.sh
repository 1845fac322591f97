#!/usr/bin/env bash
# The installed game: cmake --install into a temporary folder gives the program, its tunes, a menu
# entry, icons, AppStream data and a man page; the installed program, and the one in the build
# folder (make play), started from a folder without the tunes, find them and show the start screen.
set -Eeuo pipefail
# A command that stops the test without a reason of its own still names itself in the log.
trap 'echo "FAILED: $(basename "$0") line $LINENO: $BASH_COMMAND" >&2' ERR
build=$1
source=$(cd "$2" && pwd)
stage=$(mktemp -d)
trap '[[ -z ${TUNE_WATCH_PID:-} ]] || kill "$TUNE_WATCH_PID" 2>/dev/null || true; rm -rf "$stage"' EXIT
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

# Started from a folder without the tunes, each program shows the start screen (the benchmark
# mode leaves once it is shown) and plays its own tunes, without leaving the starting folder.
command -v inotifywait >/dev/null ||
  { echo "SKIPPED: inotifywait is not installed (scripts/install-deps --tests installs it)"; exit 77; }
source "$source/tests/support/tune_reads.sh"
elsewhere=$stage/elsewhere
mkdir -p "$elsewhere/config" "$elsewhere/Music"  # a player's own Music folder
for pair in "$bin:$(dirname "$music")" "$build/morvath:$source"; do
  program=${pair%%:*} want=${pair#*:}
  shown=$(cd "$elsewhere" && QT_QPA_PLATFORM=offscreen MORVATH_BENCH=1 \
          XDG_CONFIG_HOME="$elsewhere/config" timeout 60 "$program" 2>"$stage/stderr")
  [[ "$shown" == "shown" ]] || { echo "$program did not show its start screen"; exit 1; }
  ! grep '^morvath:' "$stage/stderr" || { echo "$program did not find its tunes"; exit 1; }
  watch_tune_reads "$stage/opened" "$want" "$elsewhere"
  (cd "$elsewhere" && exec env QT_QPA_PLATFORM=offscreen XDG_CONFIG_HOME="$elsewhere/config" \
     "$program" >/dev/null 2>&1) &
  game=$!
  folder=$(tune_folder_read "$stage/opened") || true
  cwd=$(readlink "/proc/$game/cwd" || true)
  kill "$game" "$TUNE_WATCH_PID" 2>/dev/null || true
  wait "$game" "$TUNE_WATCH_PID" 2>/dev/null || true
  [[ "$folder" == "$want" ]] || { echo "$program plays from ${folder:-nowhere}, not $want" >&2; exit 1; }
  [[ "$cwd" == "$elsewhere" ]] || { echo "$program left its starting folder for $cwd" >&2; exit 1; }
done
