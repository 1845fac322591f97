#include "town/magic_shop.h"

#include <string_view>

#include "combat/battle.h"
#include "combat/cast.h"
#include "core/game.h"
#include "core/text.h"

namespace morvath {
namespace {

constexpr SpellForSale kSpells[] = {
    {"Spell1", "Knives of Death", "(5-20) - 2", 1000, "S1"},
    {"Command1", "Earth Slide", "(20-40) - 6", 5000, "S2"},
    {"Command2", "Enchant Armor", "(+50 armor for this battle) - 25", 10000, "S3"},
    {"Command5", "Drain Health", "(Steals 50-150) - 30", 20000, "S4"},
    {"Command3", "Demonic Fireball", "(500-600) - 60", 70000, "S5"},
};

constexpr PotionForSale kPotions[] = {
    {"Potion1", "Potion of Heal (8-15)", 100, 1},  {"Potion2", "Potion of Heal (15-30)", 300, 2},
    {"Potion3", "Potion of Heal (30-60)", 700, 3}, {"Potion4", "Potion of Heal (60-120)", 3000, 4},
    {"Potion5", "Potion of Heal All", 8000, 5},
};

}  // namespace

std::span<const SpellForSale> MagicShop::Spells() {
  return kSpells;
}
std::span<const PotionForSale> MagicShop::Potions() {
  return kPotions;
}

MagicShop::MagicShop(Game& game)
    : Screen(game, ScreenId::MagicShop, "Magic Shop"),
      Label1(addLabel("Label1", "Magic Shop")),
      lblPotions(addLabel("lblPotions", "Potions")),
      lblSpells(addLabel("lblSpells", "Spells")),
      lblNote(addLabel("lblNote",
                       "Potions are special because you can use them in combat to heal your "
                       "wounds.")),
      lblEffect(addLabel("lblEffect", "(Damage) - Spell Points")),
      lblCost(addLabel("lblCost", "Cost")),
      Exit(addButton("Exit", "&Exit Magic Shop", [this] { Exit_Click(); })) {
  for (const PotionForSale& potion : kPotions) {
    addButton(potion.button, potion.name, [this, &potion] { BuyPotion(potion); });
    addLabel(std::string(potion.button) + "Cost", Str(potion.cost));
  }
  for (const SpellForSale& spell : kSpells) {
    addButton(spell.button, spell.name, [this, &spell] { BuySpell(spell); });
    addLabel(std::string(spell.button) + "Effect", spell.shown);
    addLabel(std::string(spell.button) + "Cost", Str(spell.cost));
  }
  addFileExitMenu("MFile", "MMExit");
  addMusicMenu("MOp", "musicon", "&Options");
  addInventoryMenu("MInventory");
}

void MagicShop::BuySpell(const SpellForSale& spell) {
  Character& c = game_.ch();
  const double cost = spell.cost;
  const double gold = Val(c.Gold);
  if (gold < cost) {
    game_.msg("Sorry, but you havn't the gold. Come back later.");
    return;
  }
  Button& known = game_.cast().button(spell.spellButton);
  if (known.enabled) {
    game_.msg("You already know that spell!!!");
    return;
  }
  c.Gold = Str(gold - cost);
  known.enabled = true;
  // The knives are announced a little differently from the other spells.
  const std::string learned = std::string_view(spell.name) == "Knives of Death"
                                  ? "You learned the spell "
                                  : "You learned the Spell of ";
  game_.msg(learned + spell.name + " for " + Str(cost) + " gold.");
}

void MagicShop::BuyPotion(const PotionForSale& potion) {
  Character& c = game_.ch();
  const double cost = potion.cost;
  const double gold = Val(c.Gold);
  if (cost > gold) {
    game_.msg(std::string("You don't have enough money to buy a ") + potion.name + ". It costs " +
              Str(cost) + " gold.");
    return;
  }
  // The shopkeeper hands the potion over before taking the money.
  game_.msg(std::string("You bought a ") + potion.name + " for " + Str(cost) + " gold.");
  Label& count = game_.battle().potionCount(potion.kind);
  count.caption = Str(Val(count.caption) + 1);
  c.Gold = Str(Val(c.Gold) - cost);
}

void MagicShop::Exit_Click() {
  game_.hide(ScreenId::MagicShop);
  game_.show(ScreenId::Caves);
}

}  // namespace morvath
