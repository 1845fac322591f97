// The overworld map: the walk and its rock walls, the places on the map, the fountain portal,
// the ambushes in the wild and the two cheat codes.
#include <gtest/gtest.h>

#include <set>
#include <utility>

#include "core/text.h"
#include "support/fakes.h"
#include "world/cave_screen.h"
#include "world/caves.h"

namespace morvath::test {
namespace {

constexpr int kLetterZ = key::kA + 25;
constexpr const char* kRock = "You can't climb those rock walls!!!";
constexpr const char* kClimber = "Who are you? A Mountain Climber!?!";

int Letter(char c) {
  return key::kA + (c - 'A');
}

// A random number that gives Int(R * faces) = value.
double Draw(int value, int faces) {
  return (value + 0.5) / faces;
}

// A new game on the map with nothing drawn or shown yet.
struct MapTest : ::testing::Test {
  Harness h;
  Caves& map = h.g().caves();

  MapTest() {
    h.newGame("Arden");
    h.dialogs.boxes.clear();
    h.music.log.clear();
  }
  // Puts the hero on a cell the way a walk would have left him.
  void Put(int x, int y) {
    map.LeftX.caption = Str(x);
    map.TopY.caption = Str(y);
    map.Char.left = 135 + 525 * x;
    map.Char.top = 4890 - 525 * y;
    for (ScreenId id : kAllScreens) h.g().hide(id);
    h.g().show(ScreenId::Caves);
  }
  // Presses a key in the wild without an ambush (two harmless draws).
  void Quiet(int keyCode) {
    if (Val(map.TopY.caption) > 4) h.random.push({Draw(0, 175), Draw(0, 450)});
    map.keyDown(keyCode, 0);
  }
  std::pair<int, int> Cell() const {
    return {static_cast<int>(Val(map.LeftX.caption)), static_cast<int>(Val(map.TopY.caption))};
  }
  ScreenId Shown() {
    Screen* front = h.g().front();
    return front ? front->id() : ScreenId::Inventory;
  }
};

// The cells the hero may stand on: the field inside the rock and the three cave mouths.
std::set<std::pair<int, int>> Walkable() {
  std::set<std::pair<int, int>> cells;
  for (int x = 1; x <= 9; ++x)
    for (int y = 1; y <= 8; ++y) cells.insert({x, y});
  cells.insert({0, 7});
  cells.insert({10, 7});
  cells.insert({5, 9});
  return cells;
}

TEST_F(MapTest, EveryArrowFromEveryCellMovesExactlyIntoTheWalkableSet) {
  h.g().ch().Beat = "0";
  const std::set<std::pair<int, int>> walkable = Walkable();
  struct Arrow {
    int code, dx, dy;
    const char* wall;
  };
  const Arrow arrows[] = {{key::kLeft, -1, 0, kRock},
                          {key::kRight, 1, 0, kRock},
                          {key::kUp, 0, 1, kClimber},
                          {key::kDown, 0, -1, kClimber}};
  for (const auto& [x, y] : walkable) {
    for (const Arrow& a : arrows) {
      Put(x, y);
      Quiet(a.code);
      const std::pair<int, int> target{x + a.dx, y + a.dy};
      const std::string where = "from (" + Str(x) + "," + Str(y) + ") key " + Str(a.code);
      if (walkable.count(target)) {
        EXPECT_EQ(Cell(), target) << where;
        EXPECT_EQ(map.Char.left, 135 + 525 * target.first) << where;
        EXPECT_EQ(map.Char.top, 4890 - 525 * target.second) << where;
        EXPECT_NE(map.Message.caption, a.wall) << where;
      } else {
        EXPECT_EQ(Cell(), std::make_pair(x, y)) << where;
        EXPECT_EQ(map.Char.left, 135 + 525 * x) << where;
        EXPECT_EQ(map.Char.top, 4890 - 525 * y) << where;
        EXPECT_EQ(map.Message.caption, a.wall) << where;
      }
    }
  }
  EXPECT_TRUE(h.random.numbers.empty());
  EXPECT_TRUE(h.dialogs.boxes.empty());
}

TEST_F(MapTest, CaveMouthsOpenOnlyFromTheCellInFrontOfThem) {
  Put(1, 7);
  Quiet(key::kLeft);
  EXPECT_EQ(Cell(), std::make_pair(0, 7));
  EXPECT_EQ(Shown(), ScreenId::Cave1);
  EXPECT_FALSE(map.visible);

  Put(1, 6);
  Quiet(key::kLeft);
  EXPECT_EQ(map.Message.caption, kRock);
  EXPECT_EQ(Shown(), ScreenId::Caves);

  Put(9, 7);
  Quiet(key::kRight);
  EXPECT_EQ(Shown(), ScreenId::Cave2);
  Put(9, 8);
  Quiet(key::kRight);
  EXPECT_EQ(map.Message.caption, kRock);

  Put(5, 8);
  Quiet(key::kUp);
  EXPECT_EQ(Cell(), std::make_pair(5, 9));
  EXPECT_EQ(Shown(), ScreenId::Cave3);
  Put(4, 8);
  Quiet(key::kUp);
  EXPECT_EQ(map.Message.caption, kClimber);
  EXPECT_EQ(Shown(), ScreenId::Caves);
  // Entering a cave leaves the music alone.
  EXPECT_TRUE(h.music.log.empty());
}

TEST_F(MapTest, AnyKeyOnAPlaceCellOpensThatPlaceAgain) {
  h.g().ch().Beat = "0";
  const std::pair<std::pair<int, int>, ScreenId> places[] = {
      {{5, 3}, ScreenId::MagicShop},  {{3, 2}, ScreenId::ArmorShop}, {{5, 1}, ScreenId::Inn},
      {{7, 2}, ScreenId::WeaponShop}, {{10, 7}, ScreenId::Cave2},    {{0, 7}, ScreenId::Cave1},
      {{5, 9}, ScreenId::Cave3}};
  for (const auto& [cell, place] : places) {
    for (int keyCode : {kLetterZ, key::k0 + 7, 16 /* shift */}) {
      Put(cell.first, cell.second);
      Quiet(keyCode);
      EXPECT_EQ(Shown(), place) << cell.first << "," << cell.second << " key " << keyCode;
      EXPECT_FALSE(map.visible);
      EXPECT_TRUE(h.g().screen(place).visible);
      EXPECT_EQ(Cell(), cell);
      EXPECT_EQ(map.X.caption, Str(135 + 525 * cell.first));
      EXPECT_EQ(map.Y.caption, Str(4890 - 525 * cell.second));
    }
  }
  EXPECT_TRUE(h.music.log.empty());
  EXPECT_TRUE(h.dialogs.boxes.empty());
}

TEST_F(MapTest, AnArrowFromAPlaceCellMovesFirstThenAppliesTheNewCell) {
  h.g().ch().Beat = "0";
  Put(7, 2);  // back from the weapon shop
  Quiet(key::kUp);
  EXPECT_EQ(Cell(), std::make_pair(7, 3));
  EXPECT_EQ(Shown(), ScreenId::Caves);
  EXPECT_EQ(map.Message.caption, "");
  Quiet(key::kDown);
  EXPECT_EQ(Shown(), ScreenId::WeaponShop);
  // The magic shop from the fountain, the inn from the fountain.
  Put(5, 2);
  Quiet(key::kUp);
  EXPECT_EQ(Shown(), ScreenId::MagicShop);
  Put(5, 2);
  Quiet(key::kDown);
  EXPECT_EQ(Shown(), ScreenId::Inn);
  Put(4, 2);
  Quiet(key::kLeft);
  EXPECT_EQ(Shown(), ScreenId::ArmorShop);
}

TEST_F(MapTest, RowsFiveAndSixDescribeTheWayAndOtherCellsClearTheMessage) {
  Put(3, 5);
  Quiet(key::kUp);
  EXPECT_EQ(map.Message.caption, "Fading into the horizen is the town of Makar.");
  Quiet(key::kDown);
  EXPECT_EQ(map.Message.caption,
            "Ahead, there are 3 cave entrances (north-Cave of Evil, east-Cave of Chaos and "
            "west-Cave of Minors) and the town of Makar is to the south.");
  Quiet(key::kDown);  // row 4: plain grass
  EXPECT_EQ(map.Message.caption, "");
  map.Message.caption = "old text";
  Quiet(kLetterZ);  // a non-arrow key clears it as well
  EXPECT_EQ(map.Message.caption, "");
  EXPECT_EQ(map.X.caption, "1710");
  EXPECT_EQ(map.Y.caption, "2790");
}

TEST_F(MapTest, TheFountainIsThePortalOnlyOnceTheMorvathHasFallen) {
  h.g().ch().Beat = "4";
  Put(4, 2);
  Quiet(key::kRight);
  EXPECT_EQ(Shown(), ScreenId::Caves);
  EXPECT_EQ(map.Message.caption, kFountainText);
  EXPECT_TRUE(h.music.log.empty());

  h.g().ch().Beat = "5";
  Put(4, 2);
  Quiet(key::kRight);
  EXPECT_EQ(Shown(), ScreenId::Tower1);
  EXPECT_FALSE(map.visible);
  EXPECT_EQ(map.Message.caption, "");
  EXPECT_EQ(h.music.log,
            (std::vector<std::string>{"close", "file=" + h.tune("Temple.mid"), "open", "play"}));

  // Back on the fountain with the music off: a letter key opens the tower again, silently.
  h.g().startForm().Music.caption = "off";
  h.music.log.clear();
  Put(5, 2);
  Quiet(kLetterZ);
  EXPECT_EQ(Shown(), ScreenId::Tower1);
  EXPECT_TRUE(h.music.log.empty());
}

// --- Ambushes ---------------------------------------------------------------------------------

TEST_F(MapTest, NoAmbushAndNoDrawOnRowsOneToFour) {
  for (int y = 1; y <= 4; ++y) {
    Put(2, y);
    map.keyDown(kLetterZ, 0);
    Put(8, y);
    map.keyDown(key::kUp, 0);  // the row before the move counts: 4 -> 5 draws nothing
  }
  EXPECT_EQ(h.random.draws, 0);
  EXPECT_TRUE(h.dialogs.boxes.empty());
}

TEST_F(MapTest, EachAmbushShowsItsAnnouncementAndLeavesTheHeroWhereHeWas) {
  h.g().ch().Beat = "1";
  struct Case {
    std::vector<double> draws;
    const char* text;
  };
  const Case cases[] = {
      {{Draw(1, 175)}, "You are ambushed by a Giant Snake."},
      {{Draw(5, 175)}, "You are attacked by a Polar Bear."},
      {{Draw(0, 175), Draw(3, 450)}, "You are attacked by a crazed Orc."},
      {{Draw(174, 175), Draw(4, 450)}, "You are put into combat with a Chaos Creature."},
      {{Draw(2, 175), Draw(6, 450)}, "You are ambushed by a Zombie."},
  };
  for (const Case& c : cases) {
    Put(4, 5);
    map.Message.caption = "before";
    map.X.caption = "x";
    map.Letters = "Mo";
    h.dialogs.boxes.clear();
    h.random.draws = 0;
    for (double d : c.draws) h.random.numbers.push_back(d);
    map.keyDown(key::kUp, 0);
    ASSERT_EQ(h.dialogs.boxes.size(), 1u) << c.text;
    EXPECT_EQ(h.dialogs.last().text, c.text);
    EXPECT_EQ(h.dialogs.last().title, "Ambushed!!!");
    EXPECT_EQ(h.random.draws, static_cast<int>(c.draws.size())) << c.text;
    // The key press ends with the ambush: no move, no message, no cheat letter.
    EXPECT_EQ(Cell(), std::make_pair(4, 5));
    EXPECT_EQ(map.Char.top, 4890 - 525 * 5);
    EXPECT_EQ(map.Message.caption, "before");
    EXPECT_EQ(map.X.caption, "x");
    EXPECT_EQ(map.Letters, "Mo");
  }
}

TEST_F(MapTest, DrawsThatAmbushNobodyLetTheKeyGoOn) {
  h.g().ch().Beat = "1";
  // Neighbours of the ambush numbers in both draws.
  const std::vector<std::pair<int, int>> quiet = {{0, 0},     {2, 2}, {4, 5}, {6, 7},
                                                  {174, 449}, {3, 0}, {0, 1}};
  for (const auto& [r, s] : quiet) {
    Put(4, 6);
    h.random.push({Draw(r, 175), Draw(s, 450)});
    map.keyDown(key::kDown, 0);
    EXPECT_EQ(Cell(), std::make_pair(4, 5)) << r << " " << s;
    EXPECT_TRUE(h.dialogs.boxes.empty()) << r << " " << s;
  }
  EXPECT_TRUE(h.random.numbers.empty());
  // The edges of the first draw: just below 2/175 still is the snake.
  Put(4, 6);
  h.random.push({2.0 / 175 - 1e-9});
  map.keyDown(key::kDown, 0);
  EXPECT_EQ(h.dialogs.last().text, "You are ambushed by a Giant Snake.");
}

TEST_F(MapTest, TheCrazyOrcWaitsForTheOrcToFall) {
  h.g().ch().Beat = "0";
  Put(6, 8);
  h.random.push({Draw(0, 175), Draw(3, 450)});
  map.keyDown(key::kLeft, 0);
  EXPECT_TRUE(h.dialogs.boxes.empty());
  EXPECT_EQ(Cell(), std::make_pair(5, 8));
  h.g().ch().Beat = "9";
  h.random.push({Draw(0, 175), Draw(3, 450)});
  map.keyDown(key::kLeft, 0);
  EXPECT_EQ(h.dialogs.last().text, "You are attacked by a crazed Orc.");
  EXPECT_EQ(Cell(), std::make_pair(5, 8));
}

TEST_F(MapTest, AmbushesHappenAlsoOnCaveMouthsAndBeforeBlockedMoves) {
  Put(5, 9);
  map.Message.caption = "";
  h.random.push({Draw(5, 175)});
  map.keyDown(key::kUp, 0);  // a wall, but the ambush comes first
  EXPECT_EQ(h.dialogs.last().text, "You are attacked by a Polar Bear.");
  EXPECT_EQ(map.Message.caption, "");                 // the wall message is never written
  EXPECT_FALSE(h.g().cave(ScreenId::Cave3).visible);  // nor the cave entered again
}

// --- Cheat codes ------------------------------------------------------------------------------

struct CheatTest : MapTest {
  CheatTest() {
    Character& c = h.g().ch();
    c.HP = "20";
    c.MaxHP = "25";
    c.Strength = "6";
    c.Weapon = "1";
    c.Armor = "2";
    c.Shield = "0";
    c.Gold = "30";
    c.SP = "1";
    c.MaxSP = "2";
    Put(2, 3);  // plain grass in town: no draws, no place
  }
  void Type(const std::string& letters) {
    for (char ch : letters) map.keyDown(Letter(ch), 0);
  }
  int Cheats() const {
    int n = 0;
    for (const Box& b : h.dialogs.boxes) n += b.title == "Cheater";
    return n;
  }
};

TEST_F(CheatTest, MoreLootGivesTenThousandOfEverythingAndGold) {
  Type("MORELOOT");
  EXPECT_EQ(Cheats(), 0);
  EXPECT_EQ(map.Letters, "MoreLooT");
  Type("T");
  ASSERT_EQ(Cheats(), 1);
  EXPECT_EQ(h.dialogs.last().text,
            "You used cheats. You gained 10,000 more of everything (health, armor, strength, "
            "etc) exept gold. You gained 100,000,000 gold.");
  const Character& c = h.g().ch();
  EXPECT_EQ(c.HP, "10020");
  EXPECT_EQ(c.MaxHP, "10025");
  EXPECT_EQ(c.Strength, "10006");
  EXPECT_EQ(c.Weapon, "10001");
  EXPECT_EQ(c.Armor, "10002");
  EXPECT_EQ(c.Shield, "10000");
  EXPECT_EQ(c.Gold, "100000030");
  EXPECT_EQ(c.SP, "1");
  EXPECT_EQ(map.Letters, "");
  Type("T");  // the buffer starts afresh
  EXPECT_EQ(Cheats(), 1);
}

TEST_F(CheatTest, SagaGivesSpellPoints) {
  Type("SAGA");
  ASSERT_EQ(Cheats(), 1);
  EXPECT_EQ(h.dialogs.last().text, "You got + 10,000 spell points!!!");
  EXPECT_EQ(h.g().ch().SP, "10001");
  EXPECT_EQ(h.g().ch().MaxSP, "10002");
  EXPECT_EQ(h.g().ch().Gold, "30");
}

TEST_F(CheatTest, AWrongLetterEmptiesTheBufferInsteadOfStartingAgain) {
  Type("MSAGA");  // "MS" is no beginning: the S is lost with it
  EXPECT_EQ(Cheats(), 0);
  Type("SASAGA");  // "SAS" likewise
  EXPECT_EQ(Cheats(), 0);
  Type("SAGA");
  EXPECT_EQ(Cheats(), 1);
  Type("MOREZLOOTT");  // a key that is no letter of the codes
  EXPECT_EQ(Cheats(), 1);
  map.keyDown(key::k0 + 1, 0);
  Type("SAG");
  map.keyDown(key::kShift, 0);  // any other key breaks the word, even a modifier key
  Type("A");
  EXPECT_EQ(Cheats(), 1);
}

TEST_F(CheatTest, AnArrowThatMovesBreaksTheCodeButOneAgainstAWallDoesNot) {
  Type("MORE");
  map.keyDown(key::kRight, 0);  // moves to (3, 3)
  Type("LOOTT");
  EXPECT_EQ(Cheats(), 0);
  Type("MORELOOTT");
  EXPECT_EQ(Cheats(), 1);
  EXPECT_EQ(h.g().ch().Gold, "100000030");

  Put(1, 3);
  Type("SA");
  map.keyDown(key::kLeft, 0);  // rock: the key press ends before the codes
  EXPECT_EQ(map.Message.caption, kRock);
  Type("GA");
  EXPECT_EQ(Cheats(), 2);
  EXPECT_EQ(h.g().ch().SP, "10001");
}

TEST_F(CheatTest, ShiftAndControlDoNotChangeTheLetter) {
  for (char ch : std::string("SAGA")) map.keyDown(Letter(ch), key::kShift | key::kCtrl);
  EXPECT_EQ(Cheats(), 1);
}

TEST_F(MapTest, EndGameEmptiesTheRecordAndPlaysTheTitleTune) {
  map.click("Command1");
  EXPECT_FALSE(map.visible);
  EXPECT_TRUE(h.g().startForm().visible);
  EXPECT_EQ(h.g().ch().CharName, "Arden");  // the name stays; the values go
  EXPECT_EQ(h.g().ch().HP, "");
  EXPECT_EQ(h.music.log,
            (std::vector<std::string>{"stop", "close", "close", "file=" + h.tune("Temple.mid"),
                                      "open", "play"}));
}

}  // namespace
}  // namespace morvath::test
