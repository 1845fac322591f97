# Scaffolding of the desktop tests: a private X server with a real window manager, the game
# itself started on it, input sent through the X server, and results read from outside the
# process (window titles and geometry, save files, the process's own state in /proc).
#
#   source lib.sh; desktop_start 1280x720; game_start "$bin"; wid=$(wait_window "Keep of the Morvath")
#
# A test exits with 77 (CTest: skipped) only when a tool it needs is not installed. Anything else
# that goes wrong, a server that does not start among it, fails the test with its reason on
# stderr, where the test log shows it whatever the caller does with the helpers' output.

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

desktop_cleanup() {
  [[ -n "${GAME_PID:-}" ]] && kill "$GAME_PID" 2>/dev/null || true
  [[ -n "${WM_PID:-}" ]] && kill "$WM_PID" 2>/dev/null || true
  [[ -n "${XVFB_PID:-}" ]] && kill "$XVFB_PID" 2>/dev/null || true
  wait 2>/dev/null || true
  [[ -n "${TEST_DIR:-}" ]] && rm -rf "$TEST_DIR"
}

# Starts an X server of the given size (WIDTHxHEIGHT, default 1280x720) with openbox on it, in a
# folder of the test's own that also holds the game's config folder ($XDG_CONFIG_HOME).
desktop_start() {
  local size=${1:-1280x720}
  need_tools Xvfb openbox xdotool xwininfo xprop
  TEST_DIR=$(mktemp -d)
  trap desktop_cleanup EXIT
  export XDG_CONFIG_HOME=$TEST_DIR/config XDG_RUNTIME_DIR=$TEST_DIR/run
  mkdir -p "$XDG_CONFIG_HOME" "$XDG_RUNTIME_DIR"
  chmod 700 "$XDG_RUNTIME_DIR"
  exec {displayfd}<> <(:)
  Xvfb -displayfd "$displayfd" -screen 0 "${size}x24" -nolisten tcp -noreset \
    >"$TEST_DIR/xvfb.log" 2>&1 &
  XVFB_PID=$!
  local number="" part=""
  # A loaded machine can take many seconds to start an X server. A read cut off by its timeout
  # keeps what it had read (the first digits of the number): the next one goes on from there.
  for _ in $(seq 300); do
    read -r -t 0.1 -u "$displayfd" part && { number+=$part; break; }
    number+=$part
    kill -0 "$XVFB_PID" 2>/dev/null || fail "Xvfb did not start: $(cat "$TEST_DIR/xvfb.log")"
  done
  [[ -n "$number" ]] || fail "Xvfb gave no display number in 30 s: $(cat "$TEST_DIR/xvfb.log")"
  export DISPLAY=:$number
  openbox >"$TEST_DIR/openbox.log" 2>&1 &
  WM_PID=$!
  for _ in $(seq 300); do
    xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id' && return 0
    sleep 0.1
  done
  fail "openbox did not start in 30 s: $(cat "$TEST_DIR/openbox.log")"
}

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

