// The settings store in INI files: awkward text comes back unchanged, a damaged file neither
// stops the game nor is lost, and a slot reaches the disk in one piece.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSettings>
#include <QTemporaryDir>

#include "app/qt_settings_store.h"
#include "combat/battle.h"
#include "combat/cast.h"
#include "core/save_slots.h"
#include "support/fakes.h"
#include "town/inn.h"
#include "world/caves.h"

namespace morvath::test {
namespace {

constexpr const char* kOrg = "MorvathStoreTest";

// Every test gets a config folder of its own; the user's real one is never touched.
class SettingsStoreTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(config.isValid());
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, config.path());
    ASSERT_TRUE(QDir().mkpath(folder(kOrg)));
  }
  QString folder(const QString& org) const { return config.path() + "/" + org; }
  QString iniFile(const QString& org, const QString& app) const {
    return folder(org) + "/" + app + ".ini";
  }
  // Copies an organisation's files to a fresh one, so the next store reads them from the disk
  // and not from what this process still remembers of them.
  QString copyToFreshFolder(const QString& org) {
    const QString fresh = QString("%1Copy%2").arg(org).arg(++copies);
    EXPECT_TRUE(QDir().mkpath(folder(fresh)));
    for (const QString& name : QDir(folder(org)).entryList(QDir::Files))
      EXPECT_TRUE(QFile::copy(folder(org) + "/" + name, folder(fresh) + "/" + name));
    return fresh;
  }
  void writeFile(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(bytes);
  }
  QByteArray readFile(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
  }

  QTemporaryDir config;
  int copies = 0;
};

// A game on the real store with the other ports faked.
struct StoreGame {
  FakeDialogs dialogs;
  RecordingMusic music;
  ListRandom random;
  QtSettingsStore store;
  Game game;
  explicit StoreGame(const QString& org)
      : store(org), game(dialogs, music, store, random, kTuneFolder) {
    game.start();
  }
  void newGame(const std::string& name) {
    dialogs.inputs.push_back(name);
    game.startForm().click("New");
  }
  void saveAtInn(int digit) {
    game.inn().click("Command1");
    game.inn().keyDown(key::k0 + digit, 0);
  }
  void loadFromStart(int digit) {
    game.show(ScreenId::aaStartForm);
    game.startForm().click("Load");
    game.startForm().keyDown(key::k0 + digit, 0);
  }
};

std::vector<std::string> AwkwardTexts() {
  std::string tenThousand;
  for (int i = 0; i < 10000; ++i) tenThousand += "a=;\"[]\n\\/ é"[i % 12];
  return {"key=value",
          "semi;colon; ;",
          "\"double\" and 'single' quotes\"",
          "two\nlines\r\nand a carriage\rreturn",
          "[Save2]",
          "[Save2]\nCharName=Intruder",
          "Ælfríc ⚔ 竜 🐉",
          tenThousand,
          "",
          "  blanks around  ",
          "true",
          "False",
          "@Variant(junk)",
          "back\\slash and / slash",
          "#not a comment",
          "%20 and %5C",
          "\t tab"};
}

TEST_F(SettingsStoreTest, AwkwardTextComesBackUnchangedFromTheDisk) {
  const std::vector<std::string> texts = AwkwardTexts();
  {
    QtSettingsStore store(kOrg);
    ASSERT_TRUE(store.fileName("ZARQ").startsWith(config.path()));
    for (size_t i = 0; i < texts.size(); ++i)
      store.write("ZARQ", "Save1", "Key " + std::to_string(i), texts[i]);
    store.write("ZARQ", "Save2", "CharName", "Rightful");
    store.flush();
    // Read back at once, as the same run would.
    for (size_t i = 0; i < texts.size(); ++i)
      EXPECT_EQ(store.read("ZARQ", "Save1", "Key " + std::to_string(i)), texts[i]) << i;
  }
  QtSettingsStore fromDisk(copyToFreshFolder(kOrg));
  for (size_t i = 0; i < texts.size(); ++i)
    EXPECT_EQ(fromDisk.read("ZARQ", "Save1", "Key " + std::to_string(i)), texts[i]) << i;
  EXPECT_EQ(fromDisk.read("ZARQ", "Save2", "CharName"), "Rightful");
  EXPECT_EQ(fromDisk.read("ZARQ", "Save1", "Absent"), "");
  EXPECT_EQ(fromDisk.read("ZARQ", "Save9", "CharName"), "");
}

