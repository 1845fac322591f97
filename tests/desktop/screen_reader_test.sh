#!/bin/bash
# A player who cannot see the screen, with Orca: a new game, steps on the map (one against the
# rock), a purchase, a hand of blackjack, then a tougher hero's fight in the Cave of Minors, all by
# keys. What Orca would say is read from its debug log ("SPEECH OUTPUT: '...'").
#   screen_reader_test.sh path/to/morvath    (ORCA_LOG_COPY=FILE keeps Orca's log)
source "$(dirname "$0")/lib.sh"
bin=${1:?the game binary}

desktop_start 1280x720
orca_start
outcome_said() { said | grep -qE "^(Tie game\.|You win!!!|You lose\.) "; }

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
wait_active "Weapon Shop"
keys alt+e
wait_window "Caves" >/dev/null
wait_said "7, 2" 1 "back on the map"

# A hand of blackjack at the inn's bar, for 5 of the 25 gold left: the two cards and the total,
# a card drawn and the new total, then the opponent's cards, both totals and the outcome.
keys Left Left Down
wait_active "Elkwood Inn"
keys alt+b
wait_active "BlackJack"
keys alt+p
wait_active "Keep of the Morvath"  # the wager box, titled with the game's title
type_text 5
keys Return
wait_said "Your total" 1 "after the deal"
assert_said "Your total" "(^|\. )(10|[1-9]) of [a-z]+\. (10|[1-9]) of [a-z]+\. Your total [0-9]+$" first \
  "the deal did not say two cards and the total"
keys alt+h
wait_said "Your total" 2 "after a card drawn"
assert_said "Your total" "^(10|[1-9]) of [a-z]+\. Your total [0-9]+$" last \
  "a card drawn was not said alone with the total"
# (The outcome's box comes first; the cards shown under it are said once it is answered.)
keys alt+s
poll "$PATIENCE" outcome_said || fail "the outcome was not said in $PATIENCE s: $(said_last)"
keys Return
wait_said "The opponent's total" 1 "after staying"
assert_said "The opponent's cards: " "(^|\. )The opponent's cards: .*Your total [0-9]+\. The opponent's total [0-9]+" first \
  "staying did not say the opponent's cards and both totals"
keys alt+b
wait_active "Elkwood Inn"
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
wait_active "Combat Screen"
wait_said "Giant Snake, Level 1. Your health 900 of 900. Health of the Giant Snake 5 of 5" 1 \
  "when the fight began"
# Each round is said when the blow is struck; the killing one's once the victory box is answered.
round_said() {
  assert_said "Health of the Giant Snake" \
    "^(You|The Giant Snake) attacked first\. .*Snake.*\. Your health [0-9]+ of 900\. Health of the Giant Snake $1 of 5$" \
    last "attack $rounds did not say the round and both healths"
}
victory() { visible_titles | grep -qxF "You killed the Giant Snake!!!"; }
said_or_won() { said_enough "Health of the Giant Snake" "$1" || victory; }
rounds=0
while :; do
  ((rounds < 30)) || fail "the fight did not end after 30 attacks"
  before=$(times_said "Health of the Giant Snake")
  keys alt+a
  rounds=$((rounds + 1))
  poll "$PATIENCE" said_or_won $((before + 1)) ||
    fail "attack $rounds was neither said (a round's \"Health of the Giant Snake\") nor won (the box \"You killed the Giant Snake!!!\") in $PATIENCE s; Orca said last: $(said_last)"
  victory && break
  round_said "[1-5]"
done
wait_said "You killed the Giant Snake!!!" 1 "at the victory"
keys Return
wait_said "Health of the Giant Snake" $((before + 1)) "after the victory box"
round_said "(0|-[0-9]+)"
((rounds >= 3)) || fail "the fight lasted $rounds rounds; the test needs several"
echo "PASSED ($rounds rounds)"
