// The weapon, armor and magic shops of Makar: every item bought at exactly its price, the
// refusals and their order, the recorded names, spells and potions.
#include <gtest/gtest.h>

#include "combat/battle.h"
#include "combat/cast.h"
#include "core/inventory.h"
#include "core/text.h"
#include "town/armor_shop.h"
#include "town/magic_shop.h"
#include "town/weapon_shop.h"
#include "town_rig.h"
#include "world/caves.h"

namespace morvath::test {
namespace {

struct SlotCase {
  EquipmentSlot slot;
  ScreenId shop;
};

constexpr SlotCase kSlots[] = {{EquipmentSlot::Weapon, ScreenId::WeaponShop},
                               {EquipmentSlot::Armor, ScreenId::ArmorShop},
                               {EquipmentSlot::Shield, ScreenId::ArmorShop}};

TEST(EquipmentShops, EveryItemSellsAtExactlyItsPriceAndNotAGoldPieceLess) {
  for (const SlotCase& sc : kSlots) {
    for (const EquipmentItem& item : ItemsFor(sc.slot)) {
      SCOPED_TRACE(item.button);
      Harness h;
      h.newGame();
      Character& c = h.g().ch();
      Screen& shop = h.g().screen(sc.shop);
      h.dialogs.boxes.clear();

      c.Gold = Str(item.cost - 1);
      const Character before = c;
      shop.click(item.button);
      EXPECT_EQ(c, before);
      EXPECT_EQ(h.dialogs.last().text,
                "You do not have enough money. You only have " + Str(item.cost - 1) + " gold.");
      EXPECT_EQ(h.dialogs.last().title, "");

      c.Gold = Str(item.cost);
      shop.click(item.button);
      EXPECT_EQ(c.Gold, "0");
      EXPECT_EQ(SlotName(c, sc.slot), item.recorded);
      EXPECT_EQ(SlotValue(c, sc.slot), Str(item.value));
      EXPECT_EQ(h.dialogs.last().text,
                std::string("You bought a ") + item.recorded + " for " + Str(item.cost) + " gold.");
      EXPECT_EQ(h.dialogs.last().title, kGameTitle);
      EXPECT_EQ(h.dialogs.boxes.size(), 2u);
    }
  }
}

TEST(EquipmentShops, ScreensListTheItemsInOrderWithValueAndCostBeside) {
  Harness h;
  auto check = [](Screen& shop, EquipmentSlot slot, const std::string& prefix) {
    int row = 0;
    double lastCost = 0;
    for (const EquipmentItem& item : ItemsFor(slot)) {
      ++row;
      EXPECT_EQ(item.button, prefix + std::to_string(row));
      EXPECT_EQ(shop.button(item.button).caption, item.caption);
      EXPECT_EQ(shop.label(std::string(item.button) + "Value").caption, Str(item.value));
      EXPECT_EQ(shop.label(std::string(item.button) + "Cost").caption, Str(item.cost));
      EXPECT_GT(item.cost, lastCost) << "the price list runs from cheap to dear";
      lastCost = item.cost;
    }
    return row;
  };
  WeaponShop& weapons = h.g().weaponShop();
  EXPECT_EQ(check(weapons, EquipmentSlot::Weapon, "Weapon"), 12);
  EXPECT_EQ(weapons.title(), "Weapon Shop");
  EXPECT_EQ(weapons.Label1.caption, "Weapon Shop");
  EXPECT_EQ(weapons.lblValue.caption, "Damage");
  EXPECT_EQ(weapons.lblCost.caption, "Cost");
  EXPECT_EQ(weapons.Exit.caption, "&Exit Weapon Shop");
  ArmorShop& armor = h.g().armorShop();
  EXPECT_EQ(check(armor, EquipmentSlot::Armor, "Armor"), 11);
  EXPECT_EQ(check(armor, EquipmentSlot::Shield, "Shield"), 5);
  EXPECT_EQ(armor.lblValue.caption, "Defence");
  EXPECT_EQ(armor.Exit.caption, "&Exit Armor Shop");
}

TEST(EquipmentShops, SomeNamesAreRecordedDifferentlyFromTheirCaptions) {
  Harness h;
  h.newGame();
  Character& c = h.g().ch();
  c.Gold = "100000";
  h.g().weaponShop().click("Weapon7");
  EXPECT_EQ(c.WeaponN, "Broad");
  h.g().weaponShop().click("Weapon9");
  EXPECT_EQ(c.WeaponN, "Broadsword");
  EXPECT_EQ(h.dialogs.last().text, "You bought a Broadsword for 9000 gold.");
  h.g().armorShop().click("Armor7");
  EXPECT_EQ(c.ArmorN, "Whole Plate");
  EXPECT_EQ(c.Gold, Str(100000 - 3000 - 9000 - 1000));
}

TEST(WeaponShop, ANewHeroBuysTheDaggerAndCannotBuyItTwice) {
  Harness h;
  h.newGame();
  Character& c = h.g().ch();
  h.g().weaponShop().click("Weapon1");
  EXPECT_EQ(c.Gold, "25");
  EXPECT_EQ(c.Weapon, "3");
  EXPECT_EQ(c.WeaponN, "Dagger");
  EXPECT_EQ(h.dialogs.last().text, "You bought a Dagger for 75 gold.");
  c.Gold = "500";
  h.g().weaponShop().click("Weapon1");
  EXPECT_EQ(h.dialogs.last().text, "You already own this weapon.");
  EXPECT_EQ(h.dialogs.last().title, "");
  EXPECT_EQ(c.Gold, "500");
}

TEST(EquipmentShops, OwnershipIsJudgedByValueAndWeakerItemsAreRefused) {
  struct Case {
    ScreenId shop;
    const char* owned;
    const char* pressed;
    const char* text;
  };
  const Case cases[] = {
      // The Short Sword costs more than the Large Knife but bites less.
      {ScreenId::WeaponShop, "Weapon2", "Weapon3", "Why would you want a weaker weapon?"},
      {ScreenId::WeaponShop, "Weapon12", "Weapon1", "Why would you want a weaker weapon?"},
      {ScreenId::ArmorShop, "Armor4", "Armor1", "Why would you want a weaker armor?"},
      {ScreenId::ArmorShop, "Armor4", "Armor4", "You already own this armor."},
      {ScreenId::ArmorShop, "Shield3", "Shield2", "Why would you want a weaker shield?"},
      {ScreenId::ArmorShop, "Shield3", "Shield3", "You already own this shield."},
  };
  for (const Case& tc : cases) {
    SCOPED_TRACE(std::string(tc.owned) + " then " + tc.pressed);
    Harness h;
    h.newGame();
    Character& c = h.g().ch();
    c.Gold = "100000";
    h.g().screen(tc.shop).click(tc.owned);
    const Character owned = c;
    h.g().screen(tc.shop).click(tc.pressed);
    EXPECT_EQ(c, owned);
    EXPECT_EQ(h.dialogs.last().text, tc.text);
    EXPECT_EQ(h.dialogs.last().title, "");
  }
}

TEST(EquipmentShops, AnyPieceOfTheSameValueCountsAsOwnedWhateverItsName) {
  Harness h;
  h.newGame();
  Character& c = h.g().ch();
  c.Weapon = "3";  // a stick as strong as a dagger
  h.g().weaponShop().click("Weapon1");
  EXPECT_EQ(h.dialogs.last().text, "You already own this weapon.");
  EXPECT_EQ(c.WeaponN, "Stick");
  EXPECT_EQ(c.Gold, "100");
}

TEST(EquipmentShops, TheMoneyIsToldBeforeOwnershipOrWeakness) {
  Harness h;
  h.newGame();
  Character& c = h.g().ch();
  h.g().weaponShop().click("Weapon1");  // the Dagger, 25 gold left
  c.Gold = "60";
  h.g().weaponShop().click("Weapon1");  // owned
  EXPECT_EQ(h.dialogs.last().text, "You do not have enough money. You only have 60 gold.");
  h.g().weaponShop().click("Weapon4");  // the Axe
  EXPECT_EQ(h.dialogs.last().text, "You do not have enough money. You only have 60 gold.");
  c.Gold = "100";
  c.Weapon = "10";
  h.g().weaponShop().click("Weapon3");  // weaker and too dear: the money is named
  EXPECT_EQ(h.dialogs.last().text, "You do not have enough money. You only have 100 gold.");
  EXPECT_EQ(c.Weapon, "10");
}

TEST(ArmorShop, TheFirstShieldReplacesTheEmptyName) {
  Harness h;
  h.newGame();
  Character& c = h.g().ch();
  EXPECT_EQ(c.ShieldN, "");
  h.g().armorShop().click("Shield1");
  EXPECT_EQ(c.ShieldN, "Stone Shield");
  EXPECT_EQ(c.Shield, "4");
  EXPECT_EQ(c.Gold, "75");
  EXPECT_EQ(c.Armor, "2");  // the armor is left alone
}

TEST(WeaponShop, ItsInventoryMenuAddsUpTheTotalsTheArmorShopsDoesNot) {
  Harness h;
  h.newGame();
  Character& c = h.g().ch();
  h.g().weaponShop().click("Weapon1");
  h.g().armorShop().click("MenuInventory");
  EXPECT_TRUE(h.g().inventory().visible);
  EXPECT_EQ(c.MaxDamage, "");
  EXPECT_EQ(c.MaxDefence, "");
  h.g().inventory().visible = false;
  h.g().weaponShop().click("MenuInven");
  EXPECT_TRUE(h.g().inventory().visible);
  EXPECT_EQ(c.MaxDamage, "9");
  EXPECT_EQ(c.MaxDefence, "2");
  c.Shield = "2.5";
  c.Strength = "7";
  h.g().weaponShop().click("MenuInven");
  EXPECT_EQ(c.MaxDefence, "4.5");
  EXPECT_EQ(c.MaxDamage, "10");
}

TEST(Shops, ExitsLeadBackToTheMap) {
  for (ScreenId id : {ScreenId::WeaponShop, ScreenId::ArmorShop, ScreenId::MagicShop}) {
    Harness h;
    h.newGame();
    h.g().hide(ScreenId::Caves);
    h.g().show(id);
    h.g().screen(id).click("Exit");
    EXPECT_TRUE(h.g().caves().visible);
    EXPECT_FALSE(h.g().screen(id).visible);
    EXPECT_EQ(h.g().front(), &h.g().caves());
  }
}

// --- The magic shop ---------------------------------------------------------------------------

TEST(MagicShop, EverySpellIsLearnedOnceAtExactlyItsPrice) {
  for (const SpellForSale& spell : MagicShop::Spells()) {
    SCOPED_TRACE(spell.name);
    Harness h;
    h.newGame();
    Character& c = h.g().ch();
    Button& known = h.g().cast().button(spell.spellButton);
    c.Gold = Str(spell.cost - 1);
    h.g().magicShop().click(spell.button);
    EXPECT_EQ(h.dialogs.last().text, "Sorry, but you havn't the gold. Come back later.");
    EXPECT_EQ(h.dialogs.last().title, kGameTitle);
    EXPECT_FALSE(known.enabled);

    c.Gold = Str(spell.cost);
    h.g().magicShop().click(spell.button);
    EXPECT_TRUE(known.enabled);
    EXPECT_EQ(c.Gold, "0");
    const std::string opening = std::string(spell.name) == "Knives of Death"
                                    ? "You learned the spell "
                                    : "You learned the Spell of ";
    EXPECT_EQ(h.dialogs.last().text, opening + spell.name + " for " + Str(spell.cost) + " gold.");
    EXPECT_EQ(h.dialogs.last().title, kGameTitle);
    // Only this spell was learned.
    int enabled = 0;
    for (const char* name : Cast::kSpellButtons) enabled += h.g().cast().button(name).enabled;
    EXPECT_EQ(enabled, 1);
  }
}

TEST(MagicShop, SpellsAreSoldForTheirSlots) {
  Harness h;
  h.newGame();
  h.g().ch().Gold = "1000000";
  h.dialogs.boxes.clear();
  const char* expected[][2] = {{"Spell1", "S1"},
                               {"Command1", "S2"},
                               {"Command2", "S3"},
                               {"Command5", "S4"},
                               {"Command3", "S5"}};
  for (auto [button, slot] : expected) {
    h.g().magicShop().click(button);
    EXPECT_TRUE(h.g().cast().button(slot).enabled) << button;
  }
  EXPECT_EQ(h.dialogs.texts()[0], "You learned the spell Knives of Death for 1000 gold.");
  EXPECT_EQ(h.dialogs.texts()[4], "You learned the Spell of Demonic Fireball for 70000 gold.");
  EXPECT_EQ(h.g().ch().Gold, Str(1000000 - 1000 - 5000 - 10000 - 20000 - 70000));
  for (const char* name : {"SL1", "SL2", "SL3", "SL4", "SL5"})
    EXPECT_FALSE(h.g().cast().button(name).enabled);
}

TEST(MagicShop, AKnownSpellCostsNothingButTheMoneyIsToldFirst) {
  Harness h;
  h.newGame();
  Character& c = h.g().ch();
  c.Gold = "5000";
  h.g().magicShop().click("Spell1");
  h.g().magicShop().click("Spell1");
  EXPECT_EQ(h.dialogs.last().text, "You already know that spell!!!");
  EXPECT_EQ(h.dialogs.last().title, kGameTitle);
  EXPECT_EQ(c.Gold, "4000");
  c.Gold = "999";
  h.g().magicShop().click("Spell1");
  EXPECT_EQ(h.dialogs.last().text, "Sorry, but you havn't the gold. Come back later.");
  EXPECT_TRUE(h.g().cast().button("S1").enabled);
  EXPECT_EQ(c.Gold, "999");
}

TEST(MagicShop, ANewHeroAffordsExactlyOneSmallPotion) {
  Harness h;
  h.newGame();
  h.g().magicShop().click("Potion1");
  EXPECT_EQ(h.g().ch().Gold, "0");
  EXPECT_EQ(h.g().battle().N1.caption, "1");
  EXPECT_EQ(h.dialogs.last().text, "You bought a Potion of Heal (8-15) for 100 gold.");
  h.g().magicShop().click("Potion1");
  EXPECT_EQ(h.dialogs.last().text,
            "You don't have enough money to buy a Potion of Heal (8-15). It costs 100 gold.");
  EXPECT_EQ(h.dialogs.last().title, kGameTitle);
  EXPECT_EQ(h.g().battle().N1.caption, "1");
}

TEST(MagicShop, EveryPotionAddsOneToItsOwnKindWithoutACap) {
  for (const PotionForSale& potion : MagicShop::Potions()) {
    SCOPED_TRACE(potion.name);
    Harness h;
    h.newGame();
    Character& c = h.g().ch();
    c.Gold = Str(potion.cost * 25.0);
    for (int i = 0; i < 25; ++i) h.g().magicShop().click(potion.button);
    EXPECT_EQ(c.Gold, "0");
    for (int kind = 1; kind <= 5; ++kind)
      EXPECT_EQ(h.g().battle().potionCount(kind).caption, kind == potion.kind ? "25" : "0");
    EXPECT_EQ(h.dialogs.last().text,
              std::string("You bought a ") + potion.name + " for " + Str(potion.cost) + " gold.");
    EXPECT_EQ(h.g().magicShop().label(std::string(potion.button) + "Cost").caption,
              Str(potion.cost));
  }
}

TEST(MagicShop, ThePotionIsAnnouncedBeforeItIsPaidFor) {
  Rig r;
  r.newGame();
  std::string goldAtBox, countAtBox;
  r.dialogs.onMessage = [&](const std::string&) {
    goldAtBox = r.g().ch().Gold;
    countAtBox = r.g().battle().N2.caption;
  };
  r.g().ch().Gold = "300";
  r.g().magicShop().click("Potion2");
  EXPECT_EQ(goldAtBox, "300");
  EXPECT_EQ(countAtBox, "0");
  EXPECT_EQ(r.g().ch().Gold, "0");
  EXPECT_EQ(r.g().battle().N2.caption, "1");
}

}  // namespace
}  // namespace morvath::test
