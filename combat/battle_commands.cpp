// The combat commands besides Attack: fleeing, the potion panel, restoring a spell point and
// opening the spell window.
#include <cmath>

#include "combat/battle.h"
#include "core/game.h"
#include "core/text.h"

namespace morvath {
namespace {

// The four guards of the Upper Keep stand in the only corridor out: nobody runs past them.
bool IsMazeGuard(const std::string& name) {
  return name == "Demon Guard 1" || name == "Demon Guard 2" || name == "Demon Guard 3" ||
         name == "Demon Guard 4";
}

// How much potions 1 to 4 heal: Int(R * spread + least). The bottle's label promises one more
// than the top of the range (8-15 heals 8 to 14).
struct PotionHeal {
  double spread;
  double least;
};
constexpr PotionHeal kPotionHeals[4] = {{7, 8}, {15, 15}, {30, 30}, {60, 60}};

}  // namespace

void Battle::Flee_Click() {
  HidePotions.visible = true;
  const std::string& name = MName.caption;
  if (IsMazeGuard(name)) {
    game_.msg("The Demon Guard easily blocks your escape.", "You can't escape");
    return;
  }
  if (name == "Morvath") {
    game_.msg("The Morvath creates a wall of fire to block your escape.", "You can't escape");
    return;
  }
  if (opponentIsBoss()) {
    game_.msg("The " + name + " easily blocks your escape.", "You can't escape");
    return;
  }

  Spell.enabled = true;
  const int escape = static_cast<int>(std::floor(game_.R() * 6)) + 1;
  if (escape == 1) {
    // A clean getaway is paid like a win, but quietly: no box, no level (a level that is due
    // waits for the next win), and the spell points spent here are not taken off the record.
    PayWinnings();
    game_.ch().HP = YHP.caption;
    GoBack();
    HidePicts();
    return;
  }

  write(Attackmsg, "");
  MAttack();
  if (Val(YHP.caption) >= 1)
    write(MMessage, "The monster blocked you so you couldn't escape");
  else
    DeathWithoutMusic();
}

void Battle::Potion_Click() {
  bool ownsAny = false;
  for (int kind = 1; kind <= 5; ++kind) ownsAny = ownsAny || potionCount(kind).caption != "0";
  if (!ownsAny) {
    game_.msg("You don't own any potions.");
    return;
  }
  // Only the kinds the character carries are offered.
  for (int kind = 1; kind <= 5; ++kind) {
    const bool owned = potionCount(kind).caption != "0";
    potionCount(kind).visible = owned;
    potionButton(kind).visible = owned;
  }
  HidePotions.visible = false;
}

void Battle::P_Click(int kind) {
  // The buttons lie under the cover until "&Use a Potion" lifts it, and a kind with none left is
  // never offered: a press that reaches them otherwise drinks nothing.
  if (HidePotions.visible || Val(potionCount(kind).caption) < 1) return;
  HidePotions.visible = true;
  Label& count = potionCount(kind);
  const double left = Val(count.caption) - 1;
  count.caption = Str(left);
  if (left == 0) potionButton(kind).visible = false;

  if (kind == 5) {
    write(YHP, YMaxHP.caption);
    write(Attackmsg, "You were healed totaly");
    HPGaugeChange();
    return;
  }

  const PotionHeal& potion = kPotionHeals[kind - 1];
  double heal = std::floor(game_.R() * potion.spread + potion.least);
  // Health never rises above its maximum; the excess of the bottle is lost.
  if (Val(YHP.caption) + heal > Val(YMaxHP.caption)) heal = Val(YMaxHP.caption) - Val(YHP.caption);
  write(YHP, Str(Val(YHP.caption) + heal));
  write(Attackmsg, "You heal yourself for " + Str(heal));
  HPGaugeChange();
}

void Battle::Command1_Click() {
  HidePotions.visible = true;
}

void Battle::RestoreSP_Click() {
  RestoreSP.enabled = false;  // once per fight; the next fight's CharLoad enables it again
  Spell.enabled = true;
  HidePotions.visible = true;

  // The opponent strikes while the character concentrates. Its miss test is the one of the
  // attack round, but here the character's defence is rolled rather than taken in full.
  const int blow = roll(MdexC);
  const bool missed = Val(MdexC.caption) == 3 ? blow != 1 : blow == 1;
  if (missed) {
    write(Ymessage, "The " + MName.caption + " missed you");
    return;
  }
  const double hit = std::floor(Val(MDamage.caption) * game_.R() + 1);
  const double parried = std::floor(Val(MaxDefence.caption) * game_.R());
  double damage = hit - parried;
  if (damage < 0) damage = 0;
  write(YHP, Str(Val(YHP.caption) - damage));
  HPGaugeChange();
  write(Ymessage, "The " + MName.caption + " dealt " + Str(damage) + " damage to you");

  if (Val(YHP.caption) < 1) {
    DeathWithoutMusic();
    return;
  }
  if (YSP.caption != YMaxSP.caption) {
    YSP.caption = Str(Val(YSP.caption) + 1);
    Character& c = game_.ch();
    c.SP = Str(Val(c.SP) + 1);
    write(Attackmsg, "You restore 1 spell point");
  } else {
    write(Attackmsg, "You restore 0 spell points because you are already at the max");
  }
}

void Battle::Spell_Click() {
  // The combat screen takes no input while the spell window stands on it.
  enabled = false;
  game_.show(ScreenId::Cast);
}

void Battle::DeathWithoutMusic() {
  HidePicts();
  game_.msg("The " + MName.caption + " killed you and stripped you of all your possesions.",
            "You Died");
  game_.show(ScreenId::Dead);
  game_.hide(ScreenId::Battle);
}

}  // namespace morvath
