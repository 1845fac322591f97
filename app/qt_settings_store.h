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
  void flush() override;

  // The file that holds an application's values.
  QString fileName(const std::string& app);

 private:
  QSettings& settingsFor(const std::string& app);

  QString organisation_;
  std::map<std::string, std::unique_ptr<QSettings>> files_;
};

}  // namespace morvath
