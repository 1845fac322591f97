# Scaffolding of the desktop tests: a private X server with a real window manager, the game
# itself started on it, input sent through the X server, and results read from outside the
# process (window titles and geometry, save files, the process's own state in /proc, what Orca
# said).
#
#   source lib.sh; desktop_start 1280x720; game_start "$bin"; wid=$(wait_window "Keep of the Morvath")
#
# One helper for each job (wayland.sh gives the same names for sway):
#   test_folder           the test's own folder ($TEST_DIR) with config and runtime folders
#   started PID...        processes ended by cleanup (the game, $GAME_PID, first), which runs at exit
#   desktop_start SIZE    an X server with openbox        game_start BIN [VAR=VALUE...]  the game
#   wait_window TITLE     a window's id, once shown       wait_active TITLE  once it has the keys
#   wait_any TITLE...     the first of them shown         wait_no_window TITLE  once it has gone
#   keys KEY...           keys, each once it reached the game; type_text TEXT  text the same way
#   click_at WID X Y      a click, once it reached the window
#   poll SECONDS CMD...   runs CMD until it succeeds; returns 1 after that many seconds
#   orca_start, said, wait_said TEXT, assert_said FILTER REGEX WHAT   what a screen reader says
#
# A test exits with 77 (CTest: skipped) only when a tool it needs is not installed. Anything else
# that goes wrong, a server that does not start among it, fails the test with its reason on
# stderr, where the test log shows it whatever the caller does with the helpers' output. Waits
# are for signs, never for a fixed time, and as long as a loaded machine needs: a helper that
# gives up says which sign never came.

set -Eeuo pipefail
# A command that stops the test without a reason of its own still names itself in the log.
trap 'echo "FAILED: $(basename "$0") line $LINENO: $BASH_COMMAND" >&2' ERR

skip() { echo "SKIPPED: $*" >&2; exit 77; }
fail() {
  {
    echo "FAILED: $*"
    if [[ -n "${TEST_DIR:-}" && -s "$TEST_DIR/game.err" ]]; then
      echo "--- the game's stderr:"; cat "$TEST_DIR/game.err"
    fi
  } >&2
  exit 1
}
# Skips the test unless every tool named is installed.
need_tools() {
  local tool
  for tool in "$@"; do
    command -v "$tool" >/dev/null || skip "$tool is not installed (scripts/install-deps --tests installs it)"
  done
}

# Processes the test started (other than the game), ended at cleanup, last started first.
STARTED=()
started() { STARTED=("$@" ${STARTED[@]+"${STARTED[@]}"}); }
# Commands run at cleanup before anything is ended (e.g. to keep a log).
AT_CLEANUP=()

# Ends the game and everything the test started, and removes the test's folder. Runs at exit.
cleanup() {
  local command pid
  for command in ${AT_CLEANUP[@]+"${AT_CLEANUP[@]}"}; do eval "$command" || true; done
  for pid in ${GAME_PID:-} ${STARTED[@]+"${STARTED[@]}"}; do kill "$pid" 2>/dev/null || true; done
  wait 2>/dev/null || true
  [[ -z ${TEST_DIR:-} ]] || rm -rf "$TEST_DIR"
}

# A folder of the test's own ($TEST_DIR), removed at exit, holding the game's config folder
# ($XDG_CONFIG_HOME) and a private runtime folder ($XDG_RUNTIME_DIR).
test_folder() {
  TEST_DIR=$(mktemp -d)
  trap cleanup EXIT
  export XDG_CONFIG_HOME=$TEST_DIR/config XDG_RUNTIME_DIR=$TEST_DIR/run
  mkdir -p "$XDG_CONFIG_HOME" "$XDG_RUNTIME_DIR"
  chmod 700 "$XDG_RUNTIME_DIR"
}

