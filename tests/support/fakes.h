// Test doubles for the four ports: scripted dialog answers that record every box, an in-memory
// settings store, a music device that records its commands, and a random source that replays
// a list of numbers.
#pragma once

#include <gtest/gtest.h>

#include <deque>
#include <initializer_list>
#include <map>
#include <memory>
#include <string>
#include <tuple>
#include <vector>

#include "core/game.h"
#include "core/ports.h"
#include "shell/start_form.h"

namespace morvath::test {

// One box the game showed.
struct Box {
  std::string text;
  std::string title;
  Buttons buttons = Buttons::Ok;
  Icon icon = Icon::None;
  bool isInput = false;
};

class FakeDialogs : public Dialogs {
 public:
  // Answers for the next message boxes (default: Ok for Ok boxes, Yes/No as queued else Ok).
  std::deque<Answer> answers;
  // Answers for the next input boxes (default: empty text).
  std::deque<std::string> inputs;
  std::vector<Box> boxes;
  int beeps = 0;
  int doEventsCalls = 0;
  int quits = 0;

  Answer message(const std::string& text, const std::string& title, Buttons buttons,
                 Icon icon) override {
    boxes.push_back(Box{text, title, buttons, icon, false});
    if (!answers.empty()) {
      Answer a = answers.front();
      answers.pop_front();
      return a;
    }
    return buttons == Buttons::YesNo ? Answer::No : Answer::Ok;
  }
  std::string input(const std::string& prompt, const std::string& title,
                    const std::string&) override {
    boxes.push_back(Box{prompt, title, Buttons::OkCancel, Icon::None, true});
    if (inputs.empty()) return "";
    std::string a = inputs.front();
    inputs.pop_front();
    return a;
  }
  void beep() override { ++beeps; }
  void doEvents() override { ++doEventsCalls; }
  void quit() override { ++quits; }

  // Texts of the message boxes shown so far.
  std::vector<std::string> texts() const {
    std::vector<std::string> t;
    for (const Box& b : boxes) t.push_back(b.text);
    return t;
  }
  const Box& last() const { return boxes.back(); }
};

class MemoryStore : public SettingsStore {
 public:
  std::map<std::tuple<std::string, std::string, std::string>, std::string> values;
  int flushes = 0;
  // How the next flushes go (default: written).
  std::deque<Flushed> flushResults;
  // Applications whose file could not be read, with where it is kept.
  std::map<std::string, std::string> unreadableFiles;

  std::string read(const std::string& app, const std::string& section,
                   const std::string& key) override {
    auto it = values.find({app, section, key});
    return it == values.end() ? "" : it->second;
  }
  void write(const std::string& app, const std::string& section, const std::string& key,
             const std::string& value) override {
    values[{app, section, key}] = value;
  }
  Flushed flush() override {
    ++flushes;
    if (flushResults.empty()) return Flushed::Written;
    const Flushed result = flushResults.front();
    flushResults.pop_front();
    return result;
  }
  std::string unreadable(const std::string& app) override {
    auto it = unreadableFiles.find(app);
    return it == unreadableFiles.end() ? "" : it->second;
  }
};

class RecordingMusic : public MusicDevice {
 public:
  std::string file;
  // Every command, with "file=<name>" entries for file name changes.
  std::vector<std::string> log;

  void setFileName(const std::string& name) override {
    file = name;
    log.push_back("file=" + name);
  }
  std::string fileName() const override { return file; }
  void command(const std::string& cmd) override { log.push_back(cmd); }
};

// Replays a list of numbers. Running out of numbers fails the test, once; after that it hands
// out 0.1, 0.35, 0.6, 0.85 in turn rather than one number forever, so that a loop drawing until
// it finds something (a maze guard looking for an open side) still ends and the test fails
// instead of hanging.
class ListRandom : public Random {
 public:
  std::deque<double> numbers;
  int draws = 0;

  double next() override {
    ++draws;
    if (!numbers.empty()) {
      double n = numbers.front();
      numbers.pop_front();
      return n;
    }
    if (!exhausted_) {
      exhausted_ = true;
      ADD_FAILURE() << "the game drew more random numbers than the test scripted (draw " << draws
                    << ")";
    }
    static constexpr double kSpread[] = {0.1, 0.35, 0.6, 0.85};
    return kSpread[overruns_++ % 4];
  }
  // Queues R so that Int(R * faces) + 1 gives the roll (1-based), for dice of any size.
  void roll(int value, int faces) { numbers.push_back((value - 1 + 0.5) / faces); }
  void push(std::initializer_list<double> list) { numbers.insert(numbers.end(), list); }

 private:
  bool exhausted_ = false;
  unsigned overruns_ = 0;
};

// The folder whose Music folder the fake game plays its tunes from.
inline constexpr const char* kTuneFolder = "/home/player/morvath";

// A game wired to fakes, with the story already seen (counter 2) unless told otherwise.
struct Harness {
  FakeDialogs dialogs;
  RecordingMusic music;
  MemoryStore store;
  ListRandom random;
  std::unique_ptr<Game> game;

  explicit Harness(bool firstStart = false) {
    if (!firstStart) store.values[{"ZARQSTART", "Start", "Start"}] = "2";
    game = std::make_unique<Game>(dialogs, music, store, random, kTuneFolder);
    game->start();
  }
  Game& g() { return *game; }
  std::string tune(const std::string& name) const {
    return std::string(kTuneFolder) + "/Music/" + name;
  }
  // Starts a new game with the given name, answering the name box.
  void newGame(const std::string& name = "Arden") {
    dialogs.inputs.push_back(name);
    game->startForm().click("New");
  }
};

}  // namespace morvath::test