TEST_F(SettingsStoreTest, ApplicationsAndSectionsKeepTheirValuesApart) {
  {
    QtSettingsStore store(kOrg);
    store.write("ZARQ", "Save1", "Next Level", "500");
    store.write("ZARQ", "Save2", "Next Level", "600");
    store.write("ZARQSTART", "Start", "Start", "7");
    store.write("ZARQ", "LastSave", "LastSave", "Save2");
    store.flush();
  }
  EXPECT_TRUE(QFile::exists(iniFile(kOrg, "ZARQ")));
  EXPECT_TRUE(QFile::exists(iniFile(kOrg, "ZARQSTART")));
  QtSettingsStore store(copyToFreshFolder(kOrg));
  EXPECT_EQ(store.read("ZARQ", "Save1", "Next Level"), "500");
  EXPECT_EQ(store.read("ZARQ", "Save2", "Next Level"), "600");
  EXPECT_EQ(store.read("ZARQSTART", "Start", "Start"), "7");
  EXPECT_EQ(store.read("ZARQ", "Start", "Start"), "");
  EXPECT_EQ(store.read("ZARQ", "LastSave", "LastSave"), "Save2");
}

TEST_F(SettingsStoreTest, NoApplicationObjectIsNeededForTheStore) {
  // The game creates its QApplication first, but the store must not depend on it.
  if (QCoreApplication::instance()) GTEST_SKIP() << "an application object already exists";
  QtSettingsStore store(kOrg);
  store.write("ZARQ", "Save1", "CharName", "Arden");
  store.flush();
  EXPECT_TRUE(readFile(iniFile(kOrg, "ZARQ")).contains("CharName=Arden"));
}

TEST_F(SettingsStoreTest, AHeroWithOddTextSurvivesASaveAndALoadThroughTheFile) {
  const std::string name = "Sir \"Q\" = ;x; [Save2]\n Ælfríc ⚔ " + std::string(1000, 'z');
  {
    StoreGame run(kOrg);
    run.newGame(name);
    Character& c = run.game.ch();
    c.Gold = "1234.5";
    c.ShieldN = "";
    c.WeaponN = "Broad";
    run.game.cast().button("SL2").enabled = true;
    run.game.battle().N3.caption = "4";
    run.saveAtInn(2);
    EXPECT_EQ(run.dialogs.boxes.back().text, "Your game was saved.");
  }
  StoreGame next(copyToFreshFolder(kOrg));
  next.loadFromStart(2);
  const Character& c = next.game.ch();
  EXPECT_EQ(c.CharName, name);
  EXPECT_EQ(c.Gold, "1234.5");
  EXPECT_EQ(c.HP, "10");
  EXPECT_EQ(c.NextLevel, "500");
  EXPECT_EQ(c.WeaponN, "Broad");
  EXPECT_EQ(c.ShieldN, "");
  EXPECT_TRUE(next.game.cast().button("SL2").enabled);
  EXPECT_FALSE(next.game.cast().button("S2").enabled);
  EXPECT_EQ(next.game.battle().N3.caption, "4");
  EXPECT_TRUE(next.game.caves().visible);
  EXPECT_EQ(next.store.read("ZARQ", "LastSave", "LastSave"), "Save2");
}

