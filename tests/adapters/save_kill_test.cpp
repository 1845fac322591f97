// Saves survive the program being killed while it saves: a child process saves the same slot
// over and over and is killed with SIGKILL at a random moment; afterwards every other slot is
// intact and the interrupted slot holds one whole save, the old or the new, never a mix.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QSettings>
#include <QTemporaryDir>
#include <random>

#include "app/qt_settings_store.h"
#include "core/character.h"
#include "core/game.h"
#include "core/save_slots.h"
#include "core/text.h"
#include "support/fakes.h"

namespace morvath {
namespace {

constexpr const char* kOrg = "KeepOfTheMorvathKillTest";

// Fills the character so that every saved field tells which save it came from.
void MarkCharacter(Game& game, int generation) {
  Character& c = game.ch();
  const std::string g = Str(generation);
  for (std::string* f :
       {&c.Beat, &c.Gold, &c.HP, &c.MaxHP, &c.Exp, &c.NextLevel, &c.Level, &c.Weapon, &c.Armor,
        &c.Shield, &c.Strength, &c.Kills, &c.SP, &c.MaxSP, &c.NL})
    *f = g;
  c.CharName = "Hero " + g + std::string(2000, '=');  // a long slot takes longer to write
  c.WeaponN = c.ArmorN = c.ShieldN = "item " + g;
}

// Every key of the slot carries the same generation; returns it, or -1 for a mix.
int SlotGeneration(QSettings& ini, const QString& section) {
  const QString name = ini.value(section + "/CharName").toString();
  if (!name.startsWith("Hero ")) return -1;
  const int g = name.mid(5).section('=', 0, 0).toInt();
  for (const char* key : {"Beat", "Gold", "Health", "MaxHealth", "Exp", "Next Level", "Level",
                          "Weapon", "Armor", "Shield", "Strength", "Kills", "SP", "MaxSP", "NL"})
    if (ini.value(section + "/" + key).toString() != QString::number(g)) return -1;
  if (ini.value(section + "/WeaponName").toString() != QString("item %1").arg(g)) return -1;
  return g;
}

[[noreturn]] void SaveForever(const QString& configDir) {
  QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, configDir);
  QtSettingsStore store(kOrg);
  test::FakeDialogs dialogs;
  test::RecordingMusic music;
  test::ListRandom random;
  Game game(dialogs, music, store, random, "/tmp");
  for (int generation = 1;; ++generation) {
    MarkCharacter(game, generation);
    SaveSlot(game, "Save5");
  }
}

TEST(SaveDurability, KilledWhileSavingLeavesWholeSlots) {
  QTemporaryDir config;
  ASSERT_TRUE(config.isValid());
  QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, config.path());
  {
    QtSettingsStore store(kOrg);
    test::FakeDialogs dialogs;
    test::RecordingMusic music;
    test::ListRandom random;
    Game game(dialogs, music, store, random, "/tmp");
    for (int slot = 1; slot <= 9; ++slot) {
      MarkCharacter(game, 1000 + slot);
      SaveSlot(game, "Save" + std::to_string(slot));
    }
  }
  std::mt19937 rng(20261208);
  int lastGeneration = 1005;
  for (int round = 0; round < 25; ++round) {
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) SaveForever(config.path());
    usleep(std::uniform_int_distribution<int>(2000, 40000)(rng));
    kill(child, SIGKILL);
    int status = 0;
    waitpid(child, &status, 0);
    ASSERT_TRUE(WIFSIGNALED(status));

    QSettings ini(QSettings::IniFormat, QSettings::UserScope, kOrg, "ZARQ");
    int generation[10] = {};
    for (int slot = 1; slot <= 9; ++slot)
      generation[slot] = SlotGeneration(ini, QString("Save%1").arg(slot));
    // QSettings parses a section of its file only when a value of that section is first read,
    // and only then can it tell a damaged file: so the status is asked after every slot was read.
    ASSERT_EQ(ini.status(), QSettings::NoError) << "round " << round;
    for (int slot = 1; slot <= 9; ++slot) {
      if (slot == 5) continue;
      EXPECT_EQ(generation[slot], 1000 + slot) << "round " << round << ", slot " << slot;
    }
    const int g = generation[5];
    EXPECT_GE(g, 1) << "round " << round << ": the interrupted slot is a mix";
    lastGeneration = g;
  }
  EXPECT_GT(lastGeneration, 0);
}

}  // namespace
}  // namespace morvath
