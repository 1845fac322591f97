// The combat screen "Combat Screen", where every fight of the game is fought: the fight's copy
// of the character, the opponent (the encounter), three message lines, two health gauges, the
// five commands and the potion panel.
#pragma once

#include <string>
#include <vector>

#include "core/screen.h"

namespace morvath {

class Battle : public Screen {
 public:
  explicit Battle(Game& game);

  // The character's side, copied in by CharLoad.
  Label& YName;
  Label& YHP;
  Label& YMaxHP;
  Label& YSP;
  Label& YMaxSP;
  Label& Strength;
  Label& Weapon;
  Label& MaxDamage;
  Label& Armor;
  Label& Shield;
  Label& MaxDefence;

  // The opponent: the encounter record written by the encounter setup.
  Label& MName;
  Label& Level;
  Label& MHP;
  Label& MMaxHP;
  Label& MDamage;
  Label& MdexA;  // caption: chance out of four shown; tag: faces of the die rolled
  Label& MdexB;
  Label& MdexC;
  Label& MGold;
  Label& MEXP;
  Label& PrevForm;    // "0".."8": the screen to return to after a win (hidden)
  Label& FromTowers;  // "True" for tower and maze-guard fights (hidden)

  // Message lines.
  Label& Attackmsg;
  Label& MMessage;
  Label& Ymessage;
  Label& Label1;  // the double-click hint

  // Potion counts N1..N5 (decimal text, "0" when none).
  Label& N1;
  Label& N2;
  Label& N3;
  Label& N4;
  Label& N5;

  // Commands.
  Button& Attack;
  Button& Flee;
  Button& Spell;
  Button& Potion;
  Button& RestoreSP;
  // The potion panel.
  Button& P1;
  Button& P2;
  Button& P3;
  Button& P4;
  Button& P5;
  Button& Command1;      // "&Cancel Operation"
  Picture& HidePotions;  // covers the potion panel while shown

  // Health gauges.
  Gauge& YHPGauge;
  Gauge& MHPGauge;

  // The monster pictures, all hidden at rest; a fight shows at most one.
  static const std::vector<std::string>& MonsterPictures();

  // Whether the opponent's level is a boss's.
  bool opponentIsBoss() const { return Level.caption == "BOSS"; }

  // Potion count label and button of kind 1..5.
  Label& potionCount(int kind);
  Button& potionButton(int kind);
  // Sets all five potion counts to the same text.
  void setPotionCounts(const std::string& count);

  // --- The fight (battle_round.cpp) ---
  // Start of a fight: hides the inventory, enables the commands, fight music, copies the
  // character in and computes the totals.
  void CharLoad();
  // Redraws both health gauges.
  void HPGaugeChange();
  // The dexterity die of MdexA, MdexB or MdexC: 1..tag, or 0 when the caption is 0.
  int roll(Label& dexterity);
  // "&Attack": one attack round.
  void Attack_Click();
  // The character's blow, its miss message, the opponent's blow.
  void YAttack();
  void Miss();
  void MAttack();
  // Hides every monster picture.
  void HidePicts();
  // The character fell in an attack round: the death box, the death music, the death screen.
  void DeathSequence();

  // --- Victory (victory.cpp) ---
  // The opponent fell: pays gold and experience, raises levels, returns, boss effects.
  void Victory();
  void LevelUp();
  void GoBack();
  void SpecialMonster();
  // The opponent's gold and experience and one more kill, paid into the record (a win or a
  // clean escape).
  void PayWinnings();

  // --- The other commands (battle_commands.cpp) ---
  void Flee_Click();
  void Potion_Click();
  void P_Click(int kind);  // P1..P5
  void Command1_Click();
  void RestoreSP_Click();
  void Spell_Click();
  // A death outside the attack round (failed escape, restore): no death music.
  void DeathWithoutMusic();

  // --- Help dialogs (combat_help.cpp) ---
  void DexDialog();

 private:
  // Registers the double-click and click handlers of the help dialogs.
  void registerHelp();
};

}  // namespace morvath
