#!/bin/bash
# A player who cannot see the screen, with Orca: a new game, steps on the map (one against the
# rock), a purchase, a hand of blackjack, then a tougher hero's fight in the Cave of Minors, all by
# keys. What Orca would say is read from its debug log ("SPEECH OUTPUT: '...'").
#   screen_reader_test.sh path/to/morvath    (ORCA_LOG_COPY=FILE keeps Orca's log)
source "$(dirname "$0")/lib.sh"
bin=${1:?the game binary}

need_tools orca dbus-daemon /usr/libexec/at-spi-bus-launcher

desktop_start 1280x720
# A session bus and an accessibility bus of the test's own, and Orca speaking into its log only.
export HOME=$TEST_DIR/home DBUS_SESSION_BUS_ADDRESS=unix:path=$TEST_DIR/bus
mkdir -p "$HOME"
dbus-daemon --session --nofork --address="$DBUS_SESSION_BUS_ADDRESS" >"$TEST_DIR/dbus.log" 2>&1 &
BUS_PID=$!
a11y_cleanup() {
  local pid
  [[ -n ${ORCA_LOG_COPY:-} && -f ${log:-} ]] && cp "$log" "$ORCA_LOG_COPY"  # to read it afterwards
  for pid in ${ORCA_PID:-} ${ATSPI_PID:-} ${GAME_PID:-} ${BUS_PID:-}; do kill "$pid" 2>/dev/null || true; done
}
trap 'a11y_cleanup; desktop_cleanup' EXIT
poll 10 test -S "$TEST_DIR/bus" || fail "no session bus: $(cat "$TEST_DIR/dbus.log")"
/usr/libexec/at-spi-bus-launcher --launch-immediately >"$TEST_DIR/atspi.log" 2>&1 &
ATSPI_PID=$!
log=$TEST_DIR/orca.log
# No speech server: Orca's debug log holds every line it would speak. Orca writes its log through
# a buffer of 8 KB; here it writes each line at once, so that the test reads what was said.
orca_python=$(sed -n '1s/^#!//p' "$(command -v orca)")  # the Python that Orca runs on
SPEECHD_CMD=/bin/false $orca_python - "$log" >"$TEST_DIR/orca.out" 2>&1 <<'EOF' &
import builtins, runpy, sys
log, plain_open = sys.argv[1], builtins.open
def line_open(file, mode="r", buffering=-1, *args, **kwargs):
    return plain_open(file, mode, 1 if file == log else buffering, *args, **kwargs)
builtins.open = line_open
sys.argv = ["orca", "--debug-file", log, "-e", "speech"]
runpy.run_path(__import__("shutil").which("orca"), run_name="__main__")
EOF
ORCA_PID=$!

# What Orca said, one utterance a line.
# (Orca 43 names the role of a focused label after its text: " label.")
said() {
  grep -a "SPEECH OUTPUT: '" "$log" 2>/dev/null |
    sed -E "s/.*SPEECH OUTPUT: '//; s/' ?\{'established.*//; s/ label\.$//"
}
# How many utterances hold the text $1.
times_said() { said | grep -cF -- "$1" || true; }
# Waits until Orca has said the text $1 at least $2 times (default once); $3 says after what.
wait_said() {
  local text=$1 count=${2:-1}
  poll 20 said_enough "$text" "$count" ||
    fail "Orca did not say \"$text\" ($count times) $3; it said last: $(said | tail -n 4 | tr '\n' '|')"
}
said_enough() { (($(times_said "$1") >= $2)); }
# Waits until Orca has said the button $1 (Orca 43 says "push button", Orca 48 "button").
wait_button() {
  poll 20 button_said "$1" || fail "Orca did not say the button \"$1\"; it said last: $(said | tail -n 4 | tr '\n' '|')"
}
button_said() { said | grep -qE "^$1 (push )?button"; }
outcome_said() { said | grep -qE "^(Tie game\.|You win!!!|You lose\.) "; }

poll 60 grep -qF "Screen reader on." "$log" 2>/dev/null ||
  fail "Orca did not start within 60 s: $(tail -n 5 "$TEST_DIR/orca.out" 2>/dev/null | tr '\n' ' ')"

seen_story
write_hero 0 Strength=1 Weapon=1  # for the fight: three blows at least for the snake
game_start "$bin"
new_game Arwen
wait_said "5, 2. You are next to the beautiful fountain of Makar." 1 "when the map opened"

# Three steps, the last two against the rock south of the town: each says its cell; the blocked
# ones the rock's message, again at the second try. Nothing is said twice for one change.
keys Right
wait_said "6, 2" 1 "after a step east"
keys Down
wait_said "6, 1" 1 "after a step south"
keys Down
wait_said "6, 1. Who are you? A Mountain Climber!?!" 1 "after a step against the rock"
keys Down
wait_said "6, 1. Who are you? A Mountain Climber!?!" 2 "after a second step against the rock"
# (Anything said twice for the first steps would stand before the rock's message in the log.)
(($(times_said "6, 2") == 1)) || fail "the step east was said $(times_said "6, 2") times"
(($(times_said "fountain of Makar") == 1)) || fail "the fountain's text was said again after a step"