TEST_F(SettingsStoreTest, AGarbageFileIsKeptAsideAndTheGameStartsWithEmptySlots) {
  QByteArray garbage("\x01\x02\xff\xfe\x00\x00[Sav", 10);
  for (int i = 0; i < 200; ++i) garbage.append(static_cast<char>((i * 37) % 256));
  writeFile(iniFile(kOrg, "ZARQ"), garbage);
  writeFile(iniFile(kOrg, "ZARQSTART"), garbage);

  StoreGame run(kOrg);
  EXPECT_TRUE(run.game.startForm().visible);
  // An unreadable counter counts as a first start.
  ASSERT_EQ(run.dialogs.boxes.size(), 2u);
  EXPECT_EQ(run.dialogs.boxes[0].title, "The Story");
  for (int slot = 1; slot <= 9; ++slot) {
    run.dialogs.boxes.clear();
    run.loadFromStart(slot);
    EXPECT_EQ(run.dialogs.texts(), std::vector<std::string>{kNoSave}) << slot;
  }
  // Both damaged files were copied aside, byte for byte, before anything was written over them.
  for (const char* app : {"ZARQ", "ZARQSTART"}) {
    const QStringList copies =
        QDir(folder(kOrg)).entryList({QString(app) + ".ini.damaged-*"}, QDir::Files);
    ASSERT_EQ(copies.size(), 1) << app;
    EXPECT_EQ(readFile(folder(kOrg) + "/" + copies[0]), garbage) << app;
  }
  // The game goes on and saves into a clean file.
  run.newGame("Arden");
  run.saveAtInn(4);
  QSettings ini(iniFile(kOrg, "ZARQ"), QSettings::IniFormat);
  EXPECT_EQ(ini.value("Save4/CharName").toString(), "Arden");
  EXPECT_EQ(ini.status(), QSettings::NoError);  // known only once something has been read
  // Whatever could still be read of the damaged file stays in it beside the new values.
  QSettings start(iniFile(kOrg, "ZARQSTART"), QSettings::IniFormat);
  EXPECT_EQ(start.value("Start/Start").toString(), "2");
  EXPECT_EQ(start.status(), QSettings::NoError);
}

TEST_F(SettingsStoreTest, ADamagedFileFoundTwiceLeavesTwoCopies) {
  const QByteArray first("\xff\xfe[first", 8);
  const QByteArray second("\xff\xfe[second damage", 16);
  writeFile(iniFile(kOrg, "ZARQ"), first);
  {
    QtSettingsStore store(kOrg);
    EXPECT_EQ(store.read("ZARQ", "Save1", "CharName"), "");
  }
  writeFile(iniFile(kOrg, "ZARQ"), second);
  {
    QtSettingsStore store(kOrg);
    EXPECT_EQ(store.read("ZARQ", "Save1", "CharName"), "");
  }
  QStringList contents;
  for (const QString& name : QDir(folder(kOrg)).entryList({"ZARQ.ini.damaged-*"}, QDir::Files))
    contents << QString::fromLatin1(readFile(folder(kOrg) + "/" + name).toHex());
  contents.sort();
  QStringList expected = {QString::fromLatin1(first.toHex()), QString::fromLatin1(second.toHex())};
  expected.sort();
  EXPECT_EQ(contents, expected);
}

TEST_F(SettingsStoreTest, ATruncatedFileStartsTheGameAndItsCutSlotReadsAsEmpty) {
  {
    StoreGame run(kOrg);
    run.newGame("Arden");
    run.saveAtInn(1);
    run.newGame("Brenna");
    run.saveAtInn(2);
  }
  const QByteArray whole = readFile(iniFile(kOrg, "ZARQ"));
  const qsizetype cut = whole.indexOf("[Save2]") + 20;  // inside Save2, before its health
  ASSERT_GT(cut, 20);
  ASSERT_GT(whole.indexOf("Health", cut), cut);
  writeFile(iniFile(kOrg, "ZARQ"), whole.left(cut));
  writeFile(iniFile(kOrg, "ZARQSTART"), QByteArray("[Sta"));

  StoreGame run(copyToFreshFolder(kOrg));
  EXPECT_TRUE(run.game.startForm().visible);
  run.dialogs.boxes.clear();
  run.loadFromStart(2);
  EXPECT_EQ(run.dialogs.texts(), std::vector<std::string>{kNoSave});
  EXPECT_TRUE(run.game.startForm().visible);
  run.dialogs.boxes.clear();
  run.loadFromStart(1);  // the slot before the cut is whole
  EXPECT_TRUE(run.dialogs.boxes.empty());
  EXPECT_EQ(run.game.ch().CharName, "Arden");
  EXPECT_TRUE(run.game.caves().visible);
}

