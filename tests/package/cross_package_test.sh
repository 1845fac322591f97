#!/usr/bin/env bash
# The arm64 package, cross-built on this amd64 machine: lintian accepts it, its program is an
# aarch64 executable with the same hardening as the amd64 package's, it holds the same files and
# needs the same libraries, and the program unpacked from it, run under qemu-user from a folder
# whose Music folder holds none of its tunes, plays from its own tune folder.
#
# Usage: cross_package_test.sh <source-dir> <work-dir> [arch]   (arch: arm64, the default)
# Needs scripts/install-deps --arm64.
set -euo pipefail
trap 'echo "FAILED: $(basename "$0") line $LINENO: $BASH_COMMAND" >&2' ERR
src=$1
arch=${3:-arm64}
work=$2/package-test-$arch
fail() { echo "FAIL: $*" >&2; exit 1; }

case $arch in
  arm64) machine=AArch64 emulator=qemu-aarch64-static ;;
  *) fail "no cross build for $arch" ;;
esac
for tool in dpkg-buildpackage lintian hardening-check inotifywait "$emulator"; do
  command -v "$tool" >/dev/null || fail "$tool is missing (scripts/install-deps --$arch)"
done

# --- Both packages, from the same tree. --------------------------------------------------------
rm -rf "$work"
"$src/scripts/make-deb" "$work/dist" "$work/build-native" >/dev/null
"$src/scripts/make-deb" --arch "$arch" "$work/dist" "$work/build-$arch" >/dev/null
native=$(ls "$work"/dist/morvath_*_"$(dpkg --print-architecture)".deb)
deb=$(ls "$work"/dist/morvath_*_"$arch".deb)
echo "built $(basename "$deb") (and $(basename "$native") to compare)"

lintian --fail-on error,warning --tag-display-limit 0 "$deb" 2>/dev/null ||
  fail "lintian finds errors or warnings in $(basename "$deb")"
[[ $(dpkg-deb -f "$deb" Architecture) == "$arch" ]] || fail "the package is not for $arch"

# The same files, and the same libraries (their versions may differ between architectures).
listing() { dpkg-deb -c "$1" | awk '{print $1, $6}' | sort; }
diff <(listing "$native") <(listing "$deb") >"$work/files.diff" ||
  fail "the files differ from the $(dpkg --print-architecture) package's: $(tr '\n' ' ' <"$work/files.diff")"
needs() { dpkg-deb -f "$1" Depends | tr ',' '\n' | sed 's/(.*)//; s/ //g' | sort; }
[[ $(needs "$deb") == "$(needs "$native")" ]] ||
  fail "Depends differ: $(dpkg-deb -f "$deb" Depends) against $(dpkg-deb -f "$native" Depends)"

root=$work/root
dpkg-deb -x "$deb" "$root"
dpkg-deb -x "$native" "$work/root-native"
program=$root/usr/games/morvath
header=$(readelf -h "$program")
grep -q "Machine:.*$machine" <<<"$header" || fail "the program is not an $machine executable"
grep -q 'Type:.*DYN' <<<"$header" || fail "the program is not position independent"

# hardening-check reads the ELF itself for all but two lines; for stack clash protection and
# control flow integrity it disassembles x86 code, which the aarch64 program has none of, so
# both say they found nothing (as they do for the amd64 program, built without either flag).
hardening() { hardening-check "$1" 2>/dev/null | tail -n +2 || true; }
hardening "$work/root-native/usr/games/morvath" >"$work/hardening-native"
hardening "$program" >"$work/hardening-$arch"
grep -q 'Position Independent Executable: yes' "$work/hardening-$arch" ||
  fail "hardening-check finds no PIE: $(cat "$work/hardening-$arch")"
diff "$work/hardening-native" "$work/hardening-$arch" >"$work/hardening.diff" ||
  fail "the hardening differs from the native program's: $(tr '\n' ' ' <"$work/hardening.diff")"

# --- The unpacked program under the emulator, offscreen, from a folder without the tunes. --------
home=$work/home
mkdir -p "$home/Music" "$work/config/KeepOfTheMorvath"
echo "not a tune" >"$home/Music/song.mid"
printf '[Start]\nStart=2\n' >"$work/config/KeepOfTheMorvath/ZARQSTART.ini"  # not the first start
# shellcheck source=../support/tune_reads.sh
source "$src/tests/support/tune_reads.sh"
watch_tune_reads "$work/opened" "$root/usr/share/games/morvath" "$home" || fail "no inotify watch"
(cd "$home" && exec env XDG_CONFIG_HOME="$work/config" QT_QPA_PLATFORM=offscreen \
   "$emulator" -L / "$program" 2>"$work/stderr" >/dev/null) &
game=$!
trap 'kill "$game" "$TUNE_WATCH_PID" 2>/dev/null || true' EXIT
# The emulator opens the files for the program: inotify sees the title tune read. The emulated
# start takes a while on a busy machine.
folder=$(tune_folder_read "$work/opened" 300) ||
  fail "the $arch game read no title tune: $(tail -3 "$work/stderr")"
kill "$game"
wait "$game" 2>/dev/null || true
[[ $folder == "$root/usr/share/games/morvath" ]] ||
  fail "the $arch game plays from $folder, not from its tune folder $root/usr/share/games/morvath"
! grep -q 'Music folder' "$work/stderr" || fail "the $arch game says it found no tunes"
echo "the $arch game, under $emulator, plays from ${folder#"$root"}"
