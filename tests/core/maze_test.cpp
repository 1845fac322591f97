// The Upper Keep: the hero's walk through the maze, the guards' random steps, the guard clock,
// and when the maze goes back to the way it first looks.
#include <gtest/gtest-spi.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <random>
#include <set>
#include <utility>

#include "core/inventory.h"
#include "core/save_slots.h"
#include "core/text.h"
#include "support/fakes.h"
#include "world/cave_screen.h"
#include "world/upper_keep.h"

namespace morvath::test {
namespace {

using CellPair = std::pair<std::pair<int, int>, std::pair<int, int>>;

// The walls of the maze as pairs of cells, the lower or left cell first.
const std::set<CellPair> kWalls = {{{0, 1}, {1, 1}}, {{0, 3}, {1, 3}}, {{3, 1}, {4, 1}},
                                   {{3, 3}, {4, 3}}, {{1, 2}, {2, 2}}, {{2, 2}, {3, 2}},
                                   {{1, 3}, {1, 4}}, {{2, 3}, {2, 4}}, {{3, 3}, {3, 4}},
                                   {{1, 0}, {1, 1}}, {{2, 0}, {2, 1}}, {{3, 0}, {3, 1}}};
// The centre's doors, closed to the guards only.
const std::set<CellPair> kGuardWalls = {{{2, 1}, {2, 2}}, {{2, 2}, {2, 3}}};

struct Arrow {
  int code, dx, dy;
};
constexpr Arrow kArrows[] = {
    {key::kLeft, -1, 0}, {key::kRight, 1, 0}, {key::kUp, 0, 1}, {key::kDown, 0, -1}};

// The draw that makes a guard try a direction (1 left, 2 right, 3 up, 4 down).
double Try(int arrowKey) {
  const int d = arrowKey == key::kLeft    ? 1
                : arrowKey == key::kRight ? 2
                : arrowKey == key::kUp    ? 3
                                          : 4;
  return (d - 1 + 0.5) / 4;
}

bool Open(int x, int y, const Arrow& a, bool guard) {
  const int tx = x + a.dx, ty = y + a.dy;
  if (tx < 0 || tx > 4 || ty < 0 || ty > 4) return false;
  const CellPair edge = std::minmax(std::make_pair(x, y), std::make_pair(tx, ty));
  if (kWalls.count(edge)) return false;
  return !(guard && kGuardWalls.count(edge));
}

struct MazeTest : ::testing::Test {
  Harness h;
  UpperKeep& maze = h.g().upperKeep();