# The id of a visible top-level window titled exactly $1 other than those listed after the
# timeout, once there is one (timeout $2 s, default 20).
wait_window() {
  local title=$1 timeout=${2:-20} id
  shift $(($# < 2 ? $# : 2))
  for _ in $(seq $((timeout * 10))); do
    id=$(window_ids "$title" | grep -vxF -f <(printf '%s\n' "$@" -) | head -n 1) || true
    [[ -n "$id" ]] && { echo "$id"; return 0; }
    [[ -n "${GAME_PID:-}" ]] && ! kill -0 "$GAME_PID" 2>/dev/null && fail "the game ended while waiting for \"$title\""
    sleep 0.1
  done
  fail "no window \"$title\" after ${timeout} s; visible windows: $(visible_titles | tr '\n' '|')"
}

# Waits until no visible window is titled exactly $1.
wait_no_window() {
  local title=$1 timeout=${2:-20}
  poll "$timeout" not_shown "$title" || fail "window \"$title\" still shown after ${timeout} s"
}
not_shown() { ! visible_titles | grep -xF "$1" >/dev/null; }  # reads to the end: no SIGPIPE

# Runs a command every 0.1 s until it succeeds; fails (returns 1) after $1 seconds.
poll() {
  local timeout=$1
  shift
  for _ in $(seq $((timeout * 10))); do
    "$@" && return 0
    sleep 0.1
  done
  return 1
}

# The titles of the visible top-level windows, one a line.
visible_titles() {
  local id
  for id in $(xdotool search --onlyvisible --name '.' 2>/dev/null); do
    xdotool getwindowname "$id" 2>/dev/null || true
  done
}

# The window that has the keyboard focus, by title.
active_title() { xdotool getwindowname "$(xdotool getwindowfocus -f)" 2>/dev/null || true; }

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

# Keys through the X server to the window that has the focus (xdotool key names: Return, alt+n).
keys() { xdotool key --delay 60 "$@"; sleep 0.3; }
# One key, with no pause after it (the caller waits for its outcome).
key_once() { xdotool key "$1"; }
# Text typed into the focused widget.
type_text() { xdotool type --delay 40 -- "$1"; sleep 0.2; }

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

# Loads slot 1 from the start screen and waits for the map.
load_slot1() {
  wait_active "Keep of the Morvath"
  keys alt+l
  keys 1
  wait_active "Caves"
}

# Waits until the window titled exactly $1 has the keyboard focus.
wait_active() {
  local title=$1 timeout=${2:-10}
  poll "$timeout" is_active "$title" ||
    fail "\"$title\" did not get the focus after ${timeout} s; the focus is on \"$(active_title)\""
}

is_active() { [[ $(active_title) == "$1" ]]; }

# The first of the titles given that a visible window has, once one has (timeout 20 s).
wait_any() {
  local titles shown
  for _ in $(seq 200); do
    titles=$(visible_titles)
    for shown in "$@"; do
      grep -qxF -- "$shown" <<<"$titles" && { echo "$shown"; return 0; }
    done
    sleep 0.1
  done
  fail "none of $(printf '"%s" ' "$@")after 20 s; visible windows: $(tr '\n' '|' <<<"$titles")"
}

# Whether the window that has the keyboard is a box (a window that belongs to a screen), which
# Return answers, rather than a screen, where a stray Return could press a button or, on a cave's
# door, enter the cave.
box_active() { xprop -id "$(xdotool getwindowfocus -f)" WM_TRANSIENT_FOR 2>/dev/null | grep -q 'window id'; }

# Fights off an ambush on the map (or a guard's attack in the screen titled $1): attacks until
# that screen is back, answering the boxes on the way. FIGHT_KEY=alt+e flees instead (a hero too
# weak to win).
fight_off() {
  local back=${1:-Caves}
  for _ in $(seq 150); do
    case $(active_title) in
      "$back") return 0 ;;
      "Combat Screen") keys "${FIGHT_KEY:-alt+a}" ;;
      *) if box_active; then keys Return; else sleep 0.1; fi ;;
    esac
  done
  fail "a fight did not end with \"$back\" in front; the focus is on \"$(active_title)\"; shown: $(visible_titles | tr '\n' '|')"
}

# A fingerprint of what window $1 shows on the screen (empty once it is not shown).
window_picture() {
  local sum
  sum=$(xwd -silent -id "$1" 2>/dev/null | md5sum) || return 0
  echo "${sum%% *}"
}
# Waits until window $1 shows the same picture twice in a row (a repaint has ended); prints it.
still_picture() {
  local last="" now
  for _ in $(seq 50); do
    now=$(window_picture "$1")
    [[ -n $now ]] || fail "window $1 is not shown"
    [[ $now == "$last" ]] && { echo "$now"; return 0; }
    last=$now
    sleep 0.1
  done
  fail "window $1 kept changing for 5 s"
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
    poll 10 stepped "$map" "$before" || fail "the step $1 on the map changed nothing in 10 s"
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
  wait_window "Cave of Evil" >/dev/null
}

