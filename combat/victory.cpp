// A won fight: the payout, levels, the way back and the bosses' last words.
#include <cmath>

#include "combat/battle.h"
#include "combat/cast.h"
#include "core/game.h"
#include "core/text.h"
#include "world/upper_keep.h"

namespace morvath {
namespace {

// What a fallen boss leaves behind: its progress mark, its last words (an untitled box) and the
// spell the player learns from it. The Morvath marks its fall before it speaks; the others speak
// first.
struct BossFall {
  const char* name;
  int beat;
  const char* lastWords;  // or none
  bool beatFirst;
  const char* lesson;  // the "Spell Learned" box, or none
  const char* spell;   // the spell button enabled, or none
};

// clang-format off
const BossFall kBossFalls[] = {
  {"Orc", 1, nullptr, true,
   "A scroll drops from the orcs hand as he lives his final moments. You pick up the scroll, and you suddently learn the spell Wound!",
   "SL1"},
  {"Lord of Chaos", 2,
   "\rYou fool! You can never beat us. You will fail!,\r screached the Chaos Lord.", false,
   "From your amazing experience, you learn the spell Storm of Chaos!", "SL2"},
  {"Dragon Lord", 3,
   "'Y__ wi__ no_ b_at the M_rv_th o_ __s c___t_r,' the dying Dragon Lord croaks.", false,
   "From learning of the heat of the dark dragons, you learn the spell of Fire Bolt!", "SL3"},
  {"Demon Guard", 4, nullptr, true, nullptr, nullptr},
  {"Mirror Master", 6,
   "'You may have beaten me, but you haven't seen what comes next...' the Mirror Master says.",
   false, nullptr, nullptr},
  {"Lord of the Elements", 7,
   "'You won't beat the final boss! You can't!' the Element Lord says.", false,
   "You learn the spell of Elemental Blast!", "SL5"},
  {"Beast of Bogardon", 8,
   "As the Beast of Bogardon falls, defeated, it releases it's last howl.", false, nullptr,
   nullptr},
  {"Morvath", 5,
   "The Morvath screams, 'Noooooooooooo!!! My job of guarding the fountains secret has failed! The fountain portal will re-open upon my death. You won't beat my friends beond the fountain! They are the Three Lords of Death!!!",
   true, "You learn the spell of Terror!", "SL4"},
};
// clang-format on

// No single win raises more levels than this. The largest payout of the game, the Keeper of the
// Dead's, raises 95 levels from level 1, and a thousand would take some 1e53 experience points.
// Only a damaged save gets there: an experience debt beyond any payout with a span that hardly
// grows (1 to 8 points) would raise levels, one box each, practically for ever. The experience
// still owed is kept and counts again at the next win.
constexpr int kMostLevelsPerWin = 1000;

// The maze's guards, in the order of their pictures.
constexpr const char* kMazeGuards[4] = {"Demon Guard 1", "Demon Guard 2", "Demon Guard 3",
                                        "Demon Guard 4"};

// The screens a won fight returns to, by return code.
constexpr ScreenId kReturns[9] = {ScreenId::Caves,  ScreenId::Cave1,     ScreenId::Cave2,
                                  ScreenId::Cave3,  ScreenId::UpperKeep, ScreenId::Cave4,
                                  ScreenId::Tower1, ScreenId::Tower2,    ScreenId::Tower3};

}  // namespace

void Battle::Victory() {
  HidePicts();
  MHPGauge.drawn = false;
  MHPGauge.boxWidth = 0;
  game_.msg("You killed the " + MName.caption + "!!! You got " + MGold.caption + " gold and " +
                MEXP.caption + " experience points.",
            "You killed the " + MName.caption + "!!!");
  PayWinnings();
  Character& c = game_.ch();
  // The fight's wounds and spent spell points stay with the character.
  c.HP = YHP.caption;
  c.SP = YSP.caption;
  LevelUp();
  GoBack();
  SpecialMonster();
}

void Battle::PayWinnings() {
  Character& c = game_.ch();
  c.Kills = Str(Val(c.Kills) + 1);
  c.Gold = Str(Val(c.Gold) + Val(MGold.caption));
  c.Exp = Str(Val(c.Exp) + Val(MEXP.caption));
  c.NextLevel = Str(Val(c.NextLevel) - Val(MEXP.caption));
}

void Battle::LevelUp() {
  Character& c = game_.ch();
  // One pass per level gained: a big payout can raise several levels, one box each.
  for (int raised = 0; raised < kMostLevelsPerWin && Val(c.NextLevel) < 1; ++raised) {
    game_.msg("You gained a level! You are now at level " + Str(Val(c.Level) + 1) + "!!",
              "Level Up");
    const double s = std::floor(game_.R() * 8) + 1;
    const double h = std::floor(game_.R() * 9) + 10;
    const double t = std::floor(game_.R() * 5) + 1;
    c.MaxSP = Str(Val(c.MaxSP) + s);
    c.MaxHP = Str(Val(c.MaxHP) + h);
    c.Strength = Str(Val(c.Strength) + t);
    c.Level = Str(Val(c.Level) + 1);
    // Experience earned beyond the level counts towards the next one.
    const double carry = std::floor(Val(c.NextLevel) + 0.5);
    // Each level's span is 12 % larger than the last. A damaged save can hold a span below 1,
    // which would never pay off the debt; such a span counts as 1.
    double span = std::floor(Val(c.NL) * 1.12);
    if (span < 1) span = 1;
    c.NextLevel = Str(span);
    c.NL = c.NextLevel;
    // A new level heals completely.
    c.HP = c.MaxHP;
    c.SP = c.MaxSP;
    c.NextLevel = Str(carry + Val(c.NextLevel));
  }
}

void Battle::GoBack() {
  Attackmsg.caption = "";
  Ymessage.caption = "";
  MMessage.caption = "";
  // A tower tune that ran out during the fight starts again for the way back.
  if (FromTowers.caption == "True" && game_.musicOn() && game_.musicFinish() == "True") {
    game_.stopMusic();
    game_.music().command("open");
    game_.music().command("play");
  }
  FromTowers.caption = "";
  for (int code = 0; code <= 8; ++code) {
    if (PrevForm.caption != Str(code)) continue;
    // Back on the map the overworld tune plays again (its return version).
    if (code == 0) game_.playTune(tune::kOutsideReturn);
    game_.show(kReturns[code]);
  }
  game_.hide(ScreenId::Battle);
}

void Battle::SpecialMonster() {
  Character& c = game_.ch();
  for (const BossFall& boss : kBossFalls) {
    if (MName.caption != boss.name) continue;
    if (boss.beatFirst) c.Beat = Str(boss.beat);
    if (boss.lastWords) game_.msg(boss.lastWords);
    if (!boss.beatFirst) c.Beat = Str(boss.beat);
    if (boss.lesson) game_.msg(boss.lesson, "Spell Learned");
    if (boss.spell) game_.cast().button(boss.spell).enabled = true;
  }
  // The last boss: the game is won, and goes on.
  if (MName.caption == "Keeper of the Dead")
    game_.msg("You win!!! You have " + c.Gold + " gold and " + c.Exp +
                  " experience points!!!. You have killed a total of " + c.Kills + "!!!!!",
              "You Win");
  for (int i = 0; i < 4; ++i)
    if (MName.caption == kMazeGuards[i])
      game_.upperKeep().picture("Demon" + Str(i)).visible = false;
}

}  // namespace morvath