  MazeTest() {
    h.newGame("Arden");
    h.g().ch().Beat = "4";
    for (ScreenId s : kAllScreens) h.g().hide(s);
    h.g().show(ScreenId::UpperKeep);
    h.dialogs.boxes.clear();
    h.music.log.clear();
  }
  std::pair<int, int> Hero() {
    return {static_cast<int>(Val(maze.X.caption)), static_cast<int>(Val(maze.Y.caption))};
  }
  std::pair<int, int> Guard(int i) {
    return {static_cast<int>(Val(maze.Xloc[i]->caption)),
            static_cast<int>(Val(maze.Yloc[i]->caption))};
  }
  void PutHero(int x, int y) {
    maze.X.caption = Str(x);
    maze.Y.caption = Str(y);
  }
  void PutGuard(int i, int x, int y) {
    maze.Xloc[i]->caption = Str(x);
    maze.Yloc[i]->caption = Str(y);
  }
  // Everything the maze keeps, as text, to compare whole states.
  std::string State() {
    std::string s = maze.X.caption + "," + maze.Y.caption + " " + Str(maze.Char.left) + "/" +
                    Str(maze.Char.top) + " [" + maze.Message.caption + "]";
    for (int i = 0; i < 4; ++i)
      s += " g" + Str(i + 1) + "=" + maze.Xloc[i]->caption + "," + maze.Yloc[i]->caption + "@" +
           Str(maze.Demon[i]->left) + "/" + Str(maze.Demon[i]->top) +
           (maze.Demon[i]->visible ? "" : "(beaten)");
    return s;
  }
};

const std::string kStartState =
    "0,4 480/120 [           Watch out for the guards!!!             Use the arrow keys to move "
    "around] g1=4,2@2520/1200 g2=0,2@480/1200 g3=2,3@1440/720 g4=2,1@1440/1680";

TEST_F(MazeTest, OpensWithTheStartLayout) {
  EXPECT_EQ(State(), kStartState);
  EXPECT_EQ(maze.title(), " Keep of the Morvath");
  EXPECT_EQ(maze.Label1.caption, ",");
  EXPECT_EQ(maze.Command11.caption, "&Go to the Cave of Evil");
  EXPECT_EQ(maze.timerInterval(), 250);
  EXPECT_TRUE(maze.readsKeys());
  EXPECT_TRUE(maze.musicItem().empty());
  EXPECT_FALSE(maze.Xloc[0]->visible);
  EXPECT_FALSE(maze.Yloc[3]->visible);
}

TEST_F(MazeTest, FromTheStartLeftAndUpHitWallsAndDownMoves) {
  maze.keyDown(key::kLeft, 0);
  EXPECT_EQ(maze.Message.caption, "There is a wall blocking your way");
  EXPECT_EQ(Hero(), std::make_pair(0, 4));
  maze.keyDown(key::kUp, 0);
  EXPECT_EQ(maze.Message.caption, "There is a wall blocking your way");
  EXPECT_EQ(maze.Char.top, 120);
  maze.keyDown(key::kDown, 0);
  EXPECT_EQ(Hero(), std::make_pair(0, 3));
  EXPECT_EQ(maze.Char.top, 655);
  EXPECT_EQ(maze.Message.caption, "");
  maze.keyDown(key::kRight, 0);  // (0,3)-(1,3) is a wall
  EXPECT_EQ(Hero(), std::make_pair(0, 3));
  maze.keyDown(key::kDown, 0);
  maze.keyDown(key::kRight, 0);
  EXPECT_EQ(Hero(), std::make_pair(1, 2));
  EXPECT_EQ(maze.Char.left, 1005);
  EXPECT_EQ(maze.Char.top, 1190);
  EXPECT_EQ(h.random.draws, 0);
}

TEST_F(MazeTest, TheHerosWallsAtEveryCellAndSide) {
  for (int x = 0; x < 5; ++x)
    for (int y = 0; y < 5; ++y) {
      if (x == 2 && y == 2) continue;
      for (const Arrow& a : kArrows) {
        for (Picture* d : maze.Demon) d->visible = false;  // no guard fights here
        h.g().show(ScreenId::UpperKeep);
        PutHero(x, y);
        maze.Char.left = 1000;
        maze.Char.top = 1000;
        maze.keyDown(a.code, 0);
        const std::string where = Str(x) + "," + Str(y) + " key " + Str(a.code);
        if (!Open(x, y, a, false)) {
          EXPECT_EQ(Hero(), std::make_pair(x, y)) << where;
          EXPECT_EQ(maze.Message.caption, "There is a wall blocking your way") << where;
          EXPECT_EQ(maze.Char.left, 1000) << where;
          EXPECT_EQ(maze.Char.top, 1000) << where;
        } else if (x + a.dx == 2 && y + a.dy == 2) {
          // Into the Morvath's hall: the fight starts and the maze is closed behind the hero.
          EXPECT_EQ(State(), kStartState) << where;
          EXPECT_FALSE(maze.visible) << where;
        } else {
          EXPECT_EQ(Hero(), std::make_pair(x + a.dx, y + a.dy)) << where;
          EXPECT_EQ(maze.Message.caption, "") << where;
          EXPECT_EQ(maze.Char.left, 1000 + 525 * a.dx) << where;
          EXPECT_EQ(maze.Char.top, 1000 - 535 * a.dy) << where;
        }
      }
    }
  EXPECT_EQ(h.random.draws, 0);
}

TEST_F(MazeTest, TheCentreOpensFromAboveAndBelowOnly) {
  for (auto [from, arrow] : {std::make_pair(std::make_pair(2, 3), key::kDown),
                             std::make_pair(std::make_pair(2, 1), key::kUp)}) {
    h.g().show(ScreenId::UpperKeep);
    maze.Demon[1]->visible = false;
    PutGuard(0, 3, 0);
    PutHero(from.first, from.second);
    maze.keyDown(arrow, 0);
    EXPECT_EQ(State(), kStartState);  // back to the start: all four guards stand again
    EXPECT_FALSE(maze.visible);
  }
  for (auto [from, arrow] : {std::make_pair(std::make_pair(1, 2), key::kRight),
                             std::make_pair(std::make_pair(3, 2), key::kLeft)}) {
    h.g().show(ScreenId::UpperKeep);
    PutHero(from.first, from.second);
    maze.keyDown(arrow, 0);
    EXPECT_EQ(Hero(), from);
    EXPECT_EQ(maze.Message.caption, "There is a wall blocking your way");
    EXPECT_TRUE(maze.visible);
  }
}

TEST_F(MazeTest, AGuardTriesDirectionsUntilOneIsOpenAtEveryCell) {
  for (int x = 0; x < 5; ++x)
    for (int y = 0; y < 5; ++y) {
      if (x == 2 && y == 2) continue;  // no guard ever stands there
      for (const Arrow& first : kArrows) {
        PutGuard(2, x, y);
        maze.Demon[2]->left = 2000;
        maze.Demon[2]->top = 2000;
        h.random.numbers.clear();
        h.random.draws = 0;
        h.random.numbers.push_back(Try(first.code));
        for (const Arrow& a : kArrows) h.random.numbers.push_back(Try(a.code));
        maze.MoveMonster(2);
        // The first draw if it is open, else the first open one of the fall-back draws.
        const Arrow* taken = Open(x, y, first, true) ? &first : nullptr;
        int expectedDraws = 1;
        for (const Arrow& a : kArrows) {
          if (taken) break;
          ++expectedDraws;
          if (Open(x, y, a, true)) taken = &a;
        }
        const std::string where = Str(x) + "," + Str(y) + " first " + Str(first.code);
        ASSERT_NE(taken, nullptr) << where;
        EXPECT_EQ(h.random.draws, expectedDraws) << where;
        EXPECT_EQ(Guard(2), std::make_pair(x + taken->dx, y + taken->dy)) << where;
        EXPECT_EQ(maze.Demon[2]->left, 2000 + 535 * taken->dx) << where;
        EXPECT_EQ(maze.Demon[2]->top, 2000 - 535 * taken->dy) << where;
      }
    }
  h.random.numbers.clear();
}

TEST_F(MazeTest, AGuardBelowOrAboveTheCentreNeverStepsIntoIt) {
  PutGuard(3, 2, 1);
  h.random.push({Try(key::kUp), Try(key::kUp), Try(key::kDown), Try(key::kUp), Try(key::kLeft)});
  maze.MoveMonster(3);  // up is refused twice, down (2,0) is a wall: it goes left
  EXPECT_EQ(Guard(3), std::make_pair(1, 1));
  EXPECT_EQ(maze.Demon[3]->left, 1440 - 535);
  EXPECT_EQ(maze.Demon[3]->top, 1680);
  PutGuard(2, 2, 3);
  h.random.push({Try(key::kDown), Try(key::kUp), Try(key::kRight)});
  maze.MoveMonster(2);
  EXPECT_EQ(Guard(2), std::make_pair(3, 3));
  EXPECT_TRUE(h.random.numbers.empty());
}

TEST_F(MazeTest, AStepTheTestDidNotScriptFailsOnceInsteadOfHanging) {
  // In the left column, against the wall on its right: a random source that ran dry and kept
  // answering "left" would keep this guard trying for ever.
  PutGuard(2, 0, 1);
  EXPECT_NONFATAL_FAILURE(maze.MoveMonster(2), "more random numbers than the test scripted");
  EXPECT_EQ(Guard(2), std::make_pair(0, 2));  // left and right refused, then up
  EXPECT_EQ(h.random.draws, 3);
}

TEST_F(MazeTest, ATickMovesTheFourGuardsInOrder) {
  h.random.push({Try(key::kDown), Try(key::kUp), Try(key::kLeft), Try(key::kRight)});
  maze.timerTick();
  EXPECT_EQ(Guard(0), std::make_pair(4, 1));
  EXPECT_EQ(Guard(1), std::make_pair(0, 3));
  EXPECT_EQ(Guard(2), std::make_pair(1, 3));
  EXPECT_EQ(Guard(3), std::make_pair(3, 1));
  EXPECT_EQ(maze.Demon[0]->top, 1200 + 535);
  EXPECT_EQ(maze.Demon[1]->top, 1200 - 535);
  EXPECT_EQ(maze.Demon[2]->left, 1440 - 535);
  EXPECT_EQ(maze.Demon[3]->left, 1440 + 535);
  EXPECT_EQ(h.random.draws, 4);
}

TEST_F(MazeTest, BeatenGuardsGoOnWalking) {
  maze.Demon[0]->visible = false;
  h.random.push({Try(key::kLeft), Try(key::kDown), Try(key::kLeft), Try(key::kLeft)});
  maze.timerTick();
  EXPECT_EQ(Guard(0), std::make_pair(3, 2));
  EXPECT_FALSE(maze.Demon[0]->visible);
}

TEST_F(MazeTest, ALongWalkKeepsEveryGuardInsideAndOutOfTheCentre) {
  std::mt19937 engine(2024);
  std::uniform_real_distribution<double> uniform(0.0, 1.0);
  for (Picture* d : maze.Demon) d->visible = false;  // no fights, only walking
  std::set<std::pair<int, int>> visited;
  for (int tick = 0; tick < 1500; ++tick) {
    for (int n = 0; n < 64; ++n) h.random.numbers.push_back(uniform(engine));
    std::pair<int, int> before[4];
    for (int i = 0; i < 4; ++i) before[i] = Guard(i);
    maze.timerTick();
    for (int i = 0; i < 4; ++i) {
      const auto g = Guard(i);
      ASSERT_NE(g, std::make_pair(2, 2)) << "tick " << tick;
      const int dist = std::abs(g.first - before[i].first) + std::abs(g.second - before[i].second);
      ASSERT_EQ(dist, 1) << "tick " << tick << " guard " << i + 1;
      bool viaOpenSide = false;
      for (const Arrow& a : kArrows)
        viaOpenSide = viaOpenSide ||
                      (before[i].first + a.dx == g.first && before[i].second + a.dy == g.second &&
                       Open(before[i].first, before[i].second, a, true));
      ASSERT_TRUE(viaOpenSide) << "tick " << tick << " guard " << i + 1;
      visited.insert(g);
    }
    h.random.numbers.clear();
  }
  EXPECT_EQ(visited.size(), 24u);  // every cell but the centre is reachable
}

TEST_F(MazeTest, TheClockStandsStillBehindOtherScreens) {
  const std::string start = State();
  h.g().show(ScreenId::Battle);  // the combat screen in front of the maze
  maze.timerTick();
  h.g().hide(ScreenId::Battle);
  h.g().show(ScreenId::Cave3);
  maze.timerTick();
  h.g().hide(ScreenId::Cave3);
  h.g().hide(ScreenId::UpperKeep);  // closed or hidden
  maze.timerTick();
  EXPECT_EQ(h.random.draws, 0);
  EXPECT_EQ(State(), start);
  // The inventory window on top does not stop it.
  h.g().show(ScreenId::UpperKeep);
  maze.click("MInventory");
  EXPECT_TRUE(h.g().inventory().visible);
  h.random.push({Try(key::kDown), Try(key::kUp), Try(key::kLeft), Try(key::kRight)});
  maze.timerTick();
  EXPECT_EQ(h.random.draws, 4);
}

TEST_F(MazeTest, OtherKeysMoveNobody) {
  maze.keyDown(key::kDown, 0);
  maze.Message.caption = "x";
  const int codes[] = {key::kA, key::k0 + 5, key::kPad0, 13, 16, 0};
  for (int code : codes) maze.keyDown(code, 0);
  EXPECT_EQ(Hero(), std::make_pair(0, 3));
  EXPECT_EQ(maze.Message.caption, "");
  EXPECT_EQ(h.random.draws, 0);
}

// --- Closing the maze -------------------------------------------------------------------------

// A maze in the middle of a visit: the hero on the way, guards moved, two beaten.
void Wander(MazeTest& t) {
  t.maze.keyDown(key::kDown, 0);  // (0,3): nobody there
  t.h.random.push({Try(key::kDown), Try(key::kRight), Try(key::kLeft), Try(key::kLeft)});
  t.maze.timerTick();
  t.maze.Demon[1]->visible = false;
  t.maze.Demon[3]->visible = false;
}

TEST_F(MazeTest, LeavingByTheButtonClosesTheMazeAndKeepsTheMusic) {
  Wander(*this);
  ASSERT_NE(State(), kStartState);
  maze.click("Command11");
  EXPECT_TRUE(h.g().cave(ScreenId::Cave3).visible);
  EXPECT_FALSE(maze.visible);
  EXPECT_EQ(h.g().front(), &h.g().screen(ScreenId::Cave3));
  EXPECT_EQ(State(), kStartState);
  EXPECT_TRUE(h.music.log.empty());
  // Coming back through the Cave of Evil: all four guards stand again.
  h.g().cave(ScreenId::Cave3).click("Command6");
  EXPECT_TRUE(maze.visible);
  for (Picture* d : maze.Demon) EXPECT_TRUE(d->visible);
}

TEST_F(MazeTest, TheMorvathsFightClosesTheMaze) {
  Wander(*this);
  PutHero(2, 3);
  maze.keyDown(key::kDown, 0);
  EXPECT_EQ(State(), kStartState);
  EXPECT_FALSE(maze.visible);
}

TEST_F(MazeTest, AGuardFightADeathAReloadAndANewGameLeaveTheMazeAsItWas) {
  SaveSlot(h.g(), "Save3");
  Wander(*this);
  // A standing guard on the hero's cell: its fight starts, the maze keeps everything.
  PutGuard(0, 0, 3);
  maze.keyDown(key::kA, 0);
  const std::string during = State();
  EXPECT_NE(during, kStartState);
  // The hero dies: the record is emptied and the last save loaded again.
  h.g().EndGame();
  EXPECT_EQ(LoadSave(h.g(), "Save3"), "Successful!");
  EXPECT_EQ(State(), during);
  EXPECT_EQ(RunLoadSteps(h.g(), "Save3"), LoadResult::Loaded);
  EXPECT_EQ(State(), during);
  h.newGame("Brena");
  EXPECT_EQ(State(), during);
  EXPECT_FALSE(maze.Demon[1]->visible);
}

TEST_F(MazeTest, TheExitQuestionKeepsTheMaze) {
  Wander(*this);
  const std::string before = State();
  h.dialogs.answers = {Answer::No};
  maze.click("MMExit");
  h.dialogs.answers = {Answer::No};
  maze.closeBox();
  EXPECT_EQ(State(), before);
  EXPECT_TRUE(maze.visible);
  EXPECT_FALSE(h.g().ended());
}

}  // namespace
}  // namespace morvath::test
