#include "world/upper_keep.h"

#include <cmath>
#include <string>

#include "combat/catalogue.h"
#include "core/game.h"
#include "core/text.h"

namespace morvath {
namespace {

// Where everything stands when the keep is first opened.
constexpr int kGuardColumn[4] = {4, 0, 2, 2};
constexpr int kGuardRow[4] = {2, 2, 3, 1};
constexpr int kGuardLeft[4] = {2520, 480, 1440, 1440};
constexpr int kGuardTop[4] = {1200, 1200, 720, 1680};
constexpr int kHeroLeft = 480;
constexpr int kHeroTop = 120;

// The hero's picture moves 525 twips sideways and 535 up or down; a guard's 535 either way.
constexpr int kHeroSideStep = 525;
constexpr int kHeroUpDownStep = 535;
constexpr int kGuardStep = 535;

// Walls between (x, y) and (x + 1, y), by the left cell.
constexpr int kSideWalls[][2] = {{0, 1}, {0, 3}, {3, 1}, {3, 3}, {1, 2}, {2, 2}};
// Walls between (x, y) and (x, y + 1), by the lower cell.
constexpr int kFloorWalls[][2] = {{1, 3}, {2, 3}, {3, 3}, {1, 0}, {2, 0}, {3, 0}};
// The centre's doors above and below, which only the hero may pass.
constexpr int kGuardOnlyFloors[][2] = {{2, 1}, {2, 2}};

template <std::size_t N>
bool Listed(const int (&walls)[N][2], int x, int y) {
  for (const auto& w : walls)
    if (w[0] == x && w[1] == y) return true;
  return false;
}

int Cell(const Label& label) {
  return static_cast<int>(Val(label.caption));
}

}  // namespace

UpperKeep::UpperKeep(Game& game)
    : Screen(game, ScreenId::UpperKeep, " Keep of the Morvath"),
      Picture1(addPicture("Picture1")),
      X(addLabel("X", "0")),
      Label1(addLabel("Label1", ",")),
      Y(addLabel("Y", "4")),
      Xloc{&addLabel("Xloc0", "4", false), &addLabel("Xloc1", "0", false),
           &addLabel("Xloc2", "2", false), &addLabel("Xloc3", "2", false)},
      Yloc{&addLabel("Yloc0", "2", false), &addLabel("Yloc1", "2", false),
           &addLabel("Yloc2", "3", false), &addLabel("Yloc3", "1", false)},
      // The four guards' pictures; a hidden one is a guard that has been beaten.
      Demon{&addPicture("Demon0", true, kGuardLeft[0], kGuardTop[0]),
            &addPicture("Demon1", true, kGuardLeft[1], kGuardTop[1]),
            &addPicture("Demon2", true, kGuardLeft[2], kGuardTop[2]),
            &addPicture("Demon3", true, kGuardLeft[3], kGuardTop[3])},
      Char(addPicture("Char", true, kHeroLeft, kHeroTop)),
      Message(addLabel("Message", kStartMessage)),
      Command11(addButton("Command11", "&Go to the Cave of Evil", [this] { Command11_Click(); })) {
  addFileExitMenu("MFile", "MMExit");
  addInventoryMenu("MInventory");
}

bool UpperKeep::CanMove(int x, int y, int arrowKey, bool guard) {
  switch (arrowKey) {
    case key::kLeft:
      return x > 0 && !Listed(kSideWalls, x - 1, y);
    case key::kRight:
      return x < kSize - 1 && !Listed(kSideWalls, x, y);
    case key::kUp:
      return y < kSize - 1 && !Listed(kFloorWalls, x, y) &&
             !(guard && Listed(kGuardOnlyFloors, x, y));
    case key::kDown:
      return y > 0 && !Listed(kFloorWalls, x, y - 1) &&
             !(guard && Listed(kGuardOnlyFloors, x, y - 1));
    default:
      return false;
  }
}

void UpperKeep::keyDown(int keyCode, int) {
  Message.caption = "";
  if (keyCode >= key::kLeft && keyCode <= key::kDown) {
    const int x = Cell(X);
    const int y = Cell(Y);
    if (!CanMove(x, y, keyCode, false)) {
      write(Message, kWallMessage);  // said again at every try
      return;
    }
    switch (keyCode) {
      case key::kLeft:
        Char.left -= kHeroSideStep;
        write(X, Str(x - 1));
        break;
      case key::kRight:
        write(X, Str(x + 1));
        Char.left += kHeroSideStep;
        break;
      case key::kUp:
        Char.top -= kHeroUpDownStep;
        write(Y, Str(y + 1));
        break;
      default:
        Char.top += kHeroUpDownStep;
        write(Y, Str(y - 1));
        break;
    }
  }
  if (Val(X.caption) == 2 && Val(Y.caption) == 2) {
    // The Morvath's fight returns to the Cave of Evil; the keep is closed behind the hero.
    Encounter(game_, ScreenId::UpperKeep, "Morvath");
    CloseMaze();
  }
  InContact();
}

void UpperKeep::timerTick() {
  // The guards only walk while the player can see them: never behind the combat screen, the
  // death screen or any other place.
  if (!visible || game_.front() != this) return;
  for (int i = 0; i < 4; ++i) MoveMonster(i);
  InContact();
}

void UpperKeep::MoveMonster(int index) {
  static constexpr int kDirections[4] = {key::kLeft, key::kRight, key::kUp, key::kDown};
  Label& column = *Xloc[index];
  Label& row = *Yloc[index];
  Picture& picture = *Demon[index];
  const int x = Cell(column);
  const int y = Cell(row);
  // Draw again until the guard finds an open side; every cell a guard can reach has one.
  int direction = 0;
  do {
    direction = kDirections[static_cast<int>(std::floor(game_.R() * 4))];
  } while (!CanMove(x, y, direction, true));
  switch (direction) {
    case key::kLeft:
      column.caption = Str(x - 1);
      picture.left -= kGuardStep;
      break;
    case key::kRight:
      column.caption = Str(x + 1);
      picture.left += kGuardStep;
      break;
    case key::kUp:
      row.caption = Str(y + 1);
      picture.top -= kGuardStep;
      break;
    default:
      row.caption = Str(y - 1);
      picture.top += kGuardStep;
      break;
  }
}

void UpperKeep::InContact() {
  // Every standing guard on the hero's cell sets up its fight; the loop does not stop, so the
  // highest-numbered guard's fight is the one that stands.
  for (int i = 0; i < 4; ++i) {
    if (Y.caption == Yloc[i]->caption && X.caption == Xloc[i]->caption && Demon[i]->visible)
      Encounter(game_, ScreenId::UpperKeep, "Demon Guard " + Str(i + 1));
  }
}

void UpperKeep::Command11_Click() {
  // The music of the keep goes on in the Cave of Evil.
  game_.show(ScreenId::Cave3);
  CloseMaze();
}

void UpperKeep::CloseMaze() {
  // The keep is never rebuilt: this screen object stays for the whole run, and closing it
  // hides it and puts every control back to its opening values, so the next visit finds the
  // hero in the top-left corner and all four guards standing again.
  visible = false;
  X.caption = "0";
  Y.caption = "4";
  for (int i = 0; i < 4; ++i) {
    Xloc[i]->caption = Str(kGuardColumn[i]);
    Yloc[i]->caption = Str(kGuardRow[i]);
    Demon[i]->visible = true;
    Demon[i]->left = kGuardLeft[i];
    Demon[i]->top = kGuardTop[i];
  }
  Char.left = kHeroLeft;
  Char.top = kHeroTop;
  Message.caption = kStartMessage;
}

}  // namespace morvath
