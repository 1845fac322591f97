// The four ports through which the game core reaches the outside world. The core never knows
// what stands behind them: Qt dialogs, FluidSynth and QSettings in the game, scripted fakes in
// the tests.
#pragma once

#include <string>

namespace morvath {

// Buttons a message box offers.
enum class Buttons { Ok, OkCancel, YesNo };
// Icon shown in a message box.
enum class Icon { None, Stop };
// The button the player pressed to close a message box.
enum class Answer { Ok, Cancel, Yes, No };

// Modal boxes and the few program-wide actions the game asks of the windowing toolkit.
class Dialogs {
 public:
  virtual ~Dialogs() = default;
  // Shows a modal message box and returns the button pressed. An empty title means the box
  // shows an empty title bar (the game's own title is passed explicitly where it is wanted).
  virtual Answer message(const std::string& text, const std::string& title, Buttons buttons,
                         Icon icon) = 0;
  // Shows a modal input box; Cancel gives empty text.
  virtual std::string input(const std::string& prompt, const std::string& title,
                            const std::string& defaultText) = 0;
  // Sounds the system beep.
  virtual void beep() = 0;
  // Lets pending window events (painting) run.
  virtual void doEvents() = 0;
  // Ends the program once the current event handler returns.
  virtual void quit() = 0;
};

// The game's single music device: a file name that reads back exactly what was written and a
// command property taking "open", "play", "stop" and "close".
class MusicDevice {
 public:
  virtual ~MusicDevice() = default;
  // Sets the name of the tune file that the next "open" opens.
  virtual void setFileName(const std::string& name) = 0;
  // The file name last written, unchanged.
  virtual std::string fileName() const = 0;
  // Sends one command: "open", "play", "stop" or "close". Anything else is ignored.
  virtual void command(const std::string& cmd) = 0;
};

// How a flush of the settings store went.
enum class Flushed {
  Written,  // every write since the last flush is on the disk
  Failed,   // the disk refused them (a read-only file or folder, a full disk): the files are as
            // they were
  Busy,     // another program held the file locked: nothing was written, and the game did not
            // wait for it
};

// The per-user key/value store that keeps the save slots and the start counter.
class SettingsStore {
 public:
  virtual ~SettingsStore() = default;
  // The text under (application, section, key); empty text when absent.
  virtual std::string read(const std::string& app, const std::string& section,
                           const std::string& key) = 0;
  // Writes the text under (application, section, key).
  virtual void write(const std::string& app, const std::string& section, const std::string& key,
                     const std::string& value) = 0;
  // Makes every write so far durable, all at once, and says whether the writes made since the
  // last flush reached the disk. Values written stay readable in this run either way.
  virtual Flushed flush() { return Flushed::Written; }
  // Where the file of an application is kept when it was there but could not be read (a copy
  // beside it, or the file itself, left as it was): empty text when it was read or is absent.
  virtual std::string unreadable(const std::string& /*app*/) { return ""; }
};

// Pseudo-random numbers uniform in [0, 1).
class Random {
 public:
  virtual ~Random() = default;
  // The next number, at least 0 and below 1.
  virtual double next() = 0;
};

}  // namespace morvath
