#!/usr/bin/env bash
# Every window the game opens lies whole on a 1280x720 screen (or the one given), with its frame,
# under a real window manager: the start screen, the map with the inventory beside it, the shops, the inn and its
# bar, a cave, a fight with its spell window, and the maze. The player goes there with keys only.
#
#   windows_fit_test.sh path/to/morvath [WIDTHxHEIGHT [VARIABLE=VALUE...]]
#
# (1920x1080 QT_SCALE_FACTOR=1.5: a desktop at 150 %, 1280x720 logical pixels.)
source "$(dirname "$0")/lib.sh"

bin=${1:?the game program}
size=${2:-1280x720}
shift $(($# < 2 ? $# : 2))
desktop_start "$size"
seen_story
write_hero 4 Health=100000 MaxHealth=100000 Strength=5000  # wins any fight
game_start "$bin" "$@"

# The window titled $1 is up, and lies on the screen.
check() {
  local wid
  wid=$(wait_window "$1")
  wait_active "$1"
  assert_on_screen "$wid" "$size" "\"$1\""
  echo "ok: \"$1\" at $(frame_geometry "$wid") on $size"
}

# A window of $1 ... opened by keys $2..., then left by keys.
visit() {
  local title=$1 leave=$2
  shift 2
  keys "$@"
  check "$title"
  keys "$leave"
  wait_no_window "$title"
  wait_active Caves
}

check "Keep of the Morvath"
load_slot1
check Caves

keys alt+i
check "Character & Inventory"
keys alt+h
wait_no_window "Character & Inventory"

# The town around the fountain (5, 2): the magic shop north, the inn south, the weapon shop two
# cells east, the armor shop two cells west.
visit "Magic Shop" alt+e Up
keys Down
keys Down
check "Elkwood Inn"
keys alt+b
check BlackJack
keys alt+b
wait_active "Elkwood Inn"
keys alt+e
wait_active Caves
keys Up
visit "Weapon Shop" alt+e Right Right
visit "Armor Shop" alt+e Left Left Left Left

# North past the magic shop to the Cave of Evil, (5, 9).
for _ in $(seq 6); do step Up; done
step Right
step Right
step Up
check "Cave of Evil"
wait_active "Cave of Evil"

# A fight from one of the cave's fight buttons (Tab and Space press it), and the spell window
# over it.
keys Tab space
check "Combat Screen"
keys alt+c
check "Spell Cast"
keys alt+c
wait_no_window "Spell Cast"
fight_off "Cave of Evil"

keys alt+t
check " Keep of the Morvath"
echo "every window lies within the $size screen"
