// Finding the tunes from any starting folder: the starting folder wins when it holds the game's
// tunes, a player's own Music folder does not count, and the folders beside the program are
// tried in order; the current directory stays where the player started the game.
#include "app/tune_folder.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

namespace morvath::test {
namespace {

class TuneFolderTest : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(root.isValid()); }
  // root/relative, made with an empty Music folder below it.
  QString folderWithMusic(const QString& relative) {
    const QString folder = root.path() + "/" + relative;
    EXPECT_TRUE(QDir().mkpath(folder + "/Music"));
    return QDir::cleanPath(folder);
  }
  QString folderWithTune(const QString& relative, const QString& tune) {
    const QString folder = folderWithMusic(relative);
    QFile file(folder + "/Music/" + tune);
    EXPECT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("MThd");
    return folder;
  }
  QTemporaryDir root;
};

TEST_F(TuneFolderTest, OnlyAMusicFolderWithOneOfTheGameTunesCounts) {
  EXPECT_FALSE(HoldsTunes(root.path()));
  EXPECT_FALSE(HoldsTunes(folderWithMusic("home")));  // the desktop's own ~/Music
  EXPECT_FALSE(HoldsTunes(folderWithTune("songs", "Song.mid")));
  // Names are exact: the file systems of Linux tell "Temple.MID" from "Temple.mid".
  EXPECT_FALSE(HoldsTunes(folderWithTune("case", "temple.mid")));
  for (const char* tune :
       {"Temple.mid", "Outside.mid", "Outside.MID", "Outside.rmi", "FightMusic.rmi", "Death.MID"}) {
    EXPECT_TRUE(HoldsTunes(folderWithTune(QString("one-") + tune, tune))) << tune;
  }
  // A folder named like a tune is not a tune.
  EXPECT_TRUE(QDir().mkpath(root.path() + "/dir/Music/Temple.mid"));
  EXPECT_FALSE(HoldsTunes(root.path() + "/dir"));
}

TEST_F(TuneFolderTest, TheStartingFolderWinsWhenItHoldsTheTunes) {
  const QString start = folderWithTune("start", "Temple.mid");
  const QString program = folderWithMusic("prefix/games");
  folderWithTune("prefix/share/games/morvath", "Temple.mid");
  EXPECT_EQ(FindTuneFolder(start, program, {"../share/games/morvath"}), start);
}

TEST_F(TuneFolderTest, FoldersBesideTheProgramAreTriedInOrder) {
  const QString home = folderWithMusic("home");
  const QString program = root.path() + "/repo/build";
  ASSERT_TRUE(QDir().mkpath(program));
  const QString repo = folderWithTune("repo", "FightMusic.rmi");
  const QStringList beside{"../share/games/morvath", ".."};
  EXPECT_EQ(FindTuneFolder(home, program, beside), repo);

  const QString installed = folderWithTune("repo/share/games/morvath", "Death.MID");
  EXPECT_EQ(FindTuneFolder(home, program, beside), installed);
  EXPECT_EQ(FindTuneFolder(home, program, {"..", "../share/games/morvath"}), repo);
}

TEST_F(TuneFolderTest, NoFolderWithTunesGivesNothing) {
  const QString home = folderWithMusic("home");
  EXPECT_TRUE(
      FindTuneFolder(home, root.path() + "/bin", {"../share/games/morvath", ".."}).isEmpty());
  EXPECT_TRUE(FindTuneFolder(home, root.path() + "/bin", {}).isEmpty());
}

// This build's own folders: the program in build/ finds the tunes of the repository.
TEST(TuneFolders, ThisBuildFindsTheTunesOfTheRepository) {
  const QStringList beside = TuneFoldersBesideProgram();
  ASSERT_FALSE(beside.isEmpty());
  QTemporaryDir elsewhere;
  ASSERT_TRUE(elsewhere.isValid());
  EXPECT_EQ(FindTuneFolder(elsewhere.path(), MORVATH_BINARY_DIR, beside),
            QDir::cleanPath(MORVATH_SOURCE_DIR));
}

// This run's folder, from a folder without tunes: the repository's, found without leaving the
// folder the game was started from (a relative MORVATH_SOUNDFONT still names a file there).
TEST(TuneFolders, TheRunFindsItsTunesAndStaysInItsStartingFolder) {
  static int argc = 1;
  static char name[] = "tune_folder_test";
  static char* argv[] = {name, nullptr};
  if (QCoreApplication::instance() == nullptr) static QCoreApplication app(argc, argv);
  QTemporaryDir elsewhere;
  ASSERT_TRUE(elsewhere.isValid());
  const QString before = QDir::currentPath();
  ASSERT_TRUE(QDir::setCurrent(elsewhere.path()));
  const QString found = TuneFolder();
  const QString after = QDir::currentPath();
  QDir::setCurrent(before);
  EXPECT_EQ(found.toStdString(), QDir::cleanPath(MORVATH_SOURCE_DIR).toStdString());
  EXPECT_EQ(after.toStdString(), QDir(elsewhere.path()).canonicalPath().toStdString())
      << "finding the tunes left the starting folder";
}

}  // namespace
}  // namespace morvath::test