# Keys in the Upper Keep, whose guards walk on their own: a guard's attack meanwhile is fought
# off and the keys are sent again.
maze_keys() {
  for _ in 1 2 3; do
    keys "$@"
    visible_titles | grep -qxF "Combat Screen" || return 0
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

# Waits for the game to end (at most $1 s, default 10) and fails unless it ended with status 0.
game_wait_end() {
  local timeout=${1:-10} status=0
  for _ in $(seq $((timeout * 10))); do
    kill -0 "$GAME_PID" 2>/dev/null || break
    sleep 0.1
  done
  kill -0 "$GAME_PID" 2>/dev/null && fail "the game still runs ${timeout} s after it was told to end"
  wait "$GAME_PID" || status=$?
  GAME_PID=""
  ((status == 0)) || fail "the game ended with status $status"
}

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
    SOUND_PIDS=($!)
    trap 'pulse_cleanup; desktop_cleanup' EXIT
    poll 10 test -S "$XDG_RUNTIME_DIR/bus" || fail "the D-Bus session bus for PipeWire did not start"
    # WirePlumber and pipewire-pulse give up at once ("Failed to connect to PipeWire") when they
    # start before PipeWire listens on its socket: each is started once the one before is there.
    for server in pipewire wireplumber pipewire-pulse; do
      HOME=$TEST_DIR/pulse-home XDG_CONFIG_HOME=$TEST_DIR/pulse-home \
        XDG_STATE_HOME=$TEST_DIR/pulse-home DBUS_SESSION_BUS_ADDRESS=$bus \
        "$server" >>"$TEST_DIR/pulse.log" 2>&1 &
      SOUND_PIDS+=($!)
      [[ $server == pipewire ]] && { poll 10 test -S "$XDG_RUNTIME_DIR/pipewire-0" ||
        fail "PipeWire did not start: $(tail -n 3 "$TEST_DIR/pulse.log" | tr '\n' ' ')"; }
    done
    export PULSE_SERVER=unix:$XDG_RUNTIME_DIR/pulse/native
    poll 10 pactl info >/dev/null 2>&1 ||
      fail "PipeWire's PulseAudio server did not start: $(tail -n 3 "$TEST_DIR/pulse.log" | tr '\n' ' ')"
    server=$(pactl info | sed -n 's/^Server Name: //p')
    [[ $server == *PipeWire* ]] || fail "the sound server is $server, not PipeWire"
    # The server answers before its session manager (WirePlumber) is ready: until then a null
    # sink cannot be made ("Not supported") nor made the default output.
    poll 30 pipewire_null_sink || {
      kill -0 "${SOUND_PIDS[2]}" 2>/dev/null || fail "WirePlumber ended: $(tail -n 5 "$TEST_DIR/pulse.log" | tr '\n' ' ')"
      fail "PipeWire gave no default null sink in 30 s: $(tail -n 5 "$TEST_DIR/pulse.log" | tr '\n' ' ')"
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
  trap 'pulse_cleanup; desktop_cleanup' EXIT
  export PULSE_SERVER=unix:$PULSE_SOCKET
  for _ in $(seq 100); do
    pactl info >/dev/null 2>&1 && return 0
    kill -0 "$PULSE_PID" 2>/dev/null || break
    sleep 0.1
  done
  fail "no PulseAudio server answered in 10 s: $(tail -n 3 "$TEST_DIR/pulse.log" | tr '\n' ' ')"
}

# Makes the null sink (once) and the default output; fails while PipeWire is not ready for it.
pipewire_null_sink() {
  if [[ -z ${NULL_SINK_MADE:-} ]]; then
    pactl load-module module-null-sink sink_name=morvath_test >/dev/null 2>&1 || return 1
    NULL_SINK_MADE=1
  fi
  pactl set-default-sink morvath_test 2>/dev/null
}

pulse_cleanup() {
  [[ -n "${RECORD_PID:-}" ]] && kill "$RECORD_PID" 2>/dev/null || true
  [[ -n "${GAME_PID:-}" ]] && kill "$GAME_PID" 2>/dev/null || true
  [[ -n "${PULSE_PID:-}" ]] && kill "$PULSE_PID" 2>/dev/null || true
  for pid in "${SOUND_PIDS[@]}"; do kill "$pid" 2>/dev/null || true; done
}

# Records everything the null sink plays into $TEST_DIR/sound.raw (44.1 kHz, 16-bit, stereo).
record_start() {
  parec -d morvath_test.monitor --raw --format=s16le --rate=44100 --channels=2 \
    --latency-msec=20 >"$TEST_DIR/sound.raw" 2>"$TEST_DIR/parec.log" &
  RECORD_PID=$!
  for _ in $(seq 50); do
    [[ -s "$TEST_DIR/sound.raw" ]] && return 0
    sleep 0.1
  done
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

# Music is heard over the last 0.3 s within $2 s (default 10); $1 says when.
wait_heard() {
  poll "${2:-10}" heard 0.3 || fail "no music heard $1 (RMS $(loudness 1) over the last second)"
}

# Silence over the last 0.5 s within $2 s (default 10).
wait_silent() {
  poll "${2:-10}" silent 0.5 ||
    fail "music still heard $1 (RMS $(loudness 0.5) over the last half second)"
}

# Stays silent for $2 seconds (music must not start $1).
assert_stays_silent() {
  sleep "$2"
  silent "$2" || fail "music was heard $1 (RMS $(loudness "$2"))"
}

# The number of sound streams open on the private server.
sound_streams() { pactl list short sink-inputs 2>/dev/null | wc -l; }

# Waits up to $2 s (default 5) until the game has no sound stream open.
wait_no_stream() {
  poll "${2:-5}" no_stream || fail "a sound stream is still open $1"
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

# A folder of the test's own with a private runtime folder, for tests that need a sound server
# but no desktop (call pulse_start next).
sound_only_start() {
  TEST_DIR=$(mktemp -d)
  trap desktop_cleanup EXIT
  export XDG_CONFIG_HOME=$TEST_DIR/config XDG_RUNTIME_DIR=$TEST_DIR/run
  mkdir -p "$XDG_CONFIG_HOME" "$XDG_RUNTIME_DIR"
  chmod 700 "$XDG_RUNTIME_DIR"
}
