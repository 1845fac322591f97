#include "app/qt_settings_store.h"

#include <unistd.h>

#include <QDateTime>
#include <QDir>
#include <QEvent>
#include <QFile>
#include <QFileInfo>
#include <QLockFile>
#include <QSaveFile>
#include <QSettings>
#include <QTemporaryDir>
#include <cstdio>
#include <utility>

namespace morvath {
namespace {

// QSettings treats "/" and "\" in keys as group separators; the game's keys have neither, but a
// key is escaped anyway so that no text can reach outside its section.
QString KeyPath(const std::string& section, const std::string& key) {
  QString s = QString::fromStdString(section);
  QString k = QString::fromStdString(key);
  for (QString* part : {&s, &k}) {
    part->replace('\\', "%5C");
    part->replace('/', "%2F");
  }
  return s + "/" + k;
}

// QSettings writes its file on its own a moment after a change, from the event loop. The game
// says itself when its writes must reach the disk (flush), so that a save is written in one
// piece and the start screen never waits for the disk.
class ExplicitSettings : public QSettings {
 public:
  using QSettings::QSettings;

 protected:
  bool event(QEvent* event) override {
    if (event->type() == QEvent::UpdateRequest) return true;
    return QSettings::event(event);
  }
};

// Whether a file's text was cut short: the store ends every file it writes with a line's end,
// so a file that stops in the middle of a line lost the rest of it (a full disk, a copy broken
// off, a crash of the machine).
bool CutShort(const QString& path) {
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly) || file.size() == 0) return false;
  char last = '\n';
  return file.seek(file.size() - 1) && file.getChar(&last) && last != '\n';
}

// Copies a file to another path in one piece (a temporary file, then a rename).
// Whether the file on disk holds every key of the settings with its value. Read from a copy
// under another name: Qt shares one cache among the settings objects of a file name.
bool ReadsBack(const QSettings& settings) {
  QTemporaryDir dir;
  const QString copy = dir.path() + "/check.ini";
  if (!dir.isValid() || !QFile::copy(settings.fileName(), copy)) return false;
  const QSettings disk(copy, QSettings::IniFormat);
  if (disk.status() != QSettings::NoError) return false;
  const QStringList keys = settings.allKeys();
  if (disk.allKeys().size() != keys.size()) return false;
  for (const QString& key : keys)
    if (disk.value(key).toString() != settings.value(key).toString()) return false;
  return true;
}

bool CopyWhole(const QString& from, const QString& to) {
  QFile source(from);
  if (!source.open(QIODevice::ReadOnly)) return false;
  const QByteArray bytes = source.readAll();
  if (source.error() != QFileDevice::NoError) return false;
  QSaveFile copy(to);
  return copy.open(QIODevice::WriteOnly) && copy.write(bytes) == bytes.size() && copy.commit();
}

}  // namespace

QtSettingsStore::QtSettingsStore(QString organisation) : organisation_(std::move(organisation)) {}

QtSettingsStore::~QtSettingsStore() {
  flush();
  // QSettings would try once more on its own what the store could not write: a file the store
  // must not write over, or one whose lock would hold the game's end for half a minute. What
  // could not be written is lost either way; the file on the disk stays as it was.
  for (auto& [app, file] : files_)
    if (file.dirty) static_cast<void>(file.settings.release());
}

QtSettingsStore::File& QtSettingsStore::fileFor(const std::string& app) {
  auto it = files_.find(app);
  if (it != files_.end()) return it->second;
  File file;
  file.settings = std::make_unique<ExplicitSettings>(QSettings::IniFormat, QSettings::UserScope,
                                                     organisation_, QString::fromStdString(app));
  // QSettings reads its file when a value is first asked for, and only then knows whether the
  // file was readable.
  file.settings->allKeys();
  const QString path = file.settings->fileName();
  const QFileInfo info(path);
  if (!info.exists()) return files_.emplace(app, std::move(file)).first->second;
  if (!info.isFile() || file.settings->status() == QSettings::AccessError) {
    // A folder, a device, a file the player may not read: nothing can be copied of it, so it is
    // never written over either.
    file.unreadable = path;
    file.writable = false;
    std::fprintf(stderr, "morvath: %s could not be read; it is left as it is\n", qPrintable(path));
  } else if (file.settings->status() == QSettings::FormatError || CutShort(path)) {
    // The next write would replace what could not be read: a copy of the file is kept beside
    // the new one, so a damaged save file is never lost for good.
    const QString stamp =
        path + ".damaged-" + QDateTime::currentDateTime().toString("yyyyMMdd-hhmmss");
    // Never over an earlier copy: two damaged files found within the same second both stay.
    QString copy = stamp;
    for (int n = 2; QFile::exists(copy); ++n) copy = stamp + "-" + QString::number(n);
    if (QFile::copy(path, copy)) {
      file.unreadable = copy;
      std::fprintf(stderr, "morvath: %s could not be read; a copy was kept as %s\n",
                   qPrintable(path), qPrintable(copy));
    } else {
      file.unreadable = path;
      file.writable = false;
      std::fprintf(stderr, "morvath: %s could not be read, nor copied aside; it is left as it is\n",
                   qPrintable(path));
    }
  } else {
    // A file read whole: before the game first writes over it, it is kept beside as it was, so
    // that damage nobody noticed, or an edit by hand, is still there after the next save.
    file.keepPrevious = true;
  }
  return files_.emplace(app, std::move(file)).first->second;
}

