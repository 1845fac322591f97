#!/usr/bin/env bash
# The end of a tune reaches the game: the tune played in the towers is a short one of the test's
# own, so it ends while the player stands there; the game then starts it over at the next tower
# fight and, when it has ended again during the fight, once more on the way back from the won
# fight. Without the end-of-tune flag both restarts stay silent. Silence after a tune's end
# costs next to nothing: the sound stream closes and the game idles.
#
#   music_tune_end_test.sh GAME_BINARY
source "$(dirname "$0")/lib.sh"
bin=$1

desktop_start 1280x720
pulse_start
record_start

# Every tune of the game is the same chord of an organ, held for 1.5 s (General MIDI, 480 ticks
# a beat at 120 beats a minute: 1440 ticks).
mkdir -p "$TEST_DIR/Music"
chord() {
  local track='\x00\xc0\x13\x00\x90\x3c\x64\x00\x90\x40\x64\x00\x90\x43\x64'
  track+='\x8b\x20\x80\x3c\x00\x00\x80\x40\x00\x00\x80\x43\x00\x00\xff\x2f\x00'
  printf 'MThd\x00\x00\x00\x06\x00\x00\x00\x01\x01\xe0MTrk\x00\x00\x00\x20'"$track"
}
chord >"$TEST_DIR/Music/Temple.mid"
[[ $(stat -c %s "$TEST_DIR/Music/Temple.mid") -eq 54 ]] || fail "the test's tune is malformed"
for tune in Outside.mid Outside.MID Death.MID; do cp "$TEST_DIR/Music/Temple.mid" "$TEST_DIR/Music/$tune"; done

# A hero past the Morvath (the fountain leads to the towers) whose blows kill a mirror at once
# and whose armour the mirror's blows hardly ever pierce.
seen_story
write_hero 5 Health=10 MaxHealth=10 Strength=100000 Weapon=0 Armor=500000000 Shield=500000000
game_start "$bin"
load_slot1

# Any key but an arrow on the fountain: the first tower, with its tune.
keys z
wait_active "Tower of Reflections (Tower 1 of the Under World)"
wait_heard "on entering the tower"
wait_silent "after the tower's tune ended"
wait_no_stream "after the tune ended"
assert_idle_cpu "in the tower after its tune ended"

# A fight (Tab and Space press a fight button) starts the ended tune over.
keys Tab space
wait_active "Combat Screen"
wait_heard "at the start of a tower fight after the tune had ended"
wait_silent "after the restarted tune ended"

# Win the fight: the way back starts the tune, which ended during the fight, once more.
for _ in $(seq 20); do
  [[ $(active_title) == "Combat Screen" ]] || break
  fight_round "$(focused_id)"
done
[[ $(active_title) != "You Died" ]] || fail "the hero died in the mirror fight"
wait_active "You killed the Mirror Monster!!!"
assert_stays_silent "before the victory box was answered" 0.5
keys Return
wait_window "Tower of Reflections (Tower 1 of the Under World)" >/dev/null
wait_heard "on the way back from a tower fight during which the tune ended"
assert_no_music_complaint
echo "PASSED"
