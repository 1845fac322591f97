#include "app/qt_settings_store.h"

#include <QDateTime>
#include <QEvent>
#include <QFile>
#include <QSettings>
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

}  // namespace

QtSettingsStore::QtSettingsStore(QString organisation) : organisation_(std::move(organisation)) {}

QtSettingsStore::~QtSettingsStore() {
  flush();
}

QSettings& QtSettingsStore::settingsFor(const std::string& app) {
  auto it = files_.find(app);
  if (it != files_.end()) return *it->second;
  auto settings = std::make_unique<ExplicitSettings>(QSettings::IniFormat, QSettings::UserScope,
                                                     organisation_, QString::fromStdString(app));
  // A file that cannot be read would be overwritten by the next write: keep a copy of it beside
  // the new one, so a damaged save file is never lost for good. QSettings reads its file only
  // when a value is first asked for, and only then knows whether the file was readable.
  settings->allKeys();
  if (settings->status() == QSettings::FormatError) {
    const QString path = settings->fileName();
    const QString stamp =
        path + ".damaged-" + QDateTime::currentDateTime().toString("yyyyMMdd-hhmmss");
    // Never over an earlier copy: two damaged files found within the same second both stay.
    QString copy = stamp;
    for (int n = 2; QFile::exists(copy); ++n) copy = stamp + "-" + QString::number(n);
    if (QFile::copy(path, copy))
      std::fprintf(stderr, "morvath: %s could not be read; a copy was kept as %s\n",
                   qPrintable(path), qPrintable(copy));
    else
      std::fprintf(stderr, "morvath: %s could not be read, nor copied aside\n", qPrintable(path));
  }
  return *files_.emplace(app, std::move(settings)).first->second;
}

std::string QtSettingsStore::read(const std::string& app, const std::string& section,
                                  const std::string& key) {
  return settingsFor(app).value(KeyPath(section, key)).toString().toStdString();
}

void QtSettingsStore::write(const std::string& app, const std::string& section,
                            const std::string& key, const std::string& value) {
  settingsFor(app).setValue(KeyPath(section, key), QString::fromStdString(value));
}

void QtSettingsStore::flush() {
  for (auto& [app, settings] : files_) {
    settings->sync();
    if (settings->status() == QSettings::AccessError)
      std::fprintf(stderr, "morvath: could not write %s\n", qPrintable(settings->fileName()));
  }
}

QString QtSettingsStore::fileName(const std::string& app) {
  return settingsFor(app).fileName();
}

}  // namespace morvath
