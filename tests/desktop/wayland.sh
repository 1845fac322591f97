# Scaffolding of the Wayland desktop tests, beside the X11 one in lib.sh (whose helpers for
# boxes, saves, walks and fights it reuses): a headless sway of the test's own, the game started
# on it as a native Wayland client, keys sent through sway's virtual keyboard with wtype, and
# results read from sway (titles, focus, sizes), grim screenshots and the save files.
#
#   source wayland.sh; wayland_start 1280x720; wayland_game_start "$bin"; wait_window Caves
#
# sway refuses to run as root: when the tests run as root (as in CI), sway and the game run as
# "nobody", the game from a copy in the test's folder, which that user can read wherever the build
# lies.
source "$(dirname "${BASH_SOURCE[0]}")/lib.sh"

WAYLAND_AS=()

# Starts sway on a headless output of the given size (WIDTHxHEIGHT, default 1280x720) and scale
# (default 1), in a folder of the test's own that holds the runtime, home and config folders.
# sway honours the windows' activation requests, as desktops that follow xdg-activation do.
wayland_start() {
  local size=${1:-1280x720} scale=${2:-1}
  need_tools sway swaymsg wtype grim jq convert
  compgen -G "/usr/lib/*/qt6/plugins/platforms/libqwayland-generic.so" >/dev/null ||
    skip "Qt's Wayland platform is not installed (qt6-wayland; scripts/install-deps --tests installs it)"
  test_folder
  export HOME=$TEST_DIR/home
  mkdir -p "$HOME"
  chmod 755 "$TEST_DIR"
  if ((EUID == 0)); then
    WAYLAND_AS=(setpriv --reuid=nobody --regid=nogroup --clear-groups --)
    chown nobody:nogroup "$XDG_RUNTIME_DIR" "$HOME"
  fi
  cat >"$TEST_DIR/sway.conf" <<EOF
output HEADLESS-1 resolution $size scale $scale scale_filter nearest
focus_on_window_activation focus
default_border normal
EOF
  (cd "$TEST_DIR" && exec "${WAYLAND_AS[@]}" env WLR_BACKENDS=headless WLR_LIBINPUT_NO_DEVICES=1 \
    WLR_RENDERER=pixman sway -c "$TEST_DIR/sway.conf" >"$TEST_DIR/sway.log" 2>&1) &
  SWAY_PID=$!
  started "$SWAY_PID"
  export WAYLAND_DISPLAY=wayland-1 SWAYSOCK=""
  poll "$PATIENCE" sway_answers || fail "sway did not start in $PATIENCE s: $(tail -n 5 "$TEST_DIR/sway.log" | tr '\n' ' ')"
}
sway_answers() {
  kill -0 "$SWAY_PID" 2>/dev/null || fail "sway ended: $(tail -n 5 "$TEST_DIR/sway.log" | tr '\n' ' ')"
  SWAYSOCK=$(compgen -G "$XDG_RUNTIME_DIR/sway-ipc.*.sock" | head -n 1) || true
  [[ -n $SWAYSOCK && -S $XDG_RUNTIME_DIR/$WAYLAND_DISPLAY ]] && swaymsg -t get_outputs >/dev/null 2>&1
}

