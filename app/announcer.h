// What a window says to a screen reader when the game changes it: the window lists what it says
// (its spoken lines, in reading order); after every event the announcer compares them with what
// it said last and speaks the difference in one utterance.
#pragma once

#include <QString>
#include <QStringList>
#include <map>
#include <string>
#include <vector>

class QLabel;
class QWidget;

namespace morvath {

// One thing a window says, under a key of its own (a label's name, "cell", ...).
struct SpokenLine {
  enum class Kind {
    Heading,  // said when the window opens and when it changes
    News,     // a message an action writes: said when it changes, and again when the player's
              // action left every line as it was (a second step against the same wall)
    Status,   // said when it changes, and along with any news (the health after every round)
  };
  std::string key;
  QString text;
  Kind kind = Kind::Heading;
};

// Utterances joined into one, with a pause between them.
QString JoinUtterances(const QStringList& parts);

class Announcer {
 public:
  // The announcer speaks for the window of host (the window's canvas).
  explicit Announcer(QWidget* host);
  Announcer(const Announcer&) = delete;
  Announcer& operator=(const Announcer&) = delete;

  // Compares the window's lines with what was said last and gives what changed, in one
  // utterance (empty when nothing did). opened: the window has just come up (everything it says
  // is new). newsAgain: when nothing changed, the news is said again (the player's action wrote
  // it anew with the same words: a second step against the same wall).
  QString update(const std::vector<SpokenLine>& lines, bool opened, bool newsAgain);
  // Lines that the next update says even when their text is the same (an action writes them
  // anew: a round of a fight).
  void renew(const std::vector<std::string>& keys);
  // Says the text to a screen reader, as this window's (nothing happens while none listens).
  void speak(const QString& text);
  // The last utterance spoken, and how many were.
  const QString& lastSpoken() const { return last_; }
  int spokenCount() const { return spokenCount_; }

 private:
  QWidget* host_;
  // The two places the keyboard focus moves between: a screen reader says the one that takes it.
  QLabel* voices_[2] = {nullptr, nullptr};
  std::map<std::string, QString> said_;
  QString last_;
  int spokenCount_ = 0;
};

}  // namespace morvath