std::string QtSettingsStore::read(const std::string& app, const std::string& section,
                                  const std::string& key) {
  return fileFor(app).settings->value(KeyPath(section, key)).toString().toStdString();
}

void QtSettingsStore::write(const std::string& app, const std::string& section,
                            const std::string& key, const std::string& value) {
  File& file = fileFor(app);
  file.settings->setValue(KeyPath(section, key), QString::fromStdString(value));
  file.dirty = true;
  file.writtenSinceFlush = true;
}

Flushed QtSettingsStore::flushFile(File& file) {
  if (!file.dirty) return Flushed::Written;
  const QString path = file.settings->fileName();
  if (!file.writable) {
    std::fprintf(stderr, "morvath: could not write %s\n", qPrintable(path));
    return Flushed::Failed;
  }
  // QSettings waits for the file's lock for as long as it takes, up to half a minute for the
  // lock of a copy of the game that was killed: the game never waits that long. A lock that is
  // still held after a moment is another program's; the next flush tries again. The lock goes
  // beside the file, in a folder that may not be there yet on a first start.
  QDir().mkpath(QFileInfo(path).absolutePath());
  QLockFile lock(path + ".lock");
  if (!lock.tryLock(kLockWaitMs)) {
    if (lock.error() == QLockFile::LockFailedError) {
      std::fprintf(stderr, "morvath: %s is locked by another program; it was not written\n",
                   qPrintable(path));
      return Flushed::Busy;
    }
    std::fprintf(stderr, "morvath: could not write %s\n", qPrintable(path));
    return Flushed::Failed;
  }
  lock.unlock();
  if (file.keepPrevious) {
    if (!CopyWhole(path, path + ".previous")) {
      std::fprintf(stderr, "morvath: could not keep a copy of %s; it was not written\n",
                   qPrintable(path));
      return Flushed::Failed;
    }
    file.keepPrevious = false;
  }
  // The file as it was, held under a second name while it is written: Qt renames its new file
  // over the old one even when the disk refused the last part of it (a nearly full disk), and
  // the earlier save then comes back whole.
  const QByteArray held = QFile::encodeName(path + ".saving");
  ::unlink(held.constData());
  const bool holding = ::link(QFile::encodeName(path).constData(), held.constData()) == 0;
  file.settings->sync();
  // What is on the disk decides, not status(): Qt 6.8 keeps reporting the first error it met,
  // so a save after a failed one would be told as failed too.
  if (!ReadsBack(*file.settings)) {
    // (When the file was never replaced, both names are one file: rename leaves both.)
    if (holding) ::rename(held.constData(), QFile::encodeName(path).constData());
    ::unlink(held.constData());
    std::fprintf(stderr, "morvath: could not write %s\n", qPrintable(path));
    return Flushed::Failed;
  }
  if (holding) ::unlink(held.constData());
  file.dirty = false;
  return Flushed::Written;
}

Flushed QtSettingsStore::flush() {
  Flushed result = Flushed::Written;
  for (auto& [app, file] : files_) {
    // A file left unwritten by an earlier flush is tried again; what this flush reports is
    // whether the writes made since the last one reached the disk.
    const Flushed flushed = flushFile(file);
    if (file.writtenSinceFlush && result == Flushed::Written) result = flushed;
    file.writtenSinceFlush = false;
  }
  return result;
}

std::string QtSettingsStore::unreadable(const std::string& app) {
  return fileFor(app).unreadable.toStdString();
}

QString QtSettingsStore::fileName(const std::string& app) {
  return fileFor(app).settings->fileName();
}

}  // namespace morvath