# Starts an X server of the given size (WIDTHxHEIGHT, default 1280x720) with openbox on it, in the
# test's folder.
desktop_start() {
  local size=${1:-1280x720}
  need_tools Xvfb openbox xdotool xwininfo xprop
  test_folder
  exec {displayfd}<> <(:)
  Xvfb -displayfd "$displayfd" -screen 0 "${size}x24" -nolisten tcp -noreset \
    >"$TEST_DIR/xvfb.log" 2>&1 &
  started $!
  # A loaded machine can take many seconds to start an X server. A read cut off by its timeout
  # keeps what it had read (the first digits of the number): the next one goes on from there.
  DISPLAY_NUMBER=""
  poll 60 display_number_read "$displayfd" || fail "Xvfb gave no display number in 60 s: $(cat "$TEST_DIR/xvfb.log")"
  export DISPLAY=:$DISPLAY_NUMBER
  openbox >"$TEST_DIR/openbox.log" 2>&1 &
  started $!
  poll 60 wm_running || fail "openbox did not start in 60 s: $(cat "$TEST_DIR/openbox.log")"
}
display_number_read() {
  local part=""
  read -r -t 0.1 -u "$1" part && { DISPLAY_NUMBER+=$part; return 0; }
  DISPLAY_NUMBER+=$part
  kill -0 "${STARTED[0]}" 2>/dev/null || fail "Xvfb did not start: $(cat "$TEST_DIR/xvfb.log")"
  return 1
}
wm_running() { xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id'; }

# Starts the game ($1, further arguments are environment assignments) on the test's display from
# the test's folder; its stderr goes to $TEST_DIR/game.err.
game_start() {
  local bin=$1
  shift
  (cd "${GAME_CWD:-$TEST_DIR}" && exec env QT_QPA_PLATFORM=xcb "$@" "$bin" 2>"$TEST_DIR/game.err") &
  GAME_PID=$!
}

# The ids of the visible top-level windows titled exactly $1, one a line.
window_ids() {
  xdotool search --onlyvisible --name "^$(printf '%s' "$1" | sed 's/[][\.*^$?+(){}|]/\\&/g')\$" 2>/dev/null || true
}

# How long a helper waits for a sign by default, in seconds: long enough for a machine whose
# cores are busy with other work; a sign that comes at all comes well within it.
PATIENCE=60

# The id of a visible top-level window titled exactly $1 other than those listed after the
# timeout, once there is one (timeout $2 s, default $PATIENCE).
wait_window() {
  local title=$1 timeout=${2:-$PATIENCE}
  shift $(($# < 2 ? $# : 2))
  FOUND_ID=""
  poll "$timeout" window_found "$title" "$@" ||
    fail "no window \"$title\" after ${timeout} s; visible windows: $(visible_titles | tr '\n' '|')"
  echo "$FOUND_ID"
}
window_found() {
  local title=$1
  shift
  FOUND_ID=$(window_ids "$title" | grep -vxF -f <(printf '%s\n' "$@" -) | head -n 1) || true
  [[ -n ${GAME_PID:-} ]] && ! kill -0 "$GAME_PID" 2>/dev/null && fail "the game ended while waiting for \"$title\""
  [[ -n $FOUND_ID ]]
}

# Waits until no visible window is titled exactly $1.
wait_no_window() {
  local title=$1 timeout=${2:-$PATIENCE}
  poll "$timeout" not_shown "$title" || fail "window \"$title\" still shown after ${timeout} s"
}
not_shown() { ! visible_titles | grep -xF "$1" >/dev/null; }  # reads to the end: no SIGPIPE

# Runs a command until it succeeds, every $POLL_EVERY s (default 0.1); returns 1 once it has
# failed for $1 seconds (whole seconds).
poll() {
  local end=$(($(now_ms) + $1 * 1000))
  shift
  until "$@"; do
    (($(now_ms) < end)) || return 1
    sleep "${POLL_EVERY:-0.1}"
  done
}
# Milliseconds since the epoch.
now_ms() {
  local now=${EPOCHREALTIME/[.,]/}
  echo $((now / 1000))
}

# The titles of the visible top-level windows, one a line.
visible_titles() {
  local id
  for id in $(xdotool search --onlyvisible --name '.' 2>/dev/null); do
    xdotool getwindowname "$id" 2>/dev/null || true
  done
}

# The window that has the keyboard focus, by title, and by id.
active_title() { xdotool getwindowname "$(xdotool getwindowfocus -f)" 2>/dev/null || true; }
focused_id() { xdotool getwindowfocus -f 2>/dev/null || true; }

# The X server's time of the last key press or click that window $1 took (Qt keeps it in the
# window's _NET_WM_USER_TIME): a sign that input reached that window.
user_time() { xprop -id "$1" _NET_WM_USER_TIME | sed -n 's/.*= //p'; }

# "X Y WIDTH HEIGHT" of a window with the window manager's frame, in screen pixels (the client
# area from xwininfo, widened by the frame extents the window manager publishes).
frame_geometry() {
  local extents
  extents=$(xprop -id "$1" _NET_FRAME_EXTENTS 2>/dev/null | sed -n 's/.*= //p' | tr -d ',')
  xwininfo -id "$1" | awk -v e="${extents:-0 0 0 0}" '
    BEGIN { split(e, f, " ") }
    /Absolute upper-left X/ { x = $NF } /Absolute upper-left Y/ { y = $NF }
    /^ *Width:/ { w = $NF } /^ *Height:/ { h = $NF }
    END { print x - f[1], y - f[3], w + f[1] + f[2], h + f[3] + f[4] }'
}

# Fails unless the window with its frame lies inside the screen (WIDTHxHEIGHT).
assert_on_screen() {
  local wid=$1 size=$2 what=$3 x y w h
  read -r x y w h < <(frame_geometry "$wid")
  ((x >= 0 && y >= 0 && x + w <= ${size%x*} && y + h <= ${size#*x})) ||
    fail "$what ($x,$y ${w}x$h with its frame) does not lie within the ${size} screen"
}

# Keys through the X server to the window that has the focus (xdotool key names: Return,
# alt+n), one after the other, each once the one before has reached the game (the outcome of a
# key is the caller's to wait for).
keys() {
  local key
  for key in "$@"; do key_once "$key"; done
}
# One key; it has reached the game once the window that had the focus took a key press (Qt
# keeps its time in the window's _NET_WM_USER_TIME), or another window has the focus.
key_once() { sent_to_focus "the key $1" xdotool key "$1"; }
# Text typed into the focused widget.
type_text() { sent_to_focus "the text \"$1\"" xdotool type --delay 40 -- "$1"; }
# Runs the xdotool command $2... and waits until its input has reached the game ($1 names it).
sent_to_focus() {
  local what=$1 focus time
  shift
  focus=$(xdotool getwindowfocus -f 2>/dev/null) || true
  time=$(user_time "$focus" 2>/dev/null) || true
  "$@"
  poll "$PATIENCE" input_taken "$focus" "$time" ||
    fail "$what did not reach the game in $PATIENCE s; the focus is on \"$(active_title)\""
}
input_taken() {
  [[ $(xdotool getwindowfocus -f 2>/dev/null) != "$1" || $(user_time "$1" 2>/dev/null) != "$2" ]]
}

# Clicks window $1 at ($2, $3) from its frame's top-left corner, and waits until the click has
# reached it (Qt keeps its time in the window's _NET_WM_USER_TIME).
click_at() {
  local x y w h before
  read -r x y w h < <(frame_geometry "$1")
  before=$(user_time "$1")
  xdotool mousemove --sync $((x + $2)) $((y + $3)) click 1
  poll "$PATIENCE" clicked "$1" "$before" || fail "a click at ($2, $3) did not reach window $1 in $PATIENCE s"
}
clicked() { [[ $(user_time "$1" 2>/dev/null) != "$2" ]]; }

# Makes the next start a later one: no story and about box in the way.
seen_story() {
  mkdir -p "$XDG_CONFIG_HOME/KeepOfTheMorvath"
  printf '[Start]\nStart=2\n' >"$XDG_CONFIG_HOME/KeepOfTheMorvath/ZARQSTART.ini"
}

# A new game from the start screen: "&New Game", the hero's name, and the map once it shows.
new_game() {
  local name=${1:-Arwen}
  wait_active "Keep of the Morvath"
  keys alt+n
  wait_active "Enter Name"
  type_text "$name"
  keys Return
  wait_active "Caves"
}

# Writes a strong hero into save slot 1 ($1: its progress Beat, default 4 so the maze is open;
# further arguments KEY=VALUE replace fields). Load it with load_slot1.
write_hero() {
  local beat=${1:-4}
  shift || true
  local -A f=([Beat]=$beat [CharName]=Hero [Gold]=5000 [Health]=900 [MaxHealth]=900 [Exp]=0
    ["Next%20Level"]=500 [Level]=30 [Weapon]=60 [Armor]=60 [Shield]=30 [Strength]=200
    [WeaponName]=Broadsword [ArmorName]="Whole Plate" [ShieldName]=Tower [Kills]=0 [SP]=200
    [MaxSP]=200 [NL]=500 [N1]=3 [N2]=3 [N3]=3 [N4]=3 [N5]=3
    [S1]=True [SL1]=True [S2]=True [SL2]=True [S3]=True [SL3]=True [SL4]=False [S4]=True
    [SL5]=False [S5]=True)
  local kv
  for kv in "$@"; do f[${kv%%=*}]=${kv#*=}; done
  mkdir -p "$XDG_CONFIG_HOME/KeepOfTheMorvath"
  {
    echo "[LastSave]"
    echo "LastSave=Save1"
    echo
    echo "[Save1]"
    for kv in "${!f[@]}"; do echo "$kv=${f[$kv]}"; done
  } >"$XDG_CONFIG_HOME/KeepOfTheMorvath/ZARQ.ini"
}

# Loads slot 1 from the start screen and waits for the map. ("&Load Game" is pressed a moment
# after its key, as a click shown on the button: a slot key that came before the prompt is sent
# again; on the start screen without its prompt it does nothing.)
load_slot1() {
  wait_active "Keep of the Morvath"
  keys alt+l
  for _ in 1 2 3; do
    keys 1
    poll 10 is_active Caves && return 0
  done
  fail "Alt+L and 1 did not load slot 1; the focus is on \"$(active_title)\""
}

# Waits until the window titled exactly $1 has the keyboard focus.
wait_active() {
  local title=$1 timeout=${2:-$PATIENCE}
  poll "$timeout" is_active "$title" ||
    fail "\"$title\" did not get the focus after ${timeout} s; the focus is on \"$(active_title)\""
}

is_active() { [[ $(active_title) == "$1" ]]; }

# The first of the titles given that a visible window has, once one has (within $PATIENCE s).
wait_any() {
  FOUND_TITLE=""
  poll "$PATIENCE" any_shown "$@" ||
    fail "none of $(printf '"%s" ' "$@")after $PATIENCE s; visible windows: $(visible_titles | tr '\n' '|')"
  echo "$FOUND_TITLE"
}
any_shown() {
  local titles shown
  titles=$(visible_titles)
  for shown in "$@"; do
    grep -qxF -- "$shown" <<<"$titles" && { FOUND_TITLE=$shown; return 0; }
  done
  return 1
}

# Whether the window that has the keyboard is a box (a window that belongs to a screen), which
# Return answers, rather than a screen, where a stray Return could press a button or, on a cave's
# door, enter the cave.
box_active() { xprop -id "$(xdotool getwindowfocus -f)" WM_TRANSIENT_FOR 2>/dev/null | grep -q 'window id'; }

# Fights off an ambush on the map (or a guard's attack in the screen titled $1): attacks until
# that screen is back, answering the boxes on the way. FIGHT_KEY=alt+e flees instead (a hero too
# weak to win).
fight_off() {
  local back=${1:-Caves} focus end=$(($(now_ms) + 5 * PATIENCE * 1000))
  while (($(now_ms) < end)); do
    focus=$(focused_id)
    case $(active_title) in
      "$back") return 0 ;;
      "Combat Screen") fight_round "$focus" ;;
      *)
        if box_active; then
          keys Return
          poll "$PATIENCE" focus_moved "$focus" || true  # the box was answered
        else
          sleep 0.1  # between two windows
        fi
        ;;
    esac
  done
  fail "a fight did not end with \"$back\" in front; the focus is on \"$(active_title)\"; shown: $(visible_titles | tr '\n' '|')"
}
# One blow (or flight) on the combat screen $1, and its outcome: the screen drawn anew or left.
# (Two blows alike in every figure draw the same picture: then the next key goes after 10 s.)
fight_round() {
  local before
  before=$(window_picture "$1")
  keys "${FIGHT_KEY:-alt+a}"
  poll 10 round_drawn "$1" "$before" || true
}
round_drawn() { focus_moved "$1" || [[ $(window_picture "$1") != "$2" ]]; }
focus_moved() { [[ $(focused_id) != "$1" ]]; }

# A fingerprint of what window $1 shows on the screen (empty once it is not shown).
window_picture() {
  local sum
  sum=$(xwd -silent -id "$1" 2>/dev/null | md5sum) || return 0
  echo "${sum%% *}"
}
# Waits until window $1 shows the same picture twice in a row (a repaint has ended); prints it.
still_picture() {
  LAST_PICTURE=""
  poll "$PATIENCE" picture_settled "$1" || fail "window $1 kept changing for $PATIENCE s"
  echo "$LAST_PICTURE"
}
picture_settled() {
  local now
  now=$(window_picture "$1")
  [[ -n $now ]] || fail "window $1 is not shown"
  [[ $now == "$LAST_PICTURE" ]] && return 0
  LAST_PICTURE=$now
  return 1
}
ambushed() { visible_titles | grep -qxF 'Ambushed!!!'; }
stepped() { ambushed || [[ $(window_picture "$1") != "$2" ]]; }

# One step on the map (an arrow key's name). Every key on the map may meet an ambush in the
# wild, so the step's outcome is waited for, not guessed: the "Ambushed!!!" box, or the map's
# picture changed (the hero moved, or the map made way for the place entered). A step that met
# an ambush did not move the hero, so it is taken again once the fight is won.
step() {
  local map before
  for _ in 1 2 3 4; do
    # After a fight the map is shown again: on Wayland that is a new window, with an id of its own.
    map=$(wait_window Caves)
    wait_active Caves
    before=$(still_picture "$map")
    key_once "$1"
    poll "$PATIENCE" stepped "$map" "$before" || fail "the step $1 on the map changed nothing in $PATIENCE s"
    ambushed || return 0
    fight_off
  done
  fail "four ambushes in a row"
}

# Fails unless keys $2... sent to the screen titled $1 (where no ambush lies in wait) change
# nothing. The inventory, opened by an Alt+I sent after them, is the sign that they have all been
# handled; the screen must then be the only other window shown. In the Upper Keep a guard's
# attack, the guards' own doing, is fought off and the keys are sent again.
assert_keys_change_nothing() {
  local screen=$1 outcome shown
  shift
  for _ in 1 2 3; do
    wait_active "$screen"
    keys "$@" alt+i
    outcome=$(wait_any "Character & Inventory" "Combat Screen")
    [[ $outcome == "Combat Screen" && $screen == " Keep of the Morvath" ]] || break
    fight_off "$screen"
  done
  [[ $outcome == "Character & Inventory" ]] || fail "keys $* on \"$screen\" started a fight"
  shown=$(visible_titles | grep -vxF "Character & Inventory" || true)
  [[ $shown == "$screen" ]] || fail "keys $* on \"$screen\" left shown: $(tr '\n' '|' <<<"$shown")"
  wait_active "Character & Inventory"
  keys alt+h
  wait_no_window "Character & Inventory"
}

# From the fountain to the Cave of Evil: west, six cells north, east, north.
to_cave_of_evil() {
  step Left
  for _ in 1 2 3 4 5 6; do step Up; done
  step Right
  step Up
  wait_active "Cave of Evil"
}

# Keys $2... in the Upper Keep that lead to the window titled $1. The guards walk on their own:
# a guard's attack meanwhile is fought off and the keys are sent again.
maze_keys() {
  local goal=$1
  shift
  for _ in 1 2 3; do
    keys "$@"
    [[ $(wait_any "$goal" "Combat Screen") == "Combat Screen" ]] || return 0
    fight_off " Keep of the Morvath"
  done
  fail "three guard attacks in a row"
}

# The client windows from bottom to top, as the window manager stacks them.
stacking() { xprop -root _NET_CLIENT_LIST_STACKING | sed -n 's/.*# //p' | tr -d ',' | tr ' ' '\n'; }

# Fails unless window $1 stands above window $2 ($3 says what is checked).
assert_above() {
  local order top bottom
  order=$(stacking)
  top=$(grep -nx "$(printf '0x%x' "$1")" <<<"$order" | cut -d: -f1) || true
  bottom=$(grep -nx "$(printf '0x%x' "$2")" <<<"$order" | cut -d: -f1) || true
  [[ -n $top && -n $bottom ]] || fail "$3: a window is missing from the stacking order"
  ((top > bottom)) || fail "$3: the window stands below the one it should cover"
}

# Waits for the game to end (at most $1 s, default $PATIENCE) and fails unless it ended with
# status 0.
game_wait_end() {
  local timeout=${1:-$PATIENCE} status=0
  poll "$timeout" game_ended || fail "the game still runs ${timeout} s after it was told to end"
  wait "$GAME_PID" || status=$?
  GAME_PID=""
  ((status == 0)) || fail "the game ended with status $status"
}
game_ended() { ! kill -0 "$GAME_PID" 2>/dev/null; }

# --- Sound: a private PulseAudio server with a null sink, and what it plays, recorded. --------

# Starts a PulseAudio server of the test's own (its own socket, runtime and home folders, so it
# meets no other server) whose only output is the null sink "morvath_test", and points the game
# and the recorder at it. Call it after desktop_start. As root the server only warns that it is meant for a user; --system is not
# needed. Clients are let in without the server's cookie (auth-anonymous on the private socket).
# MORVATH_SOUND_SERVER=pipewire starts PipeWire's PulseAudio-compatible server instead, as on
# Debian 13's desktops.
pulse_start() {
  need_tools pulseaudio pactl parec sox
  mkdir -p "$TEST_DIR/pulse-home"
  if [[ ${MORVATH_SOUND_SERVER:-pulseaudio} == pipewire ]]; then
    # pipewire, wireplumber and pipewire-pulse on a D-Bus session bus of their own (WirePlumber
    # leaves at once without one); pipewire-pulse serves $XDG_RUNTIME_DIR/pulse/native.
    need_tools dbus-daemon pipewire wireplumber pipewire-pulse
    local bus=unix:path=$XDG_RUNTIME_DIR/bus server
    dbus-daemon --session --nofork --address="$bus" >"$TEST_DIR/pulse.log" 2>&1 &
    started $!
    poll "$PATIENCE" test -S "$XDG_RUNTIME_DIR/bus" || fail "the D-Bus session bus for PipeWire did not start"
    # WirePlumber and pipewire-pulse give up at once ("Failed to connect to PipeWire") when they
    # start before PipeWire listens on its socket: each is started once the one before is there.
    for server in pipewire wireplumber pipewire-pulse; do
      HOME=$TEST_DIR/pulse-home XDG_CONFIG_HOME=$TEST_DIR/pulse-home \
        XDG_STATE_HOME=$TEST_DIR/pulse-home DBUS_SESSION_BUS_ADDRESS=$bus \
        "$server" >>"$TEST_DIR/pulse.log" 2>&1 &
      started $!
      [[ $server == wireplumber ]] && WIREPLUMBER_PID=$!
      [[ $server == pipewire ]] && { poll "$PATIENCE" test -S "$XDG_RUNTIME_DIR/pipewire-0" ||
        fail "PipeWire did not start: $(tail -n 3 "$TEST_DIR/pulse.log" | tr '\n' ' ')"; }
    done
    export PULSE_SERVER=unix:$XDG_RUNTIME_DIR/pulse/native
    poll "$PATIENCE" pactl info >/dev/null 2>&1 ||
      fail "PipeWire's PulseAudio server did not start: $(tail -n 3 "$TEST_DIR/pulse.log" | tr '\n' ' ')"
    server=$(pactl info | sed -n 's/^Server Name: //p')
    [[ $server == *PipeWire* ]] || fail "the sound server is $server, not PipeWire"
    # The server answers before its session manager (WirePlumber) is ready: until then a null
    # sink cannot be made ("Not supported") nor made the default output.
    poll "$PATIENCE" pipewire_null_sink || {
      kill -0 "$WIREPLUMBER_PID" 2>/dev/null || fail "WirePlumber ended: $(tail -n 5 "$TEST_DIR/pulse.log" | tr '\n' ' ')"
      fail "PipeWire gave no default null sink in $PATIENCE s: $(tail -n 5 "$TEST_DIR/pulse.log" | tr '\n' ' ')"
    }
    echo "sound server: $server"
    return 0
  fi
  PULSE_SOCKET=$TEST_DIR/pulse.sock
  HOME=$TEST_DIR/pulse-home XDG_CONFIG_HOME=$TEST_DIR/pulse-home \
    pulseaudio -n --daemonize=no --exit-idle-time=-1 --use-pid-file=no --log-target=stderr \
    -L "module-null-sink sink_name=morvath_test" \
    -L "module-native-protocol-unix socket=$PULSE_SOCKET auth-anonymous=1" \
    >"$TEST_DIR/pulse.log" 2>&1 &
  PULSE_PID=$!
  started "$PULSE_PID"
  export PULSE_SERVER=unix:$PULSE_SOCKET
  poll "$PATIENCE" pulse_answers && return 0
  fail "no PulseAudio server answered in $PATIENCE s: $(tail -n 3 "$TEST_DIR/pulse.log" | tr '\n' ' ')"
}

# Makes the null sink (once) and the default output; fails while PipeWire is not ready for it.
pipewire_null_sink() {
  if [[ -z ${NULL_SINK_MADE:-} ]]; then
    pactl load-module module-null-sink sink_name=morvath_test >/dev/null 2>&1 || return 1
    NULL_SINK_MADE=1
  fi
  pactl set-default-sink morvath_test 2>/dev/null
}

pulse_answers() {
  pactl info >/dev/null 2>&1 && return 0
  kill -0 "$PULSE_PID" 2>/dev/null || fail "PulseAudio ended: $(tail -n 3 "$TEST_DIR/pulse.log" | tr '\n' ' ')"
  return 1
}

# Records everything the null sink plays into $TEST_DIR/sound.raw (44.1 kHz, 16-bit, stereo).
record_start() {
  parec -d morvath_test.monitor --raw --format=s16le --rate=44100 --channels=2 \
    --latency-msec=20 >"$TEST_DIR/sound.raw" 2>"$TEST_DIR/parec.log" &
  started $!
  poll "$PATIENCE" test -s "$TEST_DIR/sound.raw" ||
    fail "the recorder took no sound from the null sink: $(cat "$TEST_DIR/parec.log")"
}

# The RMS amplitude (0 to 1) of the last $1 seconds recorded (default 0.3).
loudness() {
  local bytes
  bytes=$(awk -v s="${1:-0.3}" 'BEGIN { printf "%d", s * 44100 * 4 }')
  tail -c "$bytes" "$TEST_DIR/sound.raw" |
    sox -t raw -r 44100 -e signed -b 16 -c 2 - -n stat 2>&1 | awk '/^RMS +amplitude/ { print $3 }'
}

# Whether the last $1 seconds are louder than a whisper (music heard), or hold no sound at all to
# speak of (silence).
heard() { awk -v l="$(loudness "$1")" 'BEGIN { exit !(l > 0.005) }'; }
silent() { awk -v l="$(loudness "$1")" 'BEGIN { exit !(l < 0.0005) }'; }

# Music is heard over the last 0.3 s within $2 s (default $PATIENCE); $1 says when.
wait_heard() {
  poll "${2:-$PATIENCE}" heard 0.3 || fail "no music heard $1 (RMS $(loudness 1) over the last second)"
}

# Silence over the last 0.5 s within $2 s (default $PATIENCE).
wait_silent() {
  poll "${2:-$PATIENCE}" silent 0.5 ||
    fail "music still heard $1 (RMS $(loudness 0.5) over the last half second)"
}

# Stays silent for $2 seconds (music must not start $1).
assert_stays_silent() {
  sleep "$2"
  silent "$2" || fail "music was heard $1 (RMS $(loudness "$2"))"
}

# The number of sound streams open on the private server.
sound_streams() { pactl list short sink-inputs 2>/dev/null | wc -l; }

# Waits up to $2 s (default $PATIENCE) until the game has no sound stream open.
wait_no_stream() {
  poll "${2:-$PATIENCE}" no_stream || fail "a sound stream is still open $1"
}
no_stream() { [[ $(sound_streams) -eq 0 ]]; }

# The CPU the game ($GAME_PID) uses over $1 seconds, in percent of one core (two decimals).
cpu_share() {
  local seconds=$1 hz before after
  hz=$(getconf CLK_TCK)
  before=$(awk '{ print $14 + $15 }' "/proc/$GAME_PID/stat")
  sleep "$seconds"
  after=$(awk '{ print $14 + $15 }' "/proc/$GAME_PID/stat")
  awk -v t=$((after - before)) -v hz="$hz" -v s="$seconds" 'BEGIN { printf "%.2f", 100 * t / hz / s }'
}

# Fails unless the game uses under 0.5 % of a core over 10 s ($1 says when).
assert_idle_cpu() {
  local share
  share=$(cpu_share 10)
  echo "CPU $1: $share % of a core"
  awk -v c="$share" 'BEGIN { exit !(c < 0.5) }' ||
    fail "the silent game costs $share % of a core $1 (goal: under 0.5 %)"
}

# Fails when the game said anything about its music on stderr (it plays here, so it has nothing
# to complain about).
assert_no_music_complaint() {
  ! grep -q '^morvath:' "$TEST_DIR/game.err" || fail "the game complained: $(grep '^morvath:' "$TEST_DIR/game.err")"
}

# --- A screen reader: Orca on a session and accessibility bus of the test's own. ---------------

# Starts a session bus and the accessibility bus of the test's own (and a home folder for them),
# in the runtime folder, as the user the game runs as (AS_GAME_USER: a command prefix, e.g. the
# Wayland tests' setpriv to "nobody").
a11y_bus_start() {
  need_tools dbus-daemon /usr/libexec/at-spi-bus-launcher
  local bus=$XDG_RUNTIME_DIR/session-bus
  export HOME=$TEST_DIR/home DBUS_SESSION_BUS_ADDRESS=unix:path=$bus
  mkdir -p "$HOME"
  as_game_user dbus-daemon --session --nofork --address="$DBUS_SESSION_BUS_ADDRESS" >"$TEST_DIR/dbus.log" 2>&1 &
  started $!
  poll "$PATIENCE" test -S "$bus" || fail "no session bus: $(cat "$TEST_DIR/dbus.log")"
  as_game_user /usr/libexec/at-spi-bus-launcher --launch-immediately >"$TEST_DIR/atspi.log" 2>&1 &
  started $!
}
as_game_user() { ${AS_GAME_USER[@]+"${AS_GAME_USER[@]}"} "$@"; }

# The game's buttons read and worked through the accessibility tree, as a screen reader does
# (tests/desktop/atspi.py, on Debian's Python with its pyatspi), with no screen reader running:
# the game is told to keep its accessibility on. Call it after desktop_start, before the game.
a11y_start() {
  need_tools /usr/bin/python3
  /usr/bin/python3 -c "import pyatspi" 2>/dev/null ||
    skip "python3-pyatspi is not installed (scripts/install-deps --tests installs it)"
  a11y_bus_start
  export QT_ACCESSIBILITY=1 QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1
}
atspi() { as_game_user /usr/bin/python3 "$ATSPI_PY" "$@"; }
ATSPI_PY=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)/atspi.py
button_shows() { atspi where "$1" >/dev/null 2>&1; }
# Waits until the button $1 (its caption without the "&") shows in one of the game's windows.
wait_button_shows() {
  poll "$PATIENCE" button_shows "$1" || fail "no button \"$1\" in $PATIENCE s: $(atspi where "$1" 2>&1)"
}

# Clicks the button $1 with the mouse: a real pointer click through the X server, where the
# accessibility tree says the button is. Returns at once, as a player goes on at once.
click_button() {
  local at
  wait_button_shows "$1"
  at=$(atspi where "$1")
  xdotool mousemove --sync ${at% *} ${at#* } click 1
}

# Presses the button $1 through its accessibility action, as a screen reader's user does.
press_button() {
  wait_button_shows "$1"
  atspi press "$1" || fail "the button \"$1\" could not be pressed"
}

# Starts a session bus, the accessibility bus and Orca, speaking into its debug log only
# ($ORCA_LOG; ORCA_LOG_COPY=FILE keeps a copy of it at the end); returns once Orca is on. Call it
# after desktop_start, before the game starts.
orca_start() {
  need_tools orca
  a11y_bus_start
  ORCA_LOG=$TEST_DIR/orca.log
  [[ -z ${ORCA_LOG_COPY:-} ]] || AT_CLEANUP+=('[[ ! -f $ORCA_LOG ]] || cp "$ORCA_LOG" "$ORCA_LOG_COPY"')
  # No speech server: Orca's debug log holds every line it would speak. Orca writes its log
  # through a buffer of 8 KB; here it writes each line at once, so that the test reads what was
  # said.
  local orca_python
  orca_python=$(sed -n '1s/^#!//p' "$(command -v orca)")  # the Python that Orca runs on
  SPEECHD_CMD=/bin/false $orca_python - "$ORCA_LOG" >"$TEST_DIR/orca.out" 2>&1 <<'PY' &
import builtins, runpy, sys
log, plain_open = sys.argv[1], builtins.open
def line_open(file, mode="r", buffering=-1, *args, **kwargs):
    return plain_open(file, mode, 1 if file == log else buffering, *args, **kwargs)
builtins.open = line_open
sys.argv = ["orca", "--debug-file", log, "-e", "speech"]
runpy.run_path(__import__("shutil").which("orca"), run_name="__main__")
PY
  started $!
  poll "$PATIENCE" grep -qF "Screen reader on." "$ORCA_LOG" 2>/dev/null ||
    fail "Orca did not start within $PATIENCE s: $(tail -n 5 "$TEST_DIR/orca.out" 2>/dev/null | tr '\n' ' ')"
}

# What Orca said, one utterance a line. (Orca 43 names the role of a focused label after its
# text: " label.")
said() {
  grep -a "SPEECH OUTPUT: '" "$ORCA_LOG" 2>/dev/null |
    sed -E "s/.*SPEECH OUTPUT: '//; s/' ?\{'established.*//; s/ label\.$//"
}
# How many utterances hold the text $1.
times_said() { said | grep -cF -- "$1" || true; }
# The last utterances, for a failure's message.
said_last() { said | tail -n "${1:-4}" | tr '\n' '|'; }
# Waits until Orca has said the text $1 at least $2 times (default once); $3 says after what.
wait_said() {
  local text=$1 count=${2:-1}
  poll "$PATIENCE" said_enough "$text" "$count" ||
    fail "Orca did not say \"$text\" ($count times) $3 in $PATIENCE s; it said last: $(said_last)"
}
said_enough() { (($(times_said "$1") >= $2)); }
# Waits until Orca has said the button $1 (Orca 43 says "push button", Orca 48 "button").
wait_button() {
  poll "$PATIENCE" button_said "$1" ||
    fail "Orca did not say the button \"$1\" in $PATIENCE s; it said last: $(said_last)"
}
button_said() { said | grep -qE "^$1 (push )?button"; }
# Fails unless the utterance holding $1 (the last one when $3 is "last", else the first) matches
# the extended regular expression $2; $4 says what it should have said.
assert_said() {
  local utterance
  utterance=$(said | grep -F -- "$1" | if [[ $3 == last ]]; then tail -n 1; else head -n 1; fi)
  grep -qE -- "$2" <<<"$utterance" || fail "$4: Orca said \"$utterance\""
}