# Starts the game ($1, further arguments are environment assignments) as a native Wayland client
# on the test's sway, from the test's folder; its stderr goes to $TEST_DIR/game.err.
wayland_game_start() {
  local bin=$1
  shift
  if ((${#WAYLAND_AS[@]})); then
    install -m 755 "$bin" "$TEST_DIR/morvath"
    bin=$TEST_DIR/morvath
    chown -R nobody:nogroup "$XDG_CONFIG_HOME"
  fi
  # The protocol the game speaks goes to protocol.log (WAYLAND_DEBUG), its own lines to game.err.
  (cd "$TEST_DIR" && exec "${WAYLAND_AS[@]}" env QT_QPA_PLATFORM=wayland WAYLAND_DEBUG=client "$@" \
    "$bin" 2> >(tee "$TEST_DIR/protocol.log" | grep --line-buffered -v '^\[' >"$TEST_DIR/game.err")) &
  GAME_PID=$!
}

# The game's windows as sway has them: one JSON object a line with id, name (the title), focused,
# visible and rect (with sway's title bar and border, in the output's logical pixels).
windows_json() {
  swaymsg -t get_tree 2>/dev/null |
    jq -c '.. | objects | select(.pid? != null) | {id, name, focused, visible, rect, window_rect}'
}

# The titles of the visible windows, one a line.
visible_titles() { windows_json | jq -r 'select(.visible) | .name'; }

# The window that has the keyboard, by title, and by sway's id.
active_title() { windows_json | jq -r 'select(.focused) | .name'; }
active_id() { windows_json | jq -r 'select(.focused) | .id'; }
focused_id() { active_id; }

# The ids of the visible windows titled exactly $1, one a line (wait_window finds them here).
window_ids() { windows_json | jq -r --arg t "$1" 'select(.visible and .name == $t) | .id'; }

# Waits until sway's window $1 has the keyboard ($2 names it in the failure).
wait_focused_id() {
  local timeout=${3:-$PATIENCE}
  poll "$timeout" is_focused_id "$1" ||
    fail "$2 did not get the keyboard after $timeout s; it is with \"$(active_title)\" (window $(active_id))"
}
is_focused_id() { [[ $(active_id) == "$1" ]]; }

# Gives sway's window $1 the keyboard as a click on it would ($2 names it in a failure).
click_focus() {
  swaymsg "[con_id=$1] focus" >/dev/null || fail "sway could not focus $2"
  wait_focused_id "$1" "$2"
}

# Keys through sway's virtual keyboard to the window that has it, by xdotool's names (Return,
# alt+n, Left), once the game was told of every one of them (the protocol it spoke says so). A new
# virtual keyboard can lose the keys sent at once: wtype waits 300 ms first, and keys of which
# the game was told nothing in 3 s are sent again (never a key it was told of: no step is taken
# twice).
keys() {
  local args=(-s 300) key mods
  for key in "$@"; do
    mods=()
    while [[ $key == *+* ]]; do
      mods+=("${key%%+*}")
      key=${key#*+}
    done
    for m in "${mods[@]}"; do args+=(-M "$m"); done
    args+=(-k "$key")
    for m in "${mods[@]}"; do args+=(-m "$m"); done
    args+=(-s 60)
  done
  told_of "$#" "keys $*" wtype "${args[@]}"
}
# One key (lib.sh's step sends its arrow keys here).
key_once() { keys "$1"; }
# Text typed into the widget that has the keyboard.
type_text() { told_of "${#1}" "the text \"$1\"" wtype -s 300 -d 40 -- "$1"; }
# Runs the wtype command $3... until the game was told of $1 more key presses ($2 names them).
told_of() {
  local count=$1 what=$2 before
  shift 2
  before=$(key_presses)
  for _ in 1 2 3; do
    "$@" || fail "wtype could not send $what"
    poll 3 key_pressed_since "$before" && break
  done
  poll "$PATIENCE" key_pressed_since $((before + count - 1)) ||
    fail "the game was told of $(($(key_presses) - before)) of the $count key presses of $what in $PATIENCE s"
}

# "X Y WIDTH HEIGHT" of sway's window $1 with its title bar and border, in logical pixels.
frame_geometry() {
  windows_json | jq -r --argjson id "$1" 'select(.id == $id) | .rect | "\(.x) \(.y) \(.width) \(.height)"'
}

# "X Y WIDTH HEIGHT" of the inside of sway's window $1 (what the game draws), in logical pixels.
content_geometry() {
  windows_json | jq -r --argjson id "$1" \
    'select(.id == $id) | "\(.rect.x + .window_rect.x) \(.rect.y + .window_rect.y) \(.window_rect.width) \(.window_rect.height)"'
}

# For each window titled $1 the game opened, in order, 1 when it told sway which window it belongs
# to (xdg_toplevel.set_parent), else 0; read from the protocol the game spoke (libwayland writes an
# object as xdg_toplevel@31, from 1.22 on as xdg_toplevel#31).
declared_parents() {
  awk -v title="\"$1\"" '
    match($0, /new id xdg_toplevel[@#][0-9]+/) { parent[substr($0, RSTART + 20, RLENGTH - 20)] = 0 }
    match($0, /xdg_toplevel[@#][0-9]+\.set_parent\(xdg_toplevel/) { parent[substr($0, RSTART + 13, RLENGTH - 37)] = 1 }
    index($0, ".set_title(" title ")") && match($0, /xdg_toplevel[@#][0-9]+\.set_title/) {
      print parent[substr($0, RSTART + 13, RLENGTH - 23)] + 0 }' "$TEST_DIR/protocol.log"
}

# Fails unless every window titled $1 the game opened named the window it belongs to.
assert_declares_parent() {
  local parents
  parents=$(declared_parents "$1")
  [[ -n $parents ]] || fail "no window \"$1\" in the protocol the game spoke"
  ! grep -qx 0 <<<"$parents" || fail "the window \"$1\" does not name the window it belongs to"
}

# Whether the window that has the keyboard is a box or a child window (it names the window it
# belongs to), which Return answers, rather than a screen.
box_active() { [[ $(declared_parents "$(active_title)" | tail -n 1) == 1 ]]; }

# A fingerprint of what sway's window $1 shows (empty once it is not shown).
window_picture() {
  local x y w h picture
  read -r x y w h < <(frame_geometry "$1") || return 0
  for _ in 1 2 3; do
    picture=$(grim -g "$x,$y ${w}x$h" - 2>"$TEST_DIR/grim.err" | md5sum | cut -d' ' -f1)
    [[ -s $TEST_DIR/grim.err ]] || { echo "$picture"; return 0; }
    sleep 0.2
  done
  fail "grim could not take a picture of window $1: $(cat "$TEST_DIR/grim.err")"
}

key_presses() { grep -cE 'wl_keyboard[@#][0-9]+\.key\([0-9]+, [0-9]+, [0-9]+, 1\)' "$TEST_DIR/protocol.log" || true; }
key_pressed_since() { (($(key_presses) > $1)); }

# A screenshot of the whole output into $1 (PNG), in the output's own pixels.
screenshot() { grim "$1" || fail "grim could not take a screenshot"; }
