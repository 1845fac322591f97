#include "combat/cast.h"

#include <cmath>
#include <string>

#include "combat/battle.h"
#include "core/game.h"
#include "core/text.h"

namespace morvath {
namespace {

enum class Effect {
  Damage,   // hurts the opponent
  Drain,    // hurts the opponent and heals the character by as much, up to the maximum
  Enchant,  // +50 defence for the rest of the fight
  Terror,   // lowers the opponent's damage for the rest of the fight
};

// One row of the spell screen. Drawn amounts are Int(R * spread) + least.
struct Spell {
  const char* name;
  double cost;
  const char* costText;
  const char* effectText;
  Effect effect;
  double spread;
  double least;
  // How the damage report opens; the Storm of Chaos has always been announced without "of".
  const char* opening;
};

constexpr Spell kSpells[10] = {
    {"Wound", 2, "2", "5-10", Effect::Damage, 6, 5, "The spell of "},
    {"Knives of Death", 2, "2", "5-20", Effect::Damage, 16, 5, "The spell of "},
    {"Storm of Chaos", 4, "4", "15-30", Effect::Damage, 16, 15, "The spell "},
    {"Earth Slide", 6, "6", "20-40", Effect::Damage, 21, 20, "The spell of "},
    {"Fire Bolt", 15, "15", "40-80", Effect::Damage, 41, 40, "The spell of "},
    {"Enchant Armor", 25, "25", "+50 armor for this battle", Effect::Enchant, 0, 0, ""},
    {"Terror", 25, "25", "Weakens opponents damage by 1-150", Effect::Terror, 150, 1,
     "The spell of "},
    {"Drain Health", 30, "30", "Steals 50-150 of your opponents health", Effect::Drain, 101, 50,
     "The spell of "},
    {"Elemental Blast", 40, "40", "100-150", Effect::Damage, 51, 100, "The spell of "},
    {"Demonic Fireball", 60, "60", "500-600", Effect::Damage, 101, 500, "The spell of "},
};

std::string RowName(const char* group, int row) {
  return group + std::to_string(row);
}

}  // namespace

Cast::Cast(Game& game)
    : Screen(game, ScreenId::Cast, "Spell Cast"),
      SPELLPOINTSlbl(addLabel("SPELLPOINTSlbl", "Spell Points")),
      DAMAGElbl(addLabel("DAMAGElbl", "Damage")),
      Command1(addButton("Command1", "&Cancel Spell", [this] { Command1_Click(); })) {
  for (int row = 0; row < 10; ++row) {
    const Spell& spell = kSpells[row];
    addLabel(RowName("SP", row), spell.costText);
    addButton(kSpellButtons[row], spell.name, [this, row] { Spell_Click(row); }).enabled = false;
    addLabel(RowName("Damage", row), spell.effectText);
  }
}

void Cast::forgetAllSpells() {
  for (const char* name : kSpellButtons) button(name).enabled = false;
}

Label& Cast::cost(int row) {
  return label(RowName("SP", row));
}
Label& Cast::effect(int row) {
  return label(RowName("Damage", row));
}

bool Cast::effectIsDamage(int row) {
  return kSpells[row].effect == Effect::Damage;
}

void Cast::backToBattle() {
  game_.hide(ScreenId::Cast);
  game_.battle().enabled = true;
  game_.show(ScreenId::Battle);
}

void Cast::Command1_Click() {
  backToBattle();
  game_.battle().HPGaugeChange();
}

void Cast::Spell_Click(int row) {
  const Spell& spell = kSpells[row];
  Battle& b = game_.battle();
  const std::string& name = button(kSpellButtons[row]).caption;
  if (Val(b.YSP.caption) < spell.cost) {
    game_.msg("You don't have enough spell points to cast " + name + ".");
    return;
  }
  // One spell between two attack rounds.
  b.Spell.enabled = false;
  b.YSP.caption = Str(Val(b.YSP.caption) - spell.cost);
  backToBattle();

  switch (spell.effect) {
    case Effect::Damage: {
      const double damage = std::floor(game_.R() * spell.spread) + spell.least;
      b.write(b.Attackmsg,
              spell.opening + name + " dealt " + Str(damage) + " damage to the " + b.MName.caption);
      b.write(b.MHP, Str(Val(b.MHP.caption) - damage));
      break;
    }
    case Effect::Drain: {
      const double damage = std::floor(game_.R() * spell.spread) + spell.least;
      double heal = damage;
      b.write(b.YHP, Str(Val(b.YHP.caption) + heal));
      if (Val(b.YHP.caption) > Val(b.YMaxHP.caption)) {
        heal -= Val(b.YHP.caption) - Val(b.YMaxHP.caption);
        b.YHP.caption = b.YMaxHP.caption;
      }
      b.write(b.Attackmsg, spell.opening + name + " dealt " + Str(damage) + " damage to the " +
                               b.MName.caption + " and healed you for " + Str(heal));
      // The opponent loses the whole amount even when the character could not take it all.
      b.write(b.MHP, Str(Val(b.MHP.caption) - damage));
      break;
    }
    case Effect::Enchant:
      // Lasts for this fight: the next fight's CharLoad recomputes the defence.
      b.write(b.MaxDefence, Str(Val(b.MaxDefence.caption) + 50));
      b.write(b.Attackmsg, "Your defence was raised by 50");
      break;
    case Effect::Terror: {
      double weakening = std::floor(game_.R() * spell.spread) + spell.least;
      if (weakening > Val(b.MDamage.caption)) weakening = Val(b.MDamage.caption);
      b.write(b.MDamage, Str(Val(b.MDamage.caption) - weakening));
      b.write(b.Attackmsg, spell.opening + name + " lowered the " + b.MName.caption +
                               "'s damage by " + Str(weakening));
      break;
    }
  }
  b.HPGaugeChange();

  // The opponent does not answer a spell; it strikes again in the next attack round.
  if (Val(b.MHP.caption) < 1) b.Victory();
}

}  // namespace morvath
