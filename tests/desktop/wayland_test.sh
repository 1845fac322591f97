#!/usr/bin/env bash
# The game as a native Wayland client on a headless sway that honours activation requests,
# driven with the keyboard alone (tests/desktop/wayland.sh).
#
#   wayland_test.sh path/to/morvath first-start   the story and about boxes answered with Return,
#                                                 eight first starts in a row
#   wayland_test.sh path/to/morvath play          a new game, a shop and back, a fight won; every
#                                                 window met lies within the 1280x720 output, and
#                                                 boxes and child windows name their screen
#   wayland_test.sh path/to/morvath pressed       boxes answered through the accessibility tree,
#                                                 as a screen reader's user does, and keys typed
#                                                 on 0.3 s later: none lost
#   wayland_test.sh path/to/morvath sharp-art S   the map's pixel art at output scale S (1, 1.5,
#                                                 2) holds no colour the art does not have
source "$(dirname "$0")/wayland.sh"
bin=${1:?the game program}
case=${2:?first-start, play, pressed or sharp-art}
scale=${3:-1.5}

# The window titled $1 is up (not one of the ids after it) and lies on the 1280x720 output.
shown() {
  local title=$1 id
  shift
  id=$(wait_window "$title" "$PATIENCE" "$@")
  assert_on_screen "$id" 1280x720 "\"$title\""
  echo "$id"
}

first_start() {
  local run start story about
  wayland_start 1280x720
  for run in $(seq 8); do
    rm -rf "$XDG_CONFIG_HOME" && mkdir -p "$XDG_CONFIG_HOME"
    wayland_game_start "$bin"
    start=$(wait_window "Keep of the Morvath")
    story=$(wait_window "The Story")
    wait_focused_id "$story" "run $run: the story box"
    keys Return
    # The about box has the start screen's title; it must have the keyboard, so that Return
    # alone answers it.
    about=$(wait_window "Keep of the Morvath" "$PATIENCE" "$start")
    wait_focused_id "$about" "run $run: the about box"
    keys Return
    poll "$PATIENCE" not_id "$about" ||
      fail "run $run: Return did not answer the about box; the keyboard is with \"$(active_title)\" (window $(active_id), the start screen is $start)"
    wait_focused_id "$start" "run $run: the start screen after the about box"
    keys alt+x
    game_wait_end
    grep -qx 'Start=2' "$XDG_CONFIG_HOME/KeepOfTheMorvath/ZARQSTART.ini" ||
      fail "run $run: the start counter was not written after the story"
  done
  echo "eight first starts: both boxes answered with Return"
}
not_id() { ! windows_json | jq -e --argjson id "$1" 'select(.id == $id)' >/dev/null; }

play() {
  wayland_start 1280x720
  # Wins any fight, and its first win raises a level: a victory box, then a level-up box.
  write_hero 4 Health=100000 MaxHealth=100000 Strength=5000 Next%20Level=1
  seen_story
  wayland_game_start "$bin"
  shown "Keep of the Morvath" >/dev/null
  new_game Arwen
  shown Caves >/dev/null
  wait_active Caves
  keys alt+i
  shown "Character & Inventory" >/dev/null
  wait_active "Character & Inventory"
  # A click on the map, then the weapon shop two cells east and back, the inventory open all
  # the while: each screen takes the keyboard from the one it replaces.
  click_focus "$(wait_window Caves)" "the map"
  keys Right Right
  shown "Weapon Shop" >/dev/null
  wait_active "Weapon Shop"
  keys alt+e
  wait_active Caves
  keys alt+i
  wait_active "Character & Inventory"
  keys alt+h
  wait_no_window "Character & Inventory"
  wait_active Caves
  # The strong hero of slot 1, through the start screen, to a fight in the Cave of Evil.
  keys alt+e
  wait_active "Keep of the Morvath"  # a window shown again is a new one to sway
  load_slot1
  wait_active Caves
  to_cave_of_evil
  shown "Cave of Evil" >/dev/null
  wait_active "Cave of Evil"
  keys Tab space  # Tab moves to the first fight button
  shown "Combat Screen" >/dev/null
  wait_active "Combat Screen"
  keys alt+c
  shown "Spell Cast" >/dev/null
  wait_active "Spell Cast"
  keys alt+c
  wait_no_window "Spell Cast"
  fight_off "Cave of Evil"
  # Boxes and child windows told the compositor which screen they belong to.
  assert_declares_parent "Level Up"
  assert_declares_parent "Enter Name"
  assert_declares_parent "Character & Inventory"
  assert_declares_parent "Spell Cast"
  echo "a new game, a shop and a fight won with the keyboard; every window within 1280x720"
}

