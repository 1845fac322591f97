#!/bin/bash
# Child windows under a real window manager: "&Inventory" brings a covered inventory back in
# front with the focus, a message box belongs to the screen it was asked from, and the spell
# window stays above the combat screen after a click on the combat screen.
#   child_windows_test.sh path/to/morvath
source "$(dirname "$0")/lib.sh"
bin=${1:?the game binary}

desktop_start 1280x720
seen_story
write_hero 4
game_start "$bin"
load_slot1
map=$(wait_window "Caves")

# The inventory, laid over the map, then covered by the map.
keys alt+i
inventory=$(wait_window "Character & Inventory")
xdotool windowmove --sync "$inventory" 120 120
click_at "$map" 60 60
wait_active "Caves"
assert_above "$map" "$inventory" "a click on the map"
keys alt+i
wait_active "Character & Inventory"
assert_above "$inventory" "$map" "\"&Inventory\" with the inventory open behind the map"
click_at "$map" 60 60
wait_active "Caves"

# A box asked from the map belongs to the map.
keys alt+f x
box=$(wait_window "Exit?")
owner=$(xprop -id "$box" WM_TRANSIENT_FOR | sed -n 's/.*window id # //p')
[[ $((owner)) == $((map)) ]] || fail "the \"Exit?\" box belongs to window $owner, not to the map $map"
assert_above "$box" "$map" "the \"Exit?\" box"
keys Escape
wait_no_window "Exit?"

# A fight in the Cave of Evil (Tab and Space there press one of its fight buttons), then the
# spell window.
keys alt+h
to_cave_of_evil
keys Tab space
combat=$(wait_window "Combat Screen")
wait_active "Combat Screen"
keys alt+c
spells=$(wait_window "Spell Cast")
read -r _ _ _ h < <(frame_geometry "$combat")
click_at "$combat" 15 $((h - 30))
assert_above "$spells" "$combat" "a click on the combat screen under the spell window"
visible_titles | grep -qxF "Spell Cast" || fail "the spell window went away after a click on the combat screen"
wait_active "Spell Cast"
keys alt+c
wait_no_window "Spell Cast"
echo "PASSED"
