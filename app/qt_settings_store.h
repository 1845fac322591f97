// The settings store in INI files under the user's config folder: one file per application of
// the game ("ZARQ.ini" for the saves, "ZARQSTART.ini" for the start counter).
#pragma once

#include <QString>
#include <map>
#include <memory>
#include <string>

#include "core/ports.h"

class QSettings;

namespace morvath {

class QtSettingsStore : public SettingsStore {
 public:
  // organisation names the folder below the config folder.
  explicit QtSettingsStore(QString organisation);
  ~QtSettingsStore() override;

  std::string read(const std::string& app, const std::string& section,
                   const std::string& key) override;
  void write(const std::string& app, const std::string& section, const std::string& key,
             const std::string& value) override;
  Flushed flush() override;
  std::string unreadable(const std::string& app) override;

  // The file that holds an application's values.
  QString fileName(const std::string& app);
  // How long a flush waits for a file locked by another program before it gives up.
  static constexpr int kLockWaitMs = 300;

 private:
  // One application's file and what the store learnt of it when it first read it.
  struct File {
    std::unique_ptr<QSettings> settings;
    // Where the file is kept when it was there but could not be read.
    QString unreadable;
    // False when writing it would lose a file that could not be read and could not be copied
    // (a folder, a device, a file the player may not read).
    bool writable = true;
    // The file as it was when the run began is still to be copied aside before it is rewritten.
    bool keepPrevious = false;
    // Written since it last reached the disk.
    bool dirty = false;
    // Written since the last flush.
    bool writtenSinceFlush = false;
  };
  File& fileFor(const std::string& app);
  Flushed flushFile(File& file);

  QString organisation_;
  std::map<std::string, File> files_;
};

}  // namespace morvath
