#!/bin/bash
# Space, Return and Tab on the map and in the Upper Keep change nothing (no button there takes
# the keyboard focus, so none is pressed by them); the buttons' mnemonics still work.
#   stray_keys.sh path/to/morvath
source "$(dirname "$0")/lib.sh"
bin=${1:?the game binary}

# Fights off an ambush on the map: attack until the map is back, answering the boxes on the way.
fight_off() {
  for _ in $(seq 80); do
    case $(active_title) in
      Caves) return 0 ;;
      "Combat Screen") keys alt+a ;;
      *) keys Return ;;
    esac
  done
  fail "an ambush fight did not end"
}
# One step on the map; a step that met an ambush did not move the hero, so it is taken again.
step() {
  for _ in 1 2 3 4; do
    keys "$1"
    visible_titles | grep -qxF 'Ambushed!!!' || return 0
    fight_off
  done
  fail "four ambushes in a row"
}
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
write_hero 4
game_start "$bin"
load_slot1
keys space Return KP_Enter Tab space Tab Return
assert_only "Caves" "Space, Return and Tab on the map"

# To the Cave of Evil: west of the fountain, seven cells north, east, north.
step Left
for _ in 1 2 3 4 5 6; do step Up; done
step Right
step Up
wait_window "Cave of Evil" >/dev/null
keys alt+t
wait_window " Keep of the Morvath" >/dev/null
keys space Return Tab space Return
assert_only " Keep of the Morvath" "Space, Return and Tab in the Upper Keep"

# The buttons' mnemonics still press them: back to the cave, out to the map, one step off the
# cave's door (any key there, Alt too, enters it again), "&End Game".
keys alt+g
wait_window "Cave of Evil" >/dev/null
keys alt+e
wait_window "Caves" >/dev/null
wait_active "Caves"
step Down
keys alt+e
wait_window "Keep of the Morvath" >/dev/null
echo "PASSED"
