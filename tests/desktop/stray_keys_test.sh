#!/bin/bash
# Space, Return and Tab on the map and in the Upper Keep change nothing (no button there takes
# the keyboard focus, so none is pressed by them); the buttons' mnemonics still work.
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

to_cave_of_evil
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
