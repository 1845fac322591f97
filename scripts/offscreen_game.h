// What the developer programs in scripts/ (benchmark, screenshot tour) need to run the real
// front end without a player: boxes answered at once, a store that forgets, a fixed random source.
#pragma once

#include <deque>
#include <random>
#include <string>

#include "core/ports.h"

namespace morvath::tools {

// Answers every box at once: OK, Yes (No to the exit question), queued text for input boxes
// (then "1"), and a name for the name box.
class InstantDialogs : public Dialogs {
 public:
  std::deque<std::string> inputs;
  Answer message(const std::string&, const std::string& title, Buttons buttons, Icon) override {
    if (buttons == Buttons::YesNo) return title == "Exit?" ? Answer::No : Answer::Yes;
    return Answer::Ok;
  }
  std::string input(const std::string&, const std::string& title, const std::string&) override {
    if (!inputs.empty()) {
      std::string answer = inputs.front();
      inputs.pop_front();
      return answer;
    }
    return title == "Enter Name" ? "Arden" : "1";
  }
  void beep() override {}
  void doEvents() override {}
  void quit() override {}
};

// A settings store that keeps nothing; the start counter always reads as a later start.
class ForgetfulStore : public SettingsStore {
 public:
  std::string read(const std::string&, const std::string&, const std::string& key) override {
    return key == "Start" ? "5" : "";
  }
  void write(const std::string&, const std::string&, const std::string&,
             const std::string&) override {}
};

// The same numbers every run.
class FixedRandom : public Random {
 public:
  explicit FixedRandom(unsigned seed = 2026) : engine_(seed) {}
  double next() override { return std::uniform_real_distribution<double>(0.0, 1.0)(engine_); }

 private:
  std::mt19937 engine_;
};

}  // namespace morvath::tools
