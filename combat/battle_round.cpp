// The fight itself: loading the character, the attack round, the gauges and the death sequence.
#include <algorithm>
#include <climits>
#include <cmath>

#include "combat/battle.h"
#include "core/game.h"
#include "core/text.h"

namespace morvath {
namespace {

constexpr unsigned kDarkGreen = 0x008000;
constexpr unsigned kDarkRed = 0x800000;
constexpr unsigned kDarkBlue = 0x000080;

// Redraws one health gauge: a bar as long as the share of health left, blue when healthy, green
// in between, red when nearly dead.
void DrawGauge(Gauge& gauge, const Label& current, const Label& maximum) {
  const double h = Val(current.caption);
  const double m = Val(maximum.caption);
  gauge.drawn = false;
  gauge.boxWidth = 0;
  if (h == 0) return;
  // A damaged save can carry a maximum of 0 (or less); such a gauge stays empty rather than
  // dividing by it.
  if (m <= 0) return;
  const double ratio = h / m;
  // A health far beyond its maximum (or far below zero) would give a bar longer than any whole
  // number holds; such a bar only needs to be longer than the gauge, so it stops at the limit.
  const int w = static_cast<int>(std::clamp(
      std::floor(ratio * gauge.width), static_cast<double>(INT_MIN), static_cast<double>(INT_MAX)));
  const double p = std::floor(100 * ratio);
  if (p <= 25)
    gauge.colour = kDarkRed;
  else if (p >= 75)
    gauge.colour = kDarkBlue;
  else
    gauge.colour = kDarkGreen;
  // A negative health gives a negative width: the box is drawn but nothing of it shows.
  gauge.drawn = true;
  gauge.boxWidth = w;
}

}  // namespace

void Battle::CharLoad() {
  game_.hide(ScreenId::Inventory);
  RestoreSP.enabled = true;
  Spell.enabled = true;

  // The fight music replaces only the overworld tune; the towers and the maze keep theirs, and
  // the other overworld tunes (the tower exit's and the return's) keep playing too.
  MusicDevice& music = game_.music();
  const bool towers = FromTowers.caption == "True";
  if (game_.musicOn() && !towers && music.fileName() == game_.tunePath(tune::kOutside)) {
    game_.stopMusic();
    music.setFileName(game_.tunePath(tune::kFight));
    music.command("open");
    music.command("play");
  }
  // A tower tune that has run out starts again from the top when the next fight begins.
  if (game_.musicFinish() == "True" && towers && game_.musicOn()) {
    game_.stopMusic();
    music.command("open");
    music.command("play");
  }
  game_.musicFinish() = "";

  const Character& c = game_.ch();
  YName.caption = c.CharName;
  YHP.caption = c.HP;
  YMaxHP.caption = c.MaxHP;
  Strength.caption = c.Strength;
  Weapon.caption = c.Weapon;
  Armor.caption = c.Armor;
  Shield.caption = c.Shield;
  YSP.caption = c.SP;
  YMaxSP.caption = c.MaxSP;
  MaxDamage.caption = Str(Val(Strength.caption) + Val(Weapon.caption));
  MaxDefence.caption = Str(Val(Armor.caption) + Val(Shield.caption));
}

void Battle::HPGaugeChange() {
  DrawGauge(YHPGauge, YHP, YMaxHP);
  DrawGauge(MHPGauge, MHP, MMaxHP);
}

int Battle::roll(Label& dexterity) {
  // The die is thrown even when the caption is 0; the caption then overrules it.
  const int r = static_cast<int>(std::floor(Val(dexterity.tag) * game_.R() + 1));
  if (Val(dexterity.caption) == 0) return 0;
  return r;
}

void Battle::Attack_Click() {
  Spell.enabled = true;
  HidePotions.visible = true;

  const int r = roll(MdexA);
  const bool youFirst = Val(MdexA.caption) == 3 ? (r >= 1 && r <= 3) : r == 1;
  if (youFirst) {
    write(Attackmsg, "You attacked first");
    YAttack();
    if (Val(MHP.caption) < 1) {
      Victory();  // a dead opponent does not strike back
      return;
    }
    MAttack();
    if (Val(YHP.caption) < 1) DeathSequence();
  } else {
    write(Attackmsg, "The " + MName.caption + " attacked first");
    MAttack();
    if (Val(YHP.caption) < 1) {
      DeathSequence();
      return;
    }
    YAttack();
    if (Val(MHP.caption) < 1) Victory();
  }
}

void Battle::YAttack() {
  const int b = roll(MdexB);
  const bool missed = Val(MdexB.caption) == 3 ? b == 4 : b == 1;
  if (missed) {
    Miss();
    return;
  }
  // The opponent has no armour: the whole blow lands.
  const double d = std::floor(Val(MaxDamage.caption) * game_.R() + 1);
  write(MHP, Str(Val(MHP.caption) - d));
  HPGaugeChange();
  write(MMessage, "You dealt " + Str(d) + " damage to the " + MName.caption);
}

void Battle::Miss() {
  write(MMessage, "You missed the " + MName.caption);
}

void Battle::MAttack() {
  const int c = roll(MdexC);
  const bool missed = Val(MdexC.caption) == 3 ? c != 1 : c == 1;
  if (missed) {
    write(Ymessage, "The " + MName.caption + " missed you");
    return;
  }
  // The character's whole defence is taken off the blow; a blow can be stopped completely.
  double d = std::floor(Val(MDamage.caption) * game_.R() + 1) - Val(MaxDefence.caption);
  if (d < 0) d = 0;
  write(YHP, Str(Val(YHP.caption) - d));
  HPGaugeChange();
  write(Ymessage, "The " + MName.caption + " dealt " + Str(d) + " damage to you");
}

void Battle::HidePicts() {
  for (const std::string& name : MonsterPictures()) picture(name).visible = false;
}

void Battle::DeathSequence() {
  HidePicts();
  game_.msg("The " + MName.caption + " killed you and stripped you of all your possesions.",
            "You Died");
  game_.playTune(tune::kDeath);
  game_.show(ScreenId::Dead);
  game_.hide(ScreenId::Battle);
}

}  // namespace morvath
