#!/usr/bin/env bash
# The arm64 package, cross-built on this amd64 machine: lintian accepts it, its program is an
# aarch64 executable with the same hardening as the amd64 package's, it holds the same files and
# needs the same libraries, and the program unpacked from it, run under qemu-user from a folder
# without tunes, plays from its own tune folder.
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
for tool in dpkg-buildpackage lintian hardening-check "$emulator"; do
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

# --- The unpacked program under the emulator, offscreen, from a folder without tunes. ----------
home=$work/home
mkdir -p "$home" "$work/config/KeepOfTheMorvath"
printf '[Start]\nStart=2\n' >"$work/config/KeepOfTheMorvath/ZARQSTART.ini"  # not the first start
(cd "$home" && exec env XDG_CONFIG_HOME="$work/config" QT_QPA_PLATFORM=offscreen \
   "$emulator" -L / "$program" 2>"$work/stderr" >/dev/null) &
game=$!
trap 'kill "$game" 2>/dev/null || true' EXIT
# The emulator opens the program's files for it: the title tune shows among its descriptors, and
# stays open while the title screen is up (on a machine without a sound card too: the game then
# says so and keeps the tunes in time silently). Until then the game may end, or say it found no
# tunes: that fails. (A descriptor may close between the listing and its reading.)
folder=""
title_tune() {
  local fd target
  for fd in "/proc/$game"/fd/*; do
    target=$(readlink "$fd" 2>/dev/null) || continue
    [[ $target == */Music/Temple.mid ]] && folder=${target%/Music/Temple.mid}
  done
  [[ -n $folder ]]
}
while ! title_tune && kill -0 "$game" 2>/dev/null && ! grep -q 'Music folder' "$work/stderr"; do
  sleep 0.2
done
title_tune || true
[[ -n $folder ]] || fail "the $arch game played no title tune: $(tail -3 "$work/stderr")"
kill "$game"
wait "$game" 2>/dev/null || true
[[ $folder == "$root/usr/share/games/morvath" ]] ||
  fail "the $arch game plays from $folder, not from its tune folder $root/usr/share/games/morvath"
echo "the $arch game, under $emulator, plays from ${folder#"$root"}"
