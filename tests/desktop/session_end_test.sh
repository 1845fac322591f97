#!/bin/bash
# The end of a session: SIGTERM, SIGINT and SIGHUP end the game as "E&xit" answered Yes would,
# with nothing written lost. A first run cut short by a signal tells the story again at the next
# start; a first run ended by the player does not.
#   session_end_test.sh path/to/morvath
source "$(dirname "$0")/lib.sh"
bin=${1:?the game binary}

counter() { sed -n 's/^Start=//p' "$XDG_CONFIG_HOME/KeepOfTheMorvath/ZARQSTART.ini" 2>/dev/null; }
# The story and the about box of a first start, answered.
answer_story() {
  wait_window "The Story" >/dev/null
  keys Return
  wait_no_window "The Story"
  keys Return
  sleep 0.5
}

desktop_start 1280x720

# A first run ended by SIGTERM (a logout), the story still on the screen, keeps no count: the
# story comes again.
game_start "$bin"
wait_window "The Story" >/dev/null
kill -TERM "$GAME_PID"
game_wait_end
[[ -z $(counter) ]] || fail "a first run ended by SIGTERM left the start counter at $(counter)"
game_start "$bin"
answer_story
# This time the player leaves with "E&xit": the start counts.
keys alt+x
game_wait_end
[[ $(counter) == 2 ]] || fail "after a first run ended by the player the counter is \"$(counter)\", not 2"
# A later start tells no story, and its count reaches the disk though SIGINT ends it.
game_start "$bin"
wait_window "Keep of the Morvath" >/dev/null
sleep 1.5
visible_titles | grep -qxF "The Story" && fail "the story was told again at the second start"
kill -INT "$GAME_PID"
game_wait_end
[[ $(counter) == 3 ]] || fail "after a later start ended by SIGINT the counter is \"$(counter)\", not 3"

# A save made at the inn just before SIGHUP, the game's answer box still open, is whole.
write_hero 4
game_start "$bin"
load_slot1
step Down
wait_window "Elkwood Inn" >/dev/null
# Alt+S is also the mnemonic of "Option&s": its first press picks "&Save Game", which Space presses.
keys alt+s space 2
wait_window "Keep of the Morvath" >/dev/null
kill -HUP "$GAME_PID"
game_wait_end
python3 - "$XDG_CONFIG_HOME/KeepOfTheMorvath/ZARQ.ini" <<'PY' || fail "the save made before SIGHUP is not whole"
import configparser, sys
ini = configparser.RawConfigParser()
ini.optionxform = str
ini.read(sys.argv[1])
saved, loaded = ini["Save2"], ini["Save1"]
assert ini["LastSave"]["LastSave"] == "Save2", "LastSave"
for key in ("CharName", "Gold", "Level", "Health", "MaxHealth", "WeaponName", "Beat"):
    assert saved[key] == loaded[key], (key, saved[key], loaded[key])
PY
echo "PASSED"
