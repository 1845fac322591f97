#!/bin/bash
# A player who answers the boxes with the mouse, and with a screen reader's press, and types on a
# quarter of a second later without waiting for the window: a new game, a cheat code, a shop, the
# inn and its save, a fight won in the Cave of Minors. No key is lost, never two screens at once.
#   mouse_player_test.sh path/to/morvath    (NO_WM=1: on the bare X server, no window manager)
source "$(dirname "$0")/lib.sh"
bin=${1:?the game binary}

desktop_start 1280x720
if [[ -n ${NO_WM:-} ]]; then kill "${STARTED[@]:0:1}"; fi  # openbox, started last
a11y_start
seen_story
game_start "$bin"
ini=$XDG_CONFIG_HOME/KeepOfTheMorvath/ZARQ.ini

# Keys sent a quarter of a second after a box was answered, not waited out: xdotool's $@.
type_ahead() { sleep 0.25; xdotool "$@"; }
# Fails unless the screen titled $1 is the only screen of the game shown ($2 says after what).
screens=("Keep of the Morvath" Caves "Magic Shop" "Elkwood Inn" "Combat Screen" "Cave of Minors")
assert_one_screen() {
  local shown
  wait_window "$1" >/dev/null
  shown=$(visible_titles | grep -xF -f <(printf '%s\n' "${screens[@]}") | sort -u)
  [[ $shown == "$1" ]] || fail "after $2, screens shown at once: $(tr '\n' '|' <<<"$shown")"
}
# Clicks on until the screen $1 is in front: OK in a box, "Attack" on the combat screen.
click_until() {
  local before
  for _ in $(seq 60); do
    poll "$PATIENCE" front_settled "$1" || break
    if is_active "$1"; then return 0; fi
    if box_active; then click_button OK; continue; fi
    before=$(still_picture "$(xdotool getwindowfocus -f)")
    click_button Attack
    poll "$PATIENCE" fought "$before" || fail "a click on \"Attack\" changed nothing"
  done
  fail "\"$1\" did not come to the front; the focus is on \"$(active_title)\""
}
front_settled() { is_active "$1" || is_active "Combat Screen" || box_active; }
fought() { ! is_active "Combat Screen" || [[ $(window_picture "$(xdotool getwindowfocus -f)") != "$1" ]]; }

wait_active "Keep of the Morvath"
click_button "New Game"
wait_active "Enter Name"
type_text Arwen
click_button OK
type_ahead type --delay 40 moreloott
wait_window Cheater >/dev/null
assert_one_screen Caves "the name box answered with a click"

press_button OK  # the Cheater box, pressed as a screen reader's user does
type_ahead key Up
wait_window "Magic Shop" >/dev/null
assert_one_screen "Magic Shop" "a step typed after the Cheater box was pressed"

click_button "Exit Magic Shop"
type_ahead key --delay 100 Down Down  # back to the fountain, on into the inn
assert_one_screen "Elkwood Inn" "two steps typed after leaving the shop"

click_button "Save Game"
type_ahead key 1
poll "$PATIENCE" grep -q '^CharName=Arwen$' "$ini" || fail "the 1 typed after \"Save Game\" saved nothing"
click_until "Elkwood Inn"  # "Your game was saved."
type_ahead key alt+e
assert_one_screen Caves "Alt+E typed after the saved box was answered"
grep -q '^Gold=100000' "$ini" || fail "the save lacks the cheat's gold: $(grep Gold "$ini")"

# To the Cave of Minors: north to row 7, then west (step fights off an ambush on the way).
step Left
for _ in 1 2 3 4 5 6; do step Up; done
for _ in 1 2 3; do step Left; done
key_once Left
assert_one_screen "Cave of Minors" "the walk to the Cave of Minors"
click_button "Level 1-Giant Snake"
wait_active "Combat Screen"
click_until "Cave of Minors"  # blows, the victory box, maybe a level
type_ahead key alt+e
assert_one_screen Caves "Alt+E typed after the victory box was answered"
echo "PASSED: a mouse player's keys typed after each box all reached the game"
