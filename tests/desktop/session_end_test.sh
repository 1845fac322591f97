#!/bin/bash
# The end of a session: SIGTERM, SIGINT and SIGHUP end the game as "E&xit" answered Yes would,
# with nothing written lost. The first start's count reaches the disk once the story and the about
# box have been answered, so the story is told once however the first run ends.
#   session_end_test.sh path/to/morvath
source "$(dirname "$0")/lib.sh"
bin=${1:?the game binary}

counter() { sed -n 's/^Start=//p' "$XDG_CONFIG_HOME/KeepOfTheMorvath/ZARQSTART.ini" 2>/dev/null; }
counter_is() { [[ $(counter) == "$1" ]]; }
# Waits until the start counter on disk is $1 ($2 says after what).
wait_counter() { poll "$PATIENCE" counter_is "$1" || fail "after $2 the counter on disk is \"$(counter)\", not $1"; }

desktop_start 1280x720

# A session ended while the story or the about box (titled as the start screen) is open has not
# told them: no count is written, and the next start tells the story again.
about_open() { (($(visible_titles | grep -cxF "Keep of the Morvath") == 2)); }
game_start "$bin"
wait_active "The Story"
kill -TERM "$GAME_PID"
game_wait_end
[[ -z $(counter) ]] || fail "a session ended inside the story wrote the start counter: $(counter)"
game_start "$bin"
wait_active "The Story"
keys Return
poll "$PATIENCE" about_open || fail "no about box after the story; shown: $(visible_titles | tr '\n' '|')"
kill -TERM "$GAME_PID"
game_wait_end
[[ -z $(counter) ]] || fail "a session ended inside the about box wrote the start counter: $(counter)"

# The count of a first start is on disk once the story has been told: a run killed outright
# right after it counts, and the next start tells no story.
game_start "$bin"
wait_active "The Story"
keys Return
wait_no_window "The Story"
poll "$PATIENCE" about_open || fail "no about box after the story; shown: $(visible_titles | tr '\n' '|')"
poll "$PATIENCE" box_active || fail "the about box did not get the keyboard; it is with \"$(active_title)\""
keys Return  # the about box
wait_counter 2 "the story and the about box of the first start"
kill -KILL "$GAME_PID"
wait "$GAME_PID" 2>/dev/null || true
GAME_PID=""
# SIGTERM (a logout) on the next run: no story (the count on disk shows the start went past
# where it is told), and this start counts too.
game_start "$bin"
wait_counter 3 "a second start"
[[ $(visible_titles) == "Keep of the Morvath" ]] ||
  fail "a second start shows more than the start screen: $(visible_titles | tr '\n' '|')"
kill -TERM "$GAME_PID"
game_wait_end
# SIGINT ends a later run the same way.
game_start "$bin"
wait_counter 4 "a third start"
kill -INT "$GAME_PID"
game_wait_end

# A save made at the inn just before SIGHUP, the game's answer box still open, is whole.
write_hero 4
game_start "$bin"
load_slot1
step Down
wait_window "Elkwood Inn" >/dev/null
# Alt+S is also the mnemonic of "Option&s": its first press picks "&Save Game", which Space presses.
wait_active "Elkwood Inn"
keys alt+s space 2
wait_active "Keep of the Morvath"
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