sharp_art() {
  local s=$1 id x y w h shot palette foreign
  # An output of 1280x720 logical pixels at that scale.
  wayland_start "$(awk -v s="$s" 'BEGIN { printf "%dx%d", 1280 * s, 720 * s }')" "$s"
  write_hero 4
  seen_story
  wayland_game_start "$bin"
  load_slot1
  id=$(wait_window Caves)
  wait_active Caves
  still_picture "$id" >/dev/null  # the map has been painted
  shot=$TEST_DIR/map.png
  screenshot "$shot"
  # The middle of the map's left half, in the output's pixels: map and hero only.
  read -r x y w h < <(content_geometry "$id")
  read -r x y w h < <(awk -v s="$s" -v x="$x" -v y="$y" -v w="$w" -v h="$h" \
    'BEGIN { printf "%d %d %d %d\n", (x + w * 0.1) * s, (y + h * 0.3) * s, w * 0.3 * s, h * 0.3 * s }')
  palette=$(dirname "$0")/../../assets
  colours "$shot" -crop "${w}x$h+$x+$y" >"$TEST_DIR/shown"
  foreign=$(comm -23 "$TEST_DIR/shown" \
    <(cat <(colours "$palette/map.png") <(colours "$palette/hero.png") | sort -u) | wc -l)
  [[ -z ${MORVATH_KEEP_SHOT:-} ]] || cp "$shot" "$MORVATH_KEEP_SHOT"
  # A crop of one colour (an empty window, a flat field) would pass the check below unseen.
  (($(wc -l <"$TEST_DIR/shown") >= 2)) ||
    fail "the map at output scale $s shows $(wc -l <"$TEST_DIR/shown") colour(s) where its art has many"
  ((foreign == 0)) ||
    fail "the map at output scale $s holds $foreign colours the art does not have (smoothed, not hard-edged)"
  echo "the map at output scale $s: hard-edged, only the art's own colours"
}

# Boxes answered by a screen reader's press, keys sent 0.3 s later without waiting for a window.
pressed() {
  wayland_start 1280x720
  AS_GAME_USER=(${WAYLAND_AS[@]+"${WAYLAND_AS[@]}"})
  a11y_start
  seen_story
  wayland_game_start "$bin"
  wait_active "Keep of the Morvath"
  keys alt+n
  wait_active "Enter Name"
  type_text Arwen
  press_button OK
  wtype -s 300 -d 40 -- moreloott || fail "wtype could not type the cheat code"
  wait_window Cheater >/dev/null
  press_button OK
  wtype -s 300 -k Up || fail "wtype could not send Up"
  wait_window "Magic Shop" >/dev/null
  [[ $(visible_titles | grep -cxF Caves) == 0 ]] || fail "the map still stands beside the Magic Shop"
  echo "keys typed after boxes pressed through the accessibility tree all reached the game"
}

# The distinct colours of a picture (ImageMagick options after the file), as RRGGBB, sorted.
colours() {
  local file=$1
  shift
  convert "$file" "$@" +repage -alpha off -unique-colors txt:- | sed -n 's/.*#\([0-9A-F]\{6\}\).*/\1/p' | sort -u
}

case $case in
  first-start) first_start ;;
  play) play ;;
  pressed) pressed ;;
  sharp-art) sharp_art "$scale" ;;
  *) fail "no test case \"$case\"" ;;
esac