# A dagger from the weapon shop: Tab reaches the first item, which says its value and cost.
keys Up Right
wait_active "Weapon Shop"
keys Tab
wait_button "Dagger"
wait_said "Damage 3, Cost 75" 1 "with the dagger's name"
keys space
wait_said "You bought a Dagger for 75 gold." 1 "after the purchase"
keys Return
keys alt+e
wait_window "Caves" >/dev/null
wait_said "7, 2" 1 "back on the map"

# A hand of blackjack at the inn's bar, for 5 of the 25 gold left: the two cards and the total,
# a card drawn and the new total, then the opponent's cards, both totals and the outcome.
keys Left Left Down
wait_window "Elkwood Inn" >/dev/null
keys alt+b
wait_window "BlackJack" >/dev/null
keys alt+p
wait_active "Keep of the Morvath"  # the wager box, titled with the game's title
type_text 5
keys Return
wait_said "Your total" 1 "after the deal"
said | grep -F "Your total" | grep -qE "(^|\. )(10|[1-9]) of [a-z]+\. (10|[1-9]) of [a-z]+\. Your total [0-9]+$" ||
  fail "the deal did not say two cards and the total: $(said | grep -F "Your total" | head -n 1)"
keys alt+h
wait_said "Your total" 2 "after a card drawn"
said | grep -F "Your total" | tail -n 1 | grep -qE "^(10|[1-9]) of [a-z]+\. Your total [0-9]+$" ||
  fail "a card drawn was not said alone with the total: $(said | grep -F "Your total" | tail -n 1)"
# (The outcome's box comes first; the cards shown under it are said once it is answered.)
keys alt+s
poll 20 outcome_said || fail "the outcome was not said: $(said | tail -n 3 | tr '\n' '|')"
keys Return
wait_said "The opponent's total" 1 "after staying"
said | grep -qE "(^|\. )The opponent's cards: .*Your total [0-9]+\. The opponent's total [0-9]+" ||
  fail "staying did not say the opponent's cards and both totals: $(said | tail -n 3 | tr '\n' '|')"
keys alt+b
wait_window "Elkwood Inn" >/dev/null
keys alt+e
wait_active "Caves"

# A tougher hero (slot 1) fights a snake in the Cave of Minors: each blow's round is said with
# both healths. (Off the inn's door first: any key there, Alt too, opens the inn again.)
fountain=$(($(times_said "fountain of Makar") + 1))
keys Up
wait_said "fountain of Makar" $fountain "back at the fountain"
# A cheat code typed there (the hero is given up right after): no letter is a step, so none says
# the fountain again, and nor does the map once the Cheater box the last one brings is answered.
keys m o r e l o o t t
wait_said "You used cheats." 1 "after the cheat code"
keys Return
wait_active "Caves"
keys alt+e
(($(times_said "fountain of Makar") == fountain)) ||
  fail "the fountain's text was said again as a cheat code was typed ($(times_said "fountain of Makar") times in all, not $fountain)"
load_slot1
# Round the armor shop: west, north to the fourth row, west to the rock, north to the cave.
# Ambushes on the way are fled from: the hero strikes too softly to fight them off.
FIGHT_KEY=alt+e
for key in Left Up Up Left Left Left Up Up Up Left; do step "$key"; done
wait_active "Cave of Minors"
keys Tab
wait_button "Level 1-Giant Snake"
keys space
wait_window "Combat Screen" >/dev/null
wait_said "Giant Snake, Level 1. Your health 900 of 900. Health of the Giant Snake 5 of 5" 1 \
  "when the fight began"
# Each round is said when the blow is struck; the killing one's once the victory box is answered.
round_said() {
  said | grep -F "Health of the Giant Snake" | tail -n 1 |
    grep -qE "^(You|The Giant Snake) attacked first\. .*Snake.*\. Your health [0-9]+ of 900\. Health of the Giant Snake $1 of 5$" ||
    fail "attack $rounds did not say the round and both healths: $(said | tail -n 2 | tr '\n' '|')"
}
victory() { visible_titles | grep -qxF "You killed the Giant Snake!!!"; }
said_or_won() { said_enough "Health of the Giant Snake" "$1" || victory; }
rounds=0
while :; do
  ((rounds < 30)) || fail "the fight did not end after 30 attacks"
  before=$(times_said "Health of the Giant Snake")
  keys alt+a
  rounds=$((rounds + 1))
  poll 20 said_or_won $((before + 1)) || fail "attack $rounds was neither said nor won"
  victory && break
  round_said "[1-5]"
done
wait_said "You killed the Giant Snake!!!" 1 "at the victory"
keys Return
wait_said "Health of the Giant Snake" $((before + 1)) "after the victory box"
round_said "(0|-[0-9]+)"
((rounds >= 3)) || fail "the fight lasted $rounds rounds; the test needs several"
echo "PASSED ($rounds rounds)"
