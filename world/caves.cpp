#include "world/caves.h"

#include <cmath>
#include <string_view>

#include "combat/catalogue.h"
#include "core/game.h"
#include "core/text.h"

namespace morvath {
namespace {

// One cell of the map is 525 twips on the picture.
constexpr int kStep = 525;

constexpr const char* kRockWalls = "You can't climb those rock walls!!!";
constexpr const char* kMountainClimber = "Who are you? A Mountain Climber!?!";

// The letter a key stands for in the cheat codes, in the case the codes use it; empty for every
// other key (the arrows included).
std::string_view CheatLetter(int keyCode) {
  switch (keyCode) {
    case key::kA + ('M' - 'A'):
      return "M";
    case key::kA + ('O' - 'A'):
      return "o";
    case key::kA + ('R' - 'A'):
      return "r";
    case key::kA + ('E' - 'A'):
      return "e";
    case key::kA + ('L' - 'A'):
      return "L";
    case key::kA + ('T' - 'A'):
      return "T";
    case key::kA + ('S' - 'A'):
      return "S";
    case key::kA + ('A' - 'A'):
      return "A";
    case key::kA + ('G' - 'A'):
      return "G";
    default:
      return "";
  }
}

// Whether the buffer is the first one to (length - 1) letters of the code.
bool StartsCode(const std::string& buffer, std::string_view code) {
  return !buffer.empty() && buffer.size() < code.size() && code.substr(0, buffer.size()) == buffer;
}

void Add(std::string& field, double amount) {
  field = Str(Val(field) + amount);
}

}  // namespace

Caves::Caves(Game& game)
    : Screen(game, ScreenId::Caves, "Caves"),
      Picture1(addPicture("Picture1")),
      Char(addPicture("Char", true, 2760, 3840)),
      LeftX(addLabel("LeftX", "5")),
      TopY(addLabel("TopY", "2")),
      Comma1(addLabel("Comma1", ",")),
      X(addLabel("X", "", false)),
      Y(addLabel("Y", "", false)),
      Message(addLabel("Message", "")),
      Command1(addButton("Command1", "&End Game", [this] { Command1_Click(); })) {
  addFileExitMenu("MenuGame", "MenuitemQuit");
  addMusicMenu("Options", "musicon");
  addInventoryMenu("MenuInventory");
}

void Caves::Command1_Click() {
  game_.hide(ScreenId::Caves);
  game_.EndGame();
  game_.show(ScreenId::aaStartForm);
  game_.playTune(tune::kTemple);
}

void Caves::keyDown(int keyCode, int) {
  if (Ambush()) return;
  Message.caption = "";
  if (!Walk(keyCode)) return;
  PlaceRules();
  X.caption = Str(Char.left);
  Y.caption = Str(Char.top);
  CheatKey(keyCode);
}

bool Caves::Ambush() {
  // The wild begins north of the town, on row 5; the row is the one before the move.
  if (!(Val(TopY.caption) > 4)) return false;
  const char* name = nullptr;
  const char* announcement = nullptr;
  const int r = static_cast<int>(std::floor(game_.R() * 175));
  if (r == 1) {
    name = "Giant Snake";
    announcement = "You are ambushed by a Giant Snake.";
  } else if (r == 5) {
    name = "Polar Bear";
    announcement = "You are attacked by a Polar Bear.";
  } else {
    const int s = static_cast<int>(std::floor(game_.R() * 450));
    // The crazed Orc only roams once the Orc of the Cave of Minors has fallen.
    if (s == 3 && Val(game_.ch().Beat) != 0) {
      name = "Crazy Orc";
      announcement = "You are attacked by a crazed Orc.";
    } else if (s == 4) {
      name = "Chaos Creature";
      announcement = "You are put into combat with a Chaos Creature.";
    } else if (s == 6) {
      name = "Zombie";
      announcement = "You are ambushed by a Zombie.";
    }
  }
  if (!name) return false;
  game_.msg(announcement, "Ambushed!!!");
  Encounter(game_, ScreenId::Caves, name);
  return true;
}

// A step writes the hero's cell, a step refused writes its message (said again at a second
// try); the place rules only fill in the text of the cell the hero stands on, which a letter
// typed there leaves as it was.
bool Caves::Walk(int keyCode) {
  const double x = Val(LeftX.caption);
  const double y = Val(TopY.caption);
  switch (keyCode) {
    case key::kRight:
      // Only the Cave of Chaos opens the eastern rock, on row 7.
      if (LeftX.caption == "10" || y == 9 || (x == 9 && y != 7)) {
        write(Message, kRockWalls);
        return false;
      }
      write(LeftX, Str(x + 1));
      Char.left += kStep;
      return true;
    case key::kLeft:
      // The Cave of Minors opens the western rock on row 7.
      if (x == 0 || y == 9 || (x == 1 && y != 7)) {
        write(Message, kRockWalls);
        return false;
      }
      write(LeftX, Str(x - 1));
      Char.left -= kStep;
      return true;
    case key::kUp:
      // The Cave of Evil is the one way into the northern rock, above (5, 8).
      if (y == 9 || x == 0 || x == 10 || (y == 8 && x != 5)) {
        write(Message, kMountainClimber);
        return false;
      }
      write(TopY, Str(y + 1));
      Char.top -= kStep;
      return true;
    case key::kDown:
      if (y == 1 || x < 1 || x == 10) {
        write(Message, kMountainClimber);
        return false;
      }
      write(TopY, Str(y - 1));
      Char.top += kStep;
      return true;
    default:
      return true;
  }
}

void Caves::PlaceRules() {
  const double x = Val(LeftX.caption);
  const double y = Val(TopY.caption);
  auto enter = [this](ScreenId place) {
    game_.show(place);
    game_.hide(ScreenId::Caves);
  };
  if (y == 6) Message.caption = "Fading into the horizen is the town of Makar.";
  if (y == 5)
    Message.caption =
        "Ahead, there are 3 cave entrances (north-Cave of Evil, east-Cave of Chaos and "
        "west-Cave of Minors) and the town of Makar is to the south.";
  if (x == 5 && y == 2) {
    // Once the Morvath has fallen the fountain is the portal to the Under World.
    if (Val(game_.ch().Beat) > 4) {
      game_.playTune(tune::kTemple);
      enter(ScreenId::Tower1);
    } else {
      Message.caption = kFountainText;
    }
  }
  if (x == 5 && y == 3) enter(ScreenId::MagicShop);
  if (x == 3 && y == 2) enter(ScreenId::ArmorShop);
  if (x == 5 && y == 1) enter(ScreenId::Inn);
  if (x == 7 && y == 2) enter(ScreenId::WeaponShop);
  if (x == 10 && y == 7) enter(ScreenId::Cave2);
  if (x == 0 && y == 7) enter(ScreenId::Cave1);
  if (x == 5 && y == 9) enter(ScreenId::Cave3);
}

void Caves::CheatKey(int keyCode) {
  const std::string_view letter = CheatLetter(keyCode);
  // A key that is no letter of a code breaks the word being typed.
  if (letter.empty()) Letters.clear();
  Letters += letter;
  Character& c = game_.ch();
  if (Letters == kLootCode) {
    Letters.clear();
    for (std::string* field : {&c.HP, &c.MaxHP, &c.Strength, &c.Weapon, &c.Armor, &c.Shield})
      Add(*field, 10000);
    Add(c.Gold, 100000000);
    game_.msg(
        "You used cheats. You gained 10,000 more of everything (health, armor, strength, etc) "
        "exept gold. You gained 100,000,000 gold.",
        "Cheater");
    return;
  }
  if (Letters == kSpellCode) {
    Letters.clear();
    Add(c.SP, 10000);
    Add(c.MaxSP, 10000);
    game_.msg("You got + 10,000 spell points!!!", "Cheater");
    return;
  }
  // A wrong letter empties the buffer; it does not begin a new attempt.
  if (!StartsCode(Letters, kLootCode) && !StartsCode(Letters, kSpellCode)) Letters.clear();
}

}  // namespace morvath
