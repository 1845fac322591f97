#!/bin/bash
# Space, Return and Tab on the map and in the Upper Keep change nothing (no button there takes
# the keyboard focus, so none is pressed by them); the buttons' mnemonics still work. A button
# picked on an earlier visit (at the inn, in a cave before its fight) is not pressed by a Space.
#   stray_keys_test.sh path/to/morvath
source "$(dirname "$0")/lib.sh"
bin=${1:?the game binary}

desktop_start 1280x720
seen_story
write_hero 4 Health=100000 MaxHealth=100000 Strength=5000  # outlasts the maze guards (1750 a blow)
game_start "$bin"
load_slot1
assert_keys_change_nothing Caves space Return KP_Enter Tab space Tab Return

# Alt+R picks "&Rest" at the inn without pressing it; the player leaves and comes back.
step Down
wait_active "Elkwood Inn"
keys alt+r alt+e
step Up
step Down
assert_keys_change_nothing "Elkwood Inn" space
keys alt+e
step Up

to_cave_of_evil
# A fight button pressed by Tab and Space keeps no focus through its fight: once the fight is won
# and the cave is back, a second Space starts no fight again.
wait_active "Cave of Evil"
keys Tab space
wait_active "Combat Screen"
fight_off "Cave of Evil"
assert_keys_change_nothing "Cave of Evil" space
keys alt+t
wait_active " Keep of the Morvath"
assert_keys_change_nothing " Keep of the Morvath" space Return Tab space Return

# The buttons' mnemonics still press them: back to the cave, out to the map, one step off the
# cave's door (any key there, Alt too, enters it again), "&End Game".
maze_keys "Cave of Evil" alt+g
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
