// The settings store in INI files: awkward text comes back unchanged, a damaged file neither
// stops the game nor is lost, a slot reaches the disk in one piece, and a save the disk refuses
// (permissions, a full disk, another program's lock) is told and loses nothing.
#include <gtest/gtest.h>
#include <pwd.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <csignal>
#include <string>
#include <vector>

#include "app/qt_settings_store.h"
#include "combat/battle.h"
#include "combat/cast.h"
#include "core/save_slots.h"
#include "support/fakes.h"
#include "support/helper_process.h"
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

// What a load says when the save file in the folder was damaged: where its one copy is.
std::string DamagedText(const QString& folder) {
  const QStringList copies = QDir(folder).entryList({"ZARQ.ini.damaged-*"}, QDir::Files);
  EXPECT_EQ(copies.size(), 1) << folder.toStdString();
  if (copies.isEmpty()) return "(no copy)";
  return "The save file could not be read. It is kept as " +
         (folder + "/" + copies[0]).toStdString() + ".";
}

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

TEST_F(SettingsStoreTest, AGarbageFileIsKeptAsideAndTheGameStartsSayingSo) {
  QByteArray garbage("\x01\x02\xff\xfe\x00\x00[Sav", 10);
  for (int i = 0; i < 200; ++i) garbage.append(static_cast<char>((i * 37) % 256));
  writeFile(iniFile(kOrg, "ZARQ"), garbage);
  writeFile(iniFile(kOrg, "ZARQSTART"), garbage);

  StoreGame run(kOrg);
  EXPECT_TRUE(run.game.startForm().visible);
  // An unreadable counter counts as a first start.
  ASSERT_EQ(run.dialogs.boxes.size(), 2u);
  EXPECT_EQ(run.dialogs.boxes[0].title, "The Story");
  // Each load says that the file could not be read, and where the copy is.
  std::vector<std::vector<std::string>> said;
  for (int slot = 1; slot <= 9; ++slot) {
    run.dialogs.boxes.clear();
    run.loadFromStart(slot);
    said.push_back(run.dialogs.texts());
  }
  EXPECT_EQ(said, std::vector(9, std::vector<std::string>{DamagedText(folder(kOrg))}));
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

TEST_F(SettingsStoreTest, ATruncatedFileStartsTheGameAndItsCutSlotSaysTheFileIsDamaged) {
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

  const QString fresh = copyToFreshFolder(kOrg);
  StoreGame run(fresh);
  EXPECT_TRUE(run.game.startForm().visible);
  run.dialogs.boxes.clear();
  run.loadFromStart(2);
  // A file that stops in the middle of a line was cut short: it is kept as it was found.
  EXPECT_EQ(run.dialogs.texts(), std::vector<std::string>{DamagedText(folder(fresh))});
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

TEST_F(SettingsStoreTest, AFolderInPlaceOfTheFileIsToldAndLeftAsItIs) {
  const QString path = iniFile(kOrg, "ZARQ");
  ASSERT_TRUE(QDir().mkpath(path + "/inside"));
  StoreGame run(kOrg);
  run.dialogs.boxes.clear();
  run.loadFromStart(1);
  EXPECT_EQ(run.dialogs.texts(),
            std::vector<std::string>{"The save file could not be read. It is kept as " +
                                     path.toStdString() + "."});
  run.newGame("Arden");
  run.dialogs.boxes.clear();
  run.saveAtInn(3);
  EXPECT_EQ(run.dialogs.texts(), std::vector<std::string>{kSaveFailed});
  EXPECT_EQ(run.store.read("ZARQ", "Save3", "CharName"), "");
  EXPECT_FALSE(run.game.ended());
  EXPECT_EQ(QDir(path).entryList(QDir::AllEntries | QDir::NoDotAndDotDot), QStringList{"inside"});
}

TEST_F(SettingsStoreTest, ALockLeftByAnotherProgramIsToldAtOnceAndNothingIsWritten) {
  const QString path = iniFile(kOrg, "ZARQ");
  {
    StoreGame run(kOrg);
    run.newGame("Arden");
    run.saveAtInn(1);
  }
  const QByteArray before = readFile(path);
  // A fresh lock nobody takes away: Qt would wait for it until it is half a minute old.
  writeFile(path + ".lock", "");
  StoreGame run(kOrg);
  run.newGame("Brenna");
  run.dialogs.boxes.clear();
  run.saveAtInn(1);
  EXPECT_EQ(run.dialogs.texts(), std::vector<std::string>{kSaveBusy});
  EXPECT_EQ(readFile(path), before);
  EXPECT_EQ(run.store.read("ZARQ", "Save1", "CharName"), "Arden");
  run.store.write("ZARQ", "Save9", "CharName", "Cara");
  EXPECT_EQ(run.store.flush(), Flushed::Busy);
  EXPECT_TRUE(QFile::exists(path + ".lock"));  // another program's to take away
  // Once the lock is gone the next save goes through, the slot left over with it.
  ASSERT_TRUE(QFile::remove(path + ".lock"));
  run.dialogs.boxes.clear();
  run.saveAtInn(1);
  EXPECT_EQ(run.dialogs.texts(), std::vector<std::string>{"Your game was saved."});
  QSettings ini(path, QSettings::IniFormat);
  EXPECT_EQ(ini.value("Save1/CharName").toString(), "Brenna");
  EXPECT_EQ(ini.value("Save9/CharName").toString(), "Cara");
}

TEST_F(SettingsStoreTest, TheFileAsARunFoundItIsKeptBesideBeforeItsFirstRewrite) {
  const QString path = iniFile(kOrg, "ZARQ");
  const QString previous = path + ".previous";
  // Edited by hand, with a quote left open: it reads without an error, and the next save
  // rewrites it in the store's own way.
  const QByteArray handEdited = "[Save1]\nCharName=\"Arden\nGold=100000\n";
  writeFile(path, handEdited);
  {
    StoreGame run(kOrg);
    run.newGame("Brenna");
    EXPECT_FALSE(QFile::exists(previous));  // nothing written over yet
    run.saveAtInn(2);
    EXPECT_EQ(readFile(previous), handEdited);
    run.saveAtInn(3);
    EXPECT_EQ(readFile(previous), handEdited);  // the file as the run found it, not the last save
    EXPECT_NE(readFile(path), handEdited);
  }
  const QByteArray lastRun = readFile(path);
  StoreGame run(kOrg);
  run.newGame("Cara");
  run.saveAtInn(4);
  EXPECT_EQ(readFile(previous), lastRun);  // one run back, no further
}

// --- The store on a disk that refuses it, as the player's own user. ----------------------------
// The checks run in a process of their own as the user "nobody" (root may write anywhere), or on
// a small disk of their own (a tmpfs mounted in a mount namespace of their own).

constexpr const char* kHelperFolder = "MORVATH_STORE_TEST_FOLDER";

// How the save file or its folder refuses the player.
enum class Refusal {
  ReadOnlyFile,
  ReadOnlyFolder,
  UnreadableFile,
  LinkToReadOnlyFile,
  LinkToDevice,  // /dev/zero: never written over, whoever runs the game
};

// In the helper: Arden's save is in slot 1; the refusal is made, then a new run loads it and
// saves another hero over it.
void SaveOverARefusal(Refusal refusal) {
  const QString config = qEnvironmentVariable(kHelperFolder);
  ASSERT_FALSE(config.isEmpty()) << "run by SettingsStoreAsPlayer";
  ASSERT_NE(::geteuid(), 0u) << "root may write anywhere";
  QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, config);
  const QString folder = config + "/" + kOrg;
  const QString path = folder + "/ZARQ.ini";
  QString kept = path;  // the file that holds Arden's save
  QFile file(path);
  ASSERT_TRUE(file.open(QIODevice::ReadOnly));
  const QByteArray before = file.readAll();
  file.close();
  ASSERT_TRUE(before.contains("CharName=Arden"));
  const auto mode = [](const QString& p, mode_t m) {
    ASSERT_EQ(::chmod(p.toLocal8Bit().constData(), m), 0) << p.toStdString();
  };
  switch (refusal) {
    case Refusal::ReadOnlyFile:
      mode(path, 0444);
      break;
    case Refusal::ReadOnlyFolder:
      mode(folder, 0555);
      break;
    case Refusal::UnreadableFile:
      mode(path, 0);
      break;
    case Refusal::LinkToDevice:
      kept = folder + "/kept.ini";
      ASSERT_TRUE(QFile::rename(path, kept));
      ASSERT_TRUE(QFile::link("/dev/zero", path));
      break;
    case Refusal::LinkToReadOnlyFile:
      kept = folder + "/kept.ini";
      ASSERT_TRUE(QFile::rename(path, kept));
      mode(kept, 0444);
      ASSERT_TRUE(QFile::link("kept.ini", path));
      break;
  }
  {
    StoreGame run(kOrg);
    run.loadFromStart(1);
    const bool unread = refusal == Refusal::UnreadableFile || refusal == Refusal::LinkToDevice;
    if (unread) {
      EXPECT_EQ(run.dialogs.texts(),
                std::vector<std::string>{"The save file could not be read. It is kept as " +
                                         path.toStdString() + "."});
    } else {
      EXPECT_EQ(run.game.ch().CharName, "Arden");
    }
    run.newGame("Brenna");
    run.dialogs.boxes.clear();
    run.saveAtInn(1);
    EXPECT_EQ(run.dialogs.texts(), std::vector<std::string>{kSaveFailed});
    if (!unread) {
      // The death screen's reload finds what is on the disk.
      EXPECT_EQ(LoadSave(run.game, run.store.read("ZARQ", "LastSave", "LastSave")), "Successful!");
      EXPECT_EQ(run.game.ch().CharName, "Arden");
    }
  }
  if (refusal == Refusal::LinkToDevice) {
    EXPECT_EQ(QFileInfo(path).symLinkTarget(), "/dev/zero");
  }
  mode(folder, 0755);
  mode(kept, 0644);
  QFile after(kept);
  ASSERT_TRUE(after.open(QIODevice::ReadOnly));
  EXPECT_EQ(after.readAll(), before);
  // Nothing half written is left behind.
  for (const QString& name : QDir(folder).entryList(QDir::Files | QDir::Hidden))
    EXPECT_TRUE(QStringList({"ZARQ.ini", "ZARQ.ini.previous", "ZARQSTART.ini",
                             "ZARQSTART.ini.previous", "kept.ini"})
                    .contains(name))
        << name.toStdString();
}

TEST(DISABLED_OnTheDisk, ReadOnlyFile) {
  SaveOverARefusal(Refusal::ReadOnlyFile);
}
TEST(DISABLED_OnTheDisk, ReadOnlyFolder) {
  SaveOverARefusal(Refusal::ReadOnlyFolder);
}
TEST(DISABLED_OnTheDisk, UnreadableFile) {
  SaveOverARefusal(Refusal::UnreadableFile);
}
TEST(DISABLED_OnTheDisk, LinkToDevice) {
  SaveOverARefusal(Refusal::LinkToDevice);
}
TEST(DISABLED_OnTheDisk, LinkToReadOnlyFile) {
  SaveOverARefusal(Refusal::LinkToReadOnlyFile);
}

// In the helper, on a small disk of its own: a save on the full disk is told and the earlier
// save stays whole; once there is room again the next save goes through.
TEST(DISABLED_OnTheDisk, FullDisk) {
  const QString config = qEnvironmentVariable(kHelperFolder);
  ASSERT_FALSE(config.isEmpty()) << "run by SettingsStoreOnASmallDisk";
  QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, config);
  const QString path = config + "/" + kOrg + "/ZARQ.ini";
  const auto bytes = [&path] {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
  };
  StoreGame run(kOrg);
  run.newGame("Arden");
  run.saveAtInn(1);
  run.saveAtInn(2);
  const QByteArray before = bytes();
  ASSERT_TRUE(before.contains("CharName=Arden"));
  // The disk fills up; or, where no small disk can be mounted (an ordinary user in a chroot),
  // the system takes no file of this process beyond 512 bytes, and refuses the save midway as a
  // full disk does.
  const bool byLimit = qEnvironmentVariableIsSet("MORVATH_FULL_BY_LIMIT");
  rlimit room{};
  ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &room), 0);
  if (byLimit) {
    std::signal(SIGXFSZ, SIG_IGN);  // a refused write, not the end of the process
    rlimit full = room;
    full.rlim_cur = 512;
    ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &full), 0);
  } else {
    QFile filler(config + "/filler");
    ASSERT_TRUE(filler.open(QIODevice::WriteOnly | QIODevice::Unbuffered));
    const QByteArray block(512, 'x');
    while (filler.write(block) == block.size()) {
    }
  }
  run.newGame("Brenna");
  run.dialogs.boxes.clear();
  run.saveAtInn(3);
  EXPECT_EQ(run.dialogs.texts(), std::vector<std::string>{kSaveFailed});
  EXPECT_EQ(bytes(), before);
  EXPECT_EQ(run.store.read("ZARQ", "Save3", "CharName"), "");
  EXPECT_EQ(run.store.read("ZARQ", "LastSave", "LastSave"), "Save2");
  if (byLimit)
    ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &room), 0);
  else
    ASSERT_TRUE(QFile::remove(config + "/filler"));
  run.dialogs.boxes.clear();
  run.saveAtInn(3);
  EXPECT_EQ(run.dialogs.texts(), std::vector<std::string>{"Your game was saved."});
  EXPECT_TRUE(bytes().contains("CharName=Brenna"));
}