TEST_F(SettingsStoreTest, ASlotReachesTheDiskInOnePieceThroughATemporaryFile) {
  const QString path = iniFile(kOrg, "ZARQ");
  QtSettingsStore store(kOrg);
  for (int i = 0; i < 30; ++i) store.write("ZARQ", "Save1", "Key" + std::to_string(i), "old");
  // Nothing reaches the disk before the flush...
  EXPECT_FALSE(QFile::exists(path));
  store.flush();
  const QByteArray old = readFile(path);
  EXPECT_EQ(old.count("=old"), 30);

  QFile before(path);
  ASSERT_TRUE(before.open(QIODevice::ReadOnly));
  struct stat oldStat {
  }, newStat{};
  ASSERT_EQ(stat(path.toLocal8Bit().constData(), &oldStat), 0);
  for (int i = 0; i < 30; ++i) store.write("ZARQ", "Save1", "Key" + std::to_string(i), "new");
  EXPECT_EQ(readFile(path), old);  // ...not even half of the next slot
  store.flush();
  // The new file was written beside the old one and put in its place: whoever held the old
  // file open still reads the whole old slot, and the path holds the whole new one.
  ASSERT_EQ(stat(path.toLocal8Bit().constData(), &newStat), 0);
  EXPECT_NE(oldStat.st_ino, newStat.st_ino);
  EXPECT_EQ(before.readAll(), old);
  EXPECT_EQ(readFile(path).count("=new"), 30);
  EXPECT_EQ(QDir(folder(kOrg)).entryList(QDir::Files | QDir::Hidden), QStringList{"ZARQ.ini"});
}

TEST_F(SettingsStoreTest, SavingAtTheInnWritesTheWholeSlotAtOnce) {
  StoreGame run(kOrg);
  run.newGame("Arden");
  run.game.inn().click("Command1");
  const QByteArray before = readFile(iniFile(kOrg, "ZARQ"));
  run.game.inn().keyDown(key::k0 + 8, 0);
  const QByteArray after = readFile(iniFile(kOrg, "ZARQ"));
  EXPECT_NE(before, after);
  QSettings ini(iniFile(kOrg, "ZARQ"), QSettings::IniFormat);
  ini.beginGroup("Save8");
  EXPECT_EQ(ini.childKeys().size(), 34);
  EXPECT_EQ(ini.value("Next Level").toString(), "500");
  ini.endGroup();
  EXPECT_EQ(ini.value("LastSave/LastSave").toString(), "Save8");
}

TEST_F(SettingsStoreTest, AFileThatCannotBeWrittenDoesNotStopTheGame) {
  // A folder where the file should be: writes fail, the values of this run stay readable.
  ASSERT_TRUE(QDir().mkpath(iniFile(kOrg, "ZARQ")));
  StoreGame run(kOrg);
  run.newGame("Arden");
  run.saveAtInn(3);
  EXPECT_EQ(run.dialogs.boxes.back().text, "Your game was saved.");
  EXPECT_EQ(run.store.read("ZARQ", "Save3", "CharName"), "Arden");
  EXPECT_TRUE(QFileInfo(iniFile(kOrg, "ZARQ")).isDir());
}

}  // namespace
}  // namespace morvath::test
