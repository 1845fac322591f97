#include "app/tune_folder.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

#include "app/music_warning.h"
#include "core/game.h"

namespace morvath {

bool HoldsTunes(const QString& folder) {
  for (const char* name : {tune::kTemple, tune::kOutside, tune::kOutsideTower, tune::kOutsideReturn,
                           tune::kFight, tune::kDeath}) {
    if (QFileInfo(folder + "/Music/" + QString::fromUtf8(name)).isFile()) return true;
  }
  return false;
}

QStringList TuneFoldersBesideProgram() {
  // Both set by CMake, relative to the folder the program is built or installed in.
  QStringList folders{QStringLiteral(MORVATH_TUNES_BESIDE_PROGRAM)};
#ifdef MORVATH_SOURCE_BESIDE_PROGRAM
  folders << QStringLiteral(MORVATH_SOURCE_BESIDE_PROGRAM);
#endif
  return folders;
}

QString FindTuneFolder(const QString& currentDir, const QString& programDir,
                       const QStringList& besideProgram) {
  if (HoldsTunes(currentDir)) return currentDir;
  for (const QString& relative : besideProgram) {
    const QString folder = QDir::cleanPath(programDir + '/' + relative);
    if (HoldsTunes(folder)) return folder;
  }
  return {};
}

QString TuneFolder() {
  const QString current = QDir::currentPath();
  const QString folder =
      FindTuneFolder(current, QCoreApplication::applicationDirPath(), TuneFoldersBesideProgram());
  if (!folder.isEmpty()) return folder;
  WarnAboutMusic("no Music folder with the game's tunes found; music is off");
  return current;
}

}  // namespace morvath