class SettingsStoreAsPlayer : public SettingsStoreTest,
                              public ::testing::WithParamInterface<const char*> {};

TEST_P(SettingsStoreAsPlayer, ASaveTheDiskRefusesIsToldAndTheEarlierSaveStays) {
  {
    StoreGame run(kOrg);
    run.newGame("Arden");
    run.saveAtInn(1);
  }
  std::vector<std::string> command = {"env", kHelperFolder + ("=" + config.path().toStdString())};
  std::string program;
  if (::geteuid() == 0) {
    const QString setpriv = QStandardPaths::findExecutable("setpriv");
    if (setpriv.isEmpty()) GTEST_SKIP() << "setpriv is missing";
    command.insert(command.begin(), {setpriv.toStdString(), "--reuid=nobody", "--regid=nogroup",
                                     "--clear-groups", "--"});
    const passwd* nobody = ::getpwnam("nobody");
    ASSERT_NE(nobody, nullptr);
    ASSERT_EQ(::chmod(config.path().toLocal8Bit().constData(), 0755), 0);
    for (const QString& p : {folder(kOrg), iniFile(kOrg, "ZARQ"), iniFile(kOrg, "ZARQSTART")})
      ASSERT_EQ(::chown(p.toLocal8Bit().constData(), nobody->pw_uid, nobody->pw_gid), 0)
          << p.toStdString();
    // A copy nobody can run, wherever the build is.
    program = (config.path() + "/helper").toStdString();
    ASSERT_TRUE(
        QFile::copy(QString::fromStdString(ThisProgram()), QString::fromStdString(program)));
  }
  const std::string helper = std::string("OnTheDisk.") + GetParam();
  EXPECT_TRUE(HelperPassed(RunHelper(helper, command, {}, program), helper));
}

