#!/bin/bash
# Space, Return and Tab on the map and in the Upper Keep change nothing (no button there takes
# the keyboard focus, so none is pressed by them); the buttons' mnemonics still work. A button
# picked on an earlier visit (at the inn, in a cave before its fight) is not pressed by a Space.
#   stray_keys_test.sh path/to/morvath
source "$(dirname "$0")/lib.sh"
bin=${1:?the game binary}

# Fails unless the screen titled $1 is the only game screen shown.
assert_only() {
  local titles
  titles=$(visible_titles)
  grep -qxF -- "$1" <<<"$titles" || fail "$2: \"$1\" is gone; shown: $(tr '\n' '|' <<<"$titles")"
  for other in "Keep of the Morvath" "Caves" " Keep of the Morvath" "Cave of Evil"; do
    [[ $other == "$1" ]] && continue
    grep -qxF -- "$other" <<<"$titles" && fail "$2: \"$other\" is shown beside \"$1\""
  done
  return 0
}

desktop_start 1280x720
seen_story
write_hero 4 Health=100000 MaxHealth=100000 Strength=5000  # outlasts the maze guards (1750 a blow)
game_start "$bin"
load_slot1
keys space Return KP_Enter Tab space Tab Return
assert_only "Caves" "Space, Return and Tab on the map"

# Fails when, within a second of the keys, a window other than $1 takes the keyboard ($2: what).
assert_keeps_keyboard() {
  ! poll 1 not_active "$1" || fail "$2 (\"$(active_title)\" took the keyboard)"
}
not_active() { ! is_active "$1"; }
# Alt+R picks "&Rest" at the inn without pressing it; the player leaves and comes back.
step Down
wait_active "Elkwood Inn"
keys alt+r alt+e
wait_active "Caves"
step Up
step Down
wait_active "Elkwood Inn"
keys space
assert_keeps_keyboard "Elkwood Inn" "a Space on a later visit to the inn pressed the button Alt+R picked before"
keys alt+e
wait_active "Caves"
step Up

to_cave_of_evil
# A monster button pressed by Tab and Space keeps no focus through its fight: once the fight is
# won and the cave is back, a second Space starts no fight again.
wait_active "Cave of Evil"
keys Tab space
wait_window "Combat Screen" >/dev/null
fight_off "Cave of Evil"
keys space
assert_keeps_keyboard "Cave of Evil" "a Space after a won fight in the Cave of Evil started it again"
keys alt+t
wait_window " Keep of the Morvath" >/dev/null
maze_keys space Return Tab space Return
# (A guard may have walked into the hero just now: the fight is the guards' doing, not the keys'.)
shown=$(visible_titles)
grep -qxF "Cave of Evil" <<<"$shown" && fail "Space, Return and Tab in the Upper Keep left it"
grep -qxF "Keep of the Morvath" <<<"$shown" && fail "Space, Return and Tab in the Upper Keep ended the game"
grep -qxE " Keep of the Morvath|Combat Screen" <<<"$shown" || fail "the Upper Keep is gone: $shown"

# The buttons' mnemonics still press them: back to the cave, out to the map, one step off the
# cave's door (any key there, Alt too, enters it again), "&End Game".
maze_keys alt+g
wait_window "Cave of Evil" >/dev/null
keys alt+e
wait_window "Caves" >/dev/null
wait_active "Caves"
step Down
keys alt+e
wait_window "Keep of the Morvath" >/dev/null
echo "PASSED"
