// The Magic Shop of Makar: five spells and five healing potions.
#pragma once

#include <span>

#include "core/screen.h"

namespace morvath {

// A spell for sale: its button, name, the effect and point cost shown beside it, its price and
// the button on the spell screen that it enables.
struct SpellForSale {
  const char* button;
  const char* name;
  const char* shown;
  int cost;
  const char* spellButton;
};

// A potion for sale: its button, name, price and kind (the potion count N1..N5 it adds to).
struct PotionForSale {
  const char* button;
  const char* name;
  int cost;
  int kind;
};

class MagicShop : public Screen {
 public:
  explicit MagicShop(Game& game);

  // The spells (Spell1, Command1, Command2, Command5, Command3) and potions (Potion1..Potion5),
  // top to bottom. Beside each button stand "<button>Cost" and, for spells, "<button>Effect".
  static std::span<const SpellForSale> Spells();
  static std::span<const PotionForSale> Potions();

  Label& Label1;      // "Magic Shop"
  Label& lblPotions;  // the box headings
  Label& lblSpells;
  Label& lblNote;    // why potions are special
  Label& lblEffect;  // "(Damage) - Spell Points"
  Label& lblCost;    // "Cost"
  Button& Exit;      // "&Exit Magic Shop"

  // Buying: the money first, then (for spells) whether it is known already.
  void BuySpell(const SpellForSale& spell);
  void BuyPotion(const PotionForSale& potion);
  // Back to the map.
  void Exit_Click();
};

}  // namespace morvath
