#include "combat/battle.h"

#include "core/game.h"

namespace morvath {

const std::vector<std::string>& Battle::MonsterPictures() {
  static const std::vector<std::string> names = {
      "Snake",           "BearBrown",  "BearPolar",  "BabyDragon",       "Orc",
      "Zombie",          "PitMonster", "Slicer",     "ChaosCreature",    "Boss2",
      "SmallSwift",      "BigSwift",   "Demon1",     "Demon2",           "Morvath",
      "RedDrag",         "FireDrag",   "ForestDrag", "MasterForestDrag", "MasterFireDrag",
      "MasterWaterDrag", "DragonLord", "KeepDead"};
  return names;
}

Battle::Battle(Game& game)
    : Screen(game, ScreenId::Battle, "Combat Screen"),
      YName(addLabel("YName", "")),
      YHP(addLabel("YHP", "")),
      YMaxHP(addLabel("YMaxHP", "")),
      YSP(addLabel("YSP", "")),
      YMaxSP(addLabel("YMaxSP", "")),
      Strength(addLabel("Strength", "")),
      Weapon(addLabel("Weapon", "")),
      MaxDamage(addLabel("MaxDamage", "")),
      Armor(addLabel("Armor", "")),
      Shield(addLabel("Shield", "")),
      MaxDefence(addLabel("MaxDefence", "")),
      MName(addLabel("MName", "")),
      Level(addLabel("Level", "")),
      MHP(addLabel("MHP", "")),
      MMaxHP(addLabel("MMaxHP", "")),
      MDamage(addLabel("MDamage", "")),
      MdexA(addLabel("MdexA", "")),
      MdexB(addLabel("MdexB", "")),
      MdexC(addLabel("MdexC", "")),
      MGold(addLabel("MGold", "")),
      MEXP(addLabel("MEXP", "")),
      PrevForm(addLabel("PrevForm", "", false)),
      FromTowers(addLabel("FromTowers", "", false)),
      Attackmsg(addLabel("Attackmsg", "")),
      MMessage(addLabel("MMessage", "")),
      Ymessage(addLabel("Ymessage", "")),
      Label1(addLabel("Label1",
                      "If you double-click on any colored words a dialog will pop up giving you "
                      "information about that topic")),
      N1(addLabel("N1", "0")),
      N2(addLabel("N2", "0")),
      N3(addLabel("N3", "0")),
      N4(addLabel("N4", "0")),
      N5(addLabel("N5", "0")),
      Attack(addButton("Attack", "&Attack", [this] { Attack_Click(); })),
      Flee(addButton("Flee", "Fl&ee", [this] { Flee_Click(); })),
      Spell(addButton("Spell", "&Cast a Spell", [this] { Spell_Click(); })),
      Potion(addButton("Potion", "&Use a Potion", [this] { Potion_Click(); })),
      RestoreSP(addButton("RestoreSP", "&Restore Spell Point", [this] { RestoreSP_Click(); })),
      P1(addButton("P1", "Potion of Heal (8-15)", [this] { P_Click(1); })),
      P2(addButton("P2", "Potion of Heal (15-30)", [this] { P_Click(2); })),
      P3(addButton("P3", "Potion of Heal (30-60)", [this] { P_Click(3); })),
      P4(addButton("P4", "Potion of Heal (60-120)", [this] { P_Click(4); })),
      P5(addButton("P5", "Potion of Heal All", [this] { P_Click(5); })),
      Command1(addButton("Command1", "&Cancel Operation", [this] { Command1_Click(); })),
      HidePotions(addPicture("HidePotions", true)),
      YHPGauge(addGauge("YHPGauge", 200, 16)),
      MHPGauge(addGauge("MHPGauge", 200, 16)) {
  // The captions beside the values; the help dialogs open on them.
  for (const char* caption :
       {"HEALTHlbl", "Slash1", "Yourhealthlbl", "Slash4", "SPELLPOINTSlbl", "Slash5", "DAMAGElbl",
        "DEXTERITYlbl", "Slash2", "Slash3", "GOLDlbl", "EXPERIENCElbl", "WINNINGSlbl",
        "STRENGTHlbl", "WEAPONlbl", "TOTALDAMAGElbl", "ARMORlbl", "SHIELDlbl", "TOTALDEFENCElbl"})
    addLabel(caption, "");
  label("HEALTHlbl").caption = "Health";
  label("Yourhealthlbl").caption = "Health";
  label("SPELLPOINTSlbl").caption = "Spell Points";
  label("DAMAGElbl").caption = "Damage";
  label("DEXTERITYlbl").caption = "Dexterity";
  label("GOLDlbl").caption = "Gold";
  label("EXPERIENCElbl").caption = "Experience";
  label("WINNINGSlbl").caption = "Winnings";
  label("STRENGTHlbl").caption = "Strength";
  label("WEAPONlbl").caption = "Weapon";
  label("TOTALDAMAGElbl").caption = "Total Damage";
  label("ARMORlbl").caption = "Armor";
  label("SHIELDlbl").caption = "Shield";
  label("TOTALDEFENCElbl").caption = "Total Defense";
  for (const char* slash : {"Slash1", "Slash4", "Slash5"}) label(slash).caption = "/";
  for (const char* dash : {"Slash2", "Slash3"}) label(dash).caption = "-";
  for (const std::string& name : MonsterPictures()) addPicture(name, false);
  addFileExitMenu("FileMenu", "ExitMenuitem");
  addMusicMenu("Options", "musicon");
  registerHelp();
}

Label& Battle::potionCount(int kind) {
  Label* counts[] = {&N1, &N2, &N3, &N4, &N5};
  return *counts[kind - 1];
}

Button& Battle::potionButton(int kind) {
  Button* buttons[] = {&P1, &P2, &P3, &P4, &P5};
  return *buttons[kind - 1];
}

void Battle::setPotionCounts(const std::string& count) {
  for (int kind = 1; kind <= 5; ++kind) potionCount(kind).caption = count;
}

}  // namespace morvath
