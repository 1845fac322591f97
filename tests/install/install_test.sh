#!/usr/bin/env bash
# The installed game: cmake --install into a temporary folder gives the program, its tunes, a menu
# entry and icons, and the program starts from the folder the menu entry names.
set -euo pipefail
build=$1
stage=$(mktemp -d)
trap 'rm -rf "$stage"' EXIT
DESTDIR="$stage" cmake --install "$build" >/dev/null
desktop=$(find "$stage" -name morvath.desktop)
[[ -n "$desktop" ]] || { echo "no menu entry installed"; exit 1; }
bin=$(find "$stage" -path '*/bin/morvath' -type f)
[[ -x "$bin" ]] || { echo "no program installed"; exit 1; }
grep -qx 'Exec=morvath' "$desktop" || { echo "menu entry does not start morvath"; exit 1; }
folder=$(sed -n 's/^Path=//p' "$desktop")
for tune in Temple.mid Outside.mid Outside.MID Outside.rmi FightMusic.rmi Death.MID; do
  [[ -f "$stage$folder/Music/$tune" ]] || { echo "tune $tune missing below $folder"; exit 1; }
done
for size in 16 32 48 64 128 256; do
  [[ -f $(dirname "$desktop")/../icons/hicolor/${size}x${size}/apps/morvath.png ]] ||
    { echo "icon $size missing"; exit 1; }
done
config=$(mktemp -d)
shown=$(cd "$stage$folder" && QT_QPA_PLATFORM=offscreen MORVATH_BENCH=1 XDG_CONFIG_HOME="$config" \
        timeout 30 "$bin" 2>/dev/null)
rm -rf "$config"
[[ "$shown" == "shown" ]] || { echo "the installed game did not show its start screen"; exit 1; }