INSTANTIATE_TEST_SUITE_P(Refusals, SettingsStoreAsPlayer,
                         ::testing::Values("ReadOnlyFile", "ReadOnlyFolder", "UnreadableFile",
                                           "LinkToReadOnlyFile", "LinkToDevice"));

TEST_F(SettingsStoreTest, OnAFullDiskASaveIsToldAndTheEarlierSaveStays) {
  const std::string folder = kHelperFolder + ("=" + config.path().toStdString());
  if (::geteuid() != 0) {  // no disk of its own to fill: a file-size limit refuses the save
    const HelperRun run =
        RunHelper("OnTheDisk.FullDisk", {"env", folder, "MORVATH_FULL_BY_LIMIT=1"});
    EXPECT_TRUE(HelperPassed(run, "OnTheDisk.FullDisk"));
    return;
  }
  const QString unshare = QStandardPaths::findExecutable("unshare");
  if (unshare.isEmpty()) GTEST_SKIP() << "unshare is missing";
  const std::string mount = "mount -t tmpfs -o size=64k morvath \"$0\" || exit 77; exec \"$@\"";
  const HelperRun run = RunHelper(
      "OnTheDisk.FullDisk", {unshare.toStdString(), "--mount", "--propagation", "private", "--",
                             "sh", "-c", mount, config.path().toStdString(), "env", folder});
  if (run.status == 77) GTEST_SKIP() << "no tmpfs can be mounted here: " << run.output;
  EXPECT_TRUE(HelperPassed(run, "OnTheDisk.FullDisk"));
}

}  // namespace
}  // namespace morvath::test
