// A game wired to fakes that also watch the order of things: a store that logs every write and
// flush, and dialogs that let a test look at the game at the moment a box is shown.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "support/fakes.h"

namespace morvath::test {

class LoggingStore : public MemoryStore {
 public:
  // "section/key" for every write, "flush" for every flush.
  std::vector<std::string> log;

  void write(const std::string& app, const std::string& section, const std::string& key,
             const std::string& value) override {
    log.push_back(section + "/" + key);
    MemoryStore::write(app, section, key, value);
  }
  Flushed flush() override {
    log.push_back("flush");
    return MemoryStore::flush();
  }
};

class WatchingDialogs : public FakeDialogs {
 public:
  // Runs as each message box appears, before it is answered.
  std::function<void(const std::string& text)> onMessage;

  Answer message(const std::string& text, const std::string& title, Buttons buttons,
                 Icon icon) override {
    if (onMessage) onMessage(text);
    return FakeDialogs::message(text, title, buttons, icon);
  }
};

struct Rig {
  WatchingDialogs dialogs;
  RecordingMusic music;
  LoggingStore store;
  ListRandom random;
  std::unique_ptr<Game> game;

  Rig() {
    store.values[{"ZARQSTART", "Start", "Start"}] = "2";
    game = std::make_unique<Game>(dialogs, music, store, random, kTuneFolder);
    game->start();
    store.log.clear();
  }
  Game& g() { return *game; }
  std::string tune(const std::string& name) const {
    return std::string(kTuneFolder) + "/Music/" + name;
  }
  void newGame(const std::string& name = "Arden") {
    dialogs.inputs.push_back(name);
    game->startForm().click("New");
  }
  std::string slot(const std::string& section, const std::string& key) {
    return store.read("ZARQ", section, key);
  }
};

}  // namespace morvath::test
