// Where the tunes are. The game reads its tunes from "Music" below one folder: the current
// directory when it holds them, else the game's own tune folder beside the program, so that the
// game plays its music wherever it is started from: from the repository (build/morvath), from a
// package (/usr/games/morvath, tunes in /usr/share/games/morvath) or from a cmake --install. The
// current directory stays as it was: a relative path the player gives means what it says.
#pragma once

#include <QString>
#include <QStringList>

namespace morvath {

// True when folder/Music holds at least one of the game's tunes (a player's own ~/Music does
// not count).
bool HoldsTunes(const QString& folder);

// The folders, relative to the program's folder, where the tunes of this build are kept: the
// installed data folder, then (for a program built in the repository) the repository itself.
QStringList TuneFoldersBesideProgram();

// The folder to play the tunes from: currentDir when it holds them, else the first of
// programDir joined with each of besideProgram that holds them, else empty.
QString FindTuneFolder(const QString& currentDir, const QString& programDir,
                       const QStringList& besideProgram);

// The folder to play this run's tunes from (FindTuneFolder for the current directory and the
// program's folder). When no folder holds them, says so in the run's one line about music and
// gives the current directory: the game plays on in silence. A handful of stat calls; call it
// once the application object exists.
QString TuneFolder();

}  // namespace morvath
