#!/bin/bash
# Space, Return and Tab on the map and in the Upper Keep change nothing (no button there takes
# the keyboard focus, so none is pressed by them); the buttons' mnemonics still work.
#   stray_keys_test.sh path/to/morvath
source "$(dirname "$0")/lib.sh"
bin=${1:?the game binary}

desktop_start 1280x720
seen_story
write_hero 4 Health=100000 MaxHealth=100000 Strength=5000  # outlasts the maze guards (1750 a blow)
game_start "$bin"
load_slot1
assert_keys_change_nothing Caves space Return KP_Enter Tab space Tab Return

to_cave_of_evil
keys alt+t
wait_active " Keep of the Morvath"
assert_keys_change_nothing " Keep of the Morvath" space Return Tab space Return

# The buttons' mnemonics still press them: back to the cave, out to the map, one step off the
# cave's door (any key there, Alt too, enters it again), "&End Game".
maze_keys alt+g
wait_active "Cave of Evil"
keys alt+e
wait_active "Caves"
step Down
for _ in 1 2 3; do  # in the wild even Alt+E may meet an ambush first
  keys alt+e
  [[ $(wait_any "Keep of the Morvath" "Ambushed!!!") == "Keep of the Morvath" ]] && break
  fight_off
done
wait_active "Keep of the Morvath"
echo "PASSED"
