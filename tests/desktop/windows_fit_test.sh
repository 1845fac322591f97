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
  wid=$(wait_window "$1") || { echo "$wid"; exit 1; }
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
  wait_window Caves >/dev/null
}

# Ends whatever fight is on, by attacking, with every box answered, until $1 is in front again.
win_fight() {
  local back=$1
  for _ in $(seq 80); do
    case "$(active_title)" in
      "$back") return 0 ;;
      "Combat Screen") keys alt+a ;;
      *) keys Return ;;
    esac
  done
  fail "the fight did not end: $(visible_titles | tr '\n' '|')"
}

# One step on the map. A monster may be waiting in the wild: the hero fights it where he stands
# and then tries the step again.
step() {
  for _ in $(seq 10); do
    keys "$1"
    local ambushed=0
    for _ in 1 2 3 4 5; do
      [[ "$(active_title)" == "Ambushed!!!" ]] && { ambushed=1; break; }
      sleep 0.1
    done
    ((ambushed)) || return 0
    keys Return
    check "Combat Screen"
    win_fight Caves
  done
  fail "ambushed at every try"
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
wait_window "Elkwood Inn" >/dev/null
keys alt+e
wait_window Caves >/dev/null
keys Up
visit "Weapon Shop" alt+e Right Right
visit "Armor Shop" alt+e Left Left Left Left

# North past the magic shop to the Cave of Evil, (5, 9).
for _ in $(seq 6); do step Up; done
step Right
step Right
step Up
check "Cave of Evil"

# A fight from the first of the cave's fights (the button Tab moves to first), and the spell
# window over it.
keys Tab space
check "Combat Screen"
keys alt+c
check "Spell Cast"
keys alt+c
wait_no_window "Spell Cast"
win_fight "Cave of Evil"

keys alt+t
check " Keep of the Morvath"
echo "every window lies within the $size screen"
